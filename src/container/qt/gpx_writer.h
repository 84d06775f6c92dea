// The GPS track of a drive written as a GPX 1.1 file: one track, one segment per stretch of
// positions, each point with its UTC time and, where the record holds one, its speed in the
// published track-point extension (metres per second). The file is written under a
// temporary name and renamed into place when complete, so a failed or cancelled export
// leaves nothing behind and an existing file is replaced only by a complete one.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "container/gps_track.h"

namespace quorva {

inline constexpr const char* kGpxNamespace = "http://www.topografix.com/GPX/1/1";
inline constexpr const char* kGpxSchemaLocation =
    "http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd";
inline constexpr const char* kTrackPointExtensionNamespace =
    "http://www.garmin.com/xmlschemas/TrackPointExtension/v2";

// Writes the track to path; false (with the reason) when the file cannot be written.
bool WriteGpx(const std::string& path, const GpsTrack& track, std::string* error = nullptr);

enum class GpxExportStatus {
    kDone,
    kCancelled,
    kNoRecordings,
    kNoPositions,  // the recordings hold no position with a fix: nothing is written
    kExists,       // the file exists and replacing it was not allowed
    kWriteFailed,
};

struct GpxExportOptions {
    // The task-running flag: clearing it cancels the export (nothing is written).
    const std::atomic<bool>* running = nullptr;
    ProgressCallback progress;  // (i, n) after each recording, (n, n) once written
    bool replaceExisting = false;
};

struct GpxExportResult {
    GpxExportStatus status = GpxExportStatus::kNoRecordings;
    std::string path;
    size_t points = 0;
    size_t segments = 0;
    std::string error;  // what failed
    bool ok() const { return status == GpxExportStatus::kDone; }
};

// The track of the recordings (paths of their main movies, in order) written to path.
GpxExportResult ExportGpx(const std::vector<std::string>& moviePaths, const std::string& path,
                          const GpxExportOptions& options = {});

}  // namespace quorva
