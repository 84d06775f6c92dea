#include "map/map_dlg_wrap.h"

#include <QWidget>

#include "appcore/app_messages.h"
#include "map/map_dlg.h"
#include "map/map_scheme.h"
#include "map/map_scripts.h"
#include "map/map_tile_source.h"
#include "map/map_track_source.h"
#include "map/mbtiles_reader.h"
#include "online/fetch_rules.h"

namespace quorva {

MapServiceProbe ProbeFor(const MapTileSettings& tiles) {
    MapServiceProbe probe;
    if (!tiles.mbtilesPath.empty()) {
        const std::string path = tiles.mbtilesPath;
        probe.local = [path] { return CMbTilesReader::Usable(path); };
    } else {
        probe.url = TileProbeUrl(tiles.tileUrl).value_or("");
    }
    return probe;
}

CMapDlgWrap::CMapDlgWrap(MapTrackSource* tracks, MapTileSettings tiles)
    : tracks_(tracks),
      checker_(ProbeFor(tiles)),
      tiles_(std::make_unique<CMapTileSource>(std::move(tiles))) {}

CMapDlgWrap::~CMapDlgWrap() {
    delete window_.data();
    checker_.Stop();
}

CMapDlg* CMapDlgWrap::CreateMapWindow(QWidget* parent, AppMessageTarget* mainWindow) {
    if (!window_) {
        window_ = new CMapDlg(this, tiles_.get(), parent);
        window_->hide();
    }
    mainWindow_ = mainWindow;
    return window_;
}

CMapDlg* CMapDlgWrap::Window() const {
    return window_.data();
}

void CMapDlgWrap::SetLatLng(double latitude, double longitude) {
    if (window_) window_->SetPosition(latitude, longitude);
}

void CMapDlgWrap::ExecScript(const std::string& script) {
    if (window_) window_->ExecScript(script);
}

void CMapDlgWrap::LoadGrid(int recording, bool drawGroup) {
    if (!pageReady_) return;
    for (const std::string& script : LoadGridScripts(recording, drawGroup))
        ExecScript(script);
}

bool CMapDlgWrap::AddEventPin(int kind, const GSensorSample* sample, int recording) {
    const auto pin = EventPinFor(kind, sample, recording);
    if (!pin) return false;
    if (pageReady_) ExecScript(AddCrashPosScript(*pin));
    return true;
}

void CMapDlgWrap::SetPlayState(int state) {
    if (!window_) return;
    static const char* const kStatus[] = {"", "pause", "stop"};
    if (state < kMapPlaying || state > kMapStopped) return;
    window_->SetStatus(kStatus[state]);
    if (state == kMapStopped) ExecScript(kMoveMarkerScript);
    // The status travels with the next update message the page asks for.
}

int CMapDlgWrap::ShowMap(bool show) {
    if (show) {
        if (shown_ || (window_ && window_->isVisible())) return 0;
        if (window_) window_->show();
        shown_ = true;
        return 1;
    }
    if (!shown_ || !window_ || !window_->isVisible()) return 0;
    window_->hide();
    shown_ = false;
    return 1;
}

QWidget* CMapDlgWrap::SetMapParent(QWidget* parent) {
    if (!window_) return nullptr;
    QWidget* previous = window_->parentWidget();
    if (parent != previous) {
        const bool visible = window_->isVisible();
        window_->setParent(parent);
        if (visible) window_->show();
    }
    return previous;
}

// ---- Page calls ----------------------------------------------------------------------------

int CMapDlgWrap::JS2C_ConnectTest() {
    if (!checker_.MapSwitch()) return 0;
    const bool online = checker_.Online();
    if (!online) pageReady_ = false;
    return online ? 1 : 0;
}

void CMapDlgWrap::JS2C_OnInitHtml() {
    pageReady_ = true;
    if (mainWindow_) mainWindow_->PostAppMessage(WM_APP_MAP_READY, 0, 0);
}

TrackArray CMapDlgWrap::JS2C_GetGPSData() {
    return tracks_ ? tracks_->GroupTrack() : TrackArray{0.0};
}

std::optional<TrackArray> CMapDlgWrap::JS2C_GetGridData(const std::string&) {
    return tracks_ ? tracks_->RecordingTrack() : std::nullopt;
}

std::string CMapDlgWrap::JS2C_GetRelJpgNum() {
    return std::to_string(position_);
}

void CMapDlgWrap::JS2C_OnClickCrashPoint(int, int, int ipos, int, double, double, double, double) {
    if (mainWindow_) mainWindow_->PostAppMessage(WM_APP_MAP_SEEK, 0, ipos);
}

std::string CMapDlgWrap::JS2C_GetMapURL() {
    return MapLoaderUrl().toStdString();
}

void CMapDlgWrap::JS2C_SetSend() {
    if (window_) window_->SendUpdate();
}

}  // namespace quorva
