#include "container/join_recordings.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "container/movie_merge.h"
#include "container/movie_writer.h"
#include "platform/output_file.h"
#include "recordings/recording_name.h"

namespace quorva {

namespace fs = std::filesystem;

JoinContext::JoinContext() = default;

JoinContext::~JoinContext() {
    further_.clear();
    first_.reset();
    ResetBoxCounters();
}

bool JoinContext::JoinOpen(const std::string& path) {
    first_ = OpenMovie(path, true, true, progress_);
    if (!first_) {
        error_ = "cannot read " + path;
        return false;
    }
    std::string why;
    if (!CanStartJoin(*first_, &why)) {
        error_ = FileNameOf(path).data() + std::string(": ") + why;
        first_.reset();
        return false;
    }
    driveData_ = ReadJoinDriveData(DriveDataPath(path), data_);
    if (!driveData_) data_ = JoinDriveData{};
    return true;
}

bool JoinContext::JoinAppend(const std::string& path) {
    if (!first_) return false;
    auto movie = OpenMovie(path, true, true, progress_);
    if (!movie) {
        error_ = "cannot read " + path;
        return false;
    }
    std::string why;
    if (!MergeMovie(*first_, *movie, &why)) {
        error_ = std::string(FileNameOf(path)) + ": " + why;
        return false;
    }
    // Media data is copied from the file when the output is written; the file is opened
    // again then, so that a long join does not hold one open file per recording.
    movie->file.Close();
    further_.push_back(std::move(movie));
    if (driveData_) {
        JoinDriveData more;
        if (!ReadJoinDriveData(DriveDataPath(path), more)) {
            driveData_ = false;
            data_ = JoinDriveData{};
        } else {
            AppendJoinDriveData(data_, more);
        }
    }
    return true;
}

bool JoinContext::WriteMovieFile(const std::string& path, const std::atomic<bool>* running,
                                 bool syncToDisk) {
    if (!first_) return false;
    std::string why;
    if (!placed_ && !PlaceMediaData(*first_, &why)) {
        error_ = why;
        return false;
    }
    placed_ = true;
    OutputFile out;
    if (!out.Create(path)) {
        error_ = "cannot create " + path;
        return false;
    }
    MovieWriteOptions options;
    options.running = running;
    if (progress_) {
        // The copy runs the bar from 10 % to 90 %; the callback keeps its own last percent.
        options.copied = [this, last = -1](uint64_t done, uint64_t total) mutable {
            const int percent = total ? static_cast<int>(10 + 80 * done / total) : 90;
            if (percent != last) Report(progress_, static_cast<uint64_t>(percent), 100);
            last = percent;
        };
    }
    bool ok = WriteMovie(first_->root, out, options);
    if (ok && syncToDisk) ok = out.Sync();
    ok = out.Close() && ok;
    if (!ok) error_ = "cannot write " + path;
    return ok;
}

void JoinContext::CloseFurtherMovies() {
    further_.clear();
}

std::string JoinOutputPath(const std::vector<RecordingEntry>& selected, const std::string& folder) {
    if (selected.empty()) return "";
    std::string out = folder;
    while (out.size() > 1 && out.back() == '/')
        out.pop_back();
    if (!out.empty() && out.back() != '/') out += '/';
    return out + std::string(FileNameOf(selected.front().path));
}

const char* JoinStatusText(JoinStatus status) {
    switch (status) {
        case JoinStatus::kDone:
            return "done";
        case JoinStatus::kCancelled:
            return "cancelled";
        case JoinStatus::kNothingSelected:
            return "nothing selected";
        case JoinStatus::kOutputExists:
            return "the output file exists";
        case JoinStatus::kOverwritesInput:
            return "the output would replace a recording being joined";
        case JoinStatus::kNoSpace:
            return "not enough free space";
        case JoinStatus::kOpenFailed:
            return "a recording cannot be read";
        case JoinStatus::kMergeFailed:
            return "the recordings cannot be joined";
        case JoinStatus::kWriteFailed:
            return "the output cannot be written";
    }
    return "";
}

namespace {

uint64_t FreeSpaceOf(const std::string& folder) {
    std::error_code ec;
    const fs::space_info info = fs::space(folder, ec);
    return ec ? 0 : info.available;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::exists(a, ec) && fs::exists(b, ec) && fs::equivalent(a, b, ec);
}

// Removes the temporary files of a join that did not finish.
struct TemporaryFiles {
    std::vector<std::string> paths;
    ~TemporaryFiles() {
        std::error_code ec;
        for (const auto& p : paths)
            fs::remove(p, ec);
    }
};

std::string TemporaryName(const std::string& path) {
    const fs::path p(path);
    return (p.parent_path() / ("." + p.filename().string() + ".part")).string();
}

}  // namespace

JoinResult JoinRecordings(const std::vector<RecordingEntry>& selected, const std::string& folder,
                          const JoinOptions& options) {
    JoinResult result;
    const auto cancelled = [&] { return options.running && !options.running->load(); };
    if (selected.empty()) return result;
    const size_t n = selected.size();
    result.moviePath = JoinOutputPath(selected, folder);
    const std::string dataOut = DriveDataPath(result.moviePath);
    std::error_code ec;

    auto fail = [&](JoinStatus status, std::string error) {
        if (options.markJoined) options.markJoined(false);
        result.status = status;
        result.error = error.empty() ? JoinStatusText(status) : std::move(error);
        result.dataPath.clear();
        return result;
    };

    for (const auto& e : selected) {
        if (SameFile(e.path, result.moviePath) || SameFile(DriveDataPath(e.path), dataOut)) {
            result.status = JoinStatus::kOverwritesInput;
            result.error = JoinStatusText(result.status);
            return result;
        }
    }
    const bool replacing = fs::exists(result.moviePath, ec);
    if (replacing && !options.replaceExisting) {
        result.status = JoinStatus::kOutputExists;
        result.error = JoinStatusText(result.status);
        return result;
    }
    if (!fs::is_directory(folder, ec))
        return fail(JoinStatus::kWriteFailed, "the output folder " + folder + " does not exist");
    uint64_t needed = 0;
    for (const auto& e : selected)
        needed += e.movieSize + e.subSize + e.dataSize;
    const uint64_t available = options.freeSpace ? options.freeSpace(folder) : FreeSpaceOf(folder);
    if (!(needed < available)) return fail(JoinStatus::kNoSpace, "");

    ResetBoxCounters();
    auto owned = std::make_unique<JoinContext>();
    JoinContext& context = *owned;
    context.SetProgress(options.progress);
    if (!context.JoinOpen(selected[0].path)) return fail(JoinStatus::kOpenFailed, context.Error());
    Report(options.progress, 1, static_cast<int64_t>(n));
    for (size_t i = 1; i < n; ++i) {
        if (cancelled()) {
            result.status = JoinStatus::kCancelled;
            return result;
        }
        if (!context.JoinAppend(selected[i].path)) {
            const bool unreadable = context.Error().rfind("cannot read", 0) == 0;
            return fail(unreadable ? JoinStatus::kOpenFailed : JoinStatus::kMergeFailed,
                        context.Error());
        }
        Report(options.progress, i, static_cast<int64_t>(2 * n));
    }
    if (options.markJoined) options.markJoined(true);
    Report(options.progress, 50, 100);
    if (cancelled()) {
        if (options.markJoined) options.markJoined(false);
        result.status = JoinStatus::kCancelled;
        return result;
    }

    Report(options.progress, 10, 100);
    TemporaryFiles temporary;
    const std::string movieTemp = TemporaryName(result.moviePath);
    temporary.paths.push_back(movieTemp);
    if (!context.WriteMovieFile(movieTemp, options.running, options.syncToDisk)) {
        if (cancelled()) {
            if (options.markJoined) options.markJoined(false);
            result.status = JoinStatus::kCancelled;
            return result;
        }
        return fail(JoinStatus::kWriteFailed, context.Error());
    }
    context.CloseFurtherMovies();
    std::string dataTemp;
    if (context.HasDriveData()) {
        fs::create_directories(fs::path(dataOut).parent_path(), ec);
        dataTemp = TemporaryName(dataOut);
        temporary.paths.push_back(dataTemp);
        if (!WriteDriveData(dataTemp, context.DriveData(), options.syncToDisk))
            return fail(JoinStatus::kWriteFailed, "cannot write " + dataOut);
    }
    Report(options.progress, 100, 100);
    if (cancelled()) {
        if (options.markJoined) options.markJoined(false);
        result.status = JoinStatus::kCancelled;
        return result;
    }

    // Both files are complete: into place, drive data first.
    if (!dataTemp.empty()) {
        fs::rename(dataTemp, dataOut, ec);
        if (ec) return fail(JoinStatus::kWriteFailed, "cannot write " + dataOut);
        if (options.hideFile) options.hideFile(dataOut);
    } else if (replacing && fs::exists(dataOut, ec)) {
        // The drive data of the movie being replaced would not belong to the new one.
        fs::remove(dataOut, ec);
    }
    fs::rename(movieTemp, result.moviePath, ec);
    if (ec) return fail(JoinStatus::kWriteFailed, "cannot write " + result.moviePath);
    temporary.paths.clear();
    result.dataPath = dataTemp.empty() ? "" : dataOut;
    owned.reset();  // the merged movie's teardown reports before the end
    Report(options.progress, n, static_cast<int64_t>(n));
    result.status = JoinStatus::kDone;
    return result;
}

}  // namespace quorva
