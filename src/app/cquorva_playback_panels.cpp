#include "app/cquorva_playback_panels.h"

#include "panels/gsensor_dlg.h"
#include "panels/info_dlg.h"

namespace quorva {

void CquorvaPlaybackPanels::GraphSetCursor(int frame) {
    graph_.SetCursorFrame(frame);
}

void CquorvaPlaybackPanels::GraphSetFrameCount(int frames) {
    graph_.ShowRecording(frames, graph_.ScaleIndex(), graph_.CurvesOn());
}

void CquorvaPlaybackPanels::GraphSetRangeStep(int scaleIndex) {
    graph_.SetScaleIndex(scaleIndex);
}

void CquorvaPlaybackPanels::GraphSetDrawData(bool on) {
    graph_.SetCurvesOn(on);
}

void CquorvaPlaybackPanels::GraphRedraw() {
    graph_.update();
}

void CquorvaPlaybackPanels::InfoReset() {
    info_.Reset();
}

void CquorvaPlaybackPanels::InfoSetStartTime(const SystemTime& start) {
    info_.SetStartTime(start);
}

void CquorvaPlaybackPanels::InfoSetTimeLapse(bool on) {
    info_.SetTimeLapse(on);
}

void CquorvaPlaybackPanels::InfoSetFrameMs(float ms) {
    info_.SetFrameMs(ms);
}

void CquorvaPlaybackPanels::InfoSetResolutionCode(int code) {
    info_.SetResolutionCode(code);
}

void CquorvaPlaybackPanels::InfoSetParkingTrace(bool on) {
    info_.SetParkingTrace(on);
}

void CquorvaPlaybackPanels::InfoSetPosition(int position) {
    info_.SetPosition(position);
}

void CquorvaPlaybackPanels::InfoSetGValues(double x, double y, double z) {
    info_.SetGValues(x, y, z);
}

void CquorvaPlaybackPanels::InfoSetFix(bool valid, double speed) {
    info_.SetFix(valid, speed);
}

void CquorvaPlaybackPanels::InfoSetVoltage(int tenths) {
    info_.SetVoltage(tenths);
}

void CquorvaPlaybackPanels::InfoSetStatusLetter(int letter) {
    info_.SetStatusLetter(letter);
}

void CquorvaPlaybackPanels::InfoSetRateText(const std::string& text) {
    info_.SetRateText(text);
}

void CquorvaPlaybackPanels::InfoPaintNow() {
    info_.PaintNow();
}

}  // namespace quorva
