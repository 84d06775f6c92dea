// The zones of the main window's own frame: which part of the window a screen point is on,
// the resize direction a zone starts, and the cursor it shows. Pure functions of the window
// rectangle and the UI scale s (the border is int(6 s) wide).
#pragma once

#include <QPoint>
#include <QRect>
#include <Qt>

namespace quorva {

enum HitZoneCode : int {
    kZoneNone = 0,
    kZoneBottomBar = 1,  // the bottom bar with the buttons
    kZoneCaption = 2,
    kZoneLeft = 10,
    kZoneRight = 11,
    kZoneTop = 12,
    kZoneTopLeft = 13,
    kZoneTopRight = 14,
    kZoneBottom = 15,
    kZoneBottomLeft = 16,
    kZoneBottomRight = 17,
};

enum ResizeDirection : int {
    kResizeNone = 0,
    kResizeLeft = 1,
    kResizeTop = 2,
    kResizeRight = 3,
    kResizeBottom = 4,
    kResizeTopLeft = 5,
    kResizeBottomRight = 6,
    kResizeBottomLeft = 7,
    kResizeTopRight = 8,
};

// The zone of a screen point for a window rectangle (screen coordinates), tested in a fixed
// order; the first match wins. While maximised the top int(24 s) band is all caption.
int HitZone(QPoint point, const QRect& window, double s, bool maximised);

// What the window answers the windowing system for a point: whether it is caption (the
// system may move the window by it) or client (the window handles the mouse itself).
bool HitIsCaption(QPoint point, const QRect& window, double s, bool maximised);

bool IsResizeZone(int zone);  // 10..17
int ResizeDirectionForZone(int zone);
// The sizing arrow of a zone; the plain arrow outside the border zones.
Qt::CursorShape CursorForZone(int zone);

}  // namespace quorva
