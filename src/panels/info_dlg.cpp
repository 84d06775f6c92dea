#include "panels/info_dlg.h"

#include <QPainter>

#include "app/app_messages.h"
#include "panels/info_toggle_button.h"
#include "panels/panel_pictures.h"
#include "platform/app_message_event.h"

namespace quorva {

CInfoDlg::CInfoDlg(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (int k = 0; k < 3; ++k) {
        auto* button = new CInfoToggleButton(kFirstToggleId + k, this);
        button->setChecked(true);
        button->setFont(look_.f10);
        connect(button, &QAbstractButton::clicked, this,
                [this, k](bool checked) { OnToggle(k, checked); });
        toggles_[k] = button;
        button->show();
    }
    PlaceButtons();
}

void CInfoDlg::SetLook(const PanelLook& look) {
    look_ = look;
    for (CInfoToggleButton* button : toggles_)
        button->setFont(look_.f10);
    PlaceButtons();
    update();
}

void CInfoDlg::SetStretch(double stretch) {
    state_.stretch = stretch > 0.0 ? stretch : 1.0;
    PlaceButtons();
    update();
}

void CInfoDlg::PlaceButtons() {
    const InfoPanelBoxes boxes(look_.s, state_.stretch);
    const QImage& strip = PanelPictureAt(PanelPicture::kToggleStrip, look_.s);
    for (int k = 0; k < 3; ++k) {
        toggles_[k]->setGeometry(boxes.toggle(k));
        toggles_[k]->SetStrip(strip);
    }
}

void CInfoDlg::SetStartTime(const SystemTime& start) {
    state_.startTime = start;
    update();
}

void CInfoDlg::SetTimeLapse(bool on) {
    state_.timeLapse = on;
    update();
}

void CInfoDlg::SetFrameMs(float ms) {
    state_.frameMs = ms;
    update();
}

void CInfoDlg::SetResolutionCode(int code) {
    state_.resolutionCode = code;
    update();
}

void CInfoDlg::SetParkingTrace(bool on) {
    state_.parkingTrace = on;
    update();
}

void CInfoDlg::SetPosition(int position) {
    state_.position = position;
    update();
}

void CInfoDlg::SetGValues(double x, double y, double z) {
    state_.g = {x, y, z};
    update();
}

void CInfoDlg::SetFix(bool valid, double speed) {
    state_.fixValid = valid;
    state_.speed = speed;
    update();
}

void CInfoDlg::SetVoltage(int tenths) {
    state_.voltage = tenths;
    update();
}

void CInfoDlg::SetStatusLetter(int letter) {
    state_.statusLetter = letter;
    update();
}

void CInfoDlg::SetRateText(const std::string& text) {
    state_.rateText = text;
    update();
}

void CInfoDlg::Reset() {
    state_.Reset();
    update();
}

void CInfoDlg::PaintNow() {
    if (isVisible()) repaint();
}

bool CInfoDlg::ToggleState(int k) const {
    return k >= 0 && k < 3 && toggles_[k]->isChecked();
}

void CInfoDlg::SetToggleState(int k, bool on) {
    if (k >= 0 && k < 3) toggles_[k]->setChecked(on);
}

CInfoToggleButton* CInfoDlg::ToggleButton(int k) const {
    return k >= 0 && k < 3 ? toggles_[k] : nullptr;
}

QObject* CInfoDlg::Receiver() const {
    if (receiver_) return receiver_.data();
    return parentWidget();
}

void CInfoDlg::OnToggle(int k, bool checked) {
    if (QObject* receiver = Receiver()) {
        PostAppMessage(receiver, WM_APP_EVENT_FILTER, static_cast<uintptr_t>(k), checked ? 1 : 0);
    }
}

QImage CInfoDlg::Render() const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    PaintInfoPanel(painter, image.size(), state_, look_);
    return image;
}

void CInfoDlg::paintEvent(QPaintEvent*) {
    if (size().isEmpty()) return;
    if (buffer_.size() != size()) buffer_ = QImage(size(), QImage::Format_RGB32);
    {
        QPainter off(&buffer_);
        PaintInfoPanel(off, buffer_.size(), state_, look_);
    }
    QPainter painter(this);
    painter.drawImage(0, 0, buffer_);
}

}  // namespace quorva
