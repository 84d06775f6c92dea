#include "skin_fixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "appcore/ui_scale.h"
#include "platform/qt/app_message_event.h"
#include "skin/msg_dlg.h"

namespace quorva::test {

void ScaledTest::SetScale(double s) {
    SetUiScaleFactors(s, s);
}

void ScaledTest::TearDown() {
    SetUiScaleFactors(1.0, 1.0);
}

void ScaledParamTest::SetUp() {
    SetUiScaleFactors(GetParam(), GetParam());
}

void ScaledParamTest::TearDown() {
    SetUiScaleFactors(1.0, 1.0);
}

const std::vector<RecordedMessage>& MessageRecorder::Collect() {
    QCoreApplication::sendPostedEvents(this);
    return messages;
}

bool MessageRecorder::event(QEvent* event) {
    if (event->type() == AppMessageEvent::EventType()) {
        auto* msg = static_cast<AppMessageEvent*>(event);
        messages.push_back({msg->id(), msg->wParam(), msg->lParam()});
        return true;
    }
    return QObject::event(event);
}

QImage Face(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

int OpaquePixels(const QImage& source, int alphaAbove) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > alphaAbove) ++count;
    return count;
}

bool HasColorNear(const QImage& source, const QRect& area, QColor colour, int tolerance) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - colour.red()) <= tolerance &&
                std::abs(qGreen(p) - colour.green()) <= tolerance &&
                std::abs(qBlue(p) - colour.blue()) <= tolerance)
                return true;
        }
    return false;
}

double MeanLuminance(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) <= 128) continue;
            sum += 0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p);
            ++count;
        }
    return count ? sum / count : -1;
}

MessageAnswerer::MessageAnswerer(int button) : button_(button) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(10);
}

MessageAnswerer::~MessageAnswerer() = default;

void MessageAnswerer::Poll() {
    auto* dialog = qobject_cast<CMsgDlg*>(QApplication::activeModalWidget());
    if (seen_ || !dialog) return;
    seen_ = true;
    timer_.stop();
    text_ = dialog->Text();
    caption_ = dialog->windowTitle();
    QPushButton* target = button_ == IDCANCEL ? dialog->CancelButton() : dialog->OkButton();
    target->click();
}

}  // namespace quorva::test
