#include "app/hit_zone.h"

#include "appcore/ui_scale.h"

namespace quorva {

namespace {

struct Bands {
    QRect window;
    int b;        // border width int(6 s)
    int caption;  // int(24 s)
    int bottom;   // int(38 s) + int(2 s)

    QRect Top(int height) const {
        return QRect(window.left(), window.top(), window.width(), height);
    }
    QRect TopLeft() const { return QRect(window.left(), window.top(), b, b); }
    QRect TopRight() const { return QRect(window.right() + 1 - b, window.top(), b, b); }
    QRect BottomLeft() const { return QRect(window.left(), window.bottom() + 1 - b, b, b); }
    QRect BottomRight() const {
        return QRect(window.right() + 1 - b, window.bottom() + 1 - b, b, b);
    }
    QRect Left() const { return QRect(window.left(), window.top(), b, window.height()); }
    QRect Right() const { return QRect(window.right() + 1 - b, window.top(), b, window.height()); }
    QRect Bottom(int height) const {
        return QRect(window.left(), window.bottom() + 1 - height, window.width(), height);
    }
    QRect CaptionBand() const {
        return QRect(window.left() + b, window.top(), window.width() - 2 * b, caption);
    }
};

Bands BandsFor(const QRect& window, double s) {
    return Bands{window, Scaled(6, s), Scaled(24, s), Scaled(38, s) + Scaled(2, s)};
}

}  // namespace

int HitZone(QPoint p, const QRect& window, double s, bool maximised) {
    const Bands z = BandsFor(window, s);
    if (maximised && z.Top(z.caption).contains(p)) return kZoneCaption;
    if (z.TopLeft().contains(p)) return kZoneTopLeft;
    if (z.TopRight().contains(p)) return kZoneTopRight;
    if (z.Top(z.b).contains(p)) return kZoneTop;
    if (z.BottomLeft().contains(p)) return kZoneBottomLeft;
    if (z.BottomRight().contains(p)) return kZoneBottomRight;
    if (z.Left().contains(p)) return kZoneLeft;
    if (z.Right().contains(p)) return kZoneRight;
    if (z.Bottom(z.b).contains(p)) return kZoneBottom;
    if (z.Top(z.b / 2).contains(p)) return kZoneTop;
    if (z.CaptionBand().contains(p)) return kZoneCaption;
    if (z.Bottom(z.bottom).contains(p)) return kZoneBottomBar;
    return kZoneNone;
}

bool HitIsCaption(QPoint p, const QRect& window, double s, bool maximised) {
    const Bands z = BandsFor(window, s);
    if (maximised && z.Top(z.caption).contains(p)) return true;
    if (z.TopLeft().contains(p) || z.TopRight().contains(p) || z.Top(z.b).contains(p)) return false;
    return z.CaptionBand().contains(p);
}

bool IsResizeZone(int zone) {
    return zone >= kZoneLeft && zone <= kZoneBottomRight;
}

int ResizeDirectionForZone(int zone) {
    switch (zone) {
        case kZoneLeft:
            return kResizeLeft;
        case kZoneRight:
            return kResizeRight;
        case kZoneTop:
            return kResizeTop;
        case kZoneTopLeft:
            return kResizeTopLeft;
        case kZoneTopRight:
            return kResizeTopRight;
        case kZoneBottom:
            return kResizeBottom;
        case kZoneBottomLeft:
            return kResizeBottomLeft;
        case kZoneBottomRight:
            return kResizeBottomRight;
        default:
            return kResizeNone;
    }
}

Qt::CursorShape CursorForZone(int zone) {
    switch (zone) {
        case kZoneLeft:
        case kZoneRight:
            return Qt::SizeHorCursor;
        case kZoneTop:
        case kZoneBottom:
            return Qt::SizeVerCursor;
        case kZoneTopLeft:
        case kZoneBottomRight:
            return Qt::SizeFDiagCursor;
        case kZoneTopRight:
        case kZoneBottomLeft:
            return Qt::SizeBDiagCursor;
        default:
            return Qt::ArrowCursor;
    }
}

}  // namespace quorva
