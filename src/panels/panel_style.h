// The look shared by the two panels: the UI scale s and font scale f, the fonts F10 and F13,
// and the colour of a 0xRRGGBB value.
#pragma once

#include <QColor>
#include <QFont>

#include <cstdint>

#include "appcore/ui_scale.h"
#include "skin/ui_fonts.h"

namespace quorva {

struct PanelLook {
    double s = 1.0;  // UI scale: every length is a design length times s, truncated
    double f = 1.0;  // font scale
    QFont f10 = UiFontFor(kFontF10, 1.0, 96);
    QFont f13 = UiFontFor(kFontF13, 1.0, 96);

    // The look at UI scale s and font scale f, the fonts at the UI fonts' DPI.
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
