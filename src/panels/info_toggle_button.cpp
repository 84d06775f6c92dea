#include "panels/info_toggle_button.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>

namespace quorva {

CInfoToggleButton::CInfoToggleButton(int commandId, QWidget* parent)
    : QAbstractButton(parent), commandId_(commandId) {
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void CInfoToggleButton::SetStrip(const QImage& strip) {
    strip_ = strip;
    update();
}

int CInfoToggleButton::FrameIndex() const {
    if (!isEnabled()) return 3;
    if (isDown() || isChecked()) return 2;
    if (hover_) return 1;
    return 0;
}

void CInfoToggleButton::paintEvent(QPaintEvent*) {
    if (strip_.isNull()) return;
    const int frameWidth = strip_.width() / 4;
    const QRect source(FrameIndex() * frameWidth, 0, frameWidth, strip_.height());
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(rect(), strip_, source);
}

void CInfoToggleButton::enterEvent(QEnterEvent* event) {
    hover_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CInfoToggleButton::leaveEvent(QEvent* event) {
    hover_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

// The button is worked by the mouse only.
void CInfoToggleButton::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}
void CInfoToggleButton::keyReleaseEvent(QKeyEvent* event) {
    event->ignore();
}

}  // namespace quorva
