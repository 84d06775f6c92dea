// The skin pictures the panels draw (background, field frames, placeholders, badges, status
// and GPS pictures), rendered once per size and kept for the next paint.
#pragma once

#include <QImage>

namespace quorva {

// The skin picture of a resource id at int(width s) x int(height s); a null image when it
// cannot be loaded (the panel then draws without it).
QImage PanelPictureAt(int resourceId, double s);
// The same picture rendered at exactly this size (a frame or background stretched over a
// box stays sharp).
QImage PanelPictureSized(int resourceId, QSize size);

}  // namespace quorva
