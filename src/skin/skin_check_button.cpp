#include "skin/skin_check_button.h"

#include <QMouseEvent>
#include <QPainter>

#include "appcore/ui_scale.h"
#include "skin/ui_fonts.h"

namespace quorva {

CSkinCheckButton::CSkinCheckButton(QWidget* parent) : CSkinButton(parent) {
    setMouseTracking(true);
    setFont(UiFont(kFontF10));
}

double CSkinCheckButton::ScaleNow() const {
    return scale_ > 0 ? scale_ : UiScale();
}

void CSkinCheckButton::SetImage(int bitmapId) {
    scale_ = 0;
    const int side = Scaled(12, UiScale());
    CSkinButton::SetImage(bitmapId, QSize(side, side));
}

void CSkinCheckButton::SetImage(int bitmapId, double s) {
    scale_ = s;
    const int side = Scaled(12, s);
    CSkinButton::SetImage(bitmapId, QSize(side, side), s);
}

QRect CSkinCheckButton::MarkRect() const {
    const double s = ScaleNow();
    return QRect(0, Scaled(4, s), Scaled(12, s), Scaled(12, s));
}

int CSkinCheckButton::CurrentFrame() const {
    if (!isEnabled()) return kFrameDisabled;
    if (isDown() || GetCheck()) return kFramePressed;
    if (markHovered_) return kFrameHover;
    return kFrameNormal;
}

void CSkinCheckButton::paintEvent(QPaintEvent*) {
    if (HiddenFace()) return;
    QPainter painter(this);
    Strip().Draw(painter, MarkRect().topLeft(), CurrentFrame());
    if (!isEnabled() && GetCheck()) {
        // A disabled button still shows that it is ticked: the checked face, faded, over the
        // disabled one.
        painter.setOpacity(kDisabledCheckOpacity);
        Strip().Draw(painter, MarkRect().topLeft(), kFramePressed);
        painter.setOpacity(1.0);
    }
    if (text().isEmpty()) return;
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect labelRect = rect().adjusted(Scaled(16, ScaleNow()), 0, 0, 0);
    painter.drawText(labelRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text());
}

void CSkinCheckButton::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = MarkRect().contains(event->position().toPoint());
    const bool hover = inside && isEnabled() && !GetCheck();
    if (hover != markHovered_ || inside) {
        markHovered_ = hover;
        update();
    }
    CSkinButton::mouseMoveEvent(event);
}

void CSkinCheckButton::enterEvent(QEnterEvent* event) {
    // The hover of a check button belongs to its mark only.
    QAbstractButton::enterEvent(event);
}

void CSkinCheckButton::leaveEvent(QEvent* event) {
    if (markHovered_) {
        markHovered_ = false;
        update();
    }
    CSkinButton::leaveEvent(event);
}

}  // namespace quorva
