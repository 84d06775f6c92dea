#include "container/video_track.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <numeric>

#include "container/big_endian.h"

namespace quorva {

namespace {

// More samples than this (about 150 hours at 30 frames per second), or more than the file
// has bytes, are taken as damage: the work on a track stays in proportion to its file.
constexpr uint64_t kMaxTrackSamples = 16u << 20;
// An edit list is followed up to this many edits (editors write one or two).
constexpr size_t kMaxEdits = 16;

const MovieBox* Child(const MovieBox* box, const char* type) {
    if (!box) return nullptr;
    for (const MovieBox& c : box->children)
        if (c.Is(type)) return &c;
    return nullptr;
}

// A copied leaf payload of at least minSize bytes, or null.
const std::vector<uint8_t>* Payload(const MovieBox* box, size_t minSize) {
    if (!box || !box->HasCopy() || box->payload.size() < minSize) return nullptr;
    return &box->payload;
}

// The entries of a full box with a 32-bit count at byte 4: how many fit the payload.
uint64_t EntriesThatFit(const std::vector<uint8_t>& p, size_t head, size_t entryBytes) {
    if (p.size() < head) return 0;
    return std::min<uint64_t>(ReadBe32(p.data() + 4), (p.size() - head) / entryBytes);
}

enum class TrackKind { kVideo, kOther, kUnknown };

TrackKind KindOf(const MovieBox& trak) {
    const auto* hdlr = Payload(Child(Child(&trak, "mdia"), "hdlr"), 12);
    if (!hdlr) return TrackKind::kUnknown;
    return std::memcmp(hdlr->data() + 8, "vide", 4) == 0 ? TrackKind::kVideo : TrackKind::kOther;
}

const MovieBox* SampleTable(const MovieBox* trak) {
    return Child(Child(Child(trak, "mdia"), "minf"), "stbl");
}

// Size and codec of the first sample description of a track.
void ReadSampleEntry(const MovieBox& trak, VideoTrack& out) {
    const auto* stsd = Payload(Child(SampleTable(&trak), "stsd"), 16);
    if (!stsd || ReadBe32(stsd->data() + 4) == 0) return;
    out.codec.assign(reinterpret_cast<const char*>(stsd->data()) + 12, 4);
    if (stsd->size() >= 44) {
        out.width = ReadBe16(stsd->data() + 40);
        out.height = ReadBe16(stsd->data() + 42);
    }
}

// One sample in decoding order.
struct Sample {
    int64_t compositionTime = 0;
    uint32_t duration = 0;
    bool sync = true;
    bool inside = true;  // its data lies inside the file
};

struct Edit {
    int64_t mediaTime = 0;  // track ticks
    int64_t presentAt = 0;  // track ticks from the start of the presentation
    int64_t length = -1;    // track ticks; -1 runs to the end
};

class TrackReader {
  public:
    TrackReader(const sMP4MOVIE& movie, const MovieBox& trak, VideoTrack& out)
        : movie_(movie), trak_(trak), out_(out) {}

    bool Read(std::string* why) {
        why_ = why;
        if (!ReadHeaders()) return false;
        if (!ReadSampleTables()) return false;
        if (!ReadFragments()) return false;
        ReadEdits();
        return BuildFrames();
    }

  private:
    bool Fail(const std::string& text) {
        if (why_) *why_ = text;
        return false;
    }

    bool ReadHeaders() {
        const MovieBox* mdia = Child(&trak_, "mdia");
        if (const auto* mdhd = Payload(Child(mdia, "mdhd"), 20)) {
            const MediaTimes times = ReadMediaTimes(*mdhd);
            if (times.ok) out_.timescale = times.timescale;
        }
        if (const auto* tkhd = Payload(Child(&trak_, "tkhd"), 84)) {
            const bool v1 = (*tkhd)[0] == 1;
            out_.trackId = ReadBe32(tkhd->data() + (v1 ? 20 : 12));
            const size_t matrixAt = v1 ? 52 : 40;
            if (tkhd->size() >= matrixAt + 36) {
                int32_t m[9];
                for (int i = 0; i < 9; ++i)
                    m[i] = static_cast<int32_t>(ReadBe32(tkhd->data() + matrixAt + 4 * i));
                out_.rotation = DisplayRotation(m);
            }
        }
        stbl_ = SampleTable(&trak_);
        ReadSampleEntry(trak_, out_);
        return true;
    }

    // Sample sizes ("stsz" or "stz2"); false when the track has neither.
    bool ReadSizes(uint64_t& count) {
        if (const auto* stsz = Payload(Child(stbl_, "stsz"), 12)) {
            const uint32_t constant = ReadBe32(stsz->data() + 4);
            count = ReadBe32(stsz->data() + 8);
            if (constant != 0) {
                constantSize_ = constant;
                return true;
            }
            count = std::min<uint64_t>(count, (stsz->size() - 12) / 4);
            sizeTable_ = stsz->data() + 12;
            sizeBits_ = 32;
            return true;
        }
        if (const auto* stz2 = Payload(Child(stbl_, "stz2"), 12)) {
            const unsigned bits = (*stz2)[7];
            if (bits != 4 && bits != 8 && bits != 16) return false;
            count = std::min<uint64_t>(ReadBe32(stz2->data() + 8), (stz2->size() - 12) * 8 / bits);
            sizeTable_ = stz2->data() + 12;
            sizeBits_ = bits;
            return true;
        }
        return false;
    }

    uint32_t SizeOf(uint64_t i) const {
        if (!sizeTable_) return constantSize_;
        switch (sizeBits_) {
            case 4: {
                const uint8_t b = sizeTable_[i / 2];
                return i % 2 == 0 ? b >> 4 : b & 0x0F;
            }
            case 8:
                return sizeTable_[i];
            case 16:
                return ReadBe16(sizeTable_ + 2 * i);
            default:
                return ReadBe32(sizeTable_ + 4 * i);
        }
    }

    bool ReadSampleTables() {
        if (!stbl_) return true;  // a fragmented movie may keep every sample in fragments
        const auto* stts = Payload(Child(stbl_, "stts"), 8);
        uint64_t count = 0;
        const bool haveSizes = ReadSizes(count);
        uint64_t timed = 0;
        if (stts) {
            const uint64_t n = EntriesThatFit(*stts, 8, 8);
            for (uint64_t i = 0; i < n; ++i)
                timed += ReadBe32(stts->data() + 8 + 8 * i);
        }
        if (!haveSizes) count = timed;
        if (count > MaxSamples())
            return Fail("the video track has more samples than its file holds");
        samples_.resize(count);

        // Decode times and durations.
        int64_t dts = 0;
        uint64_t s = 0;
        uint32_t delta = 0;
        if (stts) {
            const uint64_t n = EntriesThatFit(*stts, 8, 8);
            for (uint64_t i = 0; i < n && s < count; ++i) {
                const uint32_t run = ReadBe32(stts->data() + 8 + 8 * i);
                delta = ReadBe32(stts->data() + 12 + 8 * i);
                for (uint32_t k = 0; k < run && s < count; ++k, ++s) {
                    samples_[s].compositionTime = dts;
                    samples_[s].duration = delta;
                    dts += delta;
                }
            }
        }
        for (; s < count; ++s) {  // samples the table does not time: the last duration
            samples_[s].compositionTime = dts;
            samples_[s].duration = delta;
            dts += delta;
        }
        nextDecodeTime_ = dts;

        // Composition offsets (signed, as players read both versions).
        if (const auto* ctts = Payload(Child(stbl_, "ctts"), 8)) {
            const uint64_t n = EntriesThatFit(*ctts, 8, 8);
            s = 0;
            for (uint64_t i = 0; i < n && s < count; ++i) {
                const uint32_t run = ReadBe32(ctts->data() + 8 + 8 * i);
                const auto offset = static_cast<int32_t>(ReadBe32(ctts->data() + 12 + 8 * i));
                for (uint32_t k = 0; k < run && s < count; ++k, ++s)
                    samples_[s].compositionTime += offset;
            }
        }

        // Sync samples: without the table every sample is one.
        if (const auto* stss = Payload(Child(stbl_, "stss"), 8)) {
            for (auto& smp : samples_)
                smp.sync = false;
            const uint64_t n = EntriesThatFit(*stss, 8, 4);
            for (uint64_t i = 0; i < n; ++i) {
                const uint32_t number = ReadBe32(stss->data() + 8 + 4 * i);
                if (number >= 1 && number <= count) samples_[number - 1].sync = true;
            }
        }

        if (haveSizes) PlaceSamples(count);
        return true;
    }

    // Walks the chunks: a sample whose data does not lie inside the file is left out.
    void PlaceSamples(uint64_t count) {
        const MovieBox* stco = Child(stbl_, "stco");
        const MovieBox* co64 = Child(stbl_, "co64");
        const auto* chunks = Payload(stco ? stco : co64, 8);
        const auto* stsc = Payload(Child(stbl_, "stsc"), 8);
        if (!chunks || !stsc) return;  // no chunk tables: the data cannot be checked
        const size_t width = stco ? 4 : 8;
        const uint64_t chunkCount = EntriesThatFit(*chunks, 8, width);
        const uint64_t runs = EntriesThatFit(*stsc, 8, 12);
        const uint64_t fileSize = movie_.fileSize;
        for (auto& smp : samples_)
            smp.inside = false;
        uint64_t s = 0;
        uint64_t previousFirst = 0;
        for (uint64_t r = 0; r < runs && s < count; ++r) {
            const uint8_t* e = stsc->data() + 8 + 12 * r;
            const uint64_t first = ReadBe32(e);
            const uint32_t perChunk = ReadBe32(e + 4);
            if (first < 1 || first <= previousFirst) break;  // damaged: the rest stays out
            previousFirst = first;
            const uint64_t last =
                r + 1 < runs ? std::min<uint64_t>(ReadBe32(e + 12) - 1, chunkCount) : chunkCount;
            for (uint64_t c = first; c <= last && s < count; ++c) {
                const uint8_t* at = chunks->data() + 8 + width * (c - 1);
                uint64_t offset = width == 4 ? ReadBe32(at) : ReadBe64(at);
                for (uint32_t k = 0; k < perChunk && s < count; ++k, ++s) {
                    const uint32_t size = SizeOf(s);
                    samples_[s].inside = offset <= fileSize && size <= fileSize - offset;
                    offset = offset > UINT64_MAX - size ? UINT64_MAX : offset + size;
                }
            }
        }
    }

    bool ReadFragments() {
        bool haveFragments = false;
        for (const MovieBox& c : movie_.root.children)
            haveFragments = haveFragments || c.Is("moof");
        const MovieBox* mvex = Child(FirstMoov(), "mvex");
        if (!haveFragments && !mvex) return true;
        out_.fragmented = true;
        // Defaults of the track ("trex").
        uint32_t defDuration = 0, defSize = 0, defFlags = 0;
        if (mvex) {
            for (const MovieBox& trex : mvex->children) {
                const auto* p = Payload(&trex, 24);
                if (!trex.Is("trex") || !p || ReadBe32(p->data() + 4) != out_.trackId) continue;
                defDuration = ReadBe32(p->data() + 12);
                defSize = ReadBe32(p->data() + 16);
                defFlags = ReadBe32(p->data() + 20);
            }
        }
        for (const MovieBox& moof : movie_.root.children) {
            if (!moof.Is("moof")) continue;
            const uint64_t moofStart = moof.offset - moof.headerSize;
            uint64_t dataEnd = moofStart;  // where the previous track fragment's data ended
            bool firstTraf = true;
            for (const MovieBox& traf : moof.children) {
                if (!traf.Is("traf")) continue;
                const auto* tfhd = Payload(Child(&traf, "tfhd"), 8);
                if (!tfhd) continue;
                const uint32_t flags = ReadBe32(tfhd->data()) & 0xFFFFFF;
                if (ReadBe32(tfhd->data() + 4) != out_.trackId) {
                    firstTraf = false;
                    continue;
                }
                size_t at = 8;
                auto field32 = [&](uint32_t bit, uint32_t fallback) {
                    if (!(flags & bit)) return fallback;
                    if (tfhd->size() < at + 4) return fallback;
                    const uint32_t v = ReadBe32(tfhd->data() + at);
                    at += 4;
                    return v;
                };
                uint64_t base = (flags & 0x020000) || firstTraf ? moofStart : dataEnd;
                if (flags & 0x000001) {
                    if (tfhd->size() < at + 8) return Fail("a track fragment header is cut short");
                    base = ReadBe64(tfhd->data() + at);
                    at += 8;
                }
                field32(0x000002, 0);  // sample description index
                const uint32_t duration = field32(0x000008, defDuration);
                const uint32_t size = field32(0x000010, defSize);
                const uint32_t sampleFlags = field32(0x000020, defFlags);
                if (const auto* tfdt = Payload(Child(&traf, "tfdt"), 8)) {
                    if ((*tfdt)[0] == 1 && tfdt->size() >= 12)
                        nextDecodeTime_ = static_cast<int64_t>(ReadBe64(tfdt->data() + 4));
                    else
                        nextDecodeTime_ = ReadBe32(tfdt->data() + 4);
                }
                uint64_t dataAt = base;
                for (const MovieBox& trun : traf.children) {
                    if (!trun.Is("trun")) continue;
                    if (!ReadRun(trun, base, dataAt, duration, size, sampleFlags)) return false;
                }
                dataEnd = dataAt;
                firstTraf = false;
            }
        }
        return true;
    }

    // One track run: its samples follow the ones read so far.
    bool ReadRun(const MovieBox& trun, uint64_t base, uint64_t& dataAt, uint32_t defDuration,
                 uint32_t defSize, uint32_t defFlags) {
        const auto* p = Payload(&trun, 8);
        if (!p) return true;
        const bool v1 = (*p)[0] == 1;
        const uint32_t flags = ReadBe32(p->data()) & 0xFFFFFF;
        const uint32_t count = ReadBe32(p->data() + 4);
        size_t at = 8;
        if (flags & 0x001) {
            if (p->size() < at + 4) return true;
            dataAt = base + static_cast<int64_t>(static_cast<int32_t>(ReadBe32(p->data() + at)));
            at += 4;
        }
        uint32_t firstFlags = defFlags;
        const bool haveFirstFlags = flags & 0x004;
        if (haveFirstFlags) {
            if (p->size() < at + 4) return true;
            firstFlags = ReadBe32(p->data() + at);
            at += 4;
        }
        const size_t perSample = 4 * (((flags >> 8) & 1) + ((flags >> 9) & 1) +
                                      ((flags >> 10) & 1) + ((flags >> 11) & 1));
        const uint64_t fit = perSample ? (p->size() - at) / perSample : count;
        const uint64_t n = std::min<uint64_t>(count, fit);
        if (samples_.size() + n > MaxSamples())
            return Fail("the video track has more samples than its file holds");
        const uint64_t fileSize = movie_.fileSize;
        for (uint64_t i = 0; i < n; ++i) {
            uint32_t duration = defDuration, size = defSize, sampleFlags = defFlags;
            int32_t offset = 0;
            if (flags & 0x100) duration = ReadBe32(p->data() + at), at += 4;
            if (flags & 0x200) size = ReadBe32(p->data() + at), at += 4;
            if (flags & 0x400) sampleFlags = ReadBe32(p->data() + at), at += 4;
            if (flags & 0x800) {
                const uint32_t raw = ReadBe32(p->data() + at);
                at += 4;
                // Version 0 stores unsigned offsets; no real movie needs the top bit.
                offset = v1 ? static_cast<int32_t>(raw)
                            : static_cast<int32_t>(std::min<uint32_t>(raw, INT32_MAX));
            }
            if (i == 0 && haveFirstFlags) sampleFlags = firstFlags;
            Sample s;
            s.compositionTime = nextDecodeTime_ + offset;
            s.duration = duration;
            s.sync = !(sampleFlags & 0x00010000);
            s.inside = dataAt <= fileSize && size <= fileSize - dataAt;
            samples_.push_back(s);
            nextDecodeTime_ += duration;
            dataAt = dataAt > UINT64_MAX - size ? UINT64_MAX : dataAt + size;
        }
        return true;
    }

    uint64_t MaxSamples() const { return std::min<uint64_t>(kMaxTrackSamples, movie_.fileSize); }

    const MovieBox* FirstMoov() const {
        for (const MovieBox& c : movie_.root.children)
            if (c.Is("moov")) return &c;
        return nullptr;
    }

    // The edit list; empty when the track has none (every sample is shown at its time).
    void ReadEdits() {
        const auto* elst = Payload(Child(Child(&trak_, "edts"), "elst"), 8);
        if (!elst) return;
        uint32_t movieScale = 0;
        if (const auto* mvhd = Payload(Child(FirstMoov(), "mvhd"), 20))
            movieScale = ReadMediaTimes(*mvhd).timescale;
        const bool v1 = (*elst)[0] == 1;
        const size_t entryBytes = v1 ? 20 : 12;
        const uint64_t n = EntriesThatFit(*elst, 8, entryBytes);
        int64_t presentAt = 0;
        std::vector<Edit> edits;
        for (uint64_t i = 0; i < n; ++i) {
            const uint8_t* e = elst->data() + 8 + entryBytes * i;
            const uint64_t segment = v1 ? ReadBe64(e) : ReadBe32(e);
            const int64_t mediaTime =
                v1 ? static_cast<int64_t>(ReadBe64(e + 8)) : static_cast<int32_t>(ReadBe32(e + 4));
            // The segment's length in track ticks (the movie's time scale converted).
            int64_t length = -1;
            if (movieScale > 0 && out_.timescale > 0 && segment > 0) {
                const long double ticks =
                    static_cast<long double>(segment) * out_.timescale / movieScale;
                length = ticks >= static_cast<long double>(INT64_MAX / 4)
                             ? -1
                             : static_cast<int64_t>(std::llround(ticks));
            }
            if (mediaTime < 0) {  // an empty edit: the presentation starts later
                if (length > 0) presentAt += length;
                continue;
            }
            edits.push_back({mediaTime, presentAt, length});
            if (length < 0 || edits.size() == kMaxEdits) break;  // runs to the end
            presentAt += length;
        }
        edits_ = std::move(edits);
    }

    bool BuildFrames() {
        struct Frame {
            int64_t time;
            uint32_t duration;
            bool sync;
        };
        std::vector<Frame> frames;
        frames.reserve(samples_.size());
        out_.samples = samples_.size();
        for (const Sample& s : samples_) {
            if (!s.inside) {
                out_.cutShort = true;
                continue;
            }
            if (edits_.empty()) {
                frames.push_back({s.compositionTime, s.duration, s.sync});
                continue;
            }
            for (const Edit& e : edits_) {
                if (s.compositionTime < e.mediaTime) continue;
                if (e.length >= 0 && s.compositionTime - e.mediaTime >= e.length) continue;
                frames.push_back(
                    {e.presentAt + s.compositionTime - e.mediaTime, s.duration, s.sync});
            }
        }
        if (frames.empty()) {
            if (samples_.empty()) return Fail("the video track has no frames");
            if (out_.cutShort) return Fail("the movie is cut short before its first frame");
            return Fail("the edit list of the video track shows no frame");
        }
        // Without reordered pictures (B-frames) the frames are in presentation order already.
        const auto earlier = [](const Frame& a, const Frame& b) { return a.time < b.time; };
        if (!std::is_sorted(frames.begin(), frames.end(), earlier))
            std::stable_sort(frames.begin(), frames.end(), earlier);
        const int64_t start = frames.front().time;
        int64_t end = start;
        out_.frameTimes.reserve(frames.size());
        out_.frameDurations.reserve(frames.size());
        out_.keyFrames.reserve(frames.size());
        for (const Frame& f : frames) {
            out_.frameTimes.push_back(f.time - start);
            out_.frameDurations.push_back(f.duration);
            out_.keyFrames.push_back(f.sync);
            end = std::max(end, f.time + static_cast<int64_t>(f.duration));
        }
        out_.durationTicks = end - start;
        return true;
    }

    const sMP4MOVIE& movie_;
    const MovieBox& trak_;
    VideoTrack& out_;
    std::string* why_ = nullptr;
    const MovieBox* stbl_ = nullptr;
    const uint8_t* sizeTable_ = nullptr;
    unsigned sizeBits_ = 32;
    uint32_t constantSize_ = 0;
    int64_t nextDecodeTime_ = 0;
    std::vector<Sample> samples_;
    std::vector<Edit> edits_;
};

}  // namespace

double VideoTrack::FramesPerSecond() const {
    const uint64_t ticks =
        std::accumulate(frameDurations.begin(), frameDurations.end(), uint64_t{0});
    if (ticks == 0 || timescale == 0) return 0.0;
    return static_cast<double>(frameTimes.size()) * timescale / static_cast<double>(ticks);
}

double VideoTrack::Seconds() const {
    return timescale ? static_cast<double>(durationTicks) / timescale : 0.0;
}

std::vector<double> VideoTrack::FrameTimesMs() const {
    std::vector<double> ms;
    ms.reserve(frameTimes.size());
    for (int64_t t : frameTimes)
        ms.push_back(timescale ? static_cast<double>(t) * 1000.0 / timescale : 0.0);
    return ms;
}

bool VideoTrack::ConstantRate() const {
    const size_t n = frameTimes.size();
    if (n < 2) return true;
    const double fps = FramesPerSecond();
    if (!(fps > 0.0)) return false;
    const double step = timescale / fps;  // ticks per frame
    for (size_t i = 0; i < n; ++i) {
        if (std::fabs(static_cast<double>(frameTimes[i]) - static_cast<double>(i) * step) >
            step / 8.0)
            return false;
    }
    return true;
}

const MovieBox* FindVideoTrak(const sMP4MOVIE& movie) {
    const MovieBox* unknown = nullptr;
    for (const MovieBox& top : movie.root.children) {
        if (!top.Is("moov")) continue;
        for (const MovieBox& trak : top.children) {
            if (!trak.Is("trak")) continue;
            const TrackKind kind = KindOf(trak);
            if (kind == TrackKind::kVideo) return &trak;
            if (kind == TrackKind::kUnknown && !unknown) unknown = &trak;
        }
    }
    return unknown;
}

bool IsFragmented(const sMP4MOVIE& movie) {
    for (const MovieBox& top : movie.root.children) {
        if (top.Is("moof")) return true;
        if (top.Is("moov") && Child(&top, "mvex")) return true;
    }
    return false;
}

bool ReadVideoTrack(const sMP4MOVIE& movie, VideoTrack& track, std::string* why) {
    track = VideoTrack{};
    bool haveMoov = false;
    for (const MovieBox& top : movie.root.children)
        haveMoov = haveMoov || top.Is("moov");
    if (!haveMoov) {
        if (why)
            *why =
                movie.cutShort ? "moov box missing (the movie is cut short)" : "moov box missing";
        return false;
    }
    const MovieBox* trak = FindVideoTrak(movie);
    if (!trak) {
        if (why) *why = "no video track";
        return false;
    }
    TrackReader reader(movie, *trak, track);
    if (!reader.Read(why)) {
        track.frameTimes.clear();
        return false;
    }
    return true;
}

bool ReadMovieVideoTrack(const std::string& path, VideoTrack& track, std::string* why) {
    track = VideoTrack{};
    std::string error;
    auto movie = OpenMovie(path, true, false, {}, &error);
    if (!movie) {
        if (why) *why = error;
        return false;
    }
    if (!ReadVideoTrack(*movie, track, why)) return false;
    if (track.timescale == 0) {
        if (why) *why = "the video track has no time scale";
        track = VideoTrack{};
        return false;
    }
    return true;
}

VideoDimensions VideoSize(const sMP4MOVIE& movie) {
    VideoDimensions d;
    if (const MovieBox* trak = FindVideoTrak(movie)) {
        VideoTrack t;
        ReadSampleEntry(*trak, t);
        d.width = t.width;
        d.height = t.height;
    }
    return d;
}

int64_t FrameCount(const sMP4MOVIE& movie) {
    VideoTrack t;
    return ReadVideoTrack(movie, t) ? t.FrameCount() : -1;
}

float FramesPerSecond(const sMP4MOVIE& movie) {
    VideoTrack t;
    if (!ReadVideoTrack(movie, t)) return -1.0f;
    const double fps = t.FramesPerSecond();
    return fps > 0.0 ? static_cast<float>(fps) : -1.0f;
}

int DisplayRotation(const int32_t m[9]) {
    const double a = m[0] / 65536.0, b = m[1] / 65536.0;
    const double c = m[3] / 65536.0, d = m[4] / 65536.0;
    const double scaleX = std::hypot(a, c);
    const double scaleY = std::hypot(b, d);
    if (scaleX == 0.0 || scaleY == 0.0) return 0;
    const double degrees = std::atan2(b / scaleY, a / scaleX) * 180.0 / std::numbers::pi;
    const long quarter = std::lround(degrees / 90.0);
    return static_cast<int>(((quarter % 4) + 4) % 4) * 90;
}

}  // namespace quorva
