#include "panels/info_dlg.h"

#include <QPainter>

#include "appcore/app_messages.h"
#include "panels/info_panel_texts.h"
#include "panels/panel_surface.h"
#include "platform/qt/app_message_event.h"
#include "skin/skin_button.h"
#include "skin/skin_resources.h"

namespace quorva {

CInfoDlg::CInfoDlg(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    const InfoPanelBoxes boxes(look_.s, state_.stretch);
    for (int k = 0; k < 3; ++k) {
        auto* button = new CSkinButton(this);
        button->Create(boxes.toggle(k), kFirstToggleId + k);
        button->setFont(look_.f10);
        button->SetCheck(true);
        connect(button, &CSkinButton::command, this, [this, k](int) { OnToggle(k); });
        toggles_[k] = button;
        button->show();
    }
    PlaceButtons();
}

void CInfoDlg::SetLook(const PanelLook& look) {
    look_ = look;
    for (CSkinButton* button : toggles_)
        button->setFont(look_.f10);
    PlaceButtons();
    Invalidate();
}

void CInfoDlg::SetStretch(double stretch) {
    state_.stretch = stretch > 0.0 ? stretch : 1.0;
    PlaceButtons();
    Invalidate();
}

void CInfoDlg::PlaceButtons() {
    const InfoPanelBoxes boxes(look_.s, state_.stretch);
    for (int k = 0; k < 3; ++k) {
        const QRect box = boxes.toggle(k);
        toggles_[k]->setGeometry(box);
        toggles_[k]->SetImage(IDB_CHECK_MARK, box.size(), look_.s);
    }
}

void CInfoDlg::SetStartTime(const SystemTime& start) {
    state_.startTime = start;
    Invalidate();
}

void CInfoDlg::SetTimeLapse(bool on) {
    if (state_.timeLapse == on) return;
    state_.timeLapse = on;
    Invalidate();
}

void CInfoDlg::SetFrameMs(float ms) {
    if (state_.frameMs == ms) return;
    state_.frameMs = ms;
    Invalidate();
}

void CInfoDlg::SetResolutionCode(int code) {
    if (state_.resolutionCode == code) return;
    state_.resolutionCode = code;
    Invalidate();
}

void CInfoDlg::SetParkingTrace(bool on) {
    if (state_.parkingTrace == on) return;
    state_.parkingTrace = on;
    Invalidate();
}

// The position, the G values and the speed change with every frame while playing; the panel
// is painted again only when the texts it shows change (the time once a second).
void CInfoDlg::SetPosition(int position) {
    if (position == state_.position) return;
    const auto before =
        PanelDateTimeText(state_.startTime, state_.position, state_.frameMs, state_.timeLapse);
    state_.position = position;
    if (PanelDateTimeText(state_.startTime, position, state_.frameMs, state_.timeLapse) != before)
        Invalidate();
}

void CInfoDlg::SetGValues(double x, double y, double z) {
    const std::array<double, 3> g = {x, y, z};
    bool shownChanges = false;
    for (size_t k = 0; k < g.size(); ++k)
        shownChanges = shownChanges || GValueText(g[k]) != GValueText(state_.g[k]);
    state_.g = g;
    if (shownChanges) Invalidate();
}

void CInfoDlg::SetFix(bool valid, double speed) {
    const bool shownChanges =
        valid != state_.fixValid ||
        SpeedNumberText(valid, speed) != SpeedNumberText(state_.fixValid, state_.speed);
    state_.fixValid = valid;
    state_.speed = speed;
    if (shownChanges) Invalidate();
}

void CInfoDlg::SetVoltage(int tenths) {
    if (state_.voltage == tenths) return;
    state_.voltage = tenths;
    Invalidate();
}

void CInfoDlg::SetStatusLetter(int letter) {
    if (state_.statusLetter == letter) return;
    state_.statusLetter = letter;
    Invalidate();
}

void CInfoDlg::SetRateText(const std::string& text) {
    if (state_.rateText == text) return;
    state_.rateText = text;
    Invalidate();
}

void CInfoDlg::Reset() {
    state_.Reset();
    Invalidate();
}

void CInfoDlg::Invalidate() {
    dirty_ = true;
    update();
}

void CInfoDlg::PaintNow() {
    // Paints what is waiting to be painted, at once; nothing when nothing changed.
    if (isVisible() && dirty_) repaint();
}

bool CInfoDlg::ToggleState(int k) const {
    return k >= 0 && k < 3 && toggleStates_[k];
}

void CInfoDlg::SetToggleState(int k, bool on) {
    if (k < 0 || k >= 3) return;
    toggleStates_[k] = on;
    toggles_[k]->SetCheck(on);
}

CSkinButton* CInfoDlg::ToggleButton(int k) const {
    return k >= 0 && k < 3 ? toggles_[k] : nullptr;
}

QObject* CInfoDlg::Receiver() const {
    if (receiver_) return receiver_.data();
    return parentWidget();
}

void CInfoDlg::OnToggle(int k) {
    SetToggleState(k, !toggleStates_[k]);
    if (QObject* receiver = Receiver()) {
        PostAppMessage(receiver, WM_APP_EVENT_FILTER, static_cast<uintptr_t>(k),
                       toggleStates_[k] ? 1 : 0);
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
    dirty_ = false;
    PaintThroughSurface(*this, sharedSurface_, ownSurface_, [this](QPainter& off) {
        PaintInfoPanel(off, size(), state_, look_);
        return true;
    });
}

}  // namespace quorva
