// CMovieStatic: the movie window of one player slot. The engine draws into it (it is the
// slot's video output) and posts its notices to it; the window relays them, together with
// the user's clicks, double clicks and context-menu requests, to its owner (the main
// window), which decides everything. An index other than 0 or 1, or no owner, makes it inert.
#pragma once

#include <QPoint>
#include <QTimer>

#include <cstdint>

#include "appcore/app_messages.h"
#include "platform/qt/app_message_event.h"
#include "player/qt_video_widget.h"

namespace quorva {

// The main window as the movie windows see it. Relayed notices arrive as the application
// messages they stand for, called directly (not posted).
class MovieWindowOwner {
  public:
    virtual ~MovieWindowOwner() = default;
    virtual void OnMovieMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) = 0;
    virtual void OnMovieDoubleClick(int index) = 0;
    // Whether the sub slot's last Open succeeded (both cameras of the recording are open).
    virtual bool SubSlotOpened() const = 0;
    // The movie window was resized or uncovered with its slot open: re-place the picture.
    virtual void OnMovieErase(int index) = 0;
    virtual bool SlotOpen(int index) const = 0;
    // Whether a notice with this serial (its wParam) comes from the engine now open in the
    // slot; notices of a movie closed since are dropped.
    virtual bool NoticeIsCurrent(int index, uintptr_t serial) const = 0;
};

// A screen or client point packed into one message parameter (x in the low 32 bits, y in
// the high 32 bits, both signed).
uintptr_t PackPoint(QPoint point);
QPoint UnpackPoint(uintptr_t packed);

class CMovieStatic : public QtVideoWidget {
    Q_OBJECT

  public:
    explicit CMovieStatic(QWidget* parent = nullptr);

    void SetOwner(MovieWindowOwner* owner) { owner_ = owner; }
    void SetIndex(int index) { index_ = index; }
    int Index() const { return index_; }
    MovieWindowOwner* Owner() const { return owner_; }

    // Where the slot posts its notices (WM_APP_SESSION_READY, WM_APP_SESSION_ENDED).
    AppMessageTarget* MessageTarget() { return &messages_; }

    void SetZoomCursor(bool on);
    bool ZoomCursor() const { return zoomCursor_; }
    // The double-click time the click machine waits (the system's unless set).
    void SetDoubleClickTime(int ms) { doubleClickMs_ = ms; }
    int DoubleClickTime() const;

    // Click machine state, for tests.
    bool ClickHandled() const { return clickHandled_; }
    bool DoubleClickSeen() const { return doubleClickSeen_; }
    bool ButtonReleased() const { return buttonReleased_; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    bool Relays() const { return owner_ && (index_ == 0 || index_ == 1); }
    void OnSlotNotice(uint32_t id, uintptr_t wParam, intptr_t lParam);
    void OnPressTimer();    // timer 200: the delayed single click
    void OnReleaseTimer();  // timer 201

    MovieWindowOwner* owner_ = nullptr;
    int index_ = -1;
    QtMessageTarget messages_;
    bool zoomCursor_ = false;
    int doubleClickMs_ = 0;
    bool buttonReleased_ = true;
    bool clickHandled_ = false;
    bool doubleClickSeen_ = false;
    QPoint pressPoint_;
    QPoint releasePoint_;
    QTimer pressTimer_;
    QTimer releaseTimer_;
};

}  // namespace quorva
