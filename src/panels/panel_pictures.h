// The pictures of the two panels by their role, rendered at the UI scale: the graph's
// background, the info panel's background, field frames, placeholders, resolution badges,
// status and GPS pictures, and the frame strip of the info panel's toggle buttons.
#pragma once

#include <QImage>
#include <QSize>

namespace quorva {

enum class PanelPicture {
    kGraphBackground,  // 640 x 120: label strip, grid, frame, dotted zero line
    kInfoBackground,
    kDateFrame,
    kSpeedFrame,
    kGFrame,
    kRateFrame,
    kDatePlaceholder,
    kSpeedPlaceholder,
    kVoltagePlaceholder,
    kGPlaceholderX,
    kGPlaceholderY,
    kGPlaceholderZ,
    kBadge720,
    kBadge1080,
    kStatusUpperR,
    kStatusLowerR,
    kStatusOther,
    kGpsFix,
    kToggleStrip,  // four 12 x 12 frames: normal, hover, checked, disabled
};

// Size in design pixels.
QSize PanelPictureDesignSize(PanelPicture picture);

// The picture at UI scale s: int(width s) x int(height s). Kept once made.
const QImage& PanelPictureAt(PanelPicture picture, double s);

}  // namespace quorva
