// The join: several consecutive main-camera recordings written as one movie, with one
// drive-data file beside it, into a chosen folder.
//
// The output is written under temporary names in its folder and renamed into place only
// when it is complete, so a failed or cancelled join leaves nothing behind and an existing
// file is replaced only by a complete one.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "container/join_drive_data.h"
#include "container/mp4_movie.h"
#include "container/progress.h"
#include "recordings/recording_entry.h"

namespace quorva {

// The merged movie and its drive data while a join runs.
class JoinContext {
  public:
    JoinContext();
    ~JoinContext();  // closes every movie; resets the box counters
    JoinContext(const JoinContext&) = delete;
    JoinContext& operator=(const JoinContext&) = delete;

    void SetProgress(ProgressCallback progress) { progress_ = std::move(progress); }

    // Opens the first recording (with leaf copies and teardown progress) and reads its
    // drive data; a missing or unusable drive-data file only turns the drive data off.
    bool JoinOpen(const std::string& path);
    // Opens a further recording and merges it; then appends its drive data (a further
    // recording without usable drive data turns the drive data off).
    bool JoinAppend(const std::string& path);

    const sMP4MOVIE* Merged() const { return first_.get(); }
    bool HasDriveData() const { return driveData_; }
    const JoinDriveData& DriveData() const { return data_; }
    const std::string& Error() const { return error_; }

    // Writes the merged movie to path (created, truncated). False when anything failed.
    bool WriteMovieFile(const std::string& path, const std::atomic<bool>* running, bool syncToDisk);
    // Closes the further movies (their teardown reports progress).
    void CloseFurtherMovies();

  private:
    std::unique_ptr<sMP4MOVIE> first_;
    std::vector<std::unique_ptr<sMP4MOVIE>> further_;
    JoinDriveData data_;
    bool driveData_ = false;
    bool placed_ = false;  // chunk offsets moved to the output's media data position
    ProgressCallback progress_;
    std::string error_;
};

enum class JoinStatus {
    kDone,
    kCancelled,
    kNothingSelected,
    kOutputExists,     // the output exists and replacing it was not allowed
    kOverwritesInput,  // the output would replace one of the recordings
    kNoSpace,
    kOpenFailed,
    kMergeFailed,
    kWriteFailed,
};

struct JoinOptions {
    // The task-running flag: clearing it cancels the join (nothing is written).
    const std::atomic<bool>* running = nullptr;
    ProgressCallback progress;  // WM_APP_PROGRESS pairs
    bool replaceExisting = false;
    // Sets (true) or clears (false) the joined mark of the selected entries.
    std::function<void(bool)> markJoined;
    // Gives the written drive-data file its hidden attribute.
    std::function<void(const std::string&)> hideFile;
    // Free bytes for the user on the volume of a folder (tests replace it).
    std::function<uint64_t(const std::string&)> freeSpace;
    bool syncToDisk = true;  // flush the output before it is renamed into place
};

struct JoinResult {
    JoinStatus status = JoinStatus::kNothingSelected;
    std::string moviePath;  // the output movie (also when it exists)
    std::string dataPath;   // the written drive-data file, "" when none was written
    std::string error;      // what failed, for the user
    bool ok() const { return status == JoinStatus::kDone; }
};

// The output movie's path: the folder and the first recording's file name.
std::string JoinOutputPath(const std::vector<RecordingEntry>& selected, const std::string& folder);

// Joins the selected recordings in their order into folder.
JoinResult JoinRecordings(const std::vector<RecordingEntry>& selected, const std::string& folder,
                          const JoinOptions& options);

const char* JoinStatusText(JoinStatus status);

}  // namespace quorva
