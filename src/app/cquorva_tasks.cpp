// The worker task's view on the main window (the progress bar over the main movie view, the
// controls, the completion message) and the enabled state of the buttons.
#include "app/cquorva_dlg.h"
#include "app/movie_dialog.h"
#include "appcore/ui_text.h"
#include "browser/filer_container_dlg.h"
#include "panels/gsensor_dlg.h"
#include "panels/info_dlg.h"
#include "road/playback_buttons.h"
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
    for (CSkinButton* b : bottom_)
        if (b) b->setEnabled(states.Enabled(b->ControlId()));
    for (CSkinButton* b : caption_)
        if (b) b->setEnabled(states.captions);
    if (info_) info_->setEnabled(states.panels);
    if (browser_) browser_->SetControlsEnabled(states.panels);
}

int CquorvaDlg::ListCount() const {
    return browser_ ? browser_->RowCount() : 0;
}

}  // namespace quorva
