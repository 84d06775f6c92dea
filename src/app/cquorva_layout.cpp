// The main window's layout: every child placed for the window size and the UI scale, the
// re-scale after a resize, the detached window's place, and the full-screen switch.
#include <QGuiApplication>
#include <QScreen>

#include "app/companion_layout.h"
#include "app/cquorva_dlg.h"
#include "app/movie_dialog.h"
#include "app/resize_frame.h"
#include "appcore/settings_store.h"
#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "browser/filer_container_dlg.h"
#include "panels/gsensor_dlg.h"
#include "panels/info_dlg.h"
#include "panels/panel_style.h"
#include "player/preview_window.h"
#include "skin/keep_on_screen.h"
#include "skin/logo_dlg.h"
#include "skin/skin_button.h"
#include "skin/skin_progress_bar.h"
#include "skin/skin_resources.h"
#include "skin/skin_slider.h"
#include "tools/settings_dlg.h"

namespace quorva {

QRect CquorvaDlg::WorkArea() const {
    if (options_.workArea.isValid()) return options_.workArea;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1120, 697);
}

QRect CquorvaDlg::ScreenRect() const {
    if (options_.workArea.isValid()) return options_.workArea;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1120, 697);
}

void CquorvaDlg::Layout() {
    if (!movie_[0] || frame_.FullScreen()) return;
    layout_ = ComputeMainLayout(size(), scale_);
    const MainLayout& l = layout_;
    setUpdatesEnabled(false);
    movie_[0]->setGeometry(l.movie);
    seek_->setGeometry(l.seekSlider);
    info_->setGeometry(l.infoPanel);
    graph_->setGeometry(l.graph);
    browser_->setGeometry(l.browser);
    for (int i = 0; i < kBottomButtonCount; ++i)
        bottom_[i]->setGeometry(l.bottomButtons[i]);
    for (int i = 0; i < kCaptionButtonCount; ++i)
        caption_[i]->setGeometry(l.captionButtons[i]);
    volumeSlider_->setGeometry(l.volumeSlider);
    if (progress_->isVisible()) PlaceProgressBar();
    setUpdatesEnabled(true);
    // The zoom records start again for the new size.
    zoom_[0] = ZoomSettings{};
    zoom_[1] = ZoomSettings{};
    if (road_) road_->ResetZoomRecords();
    ApplyZoom(1);
    update();
}

void CquorvaDlg::Rescale(const QRect& windowRect) {
    if (!movie_[0]) return;
    if (windowRect.isValid() && !frame_.FullScreen()) setGeometry(windowRect);
    LoadButtonImages();
    SetPlayFace(playing_);
    const PanelLook look = PanelLook::At(scale_, FontScale());
    info_->SetLook(look);
    info_->SetStretch(infoTextFactor_);
    graph_->SetLook(look);
    if (images_.Scale() != scale_) images_.Load(scale_);
    frame_.SetOutlineWidth(std::max(2, Scaled(2, scale_)));
    Layout();
    if (browser_) browser_->LayOut();
    if (preview_) preview_->ApplyScale(scale_);
    if (settings_) settings_->ApplyScale();
    if (detached_ && detached_->Scale() != scale_) {
        detached_->ApplyScale(scale_);
        PlaceDetachedWindow(true);
    }
}

bool CquorvaDlg::SubCameraShown() const {
    return movie_[1] && movie_[1]->isVisibleTo(detached_.get());
}

void CquorvaDlg::ShowDetachedContent() {
    if (!detached_) return;
    // The second camera's picture at the top whenever the recording has one; below it the
    // map, or the logo panel in its place (the road decides which).
    const PlayerSlot& sub = players_->slot[1];
    const bool showSub = sub.valid && sub.state != SLOT_CLOSED;
    movie_[1]->setVisible(showSub);
    logo_->setVisible(logoWanted_);
    const QString title = QString::fromStdString(UiText(showSub ? 146 : 151));
    if (detached_->windowTitle() != title) {
        detached_->setWindowTitle(title);
        detached_->update();
    }
}

MainWindowState CquorvaDlg::WindowState() const {
    if (frame_.FullScreen()) return MainWindowState::kFullScreen;
    if (frame_.Minimised()) return MainWindowState::kMinimised;
    return frame_.Maximised() ? MainWindowState::kMaximised : MainWindowState::kNormal;
}

// The companion window stays docked to the main window: it is placed again whenever the main
// window moves, changes size or state.
void CquorvaDlg::PlaceDetachedWindow(bool) {
    if (!detached_ || placingDetached_) return;
    const QRect place = PlaceCompanionWindow(geometry(), WindowState(), WorkArea(), scale_);
    if (place.isEmpty()) return;
    placingDetached_ = true;
    detached_->PlaceAt(place);
    LayOutSecondMovie();
    placingDetached_ = false;
    detachedPlaced_ = true;
}

void CquorvaDlg::LayOutSecondMovie() {
    if (movie_[1] && detached_) movie_[1]->setGeometry(detached_->ContentRect());
}

void CquorvaDlg::UpdateMaximiseFace() {
    CSkinButton* button = Button(ID_WND_MAXIMIZE);
    if (!button) return;
    button->SetImage(frame_.Maximised() ? IDB_WND_RESTORE : IDB_WND_MAXIMIZE,
                     QSize(Scaled(26, scale_), Scaled(18, scale_)), scale_);
    button->setToolTip(QString::fromStdString(UiText(frame_.Maximised() ? 170 : 169)));
}

// --- Full-screen ------------------------------------------------------------------------------

void CquorvaDlg::ToggleFullScreen(bool toggle) {
    int64_t position = 0, duration = 0;
    PlayerSlot& main = players_->slot[0];
    if (main.valid && main.ops) {
        position = main.ops->GetPosition(main);
        duration = main.ops->GetDuration(main);
    }
    // Not in the last 10 frames, and not without a recording.
    if (!frame_.FullScreen() && position + 10 >= duration) return;
    const bool started = road_ && road_->Started();
    bool leftWithoutToggle = false;
    if (toggle) {
        frame_.SetFullScreen(!frame_.FullScreen());
    } else if (!started) {
        if (!frame_.FullScreen()) return;
        frame_.SetFullScreen(false);
        leftWithoutToggle = true;
    }
    if (!frame_.FullScreen() && !leftWithoutToggle)
        SetPlayFace(main.valid && main.state == SLOT_PLAYING);
}

void CquorvaDlg::ApplyFullScreen() {
    switchingFullScreen_ = true;
    QWidget* others[] = {graph_, seek_, volumeSlider_, info_, browser_};
    if (frame_.FullScreen()) {
        for (QWidget* w : others)
            w->hide();
        for (CSkinButton* b : bottom_)
            b->hide();
        for (CSkinButton* b : caption_)
            b->hide();
        progress_->hide();
        detachedBeforeFullScreen_ = detached_ && detached_->isVisible();
        if (detached_) detached_->hide();
        raise();
        activateWindow();
        const QRect screen = ScreenRect();
        setGeometry(screen);
        movie_[0]->setGeometry(QRect(QPoint(0, 0), screen.size()));
        movie_[0]->raise();
        ApplyZoom(1);
    } else {
        keepAspect_ = 1;
        for (PlayerSlot& slot : players_->slot)
            if (slot.valid) slot.ops->SetAspect(slot, 1);
        WriteSetting("DISPLAY", "ASPECT", "on");
        if (road_) road_->SetStoredKeepAspect(1);
        // The logo stands in the map's place again until the road decides otherwise.
        logoWanted_ = true;
        ShowDetachedContent();
        zoom_[0] = ZoomSettings{};
        if (detached_ && detachedBeforeFullScreen_) detached_->show();
        for (QWidget* w : others)
            w->show();
        for (CSkinButton* b : bottom_)
            b->show();
        for (CSkinButton* b : caption_)
            b->show();
        if (tasks_.Busy()) progress_->show();
    }
    switchingFullScreen_ = false;
    update();
}

}  // namespace quorva
