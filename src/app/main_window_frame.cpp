#include "app/main_window_frame.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

#include "app/hit_zone.h"
#include "app/main_layout.h"
#include "app/resize_frame.h"
#include "skin/keep_on_screen.h"

namespace quorva {

MainWindowFrame::MainWindowFrame(QWidget& window, FrameHost& host) : window_(window), host_(host) {
    settleTimer_.setSingleShot(true);
    connect(&settleTimer_, &QTimer::timeout, this, &MainWindowFrame::Settle);
}

MainWindowFrame::~MainWindowFrame() = default;

void MainWindowFrame::CreateOutline(int lineWidth) {
    outline_ = std::make_unique<CResizeFrame>();
    outline_->SetLineWidth(lineWidth);
    outline_->hide();
}

void MainWindowFrame::SetOutlineWidth(int lineWidth) {
    if (outline_) outline_->SetLineWidth(lineWidth);
}

void MainWindowFrame::DestroyOutline() {
    settleTimer_.stop();
    outline_.reset();
}

void MainWindowFrame::SetFactors(double fx, double fy) {
    fx_ = fx;
    fy_ = fy;
}

void MainWindowFrame::SetPlacement(const QRect& rect) {
    windowRect_ = rect;
    restoreRect_ = rect;
}

QRect MainWindowFrame::NormalRect() const {
    if (windowRect_.isValid()) return windowRect_;
    return QRect(window_.pos(), MainWindowSize(host_.FrameScale(), fx_, fy_));
}

// --- The mouse ---------------------------------------------------------------------------------

bool MainWindowFrame::Press(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return false;
    settleTimer_.stop();
    const QPoint global = event->globalPosition().toPoint();
    pressPoint_ = global;
    releasePoint_ = global;
    pressRect_ = window_.geometry();
    buttonHeld_ = true;
    minimisedByButton_ = false;
    if (maximised_ || fullScreen_) return true;
    zone_ = HitZone(global, window_.geometry(), host_.FrameScale(), maximised_);
    resizeDirection_ = ResizeDirectionForZone(zone_);
    if (IsResizeZone(zone_)) {
        if (host_.FrameResizeAllowed() && outline_) {
            pace_.Reset();
            outline_->ShowOver(window_.geometry());
        }
        return true;
    }
    if (outline_) outline_->hide();
    if (zone_ == kZoneCaption && host_.FrameMoveAllowed()) {
        // Where the windowing system moves windows only itself, it is asked to.
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
            window_.windowHandle() && window_.windowHandle()->startSystemMove()) {
            buttonHeld_ = false;
            return true;
        }
        moving_ = true;
    } else {
        buttonHeld_ = false;
    }
    return true;
}

void MainWindowFrame::Move(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (!buttonHeld_) {
        zone_ = HitZone(global, window_.geometry(), host_.FrameScale(), maximised_);
        if (!host_.FrameMoveAllowed())
            window_.setCursor(Qt::WaitCursor);
        else if (!maximised_ && !fullScreen_)
            window_.setCursor(CursorForZone(zone_));
        else
            window_.setCursor(Qt::ArrowCursor);
        return;
    }
    if (moving_) {
        window_.move(global - (pressPoint_ - pressRect_.topLeft()));
        return;
    }
    if (resizeDirection_ != kResizeNone && host_.FrameResizeAllowed() && outline_ &&
        pace_.Due(OutlinePace::Clock::now())) {
        outline_->MoveTo(ResizeFor(global).rect);
    }
}

bool MainWindowFrame::Release(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !buttonHeld_) return false;
    buttonHeld_ = false;
    releasePoint_ = event->globalPosition().toPoint();
    const int settle = std::max(1, QApplication::doubleClickInterval() / 2);
    if (moving_) {
        moving_ = false;
        if (!maximised_) {
            RememberWindowRect();
            settleTimer_.start(settle);
        }
        return true;
    }
    if (resizeDirection_ != kResizeNone && !maximised_ && host_.FrameResizeAllowed() && outline_) {
        outline_->MoveTo(ResizeFor(releasePoint_).rect);
        outline_->hide();
        outline_->MoveTo(window_.geometry());
        settleTimer_.start(settle);
    }
    return true;
}

ResizeResult MainWindowFrame::ResizeFor(QPoint cursor) const {
    const QPoint edge = EdgePointFor(pressRect_, resizeDirection_, pressPoint_, cursor);
    return ResizedRect(pressRect_, resizeDirection_, edge, host_.FrameScale(),
                       host_.FrameLargestFactor());
}

void MainWindowFrame::DoubleClick(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint global = event->globalPosition().toPoint();
    if (HitZone(global, window_.geometry(), host_.FrameScale(), maximised_) != kZoneCaption ||
        fullScreen_)
        return;
    settleTimer_.stop();
    resizeDirection_ = kResizeNone;
    buttonHeld_ = false;
    moving_ = false;
    if (maximised_)
        Restore();
    else
        Maximise();
}

// --- Settling -----------------------------------------------------------------------------------

void MainWindowFrame::Settle() {
    settleTimer_.stop();
    const int zoneAtRelease = HitZone(releasePoint_, pressRect_, host_.FrameScale(), maximised_);
    if (!maximised_ && !fullScreen_ && resizeDirection_ != kResizeNone &&
        zoneAtRelease != kZoneCaption) {
        const ResizeResult r = ResizeFor(releasePoint_);
        fx_ = r.fx;
        fy_ = r.fy;
        if (outline_) outline_->MoveTo(r.rect);
        host_.FrameRescale(r.rect);
        host_.FrameStoreFactors(fx_, fy_);
        RememberWindowRect();
    }
    resizeDirection_ = kResizeNone;
    if (!fullScreen_) CheckMonitorChange();
    host_.FrameSettled();
    if (!fullScreen_ && !maximised_) {
        KeepOnScreen(&window_);
        RememberWindowRect();
    }
}

void MainWindowFrame::CheckMonitorChange() {
    const QRect area = host_.FrameWorkArea();
    if (area == lastWorkArea_) return;
    lastWorkArea_ = area;
    host_.FrameComputeScale();
    if (maximised_) {
        CustomMaximise();
        return;
    }
    const QRect rect(window_.geometry().topLeft(), MainWindowSize(host_.FrameScale(), fx_, fy_));
    host_.FrameRescale(rect);
    RememberWindowRect();
    window_.update();
}

void MainWindowFrame::RememberWindowRect() {
    if (!maximised_ && !minimised_ && !fullScreen_) windowRect_ = window_.geometry();
}

void MainWindowFrame::Moved() {
    if (fullScreen_ || minimised_ || maximised_) return;
    if (buttonHeld_ && resizeDirection_ != kResizeNone) return;
    windowRect_ = window_.geometry();
}

// --- Maximise, minimise, restore, full-screen ---------------------------------------------------

void MainWindowFrame::Maximise() {
    if (maximised_ || fullScreen_) return;
    restoreRect_ = window_.geometry();
    maximised_ = true;
    host_.FrameMaximisedChanged(true);
    CustomMaximise();
}

void MainWindowFrame::CustomMaximise() {
    if (!maximised_ || fullScreen_ || maximising_) return;
    maximising_ = true;
    // On the monitor that holds the restore position.
    const QRect area = host_.FrameMaximisedRect(restoreRect_.center());
    if (outline_) outline_->MoveTo(area);
    host_.FrameRescale(area);
    host_.FramePlaceCompanions();
    maximising_ = false;
}

void MainWindowFrame::Restore() {
    if (!maximised_) return;
    maximised_ = false;
    host_.FrameMaximisedChanged(false);
    const double s = host_.FrameScale();
    const ResizeResult f = FactorsOf(restoreRect_, s, host_.FrameLargestFactor());
    fx_ = f.fx;
    fy_ = f.fy;
    const QRect rect = RestoreRectFor(restoreRect_, s, fx_, fy_);
    host_.FrameRescale(rect);
    windowRect_ = rect;
    host_.FramePlaceCompanions();
}

void MainWindowFrame::Minimise(bool byButton) {
    if (byButton) minimisedByButton_ = true;
    minimised_ = true;
    host_.FrameMinimisedChanged(true);
    window_.showMinimized();
}

void MainWindowFrame::WindowStateChanged() {
    const Qt::WindowStates state = window_.windowState();
    if (minimised_ && !(state & Qt::WindowMinimized)) {
        minimised_ = false;
        host_.FrameMinimisedChanged(false);
    }
    // A maximise asked for by the windowing system is done the window's own way.
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        window_.setWindowState(state & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        if (!fullScreen_) Maximise();
    }
}

void MainWindowFrame::SetFullScreen(bool fullScreen) {
    fullScreen_ = fullScreen;
    host_.FrameApplyFullScreen(fullScreen);
    if (fullScreen) return;
    if (maximised_) {
        CustomMaximise();
    } else {
        window_.setGeometry(NormalRect());
        host_.FrameLayout();
    }
}

}  // namespace quorva
