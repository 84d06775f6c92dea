// Draws the map page's event pins (32 x 32) and their shadow (49 x 32) and prints them as the
// page's icon table, PNG images inlined as data URLs (scripts/make_map_pins.sh puts the
// output into resources/map/map.html). A development tool, never installed.
#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <string>

namespace {

// A speech-bubble pin: a rounded square with a point at the bottom centre, the letter on it.
QImage Pin(QColor face, QColor letterColour, const QString& letter) {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(3.5, 1.5, 25, 23), 5, 5);
    QPainterPath tip;
    tip.moveTo(11, 23);
    tip.lineTo(16, 31);
    tip.lineTo(21, 23);
    tip.closeSubpath();
    path = path.united(tip);
    p.setPen(QPen(face.darker(160), 1.4));
    p.setBrush(face);
    p.drawPath(path);
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(18);
    p.setFont(font);
    p.setPen(letterColour);
    p.drawText(QRectF(3.5, 1.5, 25, 23), Qt::AlignCenter, letter);
    return image;
}

// The shadow: a soft slanted ellipse leaning to the right from the pin's point.
QImage Shadow() {
    QImage image(49, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.translate(16, 32);
    p.shear(-1.0, 0.0);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(QColor(0, 0, 0, 30));
        p.drawRoundedRect(QRectF(-10 + i * 1.5, -20 + i * 1.5, 22 - i * 3, 19 - i * 3), 5, 5);
    }
    return image;
}

std::string DataUrl(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return "data:image/png;base64," + bytes.toBase64().toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const std::string g = DataUrl(Pin(QColor(0xD0, 0x20, 0x20), Qt::white, "G"));
    const std::string m = DataUrl(Pin(QColor(0xF0, 0x8C, 0x10), Qt::white, "M"));
    const std::string e = DataUrl(Pin(QColor(0xF5, 0xD0, 0x20), QColor(0xD0, 0x10, 0x10), "E"));
    const std::string pk = DataUrl(Pin(QColor(0x70, 0x30, 0xA0), QColor(0xE8, 0xD8, 0xF8), "P"));
    const std::string kinds[8] = {g, g, g, g, g, m, e, pk};
    std::printf("var g_iconurl = [\n");
    for (int i = 0; i < 8; ++i)
        std::printf("  \"%s\"%s\n", kinds[i].c_str(), i < 7 ? "," : "");
    std::printf("];\n");
    std::printf("var g_shadow = \"%s\";\n", DataUrl(Shadow()).c_str());
    return 0;
}
