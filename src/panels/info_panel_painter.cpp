#include "panels/info_panel_painter.h"

#include <QFontMetrics>
#include <QString>

#include <optional>

#include "appcore/ui_text.h"
#include "panels/event_detectors.h"
#include "panels/info_panel_texts.h"
#include "panels/panel_pictures.h"
#include "skin/skin_resources.h"

namespace quorva {

void InfoPanelState::Reset() {
    speed = -1.0;
    g = {-5.0, -5.0, -5.0};
    position = -1;
    statusLetter = 'M';
    fixValid = false;
    voltage = -1;
    resolutionCode = 0;
}

static int Trunc(double v) {
    return static_cast<int>(v);
}

InfoPanelBoxes::InfoPanelBoxes(double s, double stretch) : s_(s), p_(stretch) {
    const double sp = s * stretch;
    date = QRect(QPoint(Trunc(26 * sp), Trunc(7 * s)),
                 QPoint(Trunc(26 * sp + 200 * s) - 1, Trunc(26 * s) - 1));
    rate = QRect(QPoint(Trunc(308 * sp), Trunc(7 * s)),
                 QPoint(Trunc(308 * sp + 160 * s) - 1, Trunc(34 * s) - 1));
    speed = QRect(QPoint(Trunc(531 * sp), Trunc(7 * s)),
                  QPoint(Trunc(531 * sp + 100 * s) - 1, Trunc(28 * s) - 1));
    speedNumber = speed.adjusted(0, 0, -Trunc(35 * s), 0);
    speedUnit = speed.translated(0, Trunc(4 * s));
    // The placeholder stands where the number goes (19 s in), leaving "km/h" free.
    speedPlaceholder = QRect(QPoint(speed.left() + Trunc(19 * s), speed.top()),
                             QPoint(speedNumber.right(), speed.bottom()));
    voltage = QRect(QPoint(Trunc(501 * sp), Trunc(7 * s)),
                    QPoint(Trunc(501 * sp + 100 * s) - 1, Trunc(28 * s) - 1));
    voltageUnit = voltage.translated(Trunc(18 * s), 0);
    voltagePlaceholder = voltage.translated(Trunc(19 * s), 0);
    badge = QPoint(Trunc(440 * sp), Trunc(45 * s));
    status = QPoint(badge.x() + Trunc(75 * sp), badge.y());
    gps = QPoint(badge.x() + Trunc(140 * sp), badge.y());
}

QRect InfoPanelBoxes::gLabel(int k) const {
    const int left = Trunc(30 * s_ * p_ + 22 * s_ + k * 140 * s_ * p_);
    return QRect(QPoint(left, Trunc(40 * s_)),
                 QPoint(left + Trunc(150 * s_) - 1, Trunc(80 * s_) - 1));
}

QRect InfoPanelBoxes::gValue(int k) const {
    const int left = Trunc(30 * s_ * p_ + 22 * s_ + k * 140 * s_ * p_);
    return QRect(QPoint(left, Trunc(62 * s_)),
                 QPoint(left + Trunc(58 * s_) - 1, Trunc(82 * s_) - 1));
}

QRect InfoPanelBoxes::toggle(int k) const {
    const int left = Trunc(30 * s_ * p_ + k * 140 * s_ * p_);
    return QRect(left, Trunc(45 * s_), Trunc(12 * s_), Trunc(12 * s_));
}

namespace {

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// The picture stretched over a rectangle, rendered at that size.
void Picture(QPainter& p, int id, double, const QRect& where) {
    const QImage image = PanelPictureSized(id, where.size());
    if (!image.isNull()) p.drawImage(where.topLeft(), image);
}

// The picture at its own size (design size x s) with its top-left corner at a point.
QRect PictureAt(QPainter& p, int id, double s, QPoint at) {
    const QImage image = PanelPictureAt(id, s);
    if (image.isNull()) return {};
    p.drawImage(at, image);
    return QRect(at, image.size());
}

// A field frame around a box, `pad` pixels wider on each side.
void Frame(QPainter& p, int id, double s, const QRect& box, int padX, int padY) {
    Picture(p, id, s, box.adjusted(-padX, -padY, padX, padY));
}

QColor Dimmed(QColor c, double alpha) {
    c.setAlphaF(static_cast<float>(alpha));
    return c;
}

// Text of the date placeholder: readable, clearly not a value.
const QColor kPlaceholderText(0x6b, 0x70, 0x78);

void PaintDate(QPainter& p, const InfoPanelBoxes& b, const InfoPanelState& st,
               const PanelLook& look) {
    const int pad = ScaledLength(5, look.s);
    Frame(p, IDB_INFO_DATE_FRAME, look.s, b.date, pad, ScaledLength(1, look.s) + 1);
    p.setFont(look.f13);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    const std::optional<std::string> text =
        PanelDateTimeText(st.startTime, st.position, st.frameMs, st.timeLapse);
    if (text) {
        p.setPen(Qt::white);
        p.drawText(b.date, flags, Utf8(*text));
        return;
    }
    // The placeholder is the frame carrying the dimmed sample text, sized from that text.
    const QString sample = QString::fromLatin1(kDatePlaceholderText);
    const QFontMetrics metrics(look.f13);
    const QRect area =
        QRect(b.date.topLeft(), QSize(metrics.horizontalAdvance(sample), b.date.height()))
            .intersected(b.date);
    p.setPen(kPlaceholderText);
    p.drawText(area, flags, sample);
}

void PaintRate(QPainter& p, const InfoPanelBoxes& b, const InfoPanelState& st,
               const PanelLook& look) {
    if (st.rateText.empty()) return;
    // Left-aligned on the line of the date, so the two texts of the top row line up.
    const QRect line(b.rate.left(), b.date.top(), b.rate.width(), b.date.height());
    const QRect frame = line.adjusted(-ScaledLength(6, look.s), -(ScaledLength(1, look.s) + 1), 0,
                                      ScaledLength(1, look.s) + 1);
    Picture(p, IDB_INFO_RATE_FRAME, look.s, frame);
    p.setFont(look.f13);
    p.setPen(Qt::white);
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Utf8(st.rateText));
}

void PaintSpeed(QPainter& p, const InfoPanelBoxes& b, const InfoPanelState& st,
                const PanelLook& look) {
    Frame(p, IDB_INFO_SPEED_FRAME, look.s, b.speed, ScaledLength(5, look.s),
          ScaledLength(1, look.s) + 1);
    const int flags = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;
    if (const auto number = SpeedNumberText(st.fixValid, st.speed)) {
        p.setFont(look.f13);
        p.setPen(Qt::white);
        p.drawText(b.speedNumber, flags, Utf8(*number));
    } else {
        Picture(p, IDB_PLACEHOLDER_SPEED, look.s, b.speedPlaceholder);
    }
    p.setFont(look.f10);
    p.setPen(Qt::white);
    p.drawText(b.speedUnit, flags, QStringLiteral("km/h"));
}

void PaintVoltage(QPainter& p, const InfoPanelBoxes& b, const InfoPanelState& st,
                  const PanelLook& look) {
    const QRect both = b.voltage.united(b.voltageUnit);
    Frame(p, IDB_INFO_SPEED_FRAME, look.s, both, ScaledLength(5, look.s),
          ScaledLength(1, look.s) + 1);
    const int flags = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;
    if (const auto volts = VoltageText(st.voltage)) {
        p.setFont(look.f13);
        p.setPen(Qt::white);
        p.drawText(b.voltage, flags, Utf8(*volts));
        p.drawText(b.voltageUnit, flags, QStringLiteral("V"));
    } else {
        Picture(p, IDB_PLACEHOLDER_VOLTAGE, look.s, b.voltagePlaceholder.intersected(both));
    }
}

void PaintGColumns(QPainter& p, const InfoPanelBoxes& b, const InfoPanelState& st,
                   const PanelLook& look) {
    p.setFont(look.f13);
    for (int k = 0; k < 3; ++k) {
        const QColor colour = ColourOf(AxisColour(k));
        p.setPen(colour);
        p.drawText(b.gLabel(k), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   Utf8(UiText(62 + k)));
        const QRect value = b.gValue(k);
        Frame(p, IDB_INFO_G_FRAME, look.s, value, ScaledLength(3, look.s), ScaledLength(1, look.s));
        const int flags = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;
        const QRect inner = value.adjusted(0, 0, -ScaledLength(2, look.s), 0);
        if (const auto text = GValueText(st.g[k])) {
            p.setPen(colour);
            p.drawText(inner, flags, Utf8(*text));
        } else {
            p.setPen(Dimmed(colour, 0.45));
            p.drawText(inner, flags, QString::fromLatin1(kGPlaceholderText));
        }
    }
}

void PaintPictures(QPainter& p, const InfoPanelBoxes& b, const InfoPanelState& st,
                   const PanelLook& look) {
    if (st.resolutionCode == 11 || st.resolutionCode == 12) {
        PictureAt(p, st.resolutionCode == 11 ? IDB_BADGE_720 : IDB_BADGE_1080, look.s, b.badge);
    }
    const int status = st.statusLetter == 'R'   ? IDB_STATUS_UPPER_R
                       : st.statusLetter == 'r' ? IDB_STATUS_LOWER_R
                                                : IDB_STATUS_OTHER;
    const QImage statusImage = PanelPictureAt(status, look.s);
    const int slot = ScaledLength(60, look.s);
    p.drawImage(QPoint(b.status.x() + (slot - statusImage.width()) / 2, b.status.y()), statusImage);
    if (st.fixValid) PictureAt(p, IDB_GPS_FIX, look.s, b.gps);
}

}  // namespace

void PaintInfoPanel(QPainter& p, const QSize& size, const InfoPanelState& st,
                    const PanelLook& look) {
    if (size.width() <= 0 || size.height() <= 0) return;
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QRect client(QPoint(0, 0), size);
    p.fillRect(client, Qt::black);
    Picture(p, IDB_INFO_BACKGROUND, look.s, client);
    const InfoPanelBoxes boxes(look.s, st.stretch);
    PaintDate(p, boxes, st, look);
    PaintRate(p, boxes, st, look);
    if (st.parkingTrace) {
        PaintVoltage(p, boxes, st, look);
    } else {
        PaintSpeed(p, boxes, st, look);
    }
    PaintGColumns(p, boxes, st, look);
    PaintPictures(p, boxes, st, look);
    p.restore();
}

}  // namespace quorva
