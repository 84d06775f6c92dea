// CGSensorDlg: the G-sensor graph panel. Draws the three acceleration curves of the current
// recording with the scale labels, the event markers and the playback cursor, and owns the
// six event detectors. A left click asks the parent for the previous event, a right click for
// the next one (WM_APP_EVENT_PREV / WM_APP_EVENT_NEXT).
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include "panels/event_detectors.h"
#include "panels/gsensor_graph_painter.h"
#include "panels/panel_style.h"
#include "skin/off_screen_dc.h"

namespace quorva {

class CGSensorDlg : public QWidget {
    Q_OBJECT

  public:
    explicit CGSensorDlg(QWidget* parent = nullptr);

    // The detectors decide the curves and markers shown here, the map's icons, the event
    // list and the event jumps.
    EventDetectors& Detectors() { return detectors_; }
    const EventDetectors& Detectors() const { return detectors_; }

    void SetLook(const PanelLook& look);
    const PanelLook& Look() const { return look_; }

    // How the graph reads the drive data (samples and frame index under the slot locks).
    void SetDriveDataAccess(GSensorDataAccess access);

    // A recording's drive data were read: frame count, cursor 0, tile width, scale and curves.
    void ShowRecording(int frameCount, int scaleIndex, bool curvesOn);
    // The recording closed: no curves, scale index 0.
    void CloseRecording();

    void SetScaleIndex(int index);
    int ScaleIndex() const { return state_.scaleIndex; }
    void SetFrameCount(int frames);
    int FrameCount() const { return state_.frameCount; }
    void SetCursorFrame(int frame);
    int CursorFrame() const { return state_.cursorFrame; }
    void SetCurvesOn(bool on);
    bool CurvesOn() const { return state_.curvesOn; }
    // int(640 s) - int(41 s) once a recording is opened; 0 paints nothing.
    void SetTileWidth(int width);
    int TileWidth() const { return state_.tileWidth; }
    const GSensorGraphState& State() const { return state_; }

    // Where the event jumps are posted; the parent widget unless set.
    void SetMessageReceiver(QObject* receiver) { receiver_ = receiver; }

    // The graph as it would be painted now, in an image of the widget's size.
    QImage Render() const;

    // Draws into the main window's shared off-screen surface instead of an own one (grown
    // when it is smaller than the panel); null goes back to the own surface.
    void SetOffScreenSurface(COffScreenDC* shared) { sharedSurface_ = shared; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QObject* Receiver() const;

    EventDetectors detectors_;
    PanelLook look_;
    GSensorGraphState state_;
    GSensorDataAccess access_;
    QPointer<QObject> receiver_;
    COffScreenDC ownSurface_;
    COffScreenDC* sharedSurface_ = nullptr;
};

}  // namespace quorva
