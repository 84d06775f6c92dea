// The GPS track of a drive: the positions of one or more recordings, read from their
// drive-data files, as one track with one segment per recording, split where the fix is
// lost. Times are UTC (the recorder's local time read as the viewer reads it, with its
// correction); records of one second get their tenths from their place in the second.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "container/progress.h"

namespace quorva {

struct GpsTrackPoint {
    double latitude = 0.0;   // degrees
    double longitude = 0.0;  // degrees
    double speedKmh = -1.0;  // km/h; negative when the record holds none
    int64_t unixMs = -1;     // ms since 1970 (UTC); -1 when the record holds no time
    bool HasSpeed() const { return speedKmh >= 0.0; }
    bool HasTime() const { return unixMs >= 0; }
};

using GpsTrackSegment = std::vector<GpsTrackPoint>;

struct GpsTrack {
    std::string name;  // the first recording's name without its extension
    std::vector<GpsTrackSegment> segments;
    size_t PointCount() const;
};

// Appends the segments of one recording (path of its main movie) to the track: one per
// stretch of records with a valid fix and a position in range. False when its drive-data
// file cannot be read (nothing is appended then).
bool AppendRecordingTrack(const std::string& moviePath, GpsTrack& track);

enum class GpsTrackStatus {
    kDone,
    kCancelled,
    kNoRecordings,
    kNoPositions,  // no recording holds a position with a fix
};

struct GpsTrackOptions {
    // The task-running flag: clearing it stops before the next recording.
    const std::atomic<bool>* running = nullptr;
    ProgressCallback progress;  // (i, n) after each recording
};

struct GpsTrackResult {
    GpsTrackStatus status = GpsTrackStatus::kNoRecordings;
    GpsTrack track;
    int unreadable = 0;  // recordings whose drive data could not be read
    bool ok() const { return status == GpsTrackStatus::kDone; }
};

// The track of the recordings, in the given order.
GpsTrackResult GatherGpsTrack(const std::vector<std::string>& moviePaths,
                              const GpsTrackOptions& options = {});

// "2024-01-31T08:30:15.300Z" ("YYYY-MM-DDThh:mm:ss.mmmZ").
std::string FormatUtcTime(int64_t unixMs);

// The file name of a track: the first recording's name with ".gpx" for its extension.
std::string GpxFileName(const std::string& firstMoviePath);

}  // namespace quorva
