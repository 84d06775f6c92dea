// CMapDlgWrap: the map window controller. The main window owns one for its whole life. It
// holds the map window, answers every call of the map page (IHostWebViewFuncs), owns the
// connection checker and the tile source, and offers the main window: run a script, load a
// recording's tracks and pins, set the play status, show or hide the map window, re-parent
// it. All of it runs on the user-interface thread.
#pragma once

#include <QPointer>

#include <memory>
#include <string>

#include "map/host_web_view_funcs.h"
#include "map/map_tile_settings.h"
#include "online/inet_connection_async.h"

class QWidget;

namespace quorva {

class AppMessageTarget;
class CMapDlg;
class CMapTileSource;
class MapTrackSource;
struct GSensorSample;

enum MapPlayStateCode { kMapPlaying = 0, kMapPaused = 1, kMapStopped = 2 };

class CMapDlgWrap : public IHostWebViewFuncs {
  public:
    // Starts the connection checker at once (with the map switch off).
    CMapDlgWrap(MapTrackSource* tracks, MapTileSettings tiles);
    // Destroys the map window, then stops the checker.
    ~CMapDlgWrap() override;
    CMapDlgWrap(const CMapDlgWrap&) = delete;
    CMapDlgWrap& operator=(const CMapDlgWrap&) = delete;

    // Creates the map window (hidden) as a child of parent; mainWindow receives
    // WM_APP_MAP_READY and WM_APP_MAP_SEEK.
    CMapDlg* CreateMapWindow(QWidget* parent, AppMessageTarget* mainWindow);
    CMapDlg* Window() const;
    CMapTileSource* Tiles() const { return tiles_.get(); }
    CInetConnectionAsync& Checker() { return checker_; }

    // The map switch (ID_MAP_TOGGLE): on probes the map service at once.
    void SetMapSwitch(bool on) { checker_.SetMapSwitch(on); }
    bool MapSwitch() const { return checker_.MapSwitch(); }
    bool PageReady() const { return pageReady_; }
    void SetPositionNumber(int position) { position_ = position; }
    int PositionNumber() const { return position_; }
    // The position and status the page collects at its next tick.
    void SetLatLng(double latitude, double longitude);

    void ExecScript(const std::string& script);
    // Only while the page is ready: clear the pins, remove the position lines, redraw the
    // list's track when drawGroup, load the recording's track.
    void LoadGrid(int recording, bool drawGroup);
    // One event pin (only while the page is ready); false when the event gives no pin (no
    // linked fix, or a fix at 0, 0).
    bool AddEventPin(int kind, const GSensorSample* sample, int recording);
    // 0 playing (""), 1 paused ("pause"), 2 stopped ("stop", and the page redraws for the
    // position once).
    void SetPlayState(int state);
    // Shows the map window when the controller has not yet shown it (and it is hidden), or
    // hides it when the controller showed it; 1 when it changed something.
    int ShowMap(bool show);
    bool Shown() const { return shown_; }
    // Makes the map window a child of parent; answers the previous parent.
    QWidget* SetMapParent(QWidget* parent);

    // IHostWebViewFuncs
    int JS2C_ConnectTest() override;
    void JS2C_OnInitHtml() override;
    TrackArray JS2C_GetGPSData() override;
    std::optional<TrackArray> JS2C_GetGridData(const std::string& text) override;
    std::string JS2C_GetRelJpgNum() override;
    void JS2C_OnClickCrashPoint(int ifile, int igrid, int ipos, int valid, double lat, double lng,
                                double speed, double direction) override;
    std::string JS2C_GetMapURL() override;
    void JS2C_SetSend() override;

  private:
    MapTrackSource* tracks_;
    AppMessageTarget* mainWindow_ = nullptr;
    CInetConnectionAsync checker_;
    std::unique_ptr<CMapTileSource> tiles_;
    QPointer<CMapDlg> window_;
    bool pageReady_ = false;
    bool shown_ = false;
    int position_ = 0;
};

// The probe of the map service for these tile settings: the MBTiles file, else a HEAD of
// tile 0/0/0 of the tile server.
MapServiceProbe ProbeFor(const MapTileSettings& tiles);

}  // namespace quorva
