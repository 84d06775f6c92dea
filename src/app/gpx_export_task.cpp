// The GPS track export of the recording list's menu: the track of the selected recording,
// or of every recording of the selected group, as one GPX file in a chosen folder (named
// after the first recording). Nothing is written when it is cancelled or no recording holds
// a position.
#include <filesystem>

#include "app/cquorva_dlg.h"
#include "app/viewer_tasks.h"
#include "appcore/settings_store.h"
#include "appcore/task_texts.h"
#include "appcore/ui_text.h"
#include "browser/file_list_ctrl.h"
#include "browser/filer_container_dlg.h"
#include "container/qt/gpx_writer.h"

namespace quorva {

namespace {

class GpxExportRun : public ViewerTaskRun {
  public:
    GpxExportRun(std::vector<std::string> movies, std::string folder, std::string path)
        : movies_(std::move(movies)), folder_(std::move(folder)), path_(std::move(path)) {}

    intptr_t Work(TaskControl& control) override {
        GpxExportOptions options;
        options.running = &control.BusyFlag();
        options.progress = ProgressOf(control);
        options.replaceExisting = true;  // the user was asked
        result_ = ExportGpx(movies_, path_, options);
        if (result_.ok()) control.SetSucceeded();
        return result_.ok() ? 1 : 0;
    }

    void Finish(CquorvaDlg& window) override {
        switch (result_.status) {
            case GpxExportStatus::kDone:
                WriteSetting("FOLDERPATH", "GPX_FOLDER", folder_);
                return;
            case GpxExportStatus::kNoPositions:
                window.ShowUserMessage(TaskTextOf(TaskText::kGpxNoPositions), "ERROR");
                return;
            case GpxExportStatus::kCancelled:
                return;
            default:
                window.ShowUserMessage(TaskTextOf(TaskText::kGpxWriteFailed), "ERROR");
                return;
        }
    }

  private:
    std::vector<std::string> movies_;
    std::string folder_;
    std::string path_;
    GpxExportResult result_;
};

// The recordings of the track: the list's selected row, or the group's recordings in their
// recording order.
std::vector<std::string> TrackRecordings(CquorvaDlg& window, bool wholeGroup) {
    CFilerContainerDlg* browser = window.Browser();
    std::vector<std::string> movies;
    if (!browser) return movies;
    if (wholeGroup) {
        std::lock_guard<std::recursive_mutex> lock(window.MutexCache());
        for (const RecordingEntry& e : browser->Catalogue().Catalogue())
            movies.push_back(e.path);
        return movies;
    }
    int row = browser->List()->SelectedRow();
    if (row < 0) row = browser->CurrentIndex();
    const std::vector<RecordingEntry>& rows = browser->Rows();
    if (row >= 0 && row < static_cast<int>(rows.size()))
        movies.push_back(rows[static_cast<size_t>(row)].path);
    return movies;
}

}  // namespace

std::shared_ptr<ViewerTaskRun> PrepareGpxExport(CquorvaDlg& window, bool wholeGroup) {
    std::vector<std::string> movies = TrackRecordings(window, wholeGroup);
    if (movies.empty()) {
        window.ShowUserMessage(UiText(99), "ERROR");
        return nullptr;
    }
    const std::string folder = window.PickTaskFolder("GPX_FOLDER", 101);
    if (folder.empty()) return nullptr;
    const std::string path = JoinPath(folder, GpxFileName(movies.front()));
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        window.ShowUserMessage(UiText(90), UiText(104), 1) != 1)
        return nullptr;
    return std::make_shared<GpxExportRun>(std::move(movies), folder, path);
}

}  // namespace quorva
