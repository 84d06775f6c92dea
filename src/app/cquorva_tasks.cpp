// The worker task's view on the main window (the progress bar over the main movie view, the
// controls, the completion message), what the viewer's tasks ask of the window, the
// recording list's menu of the GPS track export, and the enabled state of the buttons.
#include "app/cquorva_dlg.h"
#include "app/movie_dialog.h"
#include "app/movie_menu.h"
#include "app/viewer_tasks.h"
#include "appcore/task_texts.h"
#include "appcore/ui_text.h"
#include "browser/file_list_ctrl.h"
#include "browser/file_select_dlg.h"
#include "browser/filer_container_dlg.h"
#include "panels/gsensor_dlg.h"
#include "panels/info_dlg.h"
#include "recordings/qt/recording_platform.h"
#include "road/playback_buttons.h"
#include "skin/pick_folder.h"
#include "skin/skin_button.h"
#include "skin/skin_progress_bar.h"
#include "skin/skin_slider.h"

namespace quorva {

void CquorvaDlg::PlaceProgressBar() {
    progress_->setGeometry(ComputeMainLayout(size(), scale_).progressBar);
    progress_->raise();
}

void CquorvaDlg::ShowTaskProgress() {
    progress_->SetRange(0, 100);
    progress_->SetPos(0);
    PlaceProgressBar();
    progress_->show();
    progress_->update();
}

void CquorvaDlg::SetTaskProgress(int percent) {
    progress_->SetPos(percent);
    progress_->raise();
    progress_->update();
}

void CquorvaDlg::HideTaskProgress() {
    progress_->hide();
}

void CquorvaDlg::ShowTaskCompleted() {
    ShowUserMessage(UiText(44), UiText(45));
}

bool CquorvaDlg::StartTask(TaskFunction task, uint32_t endMessage) {
    return tasks_.Start(std::move(task), endMessage);
}

bool CquorvaDlg::FinishTask() {
    const bool succeeded = tasks_.Finish();
    if (!controlsEnabled_) EnableAllControls(true);
    return succeeded;
}

void CquorvaDlg::EnableAllControls(bool enable) {
    controlsEnabled_ = enable;
    // While a task runs, the stop button stays usable as its cancel button and the close
    // button as the way out (closing waits for the task).
    for (CSkinButton* b : caption_)
        if (b) b->setEnabled(enable || b->ControlId() == ID_WND_CLOSE);
    for (CSkinButton* b : bottom_)
        if (b) b->setEnabled(enable || b->ControlId() == ID_PLAY_STOP);
    if (browser_) browser_->SetControlsEnabled(enable);
    for (QWidget* w : {static_cast<QWidget*>(browser_), static_cast<QWidget*>(info_),
                       static_cast<QWidget*>(graph_), static_cast<QWidget*>(movie_[0]),
                       static_cast<QWidget*>(movie_[1])})
        if (w) w->setEnabled(enable);
    if (seek_) seek_->Enable(enable);
    if (volumeSlider_) volumeSlider_->Enable(enable);
    if (detached_) detached_->setEnabled(enable);
    if (enable) UpdateButtons();
}

void CquorvaDlg::DisableAllButtonsAndPanels() {
    for (CSkinButton* b : bottom_)
        if (b) b->setEnabled(false);
    for (CSkinButton* b : caption_)
        if (b) b->setEnabled(false);
    if (info_) info_->setEnabled(false);
    if (browser_) browser_->SetControlsEnabled(false);
}

void CquorvaDlg::UpdateButtons() {
    if (!movie_[0] || !controlsEnabled_) return;
    if (road_) {
        road_->UpdateButtons();
        return;
    }
    const PlayerSlot& main = players_->slot[0];
    PlaybackButtonInputs in;
    in.listShown = browser_ != nullptr;
    in.listCount = ListCount();
    in.currentIndex = browser_ ? browser_->CurrentIndex() : -1;
    in.mainState = main.valid ? main.state : SLOT_CLOSED;
    in.rateCode = main.valid ? main.rateCode : 0;
    in.mainDataLoaded = main.valid && main.dataLoaded;
    in.csvAllowed = csvAllowed_;
    in.sourceKind = sourceKind_;
    if (const std::optional<PlaybackButtonStates> states = ComputeButtonStates(in))
        ApplyButtonStates(*states);
}

void CquorvaDlg::ApplyButtonStates(const PlaybackButtonStates& states) {
    // A command without its task keeps its button disabled.
    const auto enabled = [&](int id) {
        if (id == ID_EXPORT_CSV || id == ID_SAVE_JOINED || id == ID_DELETE_FILES)
            return states.Enabled(id) && tasks_.HasTaskFor(id);
        return states.Enabled(id);
    };
    for (CSkinButton* b : bottom_)
        if (b) b->setEnabled(enabled(b->ControlId()));
    for (CSkinButton* b : caption_)
        if (b) b->setEnabled(states.captions);
    if (info_) info_->setEnabled(states.panels);
    if (browser_) browser_->SetControlsEnabled(states.panels);
}

int CquorvaDlg::ListCount() const {
    return browser_ ? browser_->RowCount() : 0;
}

// --- What the viewer's tasks ask of the window ----------------------------------------------

void CquorvaDlg::InstallViewerTasks() {
    viewerTasks_ = std::make_unique<ViewerTasks>(*this);
    tasks_.SetFactory([this](int id) { return viewerTasks_->Make(id); }, ViewerTasks::Commands());
    tasks_.SetProgressObserver(options_.taskProgressObserver);
}

std::string CquorvaDlg::PickTaskFolder(const std::string& key, int titleText) {
    if (options_.pickTaskFolder) return options_.pickTaskFolder(this, UiText(titleText));
    return PickFolder(this, "FOLDERPATH", key, UiText(titleText));
}

int CquorvaDlg::RunFileSelect(CFileSelectDlg& dialog) {
    if (options_.runFileSelect) return options_.runFileSelect(dialog);
    return dialog.exec();
}

RecordingFileOps CquorvaDlg::DeleteOps() const {
    RecordingFileOps ops =
        options_.recordingFileOps ? *options_.recordingFileOps : DefaultRecordingFileOps();
    // A card source is the card's root, also where it is not a mount point of its own.
    if (sourceKind_ == 1) {
        ops.volumeRoot = [root = sourcePath_](const std::string&) { return root; };
    }
    return ops;
}

void CquorvaDlg::CloseOpenRecording() {
    if (road_) {
        road_->ResetView();
    } else {
        GroupReleaseData(*players_);
        GroupClose(*players_);
    }
}

bool CquorvaDlg::SourceAllowsCsv() {
    if (!browser_ || (sourceKind_ != 1 && sourceKind_ != 2)) return false;
    std::lock_guard<std::recursive_mutex> lock(mutexCache_);
    return !browser_->Catalogue().ListAllRecordings().empty();
}

void CquorvaDlg::OnRecordingContextMenu(int row, int x, int y) {
    if (!controlsEnabled_ || !browser_ || tasks_.Busy() || tasks_.HasThread()) return;
    const bool haveRow = row >= 0 && row < browser_->RowCount();
    std::vector<PlaybackMenuItem> items;
    items.push_back({ID_EXPORT_GPX, TaskTextOf(TaskText::kGpxRecordingItem),
                     haveRow && tasks_.HasTaskFor(ID_EXPORT_GPX), false});
    items.push_back({ID_EXPORT_GPX_GROUP, TaskTextOf(TaskText::kGpxGroupItem),
                     browser_->RowCount() > 0 && tasks_.HasTaskFor(ID_EXPORT_GPX_GROUP), false});
    CMovieMenu menu(this);
    menu.SetItems(items, false, scale_);
    if (const int command = menu.Track(QPoint(x, y))) OnCommand(command);
}

}  // namespace quorva
