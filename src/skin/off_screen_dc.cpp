#include "skin/off_screen_dc.h"

namespace quorva {

COffScreenDC::COffScreenDC(QSize size, QColor fill) {
    Create(size, fill);
}

void COffScreenDC::Create(QSize size, QColor fill) {
    if (size.isEmpty()) {
        image_ = QImage();
        return;
    }
    image_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    image_.fill(fill);
}

bool COffScreenDC::EnsureSize(QSize size, QColor fill) {
    if (IsValid() && image_.size() == size) return false;
    Create(size, fill);
    return true;
}

void COffScreenDC::Fill(QColor colour) {
    if (IsValid()) image_.fill(colour);
}

void COffScreenDC::CopyTo(QPainter& target, const QRect& targetRect, QPoint source) const {
    if (!IsValid() || targetRect.isEmpty()) return;
    target.drawImage(targetRect.topLeft(), image_,
                     QRect(source, targetRect.size()).intersected(image_.rect()));
}

}  // namespace quorva
