#include "gui_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QWidget>

#include <cstdlib>

#include "appcore/ui_scale.h"
#include "platform/qt/app_message_event.h"
#include "skin/msg_dlg.h"

namespace quorva::test {

ScaleScope::ScaleScope(double s) {
    SetUiScaleFactors(s, s);
}

ScaleScope::~ScaleScope() {
    SetUiScaleFactors(1.0, 1.0);
}

bool MessageRecorder::event(QEvent* event) {
    if (event->type() == AppMessageEvent::EventType()) {
        ids.push_back(static_cast<AppMessageEvent*>(event)->id());
        return true;
    }
    return QObject::event(event);
}

QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return image;
}

int CountColourNear(const QImage& image, const QRect& area, QColor colour, int tolerance) {
    const QRect r = area.intersected(image.rect());
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - colour.red()) <= tolerance &&
                std::abs(qGreen(p) - colour.green()) <= tolerance &&
                std::abs(qBlue(p) - colour.blue()) <= tolerance)
                ++count;
        }
    return count;
}

bool HasColourNear(const QImage& image, const QRect& area, QColor colour, int tolerance) {
    return CountColourNear(image, area, colour, tolerance) > 0;
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents();
    }
    return true;
}

MessageAnswerer::MessageAnswerer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        auto* dialog = qobject_cast<CMsgDlg*>(QApplication::activeModalWidget());
        if (seen_ || !dialog) return;
        seen_ = true;
        timer_.stop();
        text_ = dialog->Text();
        dialog->OkButton()->click();
    });
    timer_.start(10);
}

}  // namespace quorva::test
