#include "skin/skin_progress_bar.h"

#include <QPainter>

#include <algorithm>

#include "appcore/ui_scale.h"
#include "skin/ui_fonts.h"

namespace quorva {

CSkinProgressBarCtrl::CSkinProgressBarCtrl(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("progress bar"));
    setFont(UiFont(kFontF10));
}

QColor CSkinProgressBarCtrl::FillColor() {
    return QColor(0, 0, 255);
}

QColor CSkinProgressBarCtrl::RestColor() {
    return QColor(255, 255, 255);
}

void CSkinProgressBarCtrl::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    update();
}

void CSkinProgressBarCtrl::SetPos(int position) {
    position_ = position;
    update();
}

int CSkinProgressBarCtrl::FilledWidth(int clientWidth) const {
    const double span = static_cast<double>(maximum_) - minimum_;
    const double fraction = span >= 1 ? position_ / span : 0.0;
    const int filled = static_cast<int>(clientWidth * fraction);
    return std::clamp(filled, 0, std::max(clientWidth, 0));
}

QString CSkinProgressBarCtrl::Label() const {
    return QString::asprintf("%d %%", position_);
}

QRect CSkinProgressBarCtrl::PlaceIn(const QRect& client) {
    const double s = UiScale();
    const int inset = Scaled(2, s);
    const int height = Scaled(22, s);
    return QRect(client.left() + inset, client.bottom() + 1 - inset - height,
                 client.width() - 2 * inset, height);
}

void CSkinProgressBarCtrl::paintEvent(QPaintEvent*) {
    const int w = width();
    if (w <= 0) return;
    const double s = UiScale();
    const int h = Scaled(22, s);
    const int filled = FilledWidth(w);
    QPainter painter(this);
    const QRect done(0, 0, filled, h);
    const QRect rest(filled, 0, w - filled, h);
    painter.fillRect(done, FillColor());
    painter.fillRect(rest, RestColor());

    const QRect labelRect(w / 2 - Scaled(50, s), 0, 2 * Scaled(50, s), h);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    painter.setFont(font());
    painter.save();
    painter.setClipRect(done);
    painter.setPen(RestColor());
    painter.drawText(labelRect, flags, Label());
    painter.restore();
    painter.setClipRect(rest);
    painter.setPen(FillColor());
    painter.drawText(labelRect, flags, Label());
}

}  // namespace quorva
