// CInfoDlg: the info panel. Shows, for the playback position, the date and time, the speed (or
// the supply voltage for parking recordings in trace mode), the three G values, the rate text
// and small status pictures, with three toggles that switch the X, Y and Z events on and off
// (WM_APP_EVENT_FILTER to the parent: wParam the detector, lParam the new state).
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <array>
#include <string>

#include "panels/info_panel_painter.h"
#include "panels/panel_style.h"
#include "skin/off_screen_dc.h"

namespace quorva {

class CSkinButton;

class CInfoDlg : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kFirstToggleId = 38600;

    explicit CInfoDlg(QWidget* parent = nullptr);

    void SetLook(const PanelLook& look);
    const PanelLook& Look() const { return look_; }
    // P: horizontal factor of the boxes (1.3 while the main window is maximised).
    void SetStretch(double stretch);

    // Set when a recording opens.
    void SetStartTime(const SystemTime& start);
    void SetTimeLapse(bool on);
    void SetFrameMs(float ms);
    void SetResolutionCode(int code);
    void SetParkingTrace(bool on);

    // Set at every position change.
    void SetPosition(int position);
    void SetGValues(double x, double y, double z);
    void SetFix(bool valid, double speed);
    void SetVoltage(int tenths);
    void SetStatusLetter(int letter);
    void SetRateText(const std::string& text);

    // No recording open: the fields go back to "no data".
    void Reset();
    // Draws the panel at once (not through a later repaint).
    void PaintNow();

    const InfoPanelState& State() const { return state_; }
    bool ToggleState(int k) const;
    // Sets a toggle without posting (the main window keeps it in step with the detectors).
    void SetToggleState(int k, bool on);
    CSkinButton* ToggleButton(int k) const;

    // Where WM_APP_EVENT_FILTER is posted; the parent widget unless set.
    void SetMessageReceiver(QObject* receiver) { receiver_ = receiver; }

    // The panel as it would be painted now (without the toggle buttons).
    QImage Render() const;

    // Draws into the main window's shared off-screen surface instead of an own one (grown
    // when it is smaller than the panel); null goes back to the own surface.
    void SetOffScreenSurface(COffScreenDC* shared) { sharedSurface_ = shared; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Invalidate();  // the panel shows something else: paint it again
    bool dirty_ = true;
    void OnToggle(int k);
    void PlaceButtons();
    QObject* Receiver() const;

    PanelLook look_;
    InfoPanelState state_;
    std::array<CSkinButton*, 3> toggles_{};
    std::array<bool, 3> toggleStates_{true, true, true};
    QPointer<QObject> receiver_;
    COffScreenDC ownSurface_;
    COffScreenDC* sharedSurface_ = nullptr;
};

}  // namespace quorva
