#include "panels/gsensor_dlg.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

#include "appcore/app_messages.h"
#include "panels/gsensor_graph_plan.h"
#include "panels/panel_surface.h"
#include "platform/qt/app_message_event.h"

namespace quorva {

CGSensorDlg::CGSensorDlg(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void CGSensorDlg::SetLook(const PanelLook& look) {
    look_ = look;
    if (state_.tileWidth != 0) state_.tileWidth = GraphMetrics(look_.s).tileWidth;
    update();
}

void CGSensorDlg::SetDriveDataAccess(GSensorDataAccess access) {
    access_ = std::move(access);
    update();
}

void CGSensorDlg::ShowRecording(int frameCount, int scaleIndex, bool curvesOn) {
    state_.frameCount = frameCount;
    state_.cursorFrame = 0;
    state_.tileWidth = GraphMetrics(look_.s).tileWidth;
    state_.scaleIndex = scaleIndex;
    state_.curvesOn = curvesOn;
    update();
}

void CGSensorDlg::CloseRecording() {
    state_.curvesOn = false;
    state_.scaleIndex = 0;
    update();
}

void CGSensorDlg::SetScaleIndex(int index) {
    state_.scaleIndex = index;
    update();
}

void CGSensorDlg::SetFrameCount(int frames) {
    state_.frameCount = frames;
    update();
}

void CGSensorDlg::SetCursorFrame(int frame) {
    state_.cursorFrame = frame;
    update();
}

void CGSensorDlg::SetCurvesOn(bool on) {
    state_.curvesOn = on;
    update();
}

void CGSensorDlg::SetTileWidth(int width) {
    state_.tileWidth = width;
    update();
}

QImage CGSensorDlg::Render() const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    PaintGSensorGraph(painter, image.size(), state_, look_, detectors_, access_);
    return image;
}

void CGSensorDlg::paintEvent(QPaintEvent*) {
    PaintThroughSurface(*this, sharedSurface_, ownSurface_, [this](QPainter& off) {
        return PaintGSensorGraph(off, size(), state_, look_, detectors_, access_);
    });
}

QObject* CGSensorDlg::Receiver() const {
    if (receiver_) return receiver_.data();
    return parentWidget();
}

void CGSensorDlg::mouseReleaseEvent(QMouseEvent* event) {
    QObject* receiver = Receiver();
    if (receiver != nullptr) {
        if (event->button() == Qt::LeftButton) {
            PostAppMessage(receiver, WM_APP_EVENT_PREV, 0, 0);
        } else if (event->button() == Qt::RightButton) {
            PostAppMessage(receiver, WM_APP_EVENT_NEXT, 0, 0);
        }
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace quorva
