// The main window's layout: where every child goes for a window size and the UI scale s.
// Every length is a design length in pixels times s, truncated (int(k s)). Pure functions,
// so that the rectangles can be checked for any size and scale.
#pragma once

#include <QRect>
#include <QSize>

#include <array>

namespace quorva {

constexpr int kBottomButtonCount = 14;
constexpr int kCaptionButtonCount = 4;  // close, maximise / restore, minimise, thumbnail toggle

struct MainLayout {
    QRect caption;  // the caption band
    QRect movie;    // main movie view (slot 0)
    QRect seekSlider;
    QRect infoPanel;
    QRect graph;  // G-sensor graph
    QRect browser;
    QRect bottomBar;
    std::array<QRect, kBottomButtonCount> bottomButtons;
    std::array<QRect, kCaptionButtonCount> captionButtons;  // close, maximise, minimise, thumbnail
    QRect volumeSlider;
    QRect title;        // where the title text is drawn, left-top aligned
    QRect progressBar;  // over the bottom of the main movie view while a worker task runs
};

// The layout for a window (client) of the given size at scale s.
MainLayout ComputeMainLayout(QSize window, double s);

// Base size int(1120 s) x int(697 s), the smallest size of the window.
QSize MainWindowBaseSize(double s);
// int(int(1120 s) x fx) x int(int(697 s) x fy).
QSize MainWindowSize(double s, double fx, double fy);

// The detached movie window: int(440 s) + 2 int(6 s) wide, height from the main window's
// design proportions (452 x 368 at s = 1).
QSize DetachedWindowSize(double s);
// Inside it, the map window, the logo panel and the second movie view.
QRect DetachedContentRect(double s);

// Where the detached window goes the first time it is shown: beside the main window on its
// right, else on its left, else over the lower right of the main window, above its bottom
// bar.
QRect PlaceDetachedWindow(const QRect& mainWindow, const QRect& workArea, double s);

// Where the main window starts: the main window and the detached window beside it centred
// together on the work area when both fit, else the main window alone centred; never above
// or left of the work area.
QRect InitialMainWindowRect(QSize window, const QRect& workArea, double s);

}  // namespace quorva
