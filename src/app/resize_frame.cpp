#include "app/resize_frame.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace quorva {

CResizeFrame::CResizeFrame() : QWidget(nullptr) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("FrameWindow"));
}

void CResizeFrame::SetLineWidth(int width) {
    line_ = std::max(1, width);
    UpdateShape();
    update();
}

void CResizeFrame::ShowOver(const QRect& rect) {
    setGeometry(rect);
    show();
    raise();
}

void CResizeFrame::MoveTo(const QRect& rect) {
    setGeometry(rect);
}

void CResizeFrame::UpdateShape() {
    const QRect all = rect();
    if (all.width() <= 2 * line_ || all.height() <= 2 * line_) {
        clearMask();
        return;
    }
    setMask(QRegion(all).subtracted(QRegion(all.adjusted(line_, line_, -line_, -line_))));
}

void CResizeFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateShape();
}

void CResizeFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(QRect(0, 0, width(), line_), FrameColour());
    painter.fillRect(QRect(0, height() - line_, width(), line_), FrameColour());
    painter.fillRect(QRect(0, 0, line_, height()), FrameColour());
    painter.fillRect(QRect(width() - line_, 0, line_, height()), FrameColour());
}

}  // namespace quorva
