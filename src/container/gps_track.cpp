#include "container/gps_track.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "container/drive_data_block.h"
#include "container/drive_data_store.h"
#include "recordings/recording_name.h"

namespace quorva {

namespace {

// One record as the track needs it.
struct TrackRecord {
    bool fix = false;
    double latitude = 0.0;
    double longitude = 0.0;
    double speed = -1.0;
    int64_t second = -1;  // UTC seconds, -1 without a time
};

bool PositionInRange(double latitude, double longitude) {
    return std::isfinite(latitude) && std::isfinite(longitude) && std::fabs(latitude) <= 90.0 &&
           std::fabs(longitude) <= 180.0;
}

// The twelve time characters are all digits (blanks would read as a time in 1999).
bool HasTimeDigits(const uint8_t* rec) {
    for (int i = 31; i < 43; ++i)
        if (rec[i] < '0' || rec[i] > '9') return false;
    return true;
}

// The records of a drive-data file; false when it cannot be read.
bool ReadTrackRecords(const std::string& dataPath, std::vector<TrackRecord>& out) {
    DriveDataStore store;
    if (!store.Open(dataPath)) return false;
    const float period = SamplePeriodFor(dataPath);
    RecordTimeCache cache;
    uint8_t lastKey[16] = {};
    int64_t lastSecond = -1;
    bool haveKey = false;
    const bool read = store.FindTag("CSMDAT", [&](const uint8_t* data, size_t available) {
        return ForEachRecord(data, available, [&](const uint8_t* rec, int32_t index) {
            const GpsSample s = DecodeGpsPart(rec, index, period, &cache);
            TrackRecord r;
            r.fix = s.valid == 1 && s.latitude != 720.0 && s.longitude != 720.0 &&
                    PositionInRange(s.latitude, s.longitude);
            r.latitude = s.latitude;
            r.longitude = s.longitude;
            r.speed =
                s.speed != 32767.0 && std::isfinite(s.speed) && s.speed >= 0.0 ? s.speed : -1.0;
            // The time digits and the correction are converted once per second.
            if (!haveKey || std::memcmp(lastKey, rec + 31, sizeof lastKey) != 0) {
                std::memcpy(lastKey, rec + 31, sizeof lastKey);
                lastSecond = HasTimeDigits(rec) ? RecordUnixTime(rec) : -1;
                haveKey = true;
            }
            r.second = lastSecond;
            out.push_back(r);
        });
    });
    store.CloseFile();
    return read;
}

// Milliseconds of each record: its second and its place among the records of that second.
// The records of one second follow each other at 1000 / (records of a full second) ms; the
// first second of a recording is usually cut, so its records are the last of their second.
std::vector<int64_t> RecordTimes(const std::vector<TrackRecord>& records) {
    std::vector<int64_t> ms(records.size(), -1);
    struct Run {
        size_t begin, end;
    };
    std::vector<Run> runs;
    for (size_t i = 0; i < records.size();) {
        size_t j = i + 1;
        while (j < records.size() && records[j].second == records[i].second)
            ++j;
        if (records[i].second >= 0) runs.push_back({i, j});
        i = j;
    }
    size_t full = 1;
    for (const Run& run : runs)
        full = std::max(full, run.end - run.begin);
    const int64_t step = 1000 / static_cast<int64_t>(full);
    for (size_t k = 0; k < runs.size(); ++k) {
        const Run& run = runs[k];
        const size_t length = run.end - run.begin;
        const size_t skip = k == 0 && run.begin == 0 ? full - length : 0;
        for (size_t j = 0; j < length; ++j) {
            const int64_t offset = std::min<int64_t>(static_cast<int64_t>(skip + j) * step, 999);
            ms[run.begin + j] = records[run.begin].second * 1000 + offset;
        }
    }
    return ms;
}

}  // namespace

size_t GpsTrack::PointCount() const {
    size_t n = 0;
    for (const GpsTrackSegment& s : segments)
        n += s.size();
    return n;
}

bool AppendRecordingTrack(const std::string& moviePath, GpsTrack& track) {
    std::vector<TrackRecord> records;
    if (!ReadTrackRecords(DriveDataPath(moviePath), records)) return false;
    const std::vector<int64_t> times = RecordTimes(records);
    GpsTrackSegment segment;
    for (size_t i = 0; i < records.size(); ++i) {
        const TrackRecord& r = records[i];
        if (!r.fix) {
            if (!segment.empty()) track.segments.push_back(std::move(segment));
            segment.clear();
            continue;
        }
        GpsTrackPoint p;
        p.latitude = r.latitude;
        p.longitude = r.longitude;
        p.speedKmh = r.speed;
        p.unixMs = times[i];
        segment.push_back(p);
    }
    if (!segment.empty()) track.segments.push_back(std::move(segment));
    return true;
}

GpsTrackResult GatherGpsTrack(const std::vector<std::string>& moviePaths,
                              const GpsTrackOptions& options) {
    GpsTrackResult result;
    if (moviePaths.empty()) return result;
    const std::string_view first = FileNameOf(moviePaths.front());
    result.track.name = std::string(first.substr(0, first.rfind('.')));
    const size_t n = moviePaths.size();
    for (size_t i = 0; i < n; ++i) {
        if (options.running && !options.running->load()) {
            result.status = GpsTrackStatus::kCancelled;
            return result;
        }
        if (!AppendRecordingTrack(moviePaths[i], result.track)) ++result.unreadable;
        Report(options.progress, i + 1, static_cast<int64_t>(n));
    }
    result.status =
        result.track.PointCount() == 0 ? GpsTrackStatus::kNoPositions : GpsTrackStatus::kDone;
    return result;
}

std::string FormatUtcTime(int64_t unixMs) {
    const int64_t seconds = unixMs >= 0 ? unixMs / 1000 : (unixMs - 999) / 1000;
    const int milliseconds = static_cast<int>(unixMs - seconds * 1000);
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm utc{};
    if (!gmtime_r(&t, &utc)) return "";
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, milliseconds);
    return text;
}

std::string GpxFileName(const std::string& firstMoviePath) {
    const std::string_view name = FileNameOf(firstMoviePath);
    const size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot)) + ".gpx";
}

}  // namespace quorva
