#include "app/movie_static.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "appcore/ui_scale.h"
#include "skin/skin_resources.h"

namespace quorva {

uintptr_t PackPoint(QPoint point) {
    const auto x = static_cast<uint32_t>(static_cast<int32_t>(point.x()));
    const auto y = static_cast<uint32_t>(static_cast<int32_t>(point.y()));
    return static_cast<uintptr_t>((static_cast<uint64_t>(y) << 32) | x);
}

QPoint UnpackPoint(uintptr_t packed) {
    const auto value = static_cast<uint64_t>(packed);
    return QPoint(static_cast<int32_t>(static_cast<uint32_t>(value & 0xFFFFFFFFu)),
                  static_cast<int32_t>(static_cast<uint32_t>(value >> 32)));
}

CMovieStatic::CMovieStatic(QWidget* parent) : QtVideoWidget(parent), messages_(this) {
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    pressTimer_.setSingleShot(true);
    releaseTimer_.setSingleShot(true);
    connect(&pressTimer_, &QTimer::timeout, this, &CMovieStatic::OnPressTimer);
    connect(&releaseTimer_, &QTimer::timeout, this, &CMovieStatic::OnReleaseTimer);
}

int CMovieStatic::DoubleClickTime() const {
    return doubleClickMs_ > 0 ? doubleClickMs_ : QApplication::doubleClickInterval();
}

void CMovieStatic::SetZoomCursor(bool on) {
    zoomCursor_ = on;
    if (on)
        setCursor(quorva::ZoomCursor(UiScale()));
    else
        unsetCursor();
}

bool CMovieStatic::event(QEvent* e) {
    if (e->type() == AppMessageEvent::EventType()) {
        auto* msg = static_cast<AppMessageEvent*>(e);
        OnSlotNotice(msg->id(), msg->wParam(), msg->lParam());
        return true;
    }
    return QtVideoWidget::event(e);
}

void CMovieStatic::OnSlotNotice(uint32_t id, uintptr_t wParam, intptr_t lParam) {
    if (!Relays()) return;
    if ((id == WM_APP_SESSION_READY || id == WM_APP_SESSION_ENDED) &&
        !owner_->NoticeIsCurrent(index_, wParam))
        return;
    switch (id) {
        case WM_APP_SESSION_READY:
            // Once per recording: from the sub slot, or from the main slot when the
            // recording has no second camera.
            if (index_ == 1 || !owner_->SubSlotOpened())
                owner_->OnMovieMessage(WM_APP_PLAYER_READY, wParam, lParam);
            break;
        case WM_APP_SESSION_ENDED:
            if (index_ == 0) owner_->OnMovieMessage(WM_APP_PLAYER_ENDED, wParam, lParam);
            break;
        case WM_APP_GRAPH_EVENT:
            if (index_ == 0) owner_->OnMovieMessage(WM_APP_GRAPH_EVENT, wParam, lParam);
            break;
        default:
            break;
    }
}

void CMovieStatic::paintEvent(QPaintEvent* event) {
    const bool idle = PicturePainting() && (!owner_ || !owner_->SlotOpen(index_));
    if (!idle) {
        QtVideoWidget::paintEvent(event);
        return;
    }
    // Nothing open: the idle picture of a movie view (black while it cannot be drawn).
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QImage picture = RenderSkinImage(IDB_MOVIE_IDLE, size());
    if (!picture.isNull()) painter.drawImage(rect(), picture);
}

void CMovieStatic::resizeEvent(QResizeEvent* event) {
    QtVideoWidget::resizeEvent(event);
    if (PicturePainting() && owner_ && owner_->SlotOpen(index_)) owner_->OnMovieErase(index_);
}

void CMovieStatic::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QtVideoWidget::mousePressEvent(event);
        return;
    }
    buttonReleased_ = false;
    setFocus(Qt::MouseFocusReason);
    if (!doubleClickSeen_) {
        clickHandled_ = false;
        if (index_ == 0 || index_ == 1) {
            pressPoint_ = event->position().toPoint();
            pressTimer_.start(DoubleClickTime());
        }
    }
}

void CMovieStatic::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QtVideoWidget::mouseReleaseEvent(event);
        return;
    }
    buttonReleased_ = true;
    if (doubleClickSeen_) {
        doubleClickSeen_ = false;
    } else if (index_ == 0 || index_ == 1) {
        releasePoint_ = event->position().toPoint();
        releaseTimer_.start(DoubleClickTime());
    }
}

void CMovieStatic::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QtVideoWidget::mouseDoubleClickEvent(event);
        return;
    }
    // The double click is the second press of the button.
    buttonReleased_ = false;
    pressTimer_.stop();
    releaseTimer_.stop();
    clickHandled_ = false;
    doubleClickSeen_ = true;
    if (owner_) owner_->OnMovieDoubleClick(index_);
    if (buttonReleased_) doubleClickSeen_ = false;
}

void CMovieStatic::OnPressTimer() {
    pressTimer_.stop();
    if (clickHandled_) return;
    clickHandled_ = true;
    if (Relays())
        owner_->OnMovieMessage(WM_APP_MOVIE_CLICK, static_cast<uintptr_t>(index_),
                               static_cast<intptr_t>(PackPoint(pressPoint_)));
}

void CMovieStatic::OnReleaseTimer() {
    releaseTimer_.stop();
    if (clickHandled_) clickHandled_ = false;
}

void CMovieStatic::contextMenuEvent(QContextMenuEvent* event) {
    if (!Relays()) return;
    event->accept();
    owner_->OnMovieMessage(WM_APP_MOVIE_MENU, PackPoint(event->globalPos()), index_);
}

void CMovieStatic::wheelEvent(QWheelEvent* event) {
    event->ignore();  // the wheel goes on to the parent window
}

}  // namespace quorva
