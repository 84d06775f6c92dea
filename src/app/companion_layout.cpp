#include "app/companion_layout.h"

#include <algorithm>

#include "app/main_layout.h"
#include "appcore/ui_scale.h"

namespace quorva {

namespace {

int CompanionWidth(double s) {
    return DetachedWindowSize(s).width();
}

}  // namespace

QRect PlaceCompanionWindow(const QRect& mainWindow, MainWindowState state, const QRect& workArea,
                           double s) {
    if (state == MainWindowState::kFullScreen || state == MainWindowState::kMinimised) return {};
    const int width = CompanionWidth(s);
    const int top = std::max(mainWindow.top(), workArea.top());
    const int bottom = std::min(mainWindow.bottom(), workArea.bottom());
    const int height = std::max(0, bottom - top + 1);
    const QRect right(mainWindow.right() + 1, top, width, height);
    if (workArea.contains(right)) return right;
    const QRect left(mainWindow.left() - width, top, width, height);
    if (workArea.contains(left)) return left;
    // Over the file browser: right-aligned in the main window (within the work area), between
    // the caption band and the bottom bar.
    const int x =
        std::max(workArea.left(), std::min(mainWindow.right(), workArea.right()) + 1 - width);
    const int overTop = top + Scaled(24, s);
    const int overBottom = bottom - Scaled(38, s);
    return QRect(x, overTop, width, std::max(0, overBottom - overTop + 1));
}

QRect MaximisedMainWindowRect(const QRect& workArea, double s, bool companionShown) {
    if (!companionShown) return workArea;
    const int rest = workArea.width() - CompanionWidth(s);
    if (rest < MainWindowBaseSize(s).width()) return workArea;
    return QRect(workArea.topLeft(), QSize(rest, workArea.height()));
}

CompanionLayout ComputeCompanionLayout(QSize companion, double s) {
    const int one = Scaled(1, s);
    const int band = Scaled(20, s);
    const int gap = Scaled(4, s);
    CompanionLayout l;
    l.band = QRect(0, 0, companion.width(), band);
    const int width = companion.width() - 2 * one;
    const int contentHeight = companion.height() - band - one;
    // The picture keeps 16:9 but leaves the map at least a third of the height.
    const int subHeight = std::min(width * 9 / 16, contentHeight * 2 / 3);
    l.subCamera = QRect(one, band, width, std::max(0, subHeight));
    const int mapTop = band + subHeight + gap;
    l.map = QRect(one, mapTop, width, std::max(0, companion.height() - one - mapTop));
    return l;
}

}  // namespace quorva
