// The look shared by the two panels: the UI scale s and font scale f, the fonts F10 and F13,
// and the colour of a 0xRRGGBB value.
#pragma once

#include <QColor>
#include <QFont>

#include <cstdint>

namespace quorva {

// The UI font of design size n (F10, F13, ...) at font scale f: the face "メイリオ" with a
// CJK fallback, a character height of MulDiv(int(f n), dpiY, 72) pixels.
QFont MakePanelFont(double fontScale, int designSize, int logicalDpiY = 96);

struct PanelLook {
    double s = 1.0;  // UI scale: every length is a design length times s, truncated
    double f = 1.0;  // font scale
    QFont f10 = MakePanelFont(1.0, 10);
    QFont f13 = MakePanelFont(1.0, 13);

    // The look at UI scale s and font scale f with fonts made at 96 dpi.
    static PanelLook At(double s, double f);
};

inline QColor ColourOf(uint32_t rgb) {
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

// int(length x s)
inline int ScaledLength(double length, double s) {
    return static_cast<int>(length * s);
}

}  // namespace quorva
