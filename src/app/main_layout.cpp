#include "app/main_layout.h"

#include <algorithm>

#include "appcore/ui_scale.h"

namespace quorva {

namespace {

// A rectangle from its edges (right and bottom exclusive, as window rectangles are).
QRect FromEdges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace

MainLayout ComputeMainLayout(QSize window, double s) {
    auto S = [s](double k) { return Scaled(k, s); };
    const int W = window.width();
    const int H = window.height();
    MainLayout l;

    l.caption = QRect(0, 0, W, S(24));
    const int movieWidth = W - 2 * S(6) - S(440) - 2 * S(6);
    const int movieHeight = H + S(-10) - S(38) - S(24) - S(150) - S(105);
    l.movie = QRect(S(6), S(24), movieWidth, movieHeight);
    const int movieBottom = l.movie.top() + l.movie.height();
    const int movieRight = l.movie.left() + l.movie.width();

    l.seekSlider = QRect(l.movie.left(), movieBottom, movieWidth, S(10));
    l.infoPanel = QRect(l.movie.left() + S(1), movieBottom + S(10), movieWidth - S(1), S(105));
    const int infoBottom = l.infoPanel.top() + l.infoPanel.height();
    const int graphHeight = S(2) + H - S(10) - S(38) - S(6) - S(105) - movieBottom;
    l.graph = QRect(l.infoPanel.left(), infoBottom, l.infoPanel.width(), graphHeight);
    l.browser = FromEdges(movieRight, l.movie.top() + 1, movieRight + S(440) + 2 * S(6),
                          H + S(-5) + S(1) - S(38));
    l.bottomBar = QRect(0, H - S(38), W, S(38));

    const int button = S(32);
    const int buttonTop = H - (S(32) + S(38)) / 2 - S(1);
    for (int i = 0; i < kBottomButtonCount; ++i) {
        const int left = S(20) + i * (S(32) + S(15)) + (i >= 9 ? S(32) - S(2) : 0);
        l.bottomButtons[i] = QRect(left, buttonTop, button, button);
    }

    l.volumeSlider = QRect(W - S(120), S(-5) + H - (S(38) + S(12)) / 2, S(100), S(20));

    const int widths[kCaptionButtonCount] = {S(46), S(26), S(26), S(150)};
    int right = W - S(6) - S(4);
    for (int i = 0; i < kCaptionButtonCount; ++i) {
        right -= widths[i];
        l.captionButtons[i] = QRect(right, 0, widths[i], S(18));
    }

    l.title = FromEdges(S(4) + S(6), S(4), S(400), S(30));
    // The progress bar's own rule: the bottom int(22 s), int(2 s) in from the sides and bottom.
    l.progressBar =
        QRect(l.movie.left() + S(2), movieBottom - S(2) - S(22), movieWidth - 2 * S(2), S(22));
    return l;
}

QSize MainWindowBaseSize(double s) {
    return QSize(Scaled(kMainWindowDesignWidth, s), Scaled(kMainWindowDesignHeight, s));
}

QSize MainWindowSize(double s, double fx, double fy) {
    const QSize base = MainWindowBaseSize(s);
    return QSize(static_cast<int>(base.width() * fx), static_cast<int>(base.height() * fy));
}

QSize DetachedWindowSize(double s) {
    auto S = [s](double k) { return Scaled(k, s); };
    const int width = S(440) + 2 * S(6);
    const int height = ((-2 * S(6) - S(2)) * 2 + S(1120) - S(440)) * 9 / 16 + S(3) - S(1);
    return QSize(width, height);
}

QRect DetachedContentRect(double s) {
    const QSize size = DetachedWindowSize(s);
    const int one = Scaled(1, s);
    const int band = Scaled(20, s);
    return QRect(one, band, size.width() - 2 * one, size.height() - band - one);
}

QRect PlaceDetachedWindow(const QRect& mainWindow, const QRect& workArea, double s) {
    const QSize size = DetachedWindowSize(s);
    const int gap = Scaled(6, s);
    const int top = std::max(workArea.top(), std::min(mainWindow.top() + Scaled(24, s),
                                                      workArea.bottom() + 1 - size.height()));
    const QRect right(QPoint(mainWindow.right() + 1 + gap, top), size);
    if (workArea.contains(right)) return right;
    const QRect left(QPoint(mainWindow.left() - gap - size.width(), top), size);
    if (workArea.contains(left)) return left;
    // No room beside it: over the lower right of the main window, above its bottom bar
    // (where the file browser's list ends), kept on the work area.
    const int overRight = std::min(mainWindow.right() + 1, workArea.right() + 1) - 2 * gap;
    const int bottom =
        std::min(mainWindow.bottom() + 1 - Scaled(38, s) - gap, workArea.bottom() + 1);
    const int x = std::max(workArea.left(), overRight - size.width());
    const int y = std::max(workArea.top(), bottom - size.height());
    return QRect(QPoint(x, y), size);
}

QRect InitialMainWindowRect(QSize window, const QRect& workArea, double s) {
    const int pair = window.width() + Scaled(6, s) + DetachedWindowSize(s).width();
    const int width = pair <= workArea.width() ? pair : window.width();
    const int left = workArea.left() + std::max(0, (workArea.width() - width) / 2);
    const int top = workArea.top() + std::max(0, (workArea.height() - window.height()) / 2);
    return QRect(QPoint(left, top), window);
}

}  // namespace quorva
