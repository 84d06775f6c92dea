#include "app/resize_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/hit_zone.h"
#include "appcore/ui_scale.h"

namespace quorva {

double LargestFactor(int monitorWidth, double s) {
    const int base = Scaled(kMainWindowDesignWidth, s);
    if (base <= 0) return 1.0;
    return std::max(1.0, std::min(2.0 * monitorWidth / base, kLargestFactorCap));
}

double ClampFactor(double factor, double largest) {
    return std::max(1.0, std::min(factor, std::max(1.0, largest)));
}

namespace {

bool MovesLeft(int d) {
    return d == kResizeLeft || d == kResizeTopLeft || d == kResizeBottomLeft;
}
bool MovesRight(int d) {
    return d == kResizeRight || d == kResizeBottomRight || d == kResizeTopRight;
}
bool MovesTop(int d) {
    return d == kResizeTop || d == kResizeTopLeft || d == kResizeTopRight;
}
bool MovesBottom(int d) {
    return d == kResizeBottom || d == kResizeBottomRight || d == kResizeBottomLeft;
}

}  // namespace

ResizeResult ResizedRect(const QRect& start, int direction, QPoint cursor, double s,
                         double largest) {
    const int minW = Scaled(kMainWindowDesignWidth, s);
    const int minH = Scaled(kMainWindowDesignHeight, s);
    // Edges with the right and bottom ones exclusive.
    int left = start.left(), top = start.top();
    int right = left + start.width(), bottom = top + start.height();
    if (MovesLeft(direction)) left = std::min(cursor.x(), right - minW);
    if (MovesRight(direction)) right = std::max(cursor.x(), left + minW);
    if (MovesTop(direction)) top = std::min(cursor.y(), bottom - minH);
    if (MovesBottom(direction)) bottom = std::max(cursor.y(), top + minH);

    ResizeResult r;
    const double cap = std::max(1.0, largest);
    const double fx = minW > 0 ? static_cast<double>(right - left) / minW : 1.0;
    const double fy = minH > 0 ? static_cast<double>(bottom - top) / minH : 1.0;
    r.fx = ClampFactor(fx, cap);
    r.fy = ClampFactor(fy, cap);
    if (fx >= cap) {
        const int side = static_cast<int>(minW * cap);
        if (MovesLeft(direction))
            left = right - side;
        else if (MovesRight(direction))
            right = left + side;
    }
    if (fy >= cap) {
        const int side = static_cast<int>(minH * cap);
        if (MovesTop(direction))
            top = bottom - side;
        else if (MovesBottom(direction))
            bottom = top + side;
    }
    r.rect = QRect(left, top, right - left, bottom - top);
    return r;
}

QPoint EdgePointFor(const QRect& start, int direction, QPoint press, QPoint cursor) {
    const int right = start.left() + start.width();
    const int bottom = start.top() + start.height();
    const int edgeX = MovesLeft(direction)    ? start.left()
                      : MovesRight(direction) ? right
                                              : press.x();
    const int edgeY = MovesTop(direction)      ? start.top()
                      : MovesBottom(direction) ? bottom
                                               : press.y();
    return cursor + QPoint(edgeX - press.x(), edgeY - press.y());
}

ResizeResult FactorsOf(const QRect& rect, double s, double largest) {
    const int minW = Scaled(kMainWindowDesignWidth, s);
    const int minH = Scaled(kMainWindowDesignHeight, s);
    ResizeResult r;
    r.rect = rect;
    r.fx = ClampFactor(minW > 0 ? static_cast<double>(rect.width()) / minW : 1.0, largest);
    r.fy = ClampFactor(minH > 0 ? static_cast<double>(rect.height()) / minH : 1.0, largest);
    return r;
}

double StoredFactor(const std::string& text, double largest) {
    if (text.empty()) return 1.0;
    // Leading decimal text, whatever the process locale says about decimal commas.
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos) return 1.0;
    if (text[start] == '+') ++start;
    double value = 0.0;
    const auto parsed = std::from_chars(text.data() + start, text.data() + text.size(), value);
    if (parsed.ec != std::errc() || !std::isfinite(value) || value <= 0.0) return 1.0;
    return ClampFactor(value, largest);
}

std::string FactorText(double factor) {
    // "%f" in the C locale: six decimals, a decimal point.
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, factor, std::chars_format::fixed, 6);
    if (error != std::errc()) return "1.000000";
    return std::string(buffer, end);
}

QRect RestoreRectFor(const QRect& restore, double s, double fx, double fy) {
    const int minW = static_cast<int>(Scaled(kMainWindowDesignWidth, s) * fx);
    const int minH = static_cast<int>(Scaled(kMainWindowDesignHeight, s) * fy);
    return QRect(restore.topLeft(),
                 QSize(std::max(restore.width(), minW), std::max(restore.height(), minH)));
}

bool OutlinePace::Due(Clock::time_point now) {
    if (started_ && now - last_ < kInterval) return false;
    started_ = true;
    last_ = now;
    return true;
}

}  // namespace quorva
