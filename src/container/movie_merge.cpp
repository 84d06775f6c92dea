#include "container/movie_merge.h"

#include <cstring>
#include <limits>
#include <vector>

#include "container/big_endian.h"
#include "container/movie_writer.h"
#include "container/video_track.h"

namespace quorva {

namespace {

using Bytes = std::vector<uint8_t>;

MovieBox* Child(MovieBox* box, const char* type) {
    if (!box) return nullptr;
    for (MovieBox& c : box->children)
        if (c.Is(type)) return &c;
    return nullptr;
}

// The boxes of one track that the merge touches.
struct Track {
    MovieBox* tkhd = nullptr;
    MovieBox* elst = nullptr;
    MovieBox* mdhd = nullptr;
    MovieBox* stsd = nullptr;
    MovieBox* stts = nullptr;
    MovieBox* ctts = nullptr;
    MovieBox* stss = nullptr;
    MovieBox* stsc = nullptr;
    MovieBox* stsz = nullptr;
    MovieBox* chunks = nullptr;  // "stco", or "co64" with 64-bit offsets
    MovieBox* sdtp = nullptr;
    MovieBox* unsupported = nullptr;  // a table the merge cannot join (stz2)
};

// Bytes per chunk offset.
size_t OffsetBytes(const Track& t) {
    return t.chunks->Is("co64") ? 8 : 4;
}

uint64_t ChunkOffset(const Track& t, uint64_t i) {
    const uint8_t* at = t.chunks->payload.data() + 8 + OffsetBytes(t) * i;
    return OffsetBytes(t) == 8 ? ReadBe64(at) : ReadBe32(at);
}

void SetChunkOffset(const Track& t, uint64_t i, uint64_t offset) {
    uint8_t* at = t.chunks->payload.data() + 8 + OffsetBytes(t) * i;
    if (OffsetBytes(t) == 8)
        WriteBe64(at, offset);
    else
        WriteBe32(at, static_cast<uint32_t>(offset));
}

uint32_t ChunkCount(const Track& t) {
    return ReadBe32(t.chunks->payload.data() + 4);
}

struct Layout {
    MovieBox* moov = nullptr;
    MovieBox* mvhd = nullptr;
    MovieBox* mdat = nullptr;
    std::vector<Track> tracks;
};

bool Fail(std::string* message, const std::string& why) {
    if (message) *message = why;
    return false;
}

bool Copied(const MovieBox* b, size_t minSize) {
    return b && b->HasCopy() && b->payload.size() >= minSize;
}

bool ReadLayout(const sMP4MOVIE& m, Layout& out, std::string* message) {
    if (IsFragmented(m)) return Fail(message, "fragmented movies cannot be joined");
    if (m.cutShort) return Fail(message, "the movie is cut short");
    MovieBox* root = const_cast<MovieBox*>(&m.root);
    bool sawMoov = false;
    for (MovieBox& c : root->children) {
        if (c.Is("moov")) {
            if (sawMoov) return Fail(message, "more than one moov box");
            sawMoov = true;
            out.moov = &c;
        } else if (c.Is("mdat")) {
            if (out.mdat) return Fail(message, "more than one mdat box");
            out.mdat = &c;
        }
    }
    if (!out.moov || !out.mdat) return Fail(message, "no moov or mdat box");
    if (m.Boxes(kBoxMdat).size() != 1) return Fail(message, "nested mdat box");
    out.mvhd = Child(out.moov, "mvhd");
    if (!Copied(out.mvhd, 20)) return Fail(message, "no movie header");
    for (MovieBox& trak : out.moov->children) {
        if (!trak.Is("trak")) continue;
        Track t;
        t.tkhd = Child(&trak, "tkhd");
        t.elst = Child(Child(&trak, "edts"), "elst");
        MovieBox* mdia = Child(&trak, "mdia");
        t.mdhd = Child(mdia, "mdhd");
        MovieBox* stbl = Child(Child(mdia, "minf"), "stbl");
        if (!stbl) return Fail(message, "track without sample table");
        for (MovieBox& s : stbl->children) {
            if (s.Is("stsd")) t.stsd = &s;
            if (s.Is("stts")) t.stts = &s;
            if (s.Is("ctts")) t.ctts = &s;
            if (s.Is("stss")) t.stss = &s;
            if (s.Is("stsc")) t.stsc = &s;
            if (s.Is("stsz")) t.stsz = &s;
            if (s.Is("stco") || s.Is("co64")) {
                if (t.chunks) return Fail(message, "two chunk offset tables in a track");
                t.chunks = &s;
            }
            if (s.Is("sdtp")) t.sdtp = &s;
            if (s.Is("stz2")) t.unsupported = &s;
        }
        if (t.unsupported) return Fail(message, "unsupported sample table");
        if (!Copied(t.tkhd, 24) || !Copied(t.mdhd, 20) || !Copied(t.stsd, 8) ||
            !Copied(t.stts, 8) || !Copied(t.stsc, 8) || !Copied(t.stsz, 12) ||
            !Copied(t.chunks, 8) || (t.ctts && !Copied(t.ctts, 8)) ||
            (t.stss && !Copied(t.stss, 8)) || (t.elst && !Copied(t.elst, 8)) ||
            (t.sdtp && !Copied(t.sdtp, 4)))
            return Fail(message, "damaged track tables");
        out.tracks.push_back(t);
    }
    if (out.tracks.empty()) return Fail(message, "no track");
    return true;
}

// Entry tables: a head of headBytes (holding the entry count at countAt), then entries.
bool EntryCountFits(const MovieBox* b, size_t headBytes, size_t countAt, size_t entryBytes) {
    const uint64_t n = ReadBe32(b->payload.data() + countAt);
    return b->payload.size() >= headBytes && (b->payload.size() - headBytes) / entryBytes >= n;
}

uint32_t Be32At(const MovieBox* b, size_t at) {
    return ReadBe32(b->payload.data() + at);
}

void SetPayload(MovieBox& box, Bytes payload) {
    box.payload = std::move(payload);
    box.size = box.outputSize = box.copiedSize = box.payload.size();
}

void FreePayload(MovieBox& box) {
    box.payload.clear();
    box.payload.shrink_to_fit();
    box.copiedSize = 0;
}

// A's entries (head + count entries) followed by B's, with the count updated. A run-length
// table (stts, ctts) joins A's last and B's first entry when their values are equal.
Bytes JoinEntries(const MovieBox& a, const MovieBox& b, size_t head, size_t countAt,
                  size_t entryBytes, bool runLength) {
    const uint32_t na = ReadBe32(a.payload.data() + countAt);
    const uint32_t nb = ReadBe32(b.payload.data() + countAt);
    Bytes out(a.payload.begin(), a.payload.begin() + static_cast<long>(head + entryBytes * na));
    uint32_t skip = 0;
    uint32_t count = na + nb;
    if (runLength && na > 0 && nb > 0) {
        uint8_t* last = out.data() + head + entryBytes * (na - 1);
        const uint8_t* first = b.payload.data() + head;
        if (std::memcmp(last + 4, first + 4, 4) == 0) {
            WriteBe32(last, ReadBe32(last) + ReadBe32(first));
            skip = 1;
            --count;
        }
    }
    const auto from = b.payload.begin() + static_cast<long>(head + entryBytes * skip);
    out.insert(out.end(), from, b.payload.begin() + static_cast<long>(head + entryBytes * nb));
    WriteBe32(out.data() + countAt, count);
    return out;
}

// Adds a duration at `at` (32-bit) or `at64` (64-bit, version 1) of a full box. False on
// overflow.
bool AddDuration(MovieBox& a, const MovieBox& b, size_t at, size_t at64) {
    const bool v1 = a.payload[0] == 1;
    if ((b.payload[0] == 1) != v1) return false;
    if (v1) {
        if (a.payload.size() < at64 + 8 || b.payload.size() < at64 + 8) return false;
        const uint64_t sum = ReadBe64(a.payload.data() + at64) + ReadBe64(b.payload.data() + at64);
        WriteBe64(a.payload.data() + at64, sum);
        return true;
    }
    if (a.payload.size() < at + 4 || b.payload.size() < at + 4) return false;
    const uint64_t sum =
        uint64_t{ReadBe32(a.payload.data() + at)} + ReadBe32(b.payload.data() + at);
    if (sum > std::numeric_limits<uint32_t>::max()) return false;
    WriteBe32(a.payload.data() + at, static_cast<uint32_t>(sum));
    return true;
}

uint32_t Timescale(const MovieBox* mvhdOrMdhd) {
    return ReadMediaTimes(mvhdOrMdhd->payload).timescale;
}

// The codec configuration box ("avcC", "hvcC") inside a sample entry, or empty.
Bytes CodecConfig(const uint8_t* entry, size_t size) {
    for (const char* type : {"avcC", "hvcC"}) {
        for (size_t i = 4; i + 4 <= size; ++i) {
            if (std::memcmp(entry + i, type, 4) != 0) continue;
            const uint32_t boxSize = ReadBe32(entry + i - 4);
            if (boxSize >= 8 && boxSize <= size - (i - 4))
                return Bytes(entry + i - 4, entry + i - 4 + boxSize);
        }
    }
    return {};
}

// Sample descriptions that decode alike: the same entries (codec), picture sizes or sample
// rates, and codec configurations. Bit-rate fields and the like may differ.
bool SameSampleDescriptions(const Bytes& a, const Bytes& b) {
    if (a == b) return true;
    if (a.size() < 8 || b.size() < 8 || ReadBe32(a.data() + 4) != ReadBe32(b.data() + 4))
        return false;
    const uint32_t n = ReadBe32(a.data() + 4);
    size_t pa = 8, pb = 8;
    for (uint32_t i = 0; i < n; ++i) {
        if (a.size() - pa < 16 || b.size() - pb < 16) return false;
        const uint32_t sa = ReadBe32(a.data() + pa), sb = ReadBe32(b.data() + pb);
        if (sa < 16 || sb < 16 || sa > a.size() - pa || sb > b.size() - pb) return false;
        const uint8_t* ea = a.data() + pa;
        const uint8_t* eb = b.data() + pb;
        if (std::memcmp(ea + 4, eb + 4, 4) != 0) return false;  // the codec
        // Bytes 32..35: width and height of a picture entry, the sample rate of a sound one.
        if (sa >= 36 && sb >= 36 && std::memcmp(ea + 32, eb + 32, 4) != 0) return false;
        if (CodecConfig(ea, sa) != CodecConfig(eb, sb)) return false;
        pa += sa;
        pb += sb;
    }
    return true;
}

bool TracksMatch(const Track& a, const Track& b, std::string* message) {
    if (!SameSampleDescriptions(a.stsd->payload, b.stsd->payload))
        return Fail(message, "different sample descriptions");
    if (Timescale(a.mdhd) != Timescale(b.mdhd)) return Fail(message, "different media time scales");
    if (!a.stss != !b.stss || !a.ctts != !b.ctts || !a.elst != !b.elst || !a.sdtp != !b.sdtp)
        return Fail(message, "different sample tables");
    if ((a.mdhd->payload[0] == 1) != (b.mdhd->payload[0] == 1) ||
        (a.tkhd->payload[0] == 1) != (b.tkhd->payload[0] == 1) ||
        (a.elst && (a.elst->payload[0] == 1) != (b.elst->payload[0] == 1)))
        return Fail(message, "different header versions");
    for (const Track* t : {&a, &b}) {
        if (!EntryCountFits(t->stts, 8, 4, 8) || !EntryCountFits(t->stsc, 8, 4, 12) ||
            !EntryCountFits(t->chunks, 8, 4, OffsetBytes(*t)) ||
            (t->stss && !EntryCountFits(t->stss, 8, 4, 4)) ||
            (t->ctts && !EntryCountFits(t->ctts, 8, 4, 8)))
            return Fail(message, "damaged sample table");
        if (Be32At(t->stsz, 4) == 0 && !EntryCountFits(t->stsz, 12, 8, 4))
            return Fail(message, "damaged sample sizes");
        if (t->sdtp && t->sdtp->payload.size() - 4 != Be32At(t->stsz, 8))
            return Fail(message, "damaged dependency table");
    }
    if (Be32At(a.stsz, 4) != Be32At(b.stsz, 4)) return Fail(message, "different sample sizes");
    return true;
}

// Turns a track's 32-bit chunk offsets into "co64" with 64-bit ones.
void WidenChunkOffsets(Track& t) {
    if (OffsetBytes(t) == 8) return;
    const uint32_t n = ChunkCount(t);
    Bytes out(t.chunks->payload.begin(), t.chunks->payload.begin() + 8);
    out.resize(8 + 8 * uint64_t{n});
    for (uint32_t i = 0; i < n; ++i)
        WriteBe64(out.data() + 8 + 8 * uint64_t{i}, ChunkOffset(t, i));
    std::memcpy(t.chunks->type, "co64", 4);
    SetPayload(*t.chunks, std::move(out));
}

}  // namespace

bool PlaceMediaData(sMP4MOVIE& a, std::string* message) {
    Layout la;
    if (!ReadLayout(a, la, message)) return false;
    // Where the media data's payload lands in the output; widening an offset table (when
    // offsets would pass 32 bits) grows a movie box before it, so it is computed again.
    int64_t delta = 0;
    for (int round = 0;; ++round) {
        uint64_t at = 0;
        for (const MovieBox& c : a.root.children) {
            if (&c == la.mdat) break;
            at += OutputBoxSize(c);
        }
        at += BoxHeaderSize(la.mdat->outputSize);
        delta = static_cast<int64_t>(at) - static_cast<int64_t>(la.mdat->offset);
        bool widened = false;
        for (Track& t : la.tracks) {
            const uint32_t n = ChunkCount(t);
            for (uint32_t i = 0; i < n; ++i) {
                const uint64_t offset = ChunkOffset(t, i);
                if (delta < 0 && offset < static_cast<uint64_t>(-delta))
                    return Fail(message, "chunk before the media data");
                if (OffsetBytes(t) == 4 && offset + delta > std::numeric_limits<uint32_t>::max()) {
                    WidenChunkOffsets(t);
                    widened = true;
                    break;
                }
            }
        }
        if (!widened) break;
        if (static_cast<size_t>(round) > la.tracks.size())
            return Fail(message, "chunk offsets cannot be placed");
    }
    if (delta == 0) return true;
    for (const Track& t : la.tracks) {
        const uint32_t n = ChunkCount(t);
        for (uint32_t i = 0; i < n; ++i)
            SetChunkOffset(t, i, ChunkOffset(t, i) + delta);
    }
    return true;
}

bool CanStartJoin(const sMP4MOVIE& a, std::string* message) {
    Layout la;
    return ReadLayout(a, la, message);
}

bool MergeMovie(sMP4MOVIE& a, sMP4MOVIE& b, std::string* message) {
    Layout la, lb;
    if (!ReadLayout(a, la, message) || !ReadLayout(b, lb, message)) return false;
    if (la.tracks.size() != lb.tracks.size()) return Fail(message, "different track counts");
    if (Timescale(la.mvhd) != Timescale(lb.mvhd) ||
        (la.mvhd->payload[0] == 1) != (lb.mvhd->payload[0] == 1))
        return Fail(message, "different movie headers");
    for (size_t k = 0; k < la.tracks.size(); ++k)
        if (!TracksMatch(la.tracks[k], lb.tracks[k], message)) return false;

    // B's chunks follow A's media data in the output: they move by the media data before
    // them, less where B's media data starts in its own file.
    const uint64_t aMedia = la.mdat->outputSize;
    const uint64_t newMedia = aMedia + lb.mdat->size;
    const int64_t shift =
        static_cast<int64_t>(la.mdat->offset + aMedia) - static_cast<int64_t>(lb.mdat->offset);
    // Offsets past 32 bits are written as 64-bit ones ("co64") in both tables of a track.
    std::vector<bool> wide(la.tracks.size(), false);
    for (size_t k = 0; k < lb.tracks.size(); ++k) {
        const Track& t = lb.tracks[k];
        const uint32_t n = ChunkCount(t);
        wide[k] = OffsetBytes(t) == 8 || OffsetBytes(la.tracks[k]) == 8;
        for (uint32_t i = 0; i < n; ++i) {
            const uint64_t off = ChunkOffset(t, i);
            if (off < lb.mdat->offset || off > lb.mdat->offset + lb.mdat->size)
                return Fail(message, "chunk outside the media data");
            if (off + shift > std::numeric_limits<uint32_t>::max()) wide[k] = true;
        }
    }
    // Durations must not overflow: checked on copies before A changes.
    {
        MovieBox mv;
        mv.payload = la.mvhd->payload;
        if (!AddDuration(mv, *lb.mvhd, 16, 24)) return Fail(message, "movie too long");
        for (size_t k = 0; k < la.tracks.size(); ++k) {
            const Track& ta = la.tracks[k];
            const Track& tb = lb.tracks[k];
            MovieBox c1, c2, c3;
            c1.payload = ta.tkhd->payload;
            c2.payload = ta.mdhd->payload;
            if (!AddDuration(c1, *tb.tkhd, 20, 28) || !AddDuration(c2, *tb.mdhd, 16, 24))
                return Fail(message, "track too long");
            if (ta.elst) {
                c3.payload = ta.elst->payload;
                if (Be32At(ta.elst, 4) == 0 || Be32At(tb.elst, 4) == 0 ||
                    !AddDuration(c3, *tb.elst, 8, 8))
                    return Fail(message, "edit list");
            }
            const uint64_t samples = uint64_t{Be32At(ta.stsz, 8)} + Be32At(tb.stsz, 8);
            if (samples > std::numeric_limits<uint32_t>::max())
                return Fail(message, "too many samples");
        }
    }

    // From here on nothing fails.
    for (size_t k = 0; k < la.tracks.size(); ++k) {
        Track& ta = la.tracks[k];
        Track& tb = lb.tracks[k];
        if (wide[k]) {
            WidenChunkOffsets(ta);
            WidenChunkOffsets(tb);
        }
        const uint32_t aSamples = Be32At(ta.stsz, 8);
        const uint32_t aChunks = ChunkCount(ta);

        // Sample sizes.
        if (Be32At(ta.stsz, 4) == 0) {
            SetPayload(*ta.stsz, JoinEntries(*ta.stsz, *tb.stsz, 12, 8, 4, false));
        } else {
            WriteBe32(ta.stsz->payload.data() + 8, aSamples + Be32At(tb.stsz, 8));
        }
        // Sync samples: B's numbers move behind A's samples.
        if (ta.stss) {
            const uint32_t n = Be32At(tb.stss, 4);
            for (uint32_t i = 0; i < n; ++i) {
                uint8_t* e = tb.stss->payload.data() + 8 + 4 * i;
                WriteBe32(e, ReadBe32(e) + aSamples);
            }
            SetPayload(*ta.stss, JoinEntries(*ta.stss, *tb.stss, 8, 4, 4, false));
        }
        // Chunk offsets.
        {
            const uint32_t n = ChunkCount(tb);
            for (uint32_t i = 0; i < n; ++i)
                SetChunkOffset(tb, i, ChunkOffset(tb, i) + shift);
            SetPayload(*ta.chunks,
                       JoinEntries(*ta.chunks, *tb.chunks, 8, 4, OffsetBytes(ta), false));
        }
        // Samples per chunk: B's runs start behind A's chunks; a run equal to A's last one
        // needs no entry.
        {
            const uint32_t na = Be32At(ta.stsc, 4);
            const uint32_t nb = Be32At(tb.stsc, 4);
            Bytes out = ta.stsc->payload;
            out.resize(8 + 12 * na);
            uint32_t count = na;
            for (uint32_t i = 0; i < nb; ++i) {
                const uint8_t* e = tb.stsc->payload.data() + 8 + 12 * i;
                if (count > 0 && std::memcmp(out.data() + 8 + 12 * (count - 1) + 4, e + 4, 8) == 0)
                    continue;
                uint8_t entry[12];
                std::memcpy(entry, e, 12);
                WriteBe32(entry, ReadBe32(e) + aChunks);
                out.insert(out.end(), entry, entry + 12);
                ++count;
            }
            WriteBe32(out.data() + 4, count);
            SetPayload(*ta.stsc, std::move(out));
        }
        // Time to sample and composition offsets.
        SetPayload(*ta.stts, JoinEntries(*ta.stts, *tb.stts, 8, 4, 8, true));
        if (ta.ctts) SetPayload(*ta.ctts, JoinEntries(*ta.ctts, *tb.ctts, 8, 4, 8, true));
        if (ta.sdtp) {
            Bytes out = ta.sdtp->payload;
            out.insert(out.end(), tb.sdtp->payload.begin() + 4, tb.sdtp->payload.end());
            SetPayload(*ta.sdtp, std::move(out));
        }
        // Durations.
        AddDuration(*ta.tkhd, *tb.tkhd, 20, 28);
        AddDuration(*ta.mdhd, *tb.mdhd, 16, 24);
        if (ta.elst) AddDuration(*ta.elst, *tb.elst, 8, 8);
        for (MovieBox* used : {tb.stsz, tb.stss, tb.chunks, tb.stsc, tb.stts, tb.ctts, tb.sdtp})
            if (used) FreePayload(*used);
    }
    AddDuration(*la.mvhd, *lb.mvhd, 16, 24);

    // Media data: B's box joins A's chain.
    MovieBox* tail = la.mdat->tail ? la.mdat->tail : la.mdat;
    tail->next = lb.mdat;
    la.mdat->tail = lb.mdat;
    la.mdat->outputSize = newMedia;
    return true;
}

}  // namespace quorva
