#include "container/csv_export.h"

#include <cstdio>
#include <filesystem>

#include "appcore/ui_text.h"
#include "container/drive_data_store.h"
#include "container/mp4_movie.h"
#include "container/player_slot_data.h"
#include "platform/output_file.h"
#include "recordings/recording_name.h"

namespace quorva {

namespace fs = std::filesystem;

namespace {

std::string JoinPath(const std::string& folder, const std::string& name) {
    std::string out = folder;
    while (out.size() > 1 && out.back() == '/')
        out.pop_back();
    if (!out.empty() && out.back() != '/') out += '/';
    return out + name;
}

std::string Fallback(std::string_view name) {
    return std::string(name) + ",-,-,-,-,-,fps,0MB\r\n";
}

}  // namespace

std::string CsvFileName(const std::vector<RecordingEntry>& list) {
    if (list.empty()) return "";
    const SystemTime t = RecordingTimeFromName(list.front().path);
    char name[64];
    std::snprintf(name, sizeof name, "Dv_%04u%02u%02u_%02u%02u%02u.csv", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return name;
}

std::string CsvPath(const std::vector<RecordingEntry>& list, const std::string& folder) {
    return JoinPath(folder, CsvFileName(list));
}

std::string CsvHeaderLine() {
    std::string line;
    for (int index : {30, 29, 37, 36, 38, 35, 32, 28})
        line += UiText(index);
    return line + "\r\n";
}

const char* SizeClass(int height) {
    switch (height) {
        case 360:
            return "SD";
        case 720:
            return "HD";
        case 1080:
            return "FHD";
        case 1296:
            return "3M";
        case 1440:
            return "WQHD";
        default:
            return "";
    }
}

std::string CsvRow(const std::string& path, const CsvRowOptions& options) {
    const std::string_view name = FileNameOf(path);
    if (options.playerReady && !options.playerReady()) return Fallback(name);
    DriveDataHeader header;
    const bool haveHeader =
        options.slot0 ? options.slot0->ReadHeader(path, header) : ReadHeader(path, header);
    if (!haveHeader) return Fallback(name);
    auto movie = OpenMovie(path, true, false);
    if (!movie || !movie->First(kBoxStsd)) return Fallback(name);
    int64_t frames = FrameCount(*movie);
    const float fps = FramesPerSecond(*movie);
    const int height = VideoSize(*movie).height;
    CloseMovie(std::move(movie));
    // A movie whose length cannot be computed keeps the fallback row.
    if (frames < 0 || !(fps > 0.0f)) return Fallback(name);

    std::string rate;
    if (IsTimeLapseName(path)) {
        frames = static_cast<int64_t>(static_cast<float>(frames) * 15.0f);
        rate = UiText(159);
    } else {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.1ffps", fps);
        rate = buf;
    }
    const float lengthF = static_cast<float>(frames) / fps;
    const int64_t seconds = lengthF < 9.2e18f ? static_cast<int64_t>(lengthF) : 0;

    const SystemTime t = RecordingTimeFromName(path);
    char date[32], time[32], length[48];
    if (t.year == 0) {
        std::snprintf(date, sizeof date, "--/--/--");
        std::snprintf(time, sizeof time, "--:--:--");
    } else {
        std::snprintf(date, sizeof date, "%04u/%02u/%02u", t.year, t.month, t.day);
        std::snprintf(time, sizeof time, "%02u:%02u:%02u", t.hour, t.minute, t.second);
    }
    std::snprintf(length, sizeof length, "%02lld:%02lld:%02lld",
                  static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                  static_cast<long long>(seconds % 60));
    std::error_code ec;
    const auto bytes = fs::file_size(path, ec);
    const unsigned long long mib = ec ? 0 : static_cast<unsigned long long>(bytes / 1048576);

    std::string row(name);
    row += ',';
    row += date;
    row += ',';
    row += time;
    row += ',';
    row += length;
    row += ',';
    row += TriggerLabel(path);
    row += ',';
    row += SizeClass(height);
    row += ',';
    row += rate;
    row += ',';
    row += std::to_string(mib);
    row += "MB\r\n";
    return row;
}

int CsvStatusText(CsvStatus status) {
    switch (status) {
        case CsvStatus::kEmptyList:
            return 99;
        case CsvStatus::kExists:
            return 90;
        case CsvStatus::kCreateFailed:
        case CsvStatus::kWriteFailed:
            return 93;
        default:
            return 0;
    }
}

CsvExportResult ExportCsv(const std::vector<RecordingEntry>& list, const std::string& folder,
                          const CsvExportOptions& options) {
    CsvExportResult result;
    if (list.empty()) return result;
    result.path = CsvPath(list, folder);
    std::error_code ec;
    if (fs::exists(result.path, ec) && !options.replaceExisting) {
        result.status = CsvStatus::kExists;
        return result;
    }
    OutputFile out;
    if (!out.Create(result.path)) {
        result.status = CsvStatus::kCreateFailed;
        return result;
    }
    const std::string header = CsvHeaderLine();
    if (!out.Write(header.data(), header.size())) {
        result.status = CsvStatus::kWriteFailed;
        return result;
    }
    const size_t n = list.size();
    result.status = CsvStatus::kDone;
    for (size_t i = 0; i < n; ++i) {
        if (options.running && !options.running->load()) {
            result.status = CsvStatus::kCancelled;
            break;
        }
        const std::string row = CsvRow(list[i].path, options.row);
        if (!out.Write(row.data(), row.size())) {
            result.status = CsvStatus::kWriteFailed;
            break;
        }
        ++result.rows;
        Report(options.progress, i, static_cast<int64_t>(n));
    }
    if (!out.Close() && result.status != CsvStatus::kCancelled)
        result.status = CsvStatus::kWriteFailed;
    Report(options.progress, n, static_cast<int64_t>(n));
    return result;
}

}  // namespace quorva
