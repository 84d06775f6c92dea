#include "skin/keep_on_screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <climits>

namespace quorva {

namespace {

// Squared distance from a point to a rectangle (0 inside).
long long DistanceSquared(QPoint p, const QRect& r) {
    const long long dx = p.x() < r.left()    ? r.left() - p.x()
                         : p.x() > r.right() ? p.x() - r.right()
                                             : 0;
    const long long dy = p.y() < r.top()      ? r.top() - p.y()
                         : p.y() > r.bottom() ? p.y() - r.bottom()
                                              : 0;
    return dx * dx + dy * dy;
}

// Rectangles with exclusive right and bottom edges, as the rules are written.
struct Box {
    int left, top, right, bottom;
    explicit Box(const QRect& r)
        : left(r.left()), top(r.top()), right(r.left() + r.width()), bottom(r.top() + r.height()) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// A window that keeps being moved never settles: the rules stop after this many moves.
constexpr int kMaxMoves = 16;

}  // namespace

QRect WorkAreaNearest(QPoint point, const std::vector<ScreenArea>& screens) {
    const ScreenArea* best = nullptr;
    long long bestDistance = LLONG_MAX;
    for (const ScreenArea& screen : screens) {
        const long long d = DistanceSquared(point, screen.geometry);
        if (d < bestDistance) {
            bestDistance = d;
            best = &screen;
        }
    }
    return best ? best->workArea : QRect();
}

CDiagonal::CDiagonal(QPoint first, QPoint second, const std::vector<ScreenArea>& screens)
    : firstArea_(WorkAreaNearest(first, screens)),
      secondArea_(WorkAreaNearest(second, screens)),
      firstOn_(firstArea_.contains(first)),
      secondOn_(secondArea_.contains(second)) {}

QRect KeepOnScreenRect(QRect window, const std::vector<ScreenArea>& screens) {
    if (screens.empty() || window.isEmpty()) return window;
    for (int moves = 0; moves < kMaxMoves; ++moves) {
        const Box r(window);
        const Box a(WorkAreaNearest(window.topLeft(), screens));
        const int oy = r.Height() > a.Height() ? r.Height() - a.Height() : 0;
        const int ox = r.Width() > a.Width() ? r.Width() - a.Width() : 0;
        const CDiagonal d1(window.topLeft(), window.bottomRight(), screens);
        const CDiagonal d2(window.bottomLeft(), window.topRight(), screens);

        if (d1.BothOrNone() && d2.BothOrNone()) {
            if (d1.BothOn() || d2.BothOn()) {
                const int fx = r.right < a.left   ? r.left - a.left
                               : a.right < r.left ? r.right - a.right
                                                  : 0;
                const int fy = r.bottom < a.top   ? r.top - a.top
                               : a.bottom < r.top ? r.bottom - a.bottom
                                                  : 0;
                if (fx == 0 && fy == 0) break;
                window.translate(-(fx + ox), oy - fy);
                continue;  // check again from the new place
            }
            const int gx = a.right >= r.right ? r.left - a.left
                           : r.left < a.left  ? 0
                                              : r.right - a.right;
            const int gy = a.bottom >= r.bottom ? r.top - a.top
                           : r.top < a.top      ? 0
                                                : r.bottom - a.bottom;
            if (gx != 0 || gy != 0) window.translate(-(gx + ox), oy - gy);
            break;
        }
        // A diagonal with exactly one end on screen: only a window of which just the
        // bottom-right corner is left on a monitor is pulled up to that monitor's top.
        const int top = d1.SecondWorkArea().top();
        if (d1.OnlySecond() && !d2.OnlySecond() && r.top != top)
            window.translate(-ox, oy + top - r.top);
        break;
    }
    return window;
}

std::vector<ScreenArea> CurrentScreenAreas() {
    std::vector<ScreenArea> areas;
    for (QScreen* screen : QGuiApplication::screens())
        areas.push_back({screen->geometry(), screen->availableGeometry()});
    return areas;
}

void KeepOnScreen(QWidget* window) {
    if (!window) return;
    const std::vector<ScreenArea> screens = CurrentScreenAreas();
    if (window->isWindow()) {
        const QRect frame = window->frameGeometry();
        const QRect placed = KeepOnScreenRect(frame, screens);
        if (placed.topLeft() != frame.topLeft()) window->move(placed.topLeft());
        return;
    }
    const QRect global(window->mapToGlobal(QPoint(0, 0)), window->size());
    const QRect placed = KeepOnScreenRect(global, screens);
    if (placed.topLeft() != global.topLeft())
        window->move(window->parentWidget()->mapFromGlobal(placed.topLeft()));
}

}  // namespace quorva
