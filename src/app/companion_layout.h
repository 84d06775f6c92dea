// The companion window: the detached movie window beside the main window, holding the second
// camera's picture above the map (or the logo panel in the map's place), so both cameras and
// the map are on screen together. It is docked to the main window's side, as high as the main
// window, and follows it through move, resize, maximise, minimise, full-screen and restore.
// Pure functions of the window rectangles and the UI scale s.
#pragma once

#include <QRect>
#include <QSize>

namespace quorva {

enum class MainWindowState { kNormal, kMaximised, kFullScreen, kMinimised };

// Where the companion goes for the main window's rectangle and state on a work area:
// - normal and maximised: docked on the main window's right, else on its left, with the
//   main window's top and height (never taller than the work area);
// - when neither side has room (a narrow screen): over the main window's file browser (the
//   strip between caption band and bottom bar on the right), so it never leaves the screen;
// - full-screen and minimised: nowhere (an empty rectangle): it is hidden with the main
//   window's picture filling the screen and comes back when that ends.
QRect PlaceCompanionWindow(const QRect& mainWindow, MainWindowState state, const QRect& workArea,
                           double s);

// The main window's rectangle when maximised on a work area with the companion beside it:
// the work area less the companion's width on the right, while that leaves the main window
// at least its base width; otherwise the whole work area (the companion then lies over the
// file browser).
QRect MaximisedMainWindowRect(const QRect& workArea, double s, bool companionShown);

// Inside the companion: the caption band, the second camera's picture (16:9 across the
// content width) and the map below it, filling the rest.
struct CompanionLayout {
    QRect band;
    QRect subCamera;
    QRect map;
};
CompanionLayout ComputeCompanionLayout(QSize companion, double s);

}  // namespace quorva
