#include "skin/image_strip.h"

#include <QPainter>

#include <algorithm>

#include "skin/skin_resources.h"

namespace quorva {

ImageStrip::ImageStrip(const QPixmap& strip, QSize frameSize) : frameSize_(frameSize) {
    if (strip.isNull() || frameSize.isEmpty()) return;
    const int count = strip.width() / frameSize.width();
    const int height = std::min(frameSize.height(), strip.height());
    for (int i = 0; i < count; ++i)
        frames_.push_back(strip.copy(i * frameSize.width(), 0, frameSize.width(), height));
}

ImageStrip ImageStrip::FromResource(int resourceId, QSize frameSize) {
    return ImageStrip(LoadScaledBitmap(resourceId), frameSize);
}

ImageStrip ImageStrip::FromResource(int resourceId, QSize frameSize, double s) {
    return ImageStrip(LoadScaledBitmap(resourceId, s), frameSize);
}

QPixmap ImageStrip::Frame(int index) const {
    if (index < 0 || index >= Count()) return {};
    return frames_[static_cast<size_t>(index)];
}

void ImageStrip::Draw(QPainter& painter, QPoint at, int index) const {
    if (index < 0 || index >= Count()) return;
    painter.drawPixmap(at, frames_[static_cast<size_t>(index)]);
}

}  // namespace quorva
