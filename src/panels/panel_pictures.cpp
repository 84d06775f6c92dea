#include "panels/panel_pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <map>
#include <utility>

namespace quorva {

namespace {

// One palette with the rest of the skin: dark flat surfaces, light-grey glyphs.
const QColor kLine(0x3a, 0x3f, 0x46);
const QColor kFieldFill(0x12, 0x14, 0x17);
const QColor kGlyph(0xdd, 0xe0, 0xe4);
const QColor kDim(0x5d, 0x62, 0x6a);
const QColor kAccent(0x3d, 0x8b, 0xff);
const QColor kDanger(0xd9, 0x36, 0x2b);
const QColor kGreen(0x46, 0xc4, 0x6e);

QFont BadgeFont(double pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK JP")});
    font.setBold(true);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    return font;
}

void FieldBox(QPainter& p, const QSizeF& size, const QColor& stroke, const QColor& fill) {
    p.setPen(QPen(stroke, 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0), 4.0, 4.0);
}

void DrawGraphBackground(QPainter& p, const QSizeF& size) {
    const double strip = 41.0;
    const double right = size.width();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(QPointF(0, 0), size), Qt::black);
    auto hairline = [](const QColor& colour) {
        QPen pen(colour, 0.0);  // cosmetic: one pixel at every scale
        pen.setCosmetic(true);
        return pen;
    };
    p.setPen(hairline(QColor(0x3c, 0x40, 0x46)));
    for (int y = 10; y < 120; y += 10) {
        if (y != 60) p.drawLine(QPointF(strip, y), QPointF(right, y));
    }
    QPen dotted = hairline(Qt::white);
    dotted.setDashPattern({3.0, 3.0});
    p.setPen(dotted);
    p.drawLine(QPointF(strip, 60), QPointF(right, 60));
    // The frame has no right side: the grid part is repeated to the right of the picture.
    p.setPen(hairline(Qt::white));
    p.drawLine(QPointF(strip, 0), QPointF(right, 0));
    p.drawLine(QPointF(strip, 119), QPointF(right, 119));
    p.drawLine(QPointF(strip - 1, 0), QPointF(strip - 1, 119));
}

void DrawInfoBackground(QPainter& p, const QSizeF& size) {
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0x23, 0x27, 0x2c));
    g.setColorAt(1, QColor(0x19, 0x1b, 0x1f));
    p.fillRect(QRectF(QPointF(0, 0), size), g);
    p.setPen(QPen(kLine, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0));
    p.setPen(QPen(QColor(0x30, 0x35, 0x3b), 1.0));
    p.drawLine(QPointF(12, 35.5), QPointF(size.width() - 12, 35.5));
}

void DrawPlaceholder(QPainter& p, const QSizeF& size, const QColor& tint) {
    QColor edge = tint;
    edge.setAlphaF(0.35f);
    FieldBox(p, size, edge, QColor(0x15, 0x17, 0x1a));
    QColor dash = tint;
    dash.setAlphaF(0.55f);
    p.setPen(Qt::NoPen);
    p.setBrush(dash);
    for (double x = size.width() - 14; x > 8; x -= 10) {
        p.drawRoundedRect(QRectF(x, size.height() / 2 - 1, 6, 2), 1, 1);
    }
}

void DrawBadge(QPainter& p, const QSizeF& size, const QString& label, const QColor& fill) {
    QColor edge = Qt::white;
    edge.setAlphaF(0.25f);
    p.setPen(QPen(edge, 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 5, 5);
    p.setPen(Qt::white);
    p.setFont(BadgeFont(13));
    p.drawText(QRectF(QPointF(0, 0), size), Qt::AlignCenter, label);
}

void DrawStatus(QPainter& p, const QSizeF& size, char kind) {
    FieldBox(p, size, kLine, kFieldFill);
    QString label = QStringLiteral("REC");
    QColor text = Qt::white;
    if (kind == 'R') {
        p.setPen(Qt::NoPen);
        p.setBrush(kDanger);
        p.drawEllipse(QPointF(14, 12), 5.5, 5.5);
    } else if (kind == 'r') {
        p.setPen(QPen(kDanger, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(14, 12), 4.8, 4.8);
        text = QColor(0xc8, 0xcc, 0xd2);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x6b, 0x70, 0x78));
        p.drawEllipse(QPointF(14, 12), 5.5, 5.5);
        label = QStringLiteral("---");
        text = QColor(0x8a, 0x92, 0x9c);
    }
    p.setPen(text);
    p.setFont(BadgeFont(11));
    p.drawText(QRectF(22, 0, size.width() - 24, size.height()), Qt::AlignCenter, label);
}

void DrawGps(QPainter& p) {
    // A satellite with a signal arc.
    p.setPen(QPen(kGlyph, 2.2));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    auto rotated = [&](QRectF r, QPointF centre) {
        p.save();
        p.translate(centre);
        p.rotate(45);
        p.translate(-centre);
        p.drawRoundedRect(r, 0.8, 0.8);
        p.restore();
    };
    rotated(QRectF(8.2, 8.2, 7.6, 7.6), QPointF(12, 12));
    rotated(QRectF(1.5, 6, 6, 3.2), QPointF(4.5, 7.6));
    rotated(QRectF(16.5, 14.8, 6, 3.2), QPointF(19.5, 16.4));
    QPainterPath arcs;
    arcs.moveTo(15, 21);
    arcs.quadTo(21, 21, 21, 15);
    arcs.moveTo(15, 18.2);
    arcs.quadTo(18.2, 18.2, 18.2, 15);
    p.setBrush(Qt::NoBrush);
    QPen arcPen(kGreen, 1.5);
    arcPen.setCapStyle(Qt::RoundCap);
    p.setPen(arcPen);
    p.drawPath(arcs);
}

void DrawToggleStrip(QPainter& p) {
    // normal, hover, checked, disabled; black is the transparent colour of the strip.
    const QColor outlines[4] = {QColor(0x8a, 0x92, 0x9c), kAccent, kAccent, kDim};
    const QColor fills[4] = {QColor(0x1e, 0x21, 0x25), QColor(0x35, 0x3b, 0x44), kAccent,
                             QColor(0x25, 0x29, 0x2e)};
    for (int k = 0; k < 4; ++k) {
        const QRectF box(12.0 * k + 0.75, 0.75, 10.5, 10.5);
        p.setPen(QPen(outlines[k], 1.2));
        p.setBrush(fills[k]);
        p.drawRoundedRect(box, 2.0, 2.0);
        if (k == 2) {
            QPen tick(Qt::white, 1.6);
            tick.setCapStyle(Qt::RoundCap);
            tick.setJoinStyle(Qt::RoundJoin);
            p.setPen(tick);
            p.setBrush(Qt::NoBrush);
            QPainterPath mark;
            mark.moveTo(12.0 * k + 3.0, 6.2);
            mark.lineTo(12.0 * k + 5.2, 8.4);
            mark.lineTo(12.0 * k + 9.2, 3.8);
            p.drawPath(mark);
        }
    }
}

QImage Render(PanelPicture picture, double s) {
    const QSize design = PanelPictureDesignSize(picture);
    const QSize size(std::max(1, static_cast<int>(design.width() * s)),
                     std::max(1, static_cast<int>(design.height() * s)));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.scale(static_cast<double>(size.width()) / design.width(),
            static_cast<double>(size.height()) / design.height());
    const QSizeF d(design);
    switch (picture) {
        case PanelPicture::kGraphBackground:
            DrawGraphBackground(p, d);
            break;
        case PanelPicture::kInfoBackground:
            DrawInfoBackground(p, d);
            break;
        case PanelPicture::kDateFrame:
        case PanelPicture::kSpeedFrame:
        case PanelPicture::kGFrame:
        case PanelPicture::kRateFrame:
            FieldBox(p, d, kLine, kFieldFill);
            break;
        case PanelPicture::kDatePlaceholder:
        case PanelPicture::kSpeedPlaceholder:
        case PanelPicture::kVoltagePlaceholder:
            DrawPlaceholder(p, d, QColor(0x9a, 0xa0, 0xa8));
            break;
        case PanelPicture::kGPlaceholderX:
            DrawPlaceholder(p, d, QColor(0x00, 0xff, 0x00));
            break;
        case PanelPicture::kGPlaceholderY:
            DrawPlaceholder(p, d, QColor(0xff, 0x00, 0x00));
            break;
        case PanelPicture::kGPlaceholderZ:
            DrawPlaceholder(p, d, QColor(0x80, 0x80, 0xff));
            break;
        case PanelPicture::kBadge720:
            DrawBadge(p, d, QStringLiteral("HD"), QColor(0x2f, 0x5b, 0x8f));
            break;
        case PanelPicture::kBadge1080:
            DrawBadge(p, d, QStringLiteral("FHD"), QColor(0x24, 0x63, 0xc7));
            break;
        case PanelPicture::kStatusUpperR:
            DrawStatus(p, d, 'R');
            break;
        case PanelPicture::kStatusLowerR:
            DrawStatus(p, d, 'r');
            break;
        case PanelPicture::kStatusOther:
            DrawStatus(p, d, '-');
            break;
        case PanelPicture::kGpsFix:
            DrawGps(p);
            break;
        case PanelPicture::kToggleStrip:
            DrawToggleStrip(p);
            break;
    }
    return image;
}

}  // namespace

QSize PanelPictureDesignSize(PanelPicture picture) {
    switch (picture) {
        case PanelPicture::kGraphBackground:
            return {640, 120};
        case PanelPicture::kInfoBackground:
            return {655, 105};
        case PanelPicture::kDateFrame:
            return {210, 22};
        case PanelPicture::kSpeedFrame:
            return {110, 24};
        case PanelPicture::kGFrame:
            return {64, 22};
        case PanelPicture::kRateFrame:
            return {160, 27};
        case PanelPicture::kDatePlaceholder:
            return {200, 19};
        case PanelPicture::kSpeedPlaceholder:
        case PanelPicture::kVoltagePlaceholder:
            return {100, 21};
        case PanelPicture::kGPlaceholderX:
        case PanelPicture::kGPlaceholderY:
        case PanelPicture::kGPlaceholderZ:
            return {58, 20};
        case PanelPicture::kBadge720:
        case PanelPicture::kBadge1080:
        case PanelPicture::kStatusUpperR:
        case PanelPicture::kStatusLowerR:
        case PanelPicture::kStatusOther:
            return {60, 24};
        case PanelPicture::kGpsFix:
            return {24, 24};
        case PanelPicture::kToggleStrip:
            return {48, 12};
    }
    return {1, 1};
}

const QImage& PanelPictureAt(PanelPicture picture, double s) {
    static std::map<std::pair<int, long>, QImage> cache;
    if (!(s > 0.0) || !std::isfinite(s)) s = 1.0;
    const std::pair<int, long> key(static_cast<int>(picture), std::lround(s * 10000.0));
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.emplace(key, Render(picture, s)).first;
    return it->second;
}

}  // namespace quorva
