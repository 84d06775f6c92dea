// The delete task of ID_DELETE_FILES: the file selection dialog in delete mode over the
// listed recordings (or, with show-all, every recording of the source); then, on the task's
// thread, the ticked recordings from the last to the first. On a card a recording is retired
// (hidden and renamed to the retired extensions), elsewhere its files go to the trash. The
// recording that is open is closed first and deleted a second later, once its files are let
// go. A recording that cannot be deleted is reported by name and the others go on; a cancel
// keeps what was deleted and leaves the rest. Only ticked recordings are touched.
#include <chrono>
#include <thread>

#include "app/cquorva_dlg.h"
#include "app/viewer_tasks.h"
#include "appcore/task_texts.h"
#include "appcore/ui_text.h"
#include "browser/file_select_dlg.h"
#include "browser/filer_container_dlg.h"

namespace quorva {

namespace {

constexpr auto kReleaseWait = std::chrono::seconds(1);
constexpr size_t kNamesShown = 10;

// Waits for the time unless the task is cancelled meanwhile; false when it was.
bool WaitUnlessCancelled(TaskControl& control, std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        if (!control.Busy()) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return control.Busy();
}

class DeleteRun : public ViewerTaskRun {
  public:
    DeleteRun(std::vector<RecordingEntry> ticked, std::string openPath, RecordingFileOps ops)
        : ticked_(std::move(ticked)), openPath_(std::move(openPath)), ops_(std::move(ops)) {}

    intptr_t Work(TaskControl& control) override {
        const size_t n = ticked_.size();
        bool cancelled = false;
        for (size_t j = n; j-- > 0;) {
            if (!control.Busy()) {
                cancelled = true;
                break;
            }
            const RecordingEntry& e = ticked_[j];
            if (!openPath_.empty() && e.path == openPath_ &&
                !WaitUnlessCancelled(control, kReleaseWait)) {
                cancelled = true;
                break;
            }
            if (DeleteRecording(e.path, ops_))
                ++deleted_;
            else
                failed_.emplace_back(FileNameOf(e.path));
            control.Progress(n - j - 1, n);
        }
        if (cancelled) return deleted_;
        control.Progress(n, n);
        if (failed_.empty()) control.SetSucceeded();
        return deleted_;
    }

    void Finish(CquorvaDlg& window) override {
        if (failed_.empty()) return;
        std::string text = UiText(94) + "\n" + TaskTextOf(TaskText::kNotDeleted);
        for (size_t i = 0; i < failed_.size() && i < kNamesShown; ++i)
            text += "\n" + failed_[i];
        if (failed_.size() > kNamesShown)
            text += "\n(+" + std::to_string(failed_.size() - kNamesShown) + ")";
        window.ShowUserMessage(text, "ERROR");
    }

  private:
    std::vector<RecordingEntry> ticked_;
    std::string openPath_;
    RecordingFileOps ops_;
    int deleted_ = 0;
    std::vector<std::string> failed_;
};

}  // namespace

std::shared_ptr<ViewerTaskRun> PrepareDelete(CquorvaDlg& window) {
    CFilerContainerDlg* browser = window.Browser();
    if (!browser) return nullptr;
    std::vector<RecordingEntry> rows = browser->Rows();
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].id = static_cast<int32_t>(i);
    std::vector<RecordingEntry> all;
    {
        std::lock_guard<std::recursive_mutex> lock(window.MutexCache());
        all = browser->Catalogue().ListAllRecordings();
    }
    for (size_t i = 0; i < all.size(); ++i)
        all[i].id = static_cast<int32_t>(i);
    // The recording that is open: the list's current row.
    const int current = browser->CurrentIndex();
    const std::string openPath = current >= 0 && current < static_cast<int>(rows.size())
                                     ? rows[static_cast<size_t>(current)].path
                                     : std::string();

    CFileSelectDlg dialog(&window);
    dialog.SetMessageFunction(
        [&window](QWidget*, const std::string& text) { window.ShowUserMessage(text, "ERROR"); });
    if (!dialog.Prepare(FileSelectMode::kDelete, rows, all))
        window.ShowUserMessage(UiText(103), "ERROR");
    if (window.RunFileSelect(dialog) != CFileSelectDlg::kOk || dialog.Result().empty())
        return nullptr;
    if (browser->Busy()) {
        window.ShowUserMessage(UiText(94), "ERROR");
        return nullptr;
    }
    std::vector<RecordingEntry> ticked = dialog.Result();
    bool openTicked = false;
    for (const RecordingEntry& e : ticked)
        openTicked = openTicked || (!openPath.empty() && e.path == openPath);
    // Its files must be let go before they are deleted.
    if (openTicked) window.CloseOpenRecording();
    return std::make_shared<DeleteRun>(std::move(ticked), openTicked ? openPath : std::string(),
                                       window.DeleteOps());
}

}  // namespace quorva
