// Keeps a window reachable on a desktop of several monitors: a window dragged (partly) off
// every monitor's work area is moved back by the rules below. The rules work on plain
// rectangles so that they can be checked for any monitor arrangement.
#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

class QWidget;

namespace quorva {

// One monitor: its whole rectangle and its work area (without panels and docks).
struct ScreenArea {
    QRect geometry;
    QRect workArea;
};

// The work area of the monitor nearest to a point: the one that holds it, else the one
// closest to it. An empty rectangle when there are no monitors.
QRect WorkAreaNearest(QPoint point, const std::vector<ScreenArea>& screens);

// The two ends of one diagonal of a window and whether each lies in the work area of its
// nearest monitor.
class CDiagonal {
  public:
    CDiagonal(QPoint first, QPoint second, const std::vector<ScreenArea>& screens);

    QRect FirstWorkArea() const { return firstArea_; }
    QRect SecondWorkArea() const { return secondArea_; }
    bool FirstOn() const { return firstOn_; }
    bool SecondOn() const { return secondOn_; }

    bool NoneOn() const { return !firstOn_ && !secondOn_; }
    bool OnlyFirst() const { return firstOn_ && !secondOn_; }
    bool OnlySecond() const { return !firstOn_ && secondOn_; }
    bool BothOn() const { return firstOn_ && secondOn_; }
    bool BothOrNone() const { return firstOn_ == secondOn_; }
    bool ExactlyOne() const { return firstOn_ != secondOn_; }

  private:
    QRect firstArea_, secondArea_;
    bool firstOn_, secondOn_;
};

// Where the window rectangle belongs. The corners are the window's corner pixels. With a
// diagonal that has exactly one end on screen, the window is only pulled up to the work-area
// top when just its bottom-right corner is still on a monitor; when both diagonals have
// both or none of their ends on screen, a window wholly beside the work area (or wholly off
// every monitor) is moved back to its edge.
QRect KeepOnScreenRect(QRect window, const std::vector<ScreenArea>& screens);

// The monitors of this desktop.
std::vector<ScreenArea> CurrentScreenAreas();

// Moves the window back onto the screen (a top-level window by its frame; a child window
// in its parent's coordinates).
void KeepOnScreen(QWidget* window);

}  // namespace quorva
