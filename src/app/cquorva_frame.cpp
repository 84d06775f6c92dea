// The main window's own frame: the hit zones under the mouse, moving by the caption band,
// resizing through the border zones with the outline window and the settle timer, the
// custom maximise, minimise and restore, and the move to another monitor.
#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "app/cquorva_dlg.h"
#include "app/hit_zone.h"
#include "app/movie_dialog.h"
#include "app/resize_frame.h"
#include "app/settings_store.h"
#include "app/ui_scale.h"
#include "skin/keep_on_screen.h"

namespace quorva {

void CquorvaDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    settleTimer_.stop();
    const QPoint global = event->globalPosition().toPoint();
    pressPoint_ = global;
    releasePoint_ = global;
    pressRect_ = geometry();
    buttonHeld_ = true;
    minimisedByButton_ = false;
    if (maximised_ || fullScreen_) return;
    zone_ = HitZone(global, geometry(), scale_, maximised_);
    resizeDirection_ = ResizeDirectionForZone(zone_);
    if (IsResizeZone(zone_)) {
        if (controlsEnabled_ && frame_) {
            pace_.Reset();
            frame_->ShowOver(geometry());
        }
        return;
    }
    if (frame_) frame_->hide();
    if (zone_ == kZoneCaption && !(road_ && road_->Opening())) {
        // Where the windowing system moves windows only itself, it is asked to.
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
            windowHandle() && windowHandle()->startSystemMove()) {
            buttonHeld_ = false;
            return;
        }
        moving_ = true;
    } else {
        buttonHeld_ = false;
    }
}

void CquorvaDlg::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (!buttonHeld_) {
        zone_ = HitZone(global, geometry(), scale_, maximised_);
        if (road_ && road_->Opening())
            setCursor(Qt::WaitCursor);
        else if (!maximised_ && !fullScreen_)
            setCursor(CursorForZone(zone_));
        else
            setCursor(Qt::ArrowCursor);
        return;
    }
    if (moving_) {
        move(global - (pressPoint_ - pressRect_.topLeft()));
        return;
    }
    if (resizeDirection_ != kResizeNone && controlsEnabled_ && frame_ &&
        pace_.Due(OutlinePace::Clock::now())) {
        frame_->MoveTo(ResizeFor(global).rect);
    }
}

void CquorvaDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !buttonHeld_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    buttonHeld_ = false;
    releasePoint_ = event->globalPosition().toPoint();
    const int settle = std::max(1, QApplication::doubleClickInterval() / 2);
    if (moving_) {
        moving_ = false;
        if (!maximised_) {
            RememberWindowRect();
            settleTimer_.start(settle);
        }
        return;
    }
    if (resizeDirection_ != kResizeNone && !maximised_ && controlsEnabled_ && frame_) {
        frame_->MoveTo(ResizeFor(releasePoint_).rect);
        frame_->hide();
        frame_->MoveTo(geometry());
        settleTimer_.start(settle);
    }
}

ResizeResult CquorvaDlg::ResizeFor(QPoint cursor) const {
    const QPoint edge = EdgePointFor(pressRect_, resizeDirection_, pressPoint_, cursor);
    return ResizedRect(pressRect_, resizeDirection_, edge, scale_, largest_);
}

void CquorvaDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint global = event->globalPosition().toPoint();
    if (HitZone(global, geometry(), scale_, maximised_) != kZoneCaption || fullScreen_) return;
    settleTimer_.stop();
    resizeDirection_ = kResizeNone;
    buttonHeld_ = false;
    moving_ = false;
    if (maximised_)
        Restore();
    else
        Maximise();
}

void CquorvaDlg::OnSettle() {
    settleTimer_.stop();
    const int zoneAtRelease = HitZone(releasePoint_, pressRect_, scale_, maximised_);
    if (!maximised_ && !fullScreen_ && resizeDirection_ != kResizeNone &&
        zoneAtRelease != kZoneCaption) {
        const ResizeResult r = ResizeFor(releasePoint_);
        fx_ = r.fx;
        fy_ = r.fy;
        if (frame_) frame_->MoveTo(r.rect);
        Rescale(r.rect);
        StoreFactors();
        RememberWindowRect();
    }
    resizeDirection_ = kResizeNone;
    if (!fullScreen_) CheckMonitorChange();
    if (task_.Busy()) PlaceProgressBar();
    if (!fullScreen_ && !maximised_) {
        KeepOnScreen(this);
        RememberWindowRect();
    }
}

void CquorvaDlg::CheckMonitorChange() {
    const QRect area = WorkArea();
    if (area == lastWorkArea_) return;
    lastWorkArea_ = area;
    ComputeScale();
    if (maximised_) {
        CustomMaximise();
        return;
    }
    const QRect rect(geometry().topLeft(), MainWindowSize(scale_, fx_, fy_));
    Rescale(rect);
    RememberWindowRect();
    update();
}

void CquorvaDlg::StoreFactors() {
    WriteSetting("DISPLAY", "SCALEX", FactorText(fx_));
    WriteSetting("DISPLAY", "SCALEY", FactorText(fy_));
}

void CquorvaDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (detached_ && detached_->isVisible()) PlaceDetachedWindow(true);
}

void CquorvaDlg::RememberWindowRect() {
    if (!maximised_ && !minimised_ && !fullScreen_) windowRect_ = geometry();
}

void CquorvaDlg::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (detached_ && detached_->isVisible()) PlaceDetachedWindow(true);
    if (fullScreen_ || minimised_ || maximised_) return;
    if (buttonHeld_ && resizeDirection_ != kResizeNone) return;
    windowRect_ = geometry();
}

// --- Maximise, minimise, restore ---------------------------------------------------------------

void CquorvaDlg::Maximise() {
    if (maximised_ || fullScreen_) return;
    restoreRect_ = geometry();
    maximised_ = true;
    infoTextFactor_ = 1.3;
    CustomMaximise();
    UpdateMaximiseFace();
}

void CquorvaDlg::CustomMaximise() {
    // Once at a time: moving the window may report a work-area change that comes back here.
    if (!maximised_ || fullScreen_ || maximising_) return;
    maximising_ = true;
    // The work area of the monitor that holds the restore position.
    QRect area = WorkArea();
    if (!options_.workArea.isValid()) {
        if (QScreen* screen = QGuiApplication::screenAt(restoreRect_.center()))
            area = screen->availableGeometry();
    }
    // Room for the companion window beside the main window when the screen has it.
    area = MaximisedMainWindowRect(area, scale_, detached_ && detached_->isVisible());
    if (frame_) frame_->MoveTo(area);
    Rescale(area);
    if (detached_ && detached_->isVisible()) PlaceDetachedWindow(true);
    maximising_ = false;
}

void CquorvaDlg::Restore() {
    if (!maximised_) return;
    maximised_ = false;
    infoTextFactor_ = 1.0;
    const ResizeResult f = FactorsOf(restoreRect_, scale_, largest_);
    fx_ = f.fx;
    fy_ = f.fy;
    const QRect rect = RestoreRectFor(restoreRect_, scale_, fx_, fy_);
    Rescale(rect);
    windowRect_ = rect;
    UpdateMaximiseFace();
    if (detached_ && detached_->isVisible()) PlaceDetachedWindow(true);
}

void CquorvaDlg::Minimise() {
    minimised_ = true;
    if (detached_ && detached_->isVisible()) detached_->showMinimized();
    showMinimized();
}

void CquorvaDlg::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    const Qt::WindowStates state = windowState();
    if (minimised_ && !(state & Qt::WindowMinimized)) {
        minimised_ = false;
        if (detached_ && detached_->isMinimized()) detached_->showNormal();
    }
    // A maximise asked for by the windowing system is done the window's own way.
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        setWindowState(state & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        if (!fullScreen_) Maximise();
    }
}

}  // namespace quorva
