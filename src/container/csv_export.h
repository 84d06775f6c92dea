// The CSV list of recordings: one line per recording (file name, start date and time,
// length, trigger, picture size class, frame rate, size), UTF-8, lines ended by CR LF.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "container/progress.h"
#include "recordings/recording_entry.h"

namespace quorva {

class PlayerSlotData;

// "Dv_%Y%m%d_%H%M%S.csv" from the start time in the first recording's name.
std::string CsvFileName(const std::vector<RecordingEntry>& list);
// The folder and that name.
std::string CsvPath(const std::vector<RecordingEntry>& list, const std::string& folder);
// The first line: UI texts 30, 29, 37, 36, 38, 35, 32, 28 and CR LF.
std::string CsvHeaderLine();
// "SD", "HD", "FHD", "3M", "WQHD" for 360, 720, 1080, 1296, 1440 lines, else "".
const char* SizeClass(int height);

struct CsvRowOptions {
    // Whether the player is ready; an empty function counts as ready. While it is not,
    // every recording gets the fallback row.
    std::function<bool()> playerReady;
    // When given, each header read holds this slot's slot lock.
    PlayerSlotData* slot0 = nullptr;
};

// The line of one recording (CR LF included); the fallback row "name,-,-,-,-,-,fps,0MB"
// when its drive-data header or its movie cannot be read.
std::string CsvRow(const std::string& path, const CsvRowOptions& options = {});

enum class CsvStatus {
    kDone,
    kCancelled,     // stopped after a line; the file keeps the lines written
    kEmptyList,     // UI text 99
    kExists,        // the file exists and replacing it was not allowed (UI text 90)
    kCreateFailed,  // UI text 93
    kWriteFailed,   // UI text 93
};

struct CsvExportOptions {
    // The task-running flag: clearing it stops the export after the current line.
    const std::atomic<bool>* running = nullptr;
    ProgressCallback progress;  // (i, n) after each line, (n, n) at the end
    bool replaceExisting = false;
    CsvRowOptions row;
};

struct CsvExportResult {
    CsvStatus status = CsvStatus::kEmptyList;
    std::string path;
    size_t rows = 0;
    bool ok() const { return status == CsvStatus::kDone; }
};

CsvExportResult ExportCsv(const std::vector<RecordingEntry>& list, const std::string& folder,
                          const CsvExportOptions& options);

// The UI text number of the message for a status (0 for none).
int CsvStatusText(CsvStatus status);

}  // namespace quorva
