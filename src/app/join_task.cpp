// The joined-movie task of ID_SAVE_JOINED: the file selection dialog in join mode over the
// group's recordings, the output folder and, when the movie exists, whether to replace it;
// then the join on the task's thread. A cancelled or failed join writes nothing; a
// successful one marks its recordings (the dialog draws them) and keeps the folder.
#include <algorithm>
#include <filesystem>

#include "app/cquorva_dlg.h"
#include "app/viewer_tasks.h"
#include "appcore/settings_store.h"
#include "appcore/ui_text.h"
#include "browser/file_select_dlg.h"
#include "browser/filer_container_dlg.h"
#include "container/join_recordings.h"
#include "platform/file_attributes.h"

namespace quorva {

namespace {

class JoinRun : public ViewerTaskRun {
  public:
    JoinRun(std::vector<RecordingEntry> selected, std::string folder)
        : selected_(std::move(selected)), folder_(std::move(folder)) {}

    intptr_t Work(TaskControl& control) override {
        JoinOptions options;
        options.running = &control.BusyFlag();
        options.progress = ProgressOf(control);
        options.replaceExisting = true;  // the user was asked
        options.hideFile = [](const std::string& path) { platform::SetHiddenAttribute(path); };
        result_ = JoinRecordings(selected_, folder_, options);
        if (result_.ok()) control.SetSucceeded();
        return 1;  // the join was started
    }

    void Finish(CquorvaDlg& window) override {
        if (result_.ok()) {
            WriteSetting("FOLDERPATH", "CONNECT_FOLDER", folder_);
            MarkJoined(window);
            return;
        }
        if (result_.status != JoinStatus::kCancelled) window.ShowUserMessage(UiText(92), "ERROR");
    }

  private:
    void MarkJoined(CquorvaDlg& window) {
        CFilerContainerDlg* browser = window.Browser();
        if (!browser) return;
        std::lock_guard<std::recursive_mutex> lock(window.MutexCache());
        for (RecordingEntry& e : browser->Catalogue().Catalogue()) {
            const bool joined =
                std::any_of(selected_.begin(), selected_.end(),
                            [&](const RecordingEntry& s) { return s.path == e.path; });
            if (joined) e.joinedMark = 1;
        }
    }

    std::vector<RecordingEntry> selected_;
    std::string folder_;
    JoinResult result_;
};

}  // namespace

std::shared_ptr<ViewerTaskRun> PrepareJoin(CquorvaDlg& window) {
    CFilerContainerDlg* browser = window.Browser();
    if (!browser) return nullptr;
    std::vector<RecordingEntry> group;
    {
        std::lock_guard<std::recursive_mutex> lock(window.MutexCache());
        group = browser->Catalogue().Catalogue();
    }
    CFileSelectDlg dialog(&window);
    dialog.SetMessageFunction(
        [&window](QWidget*, const std::string& text) { window.ShowUserMessage(text, "ERROR"); });
    if (!dialog.Prepare(FileSelectMode::kJoin, group, {}))
        window.ShowUserMessage(UiText(103), "ERROR");
    if (window.RunFileSelect(dialog) != CFileSelectDlg::kOk || browser->Busy()) return nullptr;
    std::vector<RecordingEntry> selected = dialog.Result();
    if (selected.empty()) return nullptr;
    const std::string folder = window.PickTaskFolder("CONNECT_FOLDER", 100);
    if (folder.empty()) return nullptr;
    std::error_code ec;
    if (std::filesystem::exists(JoinOutputPath(selected, folder), ec) &&
        window.ShowUserMessage(UiText(90), UiText(104), 1) != 1)
        return nullptr;
    return std::make_shared<JoinRun>(std::move(selected), folder);
}

}  // namespace quorva
