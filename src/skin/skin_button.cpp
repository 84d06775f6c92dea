#include "skin/skin_button.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>

#include "skin/ui_fonts.h"

namespace quorva {

namespace {
const QColor kLabelWhite(0xFF, 0xFF, 0xFF);
const QColor kLabelGrey(0x80, 0x80, 0x80);
constexpr int kMaxLabelLength = 260;
}  // namespace

CSkinButton::CSkinButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setFont(UiFont(kFontF9));
    connect(this, &QAbstractButton::clicked, this, [this] { emit command(id_); });
}

void CSkinButton::Create(const QRect& rect, int id) {
    id_ = id;
    setText(QString());
    setGeometry(rect);
}

void CSkinButton::SetImage(int bitmapId, QSize frameSize) {
    SetStrip(ImageStrip::FromResource(bitmapId, frameSize));
}

void CSkinButton::SetImage(int bitmapId, QSize frameSize, double s) {
    SetStrip(ImageStrip::FromResource(bitmapId, frameSize, s));
}

void CSkinButton::SetStrip(ImageStrip strip) {
    strip_ = std::move(strip);
    update();
}

void CSkinButton::SetHiddenFace(bool hidden) {
    if (hidden_ == hidden) return;
    hidden_ = hidden;
    update();
}

void CSkinButton::SetActive(bool active) {
    if (active_ == active) return;
    active_ = active;
    update();
}

void CSkinButton::SetCheck(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    update();
}

int CSkinButton::CurrentFrame() const {
    if (!isEnabled()) return kFrameDisabled;
    if (isDown() || checked_ || active_) return kFramePressed;
    if (hovered_ && !hidden_) return kFrameHover;
    return kFrameNormal;
}

QColor CSkinButton::CurrentTextColor() const {
    if (!isEnabled()) return kLabelGrey;
    if (isDown()) return kLabelGrey;
    if (checked_) return kLabelWhite;
    if (active_) return kLabelGrey;
    return kLabelWhite;
}

QSize CSkinButton::sizeHint() const {
    return strip_.IsEmpty() ? QSize(32, 32) : strip_.FrameSize();
}

void CSkinButton::paintEvent(QPaintEvent*) {
    if (hidden_) return;
    QPainter painter(this);
    strip_.Draw(painter, QPoint(0, 0), CurrentFrame());
    if (!isEnabled() && checked_) {
        // A disabled toggle still shows that it is on: its checked face, faded.
        painter.setOpacity(kDisabledCheckOpacity);
        strip_.Draw(painter, QPoint(0, 0), kFramePressed);
        painter.setOpacity(1.0);
    }
    const QString label = text().left(kMaxLabelLength);
    if (label.isEmpty()) return;
    painter.setFont(font());
    painter.setPen(CurrentTextColor());
    painter.drawText(rect(), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, label);
}

void CSkinButton::SetHovered(bool hovered) {
    if (hovered_ == hovered) return;
    hovered_ = hovered;
    update();
}

void CSkinButton::enterEvent(QEnterEvent* event) {
    // An active or hidden button keeps its face; a disabled one gets no hover frame.
    SetHovered(isEnabled());
    QAbstractButton::enterEvent(event);
}

void CSkinButton::leaveEvent(QEvent* event) {
    SetHovered(false);
    QAbstractButton::leaveEvent(event);
}

void CSkinButton::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

void CSkinButton::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
}

void CSkinButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) hovered_ = false;
    QAbstractButton::changeEvent(event);
}

}  // namespace quorva
