// The main window's own frame: the hit zones under the mouse, moving by the caption band,
// resizing through the border zones with the outline window and the settle timer, the custom
// maximise, minimise and restore, full-screen, and the move to another monitor. The frame
// keeps the window's states, its size factors and its remembered rectangles; the window
// (a FrameHost) computes its scale and lays itself out.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QTimer>

#include <memory>

#include "app/resize_rules.h"

class QMouseEvent;
class QWidget;

namespace quorva {

class CResizeFrame;

// What the frame needs of its window beyond the QWidget itself.
class FrameHost {
  public:
    virtual ~FrameHost() = default;
    // The UI scale s and the largest size factor on the current screen.
    virtual double FrameScale() const = 0;
    virtual double FrameLargestFactor() const = 0;
    // The work area the window lives on.
    virtual QRect FrameWorkArea() const = 0;
    // What a maximised window fills on the monitor that holds the point (its work area less
    // the room of the windows docked beside it).
    virtual QRect FrameMaximisedRect(QPoint point) const = 0;
    // The work area changed: the window computes its scale again.
    virtual void FrameComputeScale() = 0;
    // Sizes the window to rect (when valid) and lays it out at the current scale.
    virtual void FrameRescale(const QRect& rect) = 0;
    // Lays out the window at its present size.
    virtual void FrameLayout() = 0;
    // Shows the window full-screen (true: only the main movie view over the whole screen)
    // or its normal face again (false; the frame then gives it its size).
    virtual void FrameApplyFullScreen(bool fullScreen) = 0;
    // Maximised or restored (before the window takes its new size): the maximise button's
    // face, the info panel's stretch.
    virtual void FrameMaximisedChanged(bool maximised) = 0;
    // The window took a new place by maximise or restore: the companion windows follow.
    virtual void FramePlaceCompanions() = 0;
    // Minimised (true) or shown again (false): the companion windows follow.
    virtual void FrameMinimisedChanged(bool minimised) = 0;
    // A move or resize settled.
    virtual void FrameSettled() = 0;
    // Resizing with the outline is allowed (the controls are enabled).
    virtual bool FrameResizeAllowed() const = 0;
    // Moving by the caption is allowed (no recording is being opened).
    virtual bool FrameMoveAllowed() const = 0;
    // Stores the size factors (settings DISPLAY/SCALEX and SCALEY).
    virtual void FrameStoreFactors(double fx, double fy) = 0;
};

class MainWindowFrame : public QObject {
    Q_OBJECT

  public:
    MainWindowFrame(QWidget& window, FrameHost& host);
    ~MainWindowFrame() override;

    // The resize outline (made once the window exists; gone at shut-down).
    void CreateOutline(int lineWidth);
    void SetOutlineWidth(int lineWidth);
    void DestroyOutline();
    CResizeFrame* Outline() const { return outline_.get(); }

    // Mouse events of the window (screen coordinates); false when the event is not the
    // frame's (the window hands it on).
    bool Press(QMouseEvent* event);
    // The cursor shape for the zone under the mouse while no button is held.
    void Move(QMouseEvent* event);
    bool Release(QMouseEvent* event);
    void DoubleClick(QMouseEvent* event);
    // The window moved (remembered as its normal place unless in another state).
    void Moved();
    // The windowing system changed the window's state (minimise, maximise, full-screen).
    void WindowStateChanged();

    // After a move or resize: the new size factors, the monitor check, keeping on screen.
    void Settle();
    // A new work area (another monitor, panels coming and going).
    void CheckMonitorChange();
    void SetLastWorkArea(const QRect& area) { lastWorkArea_ = area; }

    void Maximise();
    // Maximised to the work area of the monitor that holds the restore position (once at a
    // time; the move may report a work-area change that comes back here).
    void CustomMaximise();
    void Restore();
    void Minimise(bool byButton);
    // Enters or leaves full-screen; leaving gives the window back its maximised or normal
    // size.
    void SetFullScreen(bool fullScreen);

    bool Maximised() const { return maximised_; }
    bool Minimised() const { return minimised_; }
    bool MinimisedByButton() const { return minimisedByButton_; }
    bool FullScreen() const { return fullScreen_; }
    int Zone() const { return zone_; }
    int ResizeDirection() const { return resizeDirection_; }
    bool Settling() const { return settleTimer_.isActive(); }

    double FactorX() const { return fx_; }
    double FactorY() const { return fy_; }
    void SetFactors(double fx, double fy);
    // The normal place and size (not maximised, minimised or full-screen) and the place a
    // restore goes back to.
    QRect WindowRect() const { return windowRect_; }
    QRect RestoreRect() const { return restoreRect_; }
    void SetPlacement(const QRect& rect);
    // The window's normal rectangle, or its size from the factors at its present place.
    QRect NormalRect() const;

  private:
    ResizeResult ResizeFor(QPoint cursor) const;
    void RememberWindowRect();

    QWidget& window_;
    FrameHost& host_;
    std::unique_ptr<CResizeFrame> outline_;
    QTimer settleTimer_;
    double fx_ = 1.0, fy_ = 1.0;
    QRect lastWorkArea_;
    bool fullScreen_ = false;
    bool maximising_ = false;
    bool maximised_ = false;
    bool minimised_ = false;
    bool minimisedByButton_ = false;
    QRect restoreRect_;  // before maximising
    QRect windowRect_;   // remembered position and size in the normal state
    int zone_ = 0;
    int resizeDirection_ = 0;
    bool buttonHeld_ = false;
    bool moving_ = false;
    QPoint pressPoint_;    // screen point of the button-down
    QPoint releasePoint_;  // screen point of the button-up
    QRect pressRect_;      // window rectangle at the button-down
    OutlinePace pace_;
};

}  // namespace quorva
