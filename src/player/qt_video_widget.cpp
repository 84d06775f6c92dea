#include "player/qt_video_widget.h"

#include <QMetaObject>
#include <QPainter>
#include <QResizeEvent>
#include <QThread>

#include "player/picture_placement.h"

namespace quorva {

QtVideoWidget::QtVideoWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    width_ = width();
    height_ = height();
}

void QtVideoWidget::ScheduleUpdate() {
    // Coalesce: one queued repaint at a time, run on the widget's thread.
    if (updateQueued_.exchange(true)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            updateQueued_ = false;
            update();
        },
        Qt::QueuedConnection);
}

void QtVideoWidget::Present(const FramePtr& frame, const PresentInfo&) {
    {
        std::lock_guard lock(mutex_);
        frame_ = frame;
    }
    ScheduleUpdate();
}

void QtVideoWidget::Repaint() {
    ScheduleUpdate();
}

PlayerSize QtVideoWidget::ClientSize() const {
    return {width_.load(), height_.load()};
}

PlayerSize QtVideoWidget::PresentSize(PlayerSize picture) const {
    // Converted straight to the size it is painted at, so that painting only copies.
    std::lock_guard lock(mutex_);
    const PlayerRect whole{0, 0, width_.load(), height_.load()};
    return PresentSizeFor(picture, rectSet_ ? rect_ : whole);
}

void QtVideoWidget::SetVideoRect(const PlayerRect& rect) {
    {
        std::lock_guard lock(mutex_);
        rect_ = rect;
        rectSet_ = true;
    }
    ScheduleUpdate();
}

void QtVideoWidget::SetOverlay(std::shared_ptr<const OverlayImage> overlay) {
    QImage image;
    if (overlay && overlay->pixels) {
        const VideoFrame& p = *overlay->pixels;
        image = QImage(p.width, p.height, QImage::Format_ARGB32);
        for (int y = 0; y < p.height; ++y) {
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < p.width; ++x) {
                const uint32_t v = p.PixelAt(x, y) & 0xFFFFFFu;
                out[x] = v == 0 ? 0u : (0xFF000000u | v);  // black is the colour key
            }
        }
    }
    {
        std::lock_guard lock(mutex_);
        overlay_ = image;
        if (overlay) overlayPlacement_ = overlay->placement;
    }
    ScheduleUpdate();
}

void QtVideoWidget::ClearOverlay() {
    {
        std::lock_guard lock(mutex_);
        overlay_ = QImage();
    }
    ScheduleUpdate();
}

void QtVideoWidget::SetPicturePainting(bool on) {
    picturePainting_ = on;
    update();
}

FramePtr QtVideoWidget::LastPicture() const {
    std::lock_guard lock(mutex_);
    return frame_;
}

QRect QtVideoWidget::VideoRect() const {
    std::lock_guard lock(mutex_);
    if (!rectSet_) return rect();
    return QRect(QPoint(rect_.left, rect_.top), QPoint(rect_.right - 1, rect_.bottom - 1));
}

void QtVideoWidget::resizeEvent(QResizeEvent* event) {
    width_ = event->size().width();
    height_ = event->size().height();
    QWidget::resizeEvent(event);
}

void QtVideoWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    FramePtr frame;
    QImage overlay;
    NormalizedRect placement;
    {
        std::lock_guard lock(mutex_);
        frame = frame_;
        overlay = overlay_;
        placement = overlayPlacement_;
    }
    const QRect video = VideoRect();
    const PlayerRect v{video.left(), video.top(), video.right() + 1, video.bottom() + 1};
    if (!picturePainting_ || !frame) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    for (const PlayerRect& band : BlackBands({width(), height()}, v)) {
        if (!band.IsEmpty())
            painter.fillRect(QRect(band.left, band.top, band.Width(), band.Height()), Qt::black);
    }
    const QImage picture(frame->pixels.data(), frame->width, frame->height, frame->stride,
                         QImage::Format_RGB32);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(video, picture);
    if (!overlay.isNull()) {
        const QRectF target(video.left() + placement.left * video.width(),
                            video.top() + placement.top * video.height(),
                            (placement.right - placement.left) * video.width(),
                            (placement.bottom - placement.top) * video.height());
        painter.drawImage(target, overlay);
    }
}

}  // namespace quorva
