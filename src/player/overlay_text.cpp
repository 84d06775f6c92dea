#include "player/overlay_text.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstring>

#include "player/picture_placement.h"

namespace quorva {

std::shared_ptr<VideoFrame> RenderOverlayText(const std::string& text, const std::string& face) {
    auto frame = std::make_shared<VideoFrame>();
    frame->width = kOverlayWidth;
    frame->height = kOverlayHeight;
    frame->stride = kOverlayWidth * 4;
    frame->pixels.assign(static_cast<size_t>(frame->stride) * kOverlayHeight, 0);
    for (size_t i = 3; i < frame->pixels.size(); i += 4)
        frame->pixels[i] = 0xFF;
    if (text.empty() || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return frame;
    QImage image(frame->pixels.data(), frame->width, frame->height, frame->stride,
                 QImage::Format_RGB32);
    QPainter painter(&image);
    QFont font(QString::fromStdString(face));
    font.setPointSize(42);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x00, 0xFF, 0x00));
    painter.drawText(QRect(0, 0, kOverlayWidth, kOverlayHeight), Qt::TextWordWrap,
                     QString::fromStdString(text));
    painter.end();
    return frame;
}

}  // namespace quorva
