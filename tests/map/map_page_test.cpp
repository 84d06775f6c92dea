// The map page's algorithms in the real engine, offscreen, with the host object answering
// from the test. One page serves every case of this file (a page load costs about 2 s).
#include <QWebEngineView>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "loopback_http_server.h"
#include "map/host_web_view_funcs.h"
#include "map/map_dlg.h"
#include "map/map_scheme.h"
#include "map/map_tile_source.h"
#include "map/web_engine_holder.h"
#include "page_driver.h"

namespace quorva {
namespace {

using test::Eval;
using test::Spin;
using test::WaitFor;

struct Click {
    int ifile, igrid, ipos, valid;
    double lat, lng, speed, direction;
};

// The host side of the page, answering from the test.
class FakeFuncs : public IHostWebViewFuncs {
  public:
    int connect = 1;
    TrackArray group{0.0};
    std::optional<TrackArray> grid;
    std::string relJpgNum = "-1";
    std::string gridText;
    int initCalls = 0, setSendCalls = 0;
    std::vector<Click> clicks;
    double lat = 0.0, lng = 0.0;
    std::string status;
    CWebEngineHolder* holder = nullptr;

    int JS2C_ConnectTest() override { return connect; }
    void JS2C_OnInitHtml() override { ++initCalls; }
    TrackArray JS2C_GetGPSData() override { return group; }
    std::optional<TrackArray> JS2C_GetGridData(const std::string& text) override {
        gridText = text;
        return grid;
    }
    std::string JS2C_GetRelJpgNum() override { return relJpgNum; }
    void JS2C_OnClickCrashPoint(int ifile, int igrid, int ipos, int valid, double la, double ln,
                                double speed, double direction) override {
        clicks.push_back({ifile, igrid, ipos, valid, la, ln, speed, direction});
    }
    std::string JS2C_GetMapURL() override { return MapLoaderUrl().toStdString(); }
    void JS2C_SetSend() override {
        ++setSendCalls;
        if (holder) holder->SendUpdate(lat, lng, status);
    }
};

// A straight track north from (lat, lng): one fix per step, position numbers 10, 20, ...
TrackArray Track(double lat, double lng, int fixes, double step = 0.0005) {
    TrackArray t;
    for (int i = 0; i < fixes; ++i) {
        t.insert(t.end(), {lat + i * step, lng, 10.0 * (i + 1)});
    }
    t.push_back(static_cast<double>(t.size()));
    return t;
}

class MapPage : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server = std::make_unique<test::LoopbackHttpServer>();
        ASSERT_TRUE(server->Start());
        server->SetReply(200, "image/png", test::LoopbackHttpServer::GridTilePng());
        MapTileSettings settings;
        settings.tileUrl = (server->BaseUrl() + "/{z}/{x}/{y}.png").toStdString();
        tiles = std::make_unique<CMapTileSource>(settings);
        funcs = std::make_unique<FakeFuncs>();
        window = std::make_unique<CMapDlg>(funcs.get(), tiles.get());
        window->resize(452, 348);
        holder = &window->Holder();
        funcs->holder = holder;
        ASSERT_TRUE(window->Start());
        window->show();
        ASSERT_TRUE(WaitFor([] { return funcs->initCalls == 1; })) << "the map never loaded";
    }
    static void TearDownTestSuite() {
        holder = nullptr;
        window.reset();
        funcs.reset();
        tiles.reset();
        server.reset();
    }
    void SetUp() override {
        funcs->connect = 1;
        funcs->status = "pause";  // the tick leaves the lines alone unless a case wants it
        funcs->relJpgNum = "-1";
        funcs->clicks.clear();
        Run("cplist.ClearCrashPos(); orbitgrplist.RemoveLineList();");
    }

    static QVariant Run(const QString& script) { return Eval(holder->Page(), script); }
    // The current track's lines: [[colour, points], ...] of histline, then of schline.
    static QString Lines() {
        return Run("JSON.stringify([orbitgrplist.histline, orbitgrplist.schline].map(function (ls) "
                   "{"
                   " return ls.map(function (l) { return [l.options.color,"
                   " l.getLatLngs().length]; }); }))")
            .toString();
    }
    void LoadGrid(const TrackArray& track) {
        funcs->grid = track;
        Run("orbitgrplist.CreateGridLine(0)");
    }

    static inline std::unique_ptr<test::LoopbackHttpServer> server;
    static inline std::unique_ptr<CMapTileSource> tiles;
    static inline std::unique_ptr<FakeFuncs> funcs;
    static inline std::unique_ptr<CMapDlg> window;
    static inline CWebEngineHolder* holder = nullptr;
};

TEST_F(MapPage, LoadsWithTheMapLibraryAndTilesFromTheScheme) {
    EXPECT_EQ(Run("typeof L.map").toString(), "function");
    EXPECT_EQ(Run("g_isInitConnect && g_isStartInitConnect && g_map !== null").toBool(), true);
    EXPECT_TRUE(WaitFor([] {
        return Run("document.querySelectorAll('.leaflet-tile-loaded').length").toInt() > 0;
    }));
    EXPECT_GT(server->Requests(), 0);
    EXPECT_NE(Run("document.querySelector('.leaflet-control-attribution').textContent")
                  .toString()
                  .indexOf("OpenStreetMap"),
              -1);
    EXPECT_DOUBLE_EQ(holder->View()->zoomFactor(), kMapZoomFactor);
    window->resize(500, 400);
    EXPECT_TRUE(WaitFor([] { return holder->View()->size() == QSize(500, 400); }));
    EXPECT_DOUBLE_EQ(holder->View()->zoomFactor(), kMapZoomFactor);
    window->resize(452, 348);
}

TEST_F(MapPage, SplitsTheTrackAtGaps) {
    struct Case {
        double lat, dlat, dlng;
        int segments;
    } cases[] = {
        {10.0, 0.0014, 0.0, 2},  // along a meridian
        {10.0, 0.0013, 0.0, 1},
        {60.0, 0.0, 0.0028, 2},  // along the parallel at 60 degrees the step doubles
        {60.0, 0.0, 0.0026, 1},
        {-60.0, 0.0, -0.0028, 2},
    };
    for (const Case& c : cases) {
        const QString script = QString(
                                   "orbitgrplist.GetOrbitGroup([L.latLng(%1, 20), L.latLng(%1, 20),"
                                   " L.latLng(%1 + %2, 20 + %3), L.latLng(%1 + %2, 20 + %3)]);"
                                   " JSON.stringify(orbitgrplist.orbitlist)")
                                   .arg(c.lat, 0, 'f', 6)
                                   .arg(c.dlat, 0, 'f', 6)
                                   .arg(c.dlng, 0, 'f', 6);
        const QString segments = Run(script).toString();
        EXPECT_EQ(segments, c.segments == 2 ? R"([{"start":0,"end":1},{"start":2,"end":3}])"
                                            : R"([{"start":0,"end":3}])")
            << c.lat << " " << c.dlat << " " << c.dlng;
    }
    // A recording whose fixes jump 0.002 degrees after the third gets two lines.
    TrackArray track = Track(35.0, 139.0, 6);
    for (int i = 3; i < 6; ++i)
        track[i * 3] += 0.002;
    funcs->relJpgNum = "100";
    LoadGrid(track);
    EXPECT_EQ(Run("JSON.stringify(orbitgrplist.orbitlist)").toString(),
              R"([{"start":0,"end":2},{"start":3,"end":5}])");
    EXPECT_EQ(Lines(), R"([[["#0000FF",3],["#0000FF",3]],[]])");
}

TEST_F(MapPage, CoordinatesAreHeldInSinglePrecision) {
    LoadGrid({35.6812345, 139.7671234, 10, 3});
    EXPECT_EQ(Run("orbitgrplist.gridlist.points[0].lat === Math.fround(35.6812345)").toBool(),
              true);
    EXPECT_EQ(Run("orbitgrplist.gridlist.points[0].lat === 35.6812345").toBool(), false);
    EXPECT_EQ(Run("orbitgrplist.gridlist.points[0].lng === Math.fround(139.7671234)").toBool(),
              true);
    EXPECT_EQ(Run("orbitgrplist.gridlist.JpgNumList[0]").toInt(), 10);
    // A track of one value or none draws nothing; neither does no track at all.
    for (const auto& empty :
         {std::optional<TrackArray>(TrackArray{0.0}), std::optional<TrackArray>(TrackArray{}),
          std::optional<TrackArray>()}) {
        funcs->grid = empty;
        Run("orbitgrplist.CreateGridLine(0)");
        EXPECT_EQ(Run("orbitgrplist.gridlist.points.length").toInt(), 0);
    }
}

TEST_F(MapPage, CurrentPointIsTheLastFixBeforeThePosition) {
    LoadGrid(Track(35.0, 139.0, 4));  // position numbers 10, 20, 30, 40
    struct Case {
        const char* position;
        int index;
    } cases[] = {{"-1", -1}, {"0", 0},  {"5", 0},  {"10", 0}, {"11", 0}, {"20", 0},
                 {"21", 1},  {"30", 1}, {"31", 2}, {"40", 2}, {"41", 3}, {"100000", 3}};
    for (const Case& c : cases) {
        funcs->relJpgNum = c.position;
        EXPECT_EQ(Run("orbitgrplist.GetIndex()").toInt(), c.index) << c.position;
    }
    funcs->relJpgNum = "25";
    Run("orbitgrplist.MoveMarker()");
    EXPECT_EQ(Run("g_marker.getLatLng().equals(orbitgrplist.gridlist.points[1])").toBool(), true);
    EXPECT_EQ(Run("g_lastJpgNum").toInt(), 25);
}

TEST_F(MapPage, LinesAreBlueUpToThePositionAndRedBeyond) {
    LoadGrid(Track(35.0, 139.0, 4));
    struct Case {
        const char* position;
        const char* lines;
    } cases[] = {
        {"5", R"([[],[["#FF0000",4]]])"},                // before the first fix: all red
        {"25", R"([[["#0000FF",2]],[["#FF0000",3]]])"},  // the current point in both
        {"100", R"([[["#0000FF",4]],[]])"},              // after the last: all blue
    };
    for (const Case& c : cases) {
        funcs->relJpgNum = c.position;
        Run("orbitgrplist.MoveMarker()");
        EXPECT_EQ(Lines(), c.lines) << c.position;
    }
    funcs->relJpgNum = "5";
    Run("orbitgrplist.MoveMarker()");
    EXPECT_EQ(Run("g_marker.getLatLng().equals(orbitgrplist.gridlist.points[0])").toBool(), true);
    // The list's track lies below, faint red.
    funcs->group = Track(35.0, 139.0, 8);
    Run("orbitgrplist.CreateLine()");
    EXPECT_EQ(Run("JSON.stringify(orbitgrplist.grpline.map(function (l) { return [l.options.color,"
                  " l.options.opacity, l.options.pane]; }))")
                  .toString(),
              R"([["#FF0000",0.5,"line1"]])");
}

TEST_F(MapPage, PauseAndStopHoldTheMarker) {
    LoadGrid(Track(35.0, 139.0, 4));
    funcs->relJpgNum = "5";
    Run("orbitgrplist.MoveMarker()");
    funcs->lat = 35.0;
    funcs->lng = 139.0;
    funcs->relJpgNum = "100";  // the picture moved on
    const QString atLast = "g_marker.getLatLng().equals(orbitgrplist.gridlist.points[3])";
    for (const char* status : {"pause", "STOP"}) {
        funcs->status = status;
        Spin(1300);  // a tick
        EXPECT_EQ(Run(atLast).toBool(), false) << status;
        EXPECT_EQ(Run("document.getElementById('map_status').value").toString(), status);
    }
    // With stop the host redraws once itself.
    Run("orbitgrplist.MoveMarker()");
    EXPECT_EQ(Run(atLast).toBool(), true);
    funcs->relJpgNum = "5";
    funcs->status = "";  // playing: every tick follows
    EXPECT_TRUE(WaitFor(
        [&] {
            return Run("g_marker.getLatLng().equals(orbitgrplist.gridlist.points[0])").toBool();
        },
        3000));
    funcs->status = "pause";
}

TEST_F(MapPage, UpdateMessageFillsTheHiddenInputs) {
    funcs->lat = 35.5;
    funcs->lng = 139.25;
    funcs->status = "pause";
    const int before = funcs->setSendCalls;
    ASSERT_TRUE(WaitFor([&] { return funcs->setSendCalls > before + 1; }, 3000));
    EXPECT_EQ(Run("document.getElementById('map_lat').value").toString(), "35.500000");
    EXPECT_EQ(Run("document.getElementById('map_lng').value").toString(), "139.250000");
    EXPECT_EQ(holder->LatitudeText(), "35.500000");
    // A message of another command changes nothing.
    Run(R"(window.chrome.webview.__dispatch({"map_lat":"1.0","val_command":"other"}))");
    EXPECT_EQ(Run("document.getElementById('map_lat').value").toString(), "35.500000");
    // A message from the page with missing keys: the missing ones read as empty.
    Run(R"(window.chrome.webview.postMessage({"map_status":"stop"}))");
    EXPECT_EQ(holder->StatusText(), "stop");
    EXPECT_EQ(holder->LatitudeText(), "");
    EXPECT_EQ(holder->LongitudeText(), "");
}

TEST_F(MapPage, EveryHostCallReachesTheHostWithItsArguments) {
    const QString sample = "chrome.webview.hostObjects.sync.sample.";
    funcs->relJpgNum = "77";
    EXPECT_EQ(Run(sample + "JS2C_GetRelJpgNum()").toString(), "77");
    funcs->connect = 0;
    EXPECT_EQ(Run(sample + "JS2C_ConnectTest()").toInt(), 0);
    funcs->connect = 1;
    EXPECT_EQ(Run(sample + "JS2C_ConnectTest()").toInt(), 1);
    EXPECT_EQ(Run(sample + "JS2C_GetMapURL()").toString(), MapLoaderUrl());
    funcs->group = {35.25, 139.5, 7, 3};
    EXPECT_EQ(Run("JSON.stringify(" + sample + "JS2C_GetGPSData())").toString(),
              "[35.25,139.5,7,3]");
    funcs->grid.reset();
    EXPECT_EQ(Run(sample + "JS2C_GetGridData('abc') === null").toBool(), true);
    EXPECT_EQ(funcs->gridText, "abc");
    Run(sample + "JS2C_OnClickCrashPoint(1, 2, 1234, 1, 35.5, 139.25, 42.5, 90)");
    ASSERT_EQ(funcs->clicks.size(), 1u);
    const Click& c = funcs->clicks[0];
    EXPECT_EQ(std::tie(c.ifile, c.igrid, c.ipos, c.valid), std::make_tuple(1, 2, 1234, 1));
    EXPECT_EQ(std::tie(c.lat, c.lng, c.speed, c.direction),
              std::make_tuple(35.5, 139.25, 42.5, 90.0));
    const int inits = funcs->initCalls;
    Run(sample + "JS2C_OnInitHtml()");
    EXPECT_EQ(funcs->initCalls, inits + 1);
    funcs->initCalls = inits;
    const int sends = funcs->setSendCalls;
    Run(sample + "JS2C_SetSend()");
    EXPECT_GE(funcs->setSendCalls, sends + 1);
    EXPECT_EQ(Run(sample + "TestMethod('abc', 7)").toString(), "TestMethod(abc, 7) called.\n");
}

TEST_F(MapPage, EventPinsByKindAndTheirClick) {
    Run("cplist.AddCrashPos(5, 0.1, 0.2, 0.3, 0, 2, 1234, 35.5, 139.25, 1, 42.5, 0)");
    Run("cplist.AddCrashPos(9, 0.1, 0.2, 0.3, 0, 2, 99, 35.6, 139.3, 1, 0, 0)");
    ASSERT_EQ(Run("cplist.markers.length").toInt(), 2);
    EXPECT_EQ(
        Run("cplist.markers[0].marker.options.icon.options.iconUrl === g_iconurl[5]").toBool(),
        true);
    // A kind without a picture: the library's default pin, with the shadow.
    EXPECT_EQ(Run("cplist.markers[1].marker.options.icon.options.iconUrl").toString(),
              "leaflet/images/marker-icon.png");
    EXPECT_EQ(Run("cplist.markers[1].marker.options.icon.options.shadowUrl === g_shadow").toBool(),
              true);
    EXPECT_EQ(Run("cplist.markers[1].marker.getElement().complete &&"
                  " cplist.markers[1].marker.getElement().naturalWidth")
                  .toInt(),
              25);
    EXPECT_EQ(Run("cplist.markers[0].levely").toDouble(), 0.2);

    Run("cplist.markers[0].marker.fire('click')");
    ASSERT_EQ(funcs->clicks.size(), 1u);
    EXPECT_EQ(funcs->clicks[0].ipos, 1234);
    EXPECT_EQ(funcs->clicks[0].igrid, 2);
    EXPECT_EQ(funcs->clicks[0].lat, 35.5);

    Run("cplist.ClearCrashPos()");
    EXPECT_EQ(
        Run("cplist.markers.length + document.querySelectorAll('.leaflet-marker-icon').length")
            .toInt(),
        1);  // only the position marker is left
}

// Stays last: the page goes offline and comes back.
TEST_F(MapPage, ZzLosingTheConnectionTearsTheMapDownAndRegainingItRebuilds) {
    funcs->lat = 35.0;
    funcs->lng = 139.0;
    funcs->connect = 0;
    ASSERT_TRUE(WaitFor([] { return Run("g_map === null && g_script === null").toBool(); }, 4000));
    EXPECT_EQ(Run("g_isInitConnect || g_isStartInitConnect").toBool(), false);
    Run("orbitgrplist.CreateGridLine(0); cplist.AddCrashPos(5,0,0,0,0,0,1,35,139,1,0,0)");
    EXPECT_EQ(Run("cplist.markers.length").toInt(), 0);  // nothing draws while offline
    const int inits = funcs->initCalls;
    funcs->connect = 1;
    EXPECT_TRUE(WaitFor([&] { return funcs->initCalls == inits + 1; }, 4000));
    EXPECT_EQ(Run("g_isInitConnect && g_map !== null").toBool(), true);
}

}  // namespace
}  // namespace quorva
