// The G-sensor graph and the info panel of the main window as the playback controller feeds
// them. The info panel is drawn at once at every position change; the graph is redrawn with
// the window's next paint, in the same pass of the event loop.
#pragma once

#include "road/playback_view.h"

namespace quorva {

class CGSensorDlg;
class CInfoDlg;

class CquorvaPlaybackPanels : public PlaybackPanels {
  public:
    CquorvaPlaybackPanels(CGSensorDlg& graph, CInfoDlg& info) : graph_(graph), info_(info) {}

    void GraphSetCursor(int frame) override;
    // Also gives the graph its tile width: from here on it paints its background.
    void GraphSetFrameCount(int frames) override;
    void GraphSetRangeStep(int scaleIndex) override;
    void GraphSetDrawData(bool on) override;
    void GraphRedraw() override;

    void InfoReset() override;
    void InfoSetStartTime(const SystemTime& start) override;
    void InfoSetTimeLapse(bool on) override;
    void InfoSetFrameMs(float ms) override;
    void InfoSetResolutionCode(int code) override;
    void InfoSetParkingTrace(bool on) override;
    void InfoSetPosition(int position) override;
    void InfoSetGValues(double x, double y, double z) override;
    void InfoSetFix(bool valid, double speed) override;
    void InfoSetVoltage(int tenths) override;
    void InfoSetStatusLetter(int letter) override;
    void InfoSetRateText(const std::string& text) override;
    void InfoPaintNow() override;

  private:
    CGSensorDlg& graph_;
    CInfoDlg& info_;
};

}  // namespace quorva
