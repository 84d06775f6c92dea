#include "container/drive_data_store.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <system_error>

#include "container/drive_data_block.h"
#include "container/video_track.h"
#include "recordings/recording_name.h"

namespace quorva {

namespace {

constexpr uint64_t kScanWindow = 32ull << 20;    // views of the tag scans
constexpr uint64_t kDecodeView = 1ull << 20;     // views handed to movie-box decoders
constexpr uint64_t kMaxFrameIndex = 1ull << 25;  // frames (some 12 days at 30 fps)

int FrameOf(int32_t ms, float frameMs) {
    const float f = static_cast<float>(ms) / frameMs;
    if (!(f < 2147483647.0f)) return INT32_MAX;
    if (!(f > -2147483648.0f)) return INT32_MIN;
    return static_cast<int>(f);
}

}  // namespace

std::mutex& FindMutex() {
    static std::mutex m;
    return m;
}

namespace {
std::mutex g_reporterMutex;
std::function<void(const std::string&)>& Reporter() {
    static std::function<void(const std::string&)> reporter;
    return reporter;
}
}  // namespace

void SetMapFailureReporter(std::function<void(const std::string& systemText)> reporter) {
    std::lock_guard<std::mutex> lock(g_reporterMutex);
    Reporter() = std::move(reporter);
}

MappedView DriveDataStore::Map(uint64_t offset, uint64_t length) {
    MappedView view = file_.MapRange(offset, length);
    if (!view && file_.LastMapError() != 0) {
        std::function<void(const std::string&)> reporter;
        {
            std::lock_guard<std::mutex> lock(g_reporterMutex);
            reporter = Reporter();
        }
        if (reporter) reporter(std::system_category().message(file_.LastMapError()));
    }
    return view;
}

DriveDataStore::DriveDataStore() = default;
DriveDataStore::~DriveDataStore() {
    // Wait for a search of this store that another thread may be running.
    std::lock_guard<std::mutex> lock(FindMutex());
}

DriveDataStore::DriveDataStore(DriveDataStore&& other) noexcept
    : path_(std::move(other.path_)),
      fileSize_(std::exchange(other.fileSize_, 0)),
      recordCount_(std::exchange(other.recordCount_, 0)),
      maxG_(std::exchange(other.maxG_, 0.0)),
      gps_(std::move(other.gps_)),
      g_(std::move(other.g_)),
      header_(std::exchange(other.header_, DriveDataHeader{})),
      frameIndex_(std::move(other.frameIndex_)),
      file_(std::move(other.file_)),
      frameDuration_(other.frameDuration_),
      frameDuration2_(other.frameDuration2_),
      abort_(other.abort_.load()),
      loaded_(std::exchange(other.loaded_, false)),
      indexed_(std::exchange(other.indexed_, false)),
      samplePeriod_(other.samplePeriod_) {
    other.path_.clear();
}

DriveDataStore& DriveDataStore::operator=(DriveDataStore&& other) noexcept {
    if (this == &other) return *this;
    path_ = std::move(other.path_);
    other.path_.clear();
    fileSize_ = std::exchange(other.fileSize_, 0);
    recordCount_ = std::exchange(other.recordCount_, 0);
    maxG_ = std::exchange(other.maxG_, 0.0);
    gps_ = std::move(other.gps_);
    g_ = std::move(other.g_);
    other.gps_.clear();
    other.g_.clear();
    header_ = std::exchange(other.header_, DriveDataHeader{});
    frameIndex_ = std::move(other.frameIndex_);
    other.frameIndex_.clear();
    file_ = std::move(other.file_);
    frameDuration_ = other.frameDuration_;
    frameDuration2_ = other.frameDuration2_;
    abort_.store(other.abort_.load());
    loaded_ = std::exchange(other.loaded_, false);
    indexed_ = std::exchange(other.indexed_, false);
    samplePeriod_ = other.samplePeriod_;
    return *this;
}

bool DriveDataStore::Open(const std::string& path) {
    CloseFile();
    path_ = path;
    if (!file_.Open(path)) return false;
    fileSize_ = file_.Size();
    return true;
}

void DriveDataStore::CloseFile() {
    file_.Close();
    fileSize_ = 0;
}

bool DriveDataStore::Load(const std::string& path) {
    FreeSamples();
    loaded_ = false;
    if (!Open(path)) return false;
    const bool ok =
        FindTag("CSMDAT", [this](const uint8_t* p, size_t n) { return DecodeBlock(p, n); });
    CloseFile();
    if (!ok) {
        FreeSamples();
        return false;
    }
    loaded_ = true;
    return true;
}

void DriveDataStore::FreeSamples() {
    gps_.clear();
    gps_.shrink_to_fit();
    g_.clear();
    g_.shrink_to_fit();
    frameIndex_.clear();
    frameIndex_.shrink_to_fit();
    header_ = DriveDataHeader{};
    maxG_ = 0.0;
    recordCount_ = 0;
    indexed_ = false;
}

void DriveDataStore::Clear() {
    FreeSamples();
    CloseFile();
    path_.clear();
    loaded_ = false;
    abort_.store(false);
    samplePeriod_ = kSamplePeriodMs;
}

bool DriveDataStore::MoveTo(DriveDataStore& target) {
    if (&target == this) return !gps_.empty();
    target.FreeSamples();
    target.recordCount_ = std::exchange(recordCount_, 0);
    target.gps_ = std::move(gps_);
    target.g_ = std::move(g_);
    target.frameIndex_ = std::move(frameIndex_);
    target.header_ = std::exchange(header_, DriveDataHeader{});
    target.maxG_ = std::exchange(maxG_, 0.0);
    target.path_ = std::move(path_);
    target.loaded_ = std::exchange(loaded_, false);
    target.indexed_ = std::exchange(indexed_, false);
    target.samplePeriod_ = samplePeriod_;
    FreeSamples();
    path_.clear();
    return !target.gps_.empty();
}

int DriveDataStore::DecodeBlock(const uint8_t* data, size_t available) {
    DriveDataHeader header;
    if (DecodeHeader(data, available, path_, header) < 0) return -1;
    header_ = header;
    samplePeriod_ = SamplePeriodFor(path_);
    gps_.clear();
    g_.clear();
    frameIndex_.clear();
    indexed_ = false;
    maxG_ = 0.0;
    if (available >= kDriveDataHeaderSize + 2) {
        const size_t room = (available - kDriveDataHeaderSize - 2) / kDriveDataRecordSize;
        const uint16_t count = ReadBe16(data + kDriveDataHeaderSize);
        const size_t expect = count == kUncountedRecords ? room : std::min<size_t>(count, room);
        gps_.reserve(expect);
        g_.reserve(expect);
    }
    RecordTimeCache cache;
    const float period = samplePeriod_;
    const int n = ForEachRecord(data, available, [&](const uint8_t* rec, int32_t i) {
        gps_.push_back(DecodeGpsPart(rec, i, period, &cache));
        // A record's offsets 48..50 hold the voltage of the record before it.
        if (!g_.empty()) g_.back().voltage = DecodeVoltage(rec);
        g_.push_back(DecodeGSensorPart(rec, i, period));
    });
    if (n < 0) {
        gps_.clear();
        g_.clear();
        return -1;
    }
    recordCount_ = n;
    return n;
}

bool DriveDataStore::BuildFrameIndex(uint64_t frameCount,
                                     const std::vector<double>& frameStartsMs) {
    if (frameCount == 0 || !(frameDuration_ > 0.0f) || !std::isfinite(frameDuration_) ||
        g_.empty() || gps_.empty() || frameCount > kMaxFrameIndex)
        return false;
    const bool listed = frameStartsMs.size() == frameCount;
    // The frame shown at a record's time.
    auto frameAt = [&](int32_t index) {
        const int32_t ms = static_cast<int32_t>(static_cast<float>(index) * samplePeriod_);
        if (!listed) return FrameOf(ms, frameDuration_);
        const auto after = std::upper_bound(frameStartsMs.begin(), frameStartsMs.end(),
                                            static_cast<double>(ms) + 1e-6);
        return static_cast<int>(std::max<std::ptrdiff_t>(after - frameStartsMs.begin() - 1, 0));
    };
    // Positions back from the record times, so that a second build gives the same result.
    for (auto& s : g_)
        s.position = frameAt(s.index);
    for (auto& s : gps_)
        s.position = frameAt(s.index);
    frameIndex_.assign(frameCount, nullptr);
    size_t j = 0;
    for (uint64_t i = 0; i < frameCount; ++i) {
        frameIndex_[i] = &g_[std::min(j, g_.size() - 1)];
        if (j + 1 < g_.size() &&
            static_cast<int64_t>(g_[j + 1].position) <= static_cast<int64_t>(i))
            ++j;
    }
    double max1 = 0, max2 = 0, max3 = 0;
    size_t gi = 0;
    for (auto& gs : g_) {
        max1 = std::max(max1, std::fabs(gs.g1));
        max2 = std::max(max2, std::fabs(gs.g2));
        max3 = std::max(max3, std::fabs(gs.g3));
        if (gps_[gi].position <= gs.position) {
            gps_[gi].linkedG = &gs;
            if (gi + 1 < gps_.size()) ++gi;
        }
        gs.linkedGps = gi >= 5 ? &gps_[gi - 5] : &gps_[0];
    }
    maxG_ = std::max({max1, max2, max3});
    indexed_ = true;
    return true;
}

const GSensorSample* DriveDataStore::SampleAtFrame(int64_t frame) const {
    if (frame < 0 || static_cast<uint64_t>(frame) >= frameIndex_.size()) return nullptr;
    return frameIndex_[static_cast<size_t>(frame)];
}

bool DriveDataStore::TakeAbort() {
    return abort_.exchange(false);
}

bool DriveDataStore::FindTag(std::string_view tag, const DriveDataDecoder& decoder) {
    std::lock_guard<std::mutex> lock(FindMutex());
    if (!file_.IsOpen() || tag.size() < 4) return false;
    const std::string_view needle = tag.substr(0, 4);
    const uint64_t size = file_.Size();
    uint64_t start = 0;
    uint64_t found = UINT64_MAX;
    while (start < size) {
        if (TakeAbort()) return false;
        MappedView view = Map(start, kScanWindow);
        if (!view) return false;
        const std::string_view text(reinterpret_cast<const char*>(view.data()), view.size());
        const size_t at = text.find(needle);
        if (at != std::string_view::npos) {
            found = start + at;
            break;
        }
        if (start + view.size() >= size || view.size() <= needle.size()) break;
        start += view.size() - (needle.size() - 1);
    }
    if (found == UINT64_MAX || TakeAbort()) return false;
    MappedView view = Map(found, kScanWindow);
    if (!view) return false;
    const size_t skip = std::min<size_t>(kDriveDataTagSize, view.size());
    return decoder(view.data() + skip, view.size() - skip) != -1;
}

bool DriveDataStore::FindTagSkippingMedia(std::string_view tag, const DriveDataDecoder& decoder) {
    std::lock_guard<std::mutex> lock(FindMutex());
    if (!file_.IsOpen() || tag.empty() || tag.size() > 64) return false;
    const uint64_t size = file_.Size();
    uint64_t pos = 0;  // next position to test
    while (pos + tag.size() <= size) {
        if (TakeAbort()) return false;
        // The view starts 4 bytes early, so that a box size before "mdat" is in view.
        const uint64_t start = pos >= 4 ? pos - 4 : 0;
        MappedView view = Map(start, kScanWindow);
        if (!view) return false;
        const uint8_t* d = view.data();
        const size_t n = view.size();
        size_t i = static_cast<size_t>(pos - start);
        bool jumped = false;
        for (; i + tag.size() <= n; ++i) {
            if (i + 4 <= n && std::memcmp(d + i, "mdat", 4) == 0 && start + i >= 4) {
                const uint64_t boxStart = start + i - 4;
                const uint32_t boxSize = ReadBe32(d + i - 4);
                if (boxSize < 8 || boxSize > size - boxStart) return false;
                pos = boxStart + boxSize;
                jumped = true;
                break;
            }
            if (std::memcmp(d + i, tag.data(), tag.size()) == 0) {
                const uint64_t after = start + i + tag.size();
                view.Unmap();
                MappedView payload = Map(after, kDecodeView);
                if (!payload) return decoder(nullptr, 0) != -1;
                return decoder(payload.data(), payload.size()) != -1;
            }
        }
        if (jumped) continue;
        if (start + n >= size) break;
        pos = start + i;  // the positions not tested yet
    }
    return false;
}

bool DriveDataStore::FindBoxPath(const DriveDataDecoder& decoder) {
    static constexpr const char* kPath[] = {"moov", "trak", "mdia", "minf", "stbl", "stts"};
    constexpr size_t kLevels = sizeof(kPath) / sizeof(kPath[0]);
    std::lock_guard<std::mutex> lock(FindMutex());
    if (!file_.IsOpen()) return false;
    uint64_t pos = 0;
    uint64_t end = file_.Size();
    size_t level = 0;
    while (end - pos >= 8) {
        if (TakeAbort()) return false;
        uint8_t header[8];
        {
            MappedView view = Map(pos, 8);
            if (!view || view.size() < 8) return false;
            std::memcpy(header, view.data(), 8);
        }
        const uint32_t boxSize = ReadBe32(header);
        if (boxSize < 8 || boxSize > end - pos) return false;
        if (std::memcmp(header + 4, kPath[level], 4) != 0) {
            pos += boxSize;
            continue;
        }
        if (level + 1 == kLevels) {
            if (boxSize == 8) return decoder(nullptr, 0) != -1;
            MappedView payload = Map(pos + 8, std::min<uint64_t>(boxSize - 8, kDecodeView));
            if (!payload) return false;
            return decoder(payload.data(), payload.size()) != -1;
        }
        end = pos + boxSize;
        pos += 8;
        ++level;
    }
    return false;
}

namespace {

bool StartsWithBlockTag(const std::string& path) {
    MappedFile f;
    uint8_t head[6];
    return f.Open(path) && f.ReadAt(0, head, 6) && std::memcmp(head, "CSMDAT", 6) == 0;
}

}  // namespace

bool HasDriveDataBlock(const std::string& drivePath) {
    return StartsWithBlockTag(drivePath);
}

bool ReadHeader(const std::string& moviePath, DriveDataHeader& header) {
    DriveDataStore store;
    const std::string drivePath = DriveDataPath(moviePath);
    if (!store.Open(drivePath)) return false;
    return store.FindTag("CSMDAT", [&](const uint8_t* p, size_t n) {
        return DecodeHeader(p, n, drivePath, header);
    });
}

bool ReadTrailer(const std::string& moviePath, uint8_t out[8]) {
    DriveDataStore store;
    if (!store.Open(DriveDataPath(moviePath))) return false;
    return store.FindTag("CSMEND", [&](const uint8_t* p, size_t n) {
        std::memset(out, 0, 8);
        if (n > 0) std::memcpy(out, p, std::min<size_t>(n, 8));
        return 0;
    });
}

bool ReadFrameDuration(const std::string& moviePath, DriveDataStore& scratch,
                       FrameDurationInfo& out) {
    bool ok = false;
    VideoTrack track;
    if (ReadMovieVideoTrack(moviePath, track)) {
        const uint64_t ticks =
            std::accumulate(track.frameDurations.begin(), track.frameDurations.end(), uint64_t{0});
        const float frames = static_cast<float>(track.FrameCount());
        // The mean of the frames' own durations; the length runs from the first frame's
        // start to the last one's end.
        const float rateSeconds = static_cast<float>(ticks) / static_cast<float>(track.timescale);
        const float frameMs = 1000.0f / (frames / rateSeconds);
        if (ticks > 0 && std::isfinite(frameMs) && frameMs > 0.0f) {
            scratch.SetFrameDuration(frameMs);
            out.seconds =
                static_cast<float>(track.durationTicks) / static_cast<float>(track.timescale);
            out.frameMs = frameMs;
            out.frames = static_cast<uint64_t>(track.FrameCount());
            ok = true;
        }
    }
    // The scratch store ends empty: its file and any samples it held are gone.
    scratch.CloseFile();
    scratch.FreeSamples();
    scratch.SetPath("");
    return ok;
}

bool ReadFrameDuration(const std::string& moviePath, FrameDurationInfo& out) {
    DriveDataStore scratch;
    return ReadFrameDuration(moviePath, scratch, out);
}

}  // namespace quorva
