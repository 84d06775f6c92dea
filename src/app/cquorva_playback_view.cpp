#include "app/cquorva_playback_view.h"

#include <QApplication>
#include <QCursor>

#include "app/cquorva_dlg.h"
#include "app/movie_dialog.h"
#include "app/movie_menu.h"
#include "app/movie_static.h"
#include "appcore/ui_text.h"
#include "browser/filer_container_dlg.h"
#include "skin/logo_dlg.h"
#include "skin/pick_folder.h"
#include "skin/skin_button.h"
#include "skin/skin_slider.h"

namespace quorva {

namespace {

constexpr int kTextPickSnapshotFolder = 100;

}  // namespace

CquorvaPlaybackView::~CquorvaPlaybackView() {
    if (waitCursor_) QApplication::restoreOverrideCursor();
}

// ---- Sliders ------------------------------------------------------------------------------

void CquorvaPlaybackView::SetSeekRange(int minimum, int maximum) {
    if (w_.seek_) w_.seek_->SetRange(minimum, maximum);
}

void CquorvaPlaybackView::SetSeekPos(int position) {
    if (w_.seek_) w_.seek_->SetPos(position);
}

void CquorvaPlaybackView::ReleaseSeekSlider() {
    // A drag that is under way no longer counts: its further moves and its release are
    // dropped until the next press (the recording it belonged to may be gone).
    if (w_.seek_ && w_.seek_->Dragging()) w_.seekReleased_ = true;
}

bool CquorvaPlaybackView::SeekPressOnThumb() const {
    return w_.seek_ && !w_.seek_->PressOutsideThumb();
}

int64_t CquorvaPlaybackView::MainPicturePosition() const {
    const CMovieStatic* movie = w_.Movie(0);
    const FramePtr picture = movie ? movie->LastPicture() : nullptr;
    return picture ? picture->position : -1;
}

void CquorvaPlaybackView::SetVolumePos(int volume) {
    w_.ShowVolume(volume);
}

// ---- Buttons ------------------------------------------------------------------------------

ShellButtonContext CquorvaPlaybackView::ButtonContext() const {
    ShellButtonContext context;
    context.listShown = w_.browser_ != nullptr;
    context.csvAllowed = w_.csvAllowed_;
    context.sourceKind = w_.sourceKind_;
    return context;
}

void CquorvaPlaybackView::ApplyButtonStates(const PlaybackButtonStates& states) {
    // While a worker task runs (or a snapshot is taken) every control stays disabled.
    if (!w_.controlsEnabled_) return;
    w_.ApplyButtonStates(states);
}

void CquorvaPlaybackView::SetPlayFace(PlayFace face) {
    w_.SetPlayFace(face == PlayFace::kPause);
}

void CquorvaPlaybackView::SetZoomMode(bool on) {
    for (CMovieStatic* movie : w_.movie_)
        if (movie) movie->SetZoomCursor(on);
    if (CSkinButton* zoom = w_.Button(ID_ZOOM_MODE)) zoom->SetCheck(on);
    if (w_.browser_) w_.browser_->SetZoomHint(on);
}

// ---- Cursor and messages ----------------------------------------------------------------

void CquorvaPlaybackView::SetWaitCursor(bool on) {
    if (on == waitCursor_) return;
    waitCursor_ = on;
    if (on)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QApplication::restoreOverrideCursor();
}

int CquorvaPlaybackView::ShowMessage(const std::string& text, const std::string& caption,
                                     int kind) {
    // The wait cursor does not stand over a question.
    const bool waiting = waitCursor_;
    if (waiting) SetWaitCursor(false);
    const int answer = w_.ShowUserMessage(text, caption, kind);
    if (waiting) SetWaitCursor(true);
    return answer;
}

// ---- Movie windows and window -------------------------------------------------------------

void CquorvaPlaybackView::RepaintMovieWindows() {
    for (CMovieStatic* movie : w_.movie_)
        if (movie) movie->update();
}

void CquorvaPlaybackView::RecordingOpened() {
    // The detached window shows the second camera of this recording, or the logo panel
    // when it has none.
    w_.ShowDetachedContent();
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

bool CquorvaPlaybackView::IsFullScreen() const {
    return w_.frame_.FullScreen();
}

void CquorvaPlaybackView::LeaveFullScreen() {
    if (w_.frame_.FullScreen()) w_.ToggleFullScreen(true);
}

void CquorvaPlaybackView::Relayout() {
    w_.Layout();
}

void CquorvaPlaybackView::RedrawWindow() {
    w_.update();
}

void CquorvaPlaybackView::ShowMovieMenu(const std::vector<PlaybackMenuItem>& items, int screenX,
                                        int screenY) {
    CMovieMenu menu(&w_);
    menu.SetItems(items, w_.frame_.FullScreen(), w_.scale_);
    if (const int command = menu.Track(QPoint(screenX, screenY))) w_.OnCommand(command);
}

// ---- Logo panel ---------------------------------------------------------------------------

void CquorvaPlaybackView::ShowLogo(bool shown) {
    if (shown == w_.logoWanted_) return;
    w_.logoWanted_ = shown;
    w_.ShowDetachedContent();
}

bool CquorvaPlaybackView::LogoShown() const {
    return w_.logo_ && w_.logo_->isVisible();
}

void CquorvaPlaybackView::SetLogoOffline(bool offline) {
    if (!w_.logo_) return;
    w_.logo_->SetLogoOnly(offline ? 0 : 1);
    w_.logo_->update();
}

// ---- Worker task --------------------------------------------------------------------------

bool CquorvaPlaybackView::TaskBusy() const {
    return w_.tasks_.Busy();
}

void CquorvaPlaybackView::FinishTask() {
    w_.FinishTask();
}

// ---- Snapshot -----------------------------------------------------------------------------

std::string CquorvaPlaybackView::PickSnapshotFolder() {
    const std::string title = UiText(kTextPickSnapshotFolder);
    if (w_.options_.pickSnapshotFolder) return w_.options_.pickSnapshotFolder(&w_, title);
    return PickFolder(&w_, "FOLDERPATH", "SNAPSHOT_FOLDER", title);
}

void CquorvaPlaybackView::SetControlsEnabled(bool enabled) {
    w_.EnableAllControls(enabled);
}

void CquorvaPlaybackView::SetPicturePainting(bool on) {
    for (CMovieStatic* movie : w_.movie_) {
        if (!movie) continue;
        movie->SetPicturePainting(on);
        movie->update();
    }
}

void CquorvaPlaybackView::LockWindowUpdate(bool locked) {
    w_.setUpdatesEnabled(!locked);
    if (w_.detached_) w_.detached_->setUpdatesEnabled(!locked);
}

void CquorvaPlaybackView::SizeMovieWindowsTo(const PlayerSize sizes[2]) {
    for (int i = 0; i < 2; ++i) {
        CMovieStatic* movie = w_.movie_[i];
        if (!movie) continue;
        movie->hide();
        movie->resize(sizes[i].width, sizes[i].height);
    }
}

void CquorvaPlaybackView::LayOutMovieWindows() {
    if (CMovieStatic* main = w_.movie_[0]) {
        if (w_.frame_.FullScreen())
            main->setGeometry(QRect(QPoint(0, 0), w_.size()));
        else
            main->setGeometry(w_.layout_.movie);
    }
    if (w_.movie_[1] && w_.detached_) w_.movie_[1]->setGeometry(w_.detached_->ContentRect());
}

void CquorvaPlaybackView::ShowMovieWindows() {
    if (w_.movie_[0]) w_.movie_[0]->show();
    w_.ShowDetachedContent();
}

}  // namespace quorva
