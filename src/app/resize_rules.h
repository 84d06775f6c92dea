// The rules of the main window's own resize: the largest size factor for a monitor, the
// rectangle an edge drag gives (never below the base size, never above the largest factor),
// the size factors of a rectangle, and the pace of the resize outline. Pure functions.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <chrono>
#include <string>

namespace quorva {

// 24/7: the largest size factor on any monitor.
constexpr double kLargestFactorCap = 3.4285715;

// min(2 x monitor width / int(1120 s), 24/7).
double LargestFactor(int monitorWidth, double s);

// A factor kept within 1 .. largest.
double ClampFactor(double factor, double largest);

struct ResizeResult {
    QRect rect;
    double fx = 1.0;
    double fy = 1.0;
};

// The window rectangle when the edges of the direction (hit_zone.h) follow the cursor from
// the rectangle at the button-down. A moved edge stops at the base size int(1120 s) x
// int(697 s), and is pulled back to int(int(1120 s) x largest) (or the height equivalent)
// when the factor would pass the largest factor.
ResizeResult ResizedRect(const QRect& start, int direction, QPoint cursor, double s,
                         double largest);

// Where the dragged edges go for the cursor: the edges keep the distance they had to the
// pointer at the button-down (a press a few pixels inside the border does not make the edge
// jump to the pointer). The answer is the point ResizedRect moves the edges to.
QPoint EdgePointFor(const QRect& start, int direction, QPoint press, QPoint cursor);

// The factors of a size: width / int(1120 s) and height / int(697 s), each within 1 .. largest.
ResizeResult FactorsOf(const QRect& rect, double s, double largest);

// A stored factor (DISPLAY/SCALEX or SCALEY text): 1.0 for an empty, unparsable or not
// positive value, else the value kept within 1 .. largest.
double StoredFactor(const std::string& text, double largest);
// The "%f" text a factor is stored as.
std::string FactorText(double factor);

// The restore rectangle after maximise or minimise: at least int(int(1120 s) x fx) wide and
// int(int(697 s) x fy) high, from its own top-left corner.
QRect RestoreRectFor(const QRect& restore, double s, double fx, double fy);

// The outline moves at most once every 0.08888 s.
class OutlinePace {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::microseconds kInterval{88880};

    // True (and the time is taken as the last move) when the outline may move now.
    bool Due(Clock::time_point now);
    void Reset() {
        last_ = {};
        started_ = false;
    }

  private:
    Clock::time_point last_{};
    bool started_ = false;
};

}  // namespace quorva
