// The map window controller with its window, page, checker and tile source: the online path
// with a tile server on the loopback address, the offline map file, and a map switched off.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "appcore/app_messages.h"
#include "loopback_http_server.h"
#include "map/map_dlg.h"
#include "map/map_dlg_wrap.h"
#include "map/map_tile_source.h"
#include "map/map_track_source.h"
#include "page_driver.h"

namespace quorva {
namespace {

using test::Eval;
using test::LoopbackHttpServer;
using test::Spin;
using test::WaitFor;

class Messages : public AppMessageTarget {
  public:
    struct Posted {
        uint32_t id;
        uintptr_t wParam;
        intptr_t lParam;
    };
    std::vector<Posted> posted;
    void PostAppMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) override {
        posted.push_back({id, wParam, lParam});
    }
    int Count(uint32_t id) const {
        int n = 0;
        for (const Posted& p : posted)
            n += p.id == id;
        return n;
    }
};

class Tracks : public MapTrackSource {
  public:
    TrackArray group{0.0};
    std::optional<TrackArray> grid;
    TrackArray GroupTrack() override { return group; }
    std::optional<TrackArray> RecordingTrack() override { return grid; }
};

// A drive north-east from Tokyo station, one fix per second: position numbers 0, 30, ...
TrackArray Drive(int fixes) {
    TrackArray t;
    for (int i = 0; i < fixes; ++i)
        t.insert(t.end(), {35.6812 + i * 0.0002, 139.7671 + i * 0.0002, 30.0 * i});
    t.push_back(static_cast<double>(t.size()));
    return t;
}

// The map window in a parent, the controller feeding it, the messages it posts.
struct MapRig {
    explicit MapRig(MapTileSettings settings) : controller(&tracks, std::move(settings)) {
        parent.resize(452, 368);
        parent.show();
        controller.CreateMapWindow(&parent, &messages);
        controller.Window()->setGeometry(1, 20, 450, 347);
        tracks.group = Drive(40);
        tracks.grid = Drive(20);
    }
    QVariant Run(const QString& script) {
        return Eval(controller.Window()->Holder().Page(), script);
    }
    bool WaitReady(int count) {
        return WaitFor([&] { return messages.Count(WM_APP_MAP_READY) >= count; }, 20000);
    }
    // What the main window does on WM_APP_MAP_READY: tracks, one pin, stop state.
    void Refresh() {
        controller.SetPositionNumber(300);
        controller.LoadGrid(0, true);
        GpsSample gps;
        gps.valid = 1;
        gps.latitude = 35.6832;
        gps.longitude = 139.7691;
        GSensorSample g;
        g.position = 1234;
        g.linkedGps = &gps;
        controller.AddEventPin(0, &g, 0);
        controller.SetPlayState(kMapStopped);
    }
    bool Drawn() {
        return Run("orbitgrplist.grpline.length === 1 && orbitgrplist.histline.length === 1 &&"
                   " orbitgrplist.schline.length === 1 && cplist.markers.length === 1")
            .toBool();
    }

    Tracks tracks;
    Messages messages;
    QWidget parent;
    CMapDlgWrap controller;
};

TEST(MapController, OnlineWithATileServerOffWithoutAndBackAgain) {
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Start());
    server.SetReply(200, "image/png", LoopbackHttpServer::GridTilePng());
    MapTileSettings settings;
    settings.tileUrl = (server.BaseUrl() + "/{z}/{x}/{y}.png").toStdString();
    MapRig rig(settings);

    rig.controller.SetMapSwitch(true);
    EXPECT_EQ(rig.controller.ShowMap(true), 1);
    EXPECT_EQ(rig.controller.ShowMap(true), 0);  // already shown
    ASSERT_TRUE(rig.WaitReady(1));
    EXPECT_TRUE(rig.controller.PageReady());
    rig.Refresh();
    EXPECT_TRUE(WaitFor([&] { return rig.Drawn(); }, 5000));
    EXPECT_TRUE(WaitFor([&] {
        return rig.Run("document.querySelectorAll('.leaflet-tile-loaded').length").toInt() > 0;
    }));
    EXPECT_TRUE(server.RequestLines().contains("HEAD /0/0/0.png HTTP/1.1"));
    EXPECT_TRUE(server.RequestLines().contains("GET /16/58210/25806.png HTTP/1.1"))
        << "the tile under Tokyo station at zoom 16";

    // LoadGrid without the list's track sends exactly three scripts.
    // Records the calls the host makes (not those the page's functions make themselves).
    rig.Run(
        "window.calls = []; var depth = 0;"
        "function spy(o, n) { var f = o[n]; o[n] = function () {"
        "  if (depth === 0) calls.push(n + '(' + Array.prototype.join.call(arguments) + ')');"
        "  depth++; try { return f.apply(this, arguments); } finally { depth--; } }; }"
        "['ClearCrashPos', 'AddCrashPos'].forEach(function (n) { spy(cplist, n); });"
        "['RemoveLineList', 'CreateLine', 'CreateGridLine', 'MoveMarker'].forEach("
        "  function (n) { spy(orbitgrplist, n); });");
    rig.controller.LoadGrid(3, false);
    EXPECT_TRUE(WaitFor(
        [&] {
            return rig.Run("calls.join(' ')").toString() ==
                   "ClearCrashPos() RemoveLineList() CreateGridLine(3)";
        },
        3000))
        << rig.Run("calls.join(' ')").toString().toStdString();

    // A click on a pin seeks the picture to the pin's position.
    rig.Refresh();
    ASSERT_TRUE(WaitFor([&] { return rig.Run("cplist.markers.length").toInt() == 1; }, 3000));
    rig.Run("cplist.markers[0].marker.fire('click')");
    ASSERT_TRUE(WaitFor([&] { return rig.messages.Count(WM_APP_MAP_SEEK) == 1; }, 3000));
    EXPECT_EQ(rig.messages.posted.back().lParam, 1234);
    EXPECT_EQ(rig.messages.posted.back().wParam, 0u);

    // The server goes: the controller answers offline, the page tears its map down.
    const quint16 port = server.Port();
    server.Stop();
    EXPECT_TRUE(WaitFor([&] { return rig.controller.JS2C_ConnectTest() == 0; }, 10000));
    EXPECT_FALSE(rig.controller.PageReady());
    EXPECT_TRUE(WaitFor([&] { return rig.Run("g_map === null").toBool(); }, 5000));

    // It comes back: a second page-ready, and the refresh draws everything again.
    ASSERT_TRUE(server.Start(port));
    ASSERT_TRUE(rig.WaitReady(2));
    rig.Refresh();
    EXPECT_TRUE(WaitFor([&] { return rig.Drawn(); }, 5000));
}

// Tiles of an MBTiles file: a grid tile for the 3 x 3 tiles around the drive at zoom 16.
std::string MakeMbTiles(const QString& path) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "make-mbtiles");
        db.setDatabaseName(path);
        if (!db.open()) return "cannot create";
        QSqlQuery q(db);
        q.exec("CREATE TABLE metadata (name TEXT, value TEXT)");
        q.exec(
            "CREATE TABLE tiles (zoom_level INTEGER, tile_column INTEGER, tile_row INTEGER,"
            " tile_data BLOB)");
        q.exec(
            "INSERT INTO metadata VALUES ('format', 'png'), ('minzoom', '0'),"
            " ('maxzoom', '16'), ('attribution', 'Test tiles')");
        const QByteArray png = LoopbackHttpServer::GridTilePng();
        for (int x = 58209; x <= 58211; ++x) {
            for (int y = 25805; y <= 25807; ++y) {
                q.prepare("INSERT INTO tiles VALUES (16, ?, ?, ?)");
                q.addBindValue(x);
                q.addBindValue((1 << 16) - 1 - y);
                q.addBindValue(png);
                if (!q.exec()) return "cannot insert";
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("make-mbtiles");
    return {};
}

TEST(MapController, OfflineMapFileWithoutAnyServer) {
    QTemporaryDir dir;
    const QString file = dir.filePath("tokyo.mbtiles");
    ASSERT_EQ(MakeMbTiles(file), "");
    MapTileSettings settings;
    settings.tileUrl = "http://127.0.0.1:1/{z}/{x}/{y}.png";  // nothing listens there
    settings.mbtilesPath = file.toStdString();
    MapRig rig(settings);
    rig.controller.SetMapSwitch(true);
    rig.controller.ShowMap(true);
    ASSERT_TRUE(rig.WaitReady(1));
    rig.Refresh();
    EXPECT_TRUE(WaitFor([&] { return rig.Drawn(); }, 5000));
    EXPECT_TRUE(WaitFor([&] {
        return rig.Run("document.querySelectorAll('.leaflet-tile-loaded').length").toInt() >= 4;
    }));
    EXPECT_NE(rig.Run("document.querySelector('.leaflet-control-attribution').textContent")
                  .toString()
                  .indexOf("Test tiles"),
              -1);

    // The file goes: offline.
    ASSERT_TRUE(QFile::rename(file, file + ".gone"));
    EXPECT_TRUE(WaitFor([&] { return rig.controller.JS2C_ConnectTest() == 0; }, 5000));
}

TEST(MapController, NothingIsAskedWhileTheMapIsOff) {
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Start());
    server.SetReply(200, "image/png", LoopbackHttpServer::GridTilePng());
    MapTileSettings settings;
    settings.tileUrl = (server.BaseUrl() + "/{z}/{x}/{y}.png").toStdString();
    MapRig rig(settings);
    rig.controller.SetPositionNumber(42);
    EXPECT_EQ(rig.controller.JS2C_GetRelJpgNum(), "42");
    rig.controller.Window()->show();  // the page runs, but the map is switched off
    ASSERT_TRUE(WaitFor([&] { return rig.Run("typeof g_isInit").toString() == "boolean"; }));
    Spin(2500);
    EXPECT_EQ(server.Requests(), 0);
    EXPECT_EQ(rig.Run("g_script === null && typeof L").toString(), "undefined");
    EXPECT_EQ(rig.messages.Count(WM_APP_MAP_READY), 0);
    EXPECT_FALSE(rig.controller.PageReady());
    // No page ready: LoadGrid and pins send nothing.
    rig.controller.LoadGrid(0, true);
    Spin(200);
    EXPECT_EQ(rig.Run("orbitgrplist.gridlist.points.length").toInt(), 0);
}

TEST(MapController, SwitchOffAnswersZeroAndKeepsThePageReady) {
    Tracks tracks;
    CMapDlgWrap controller(&tracks, MapTileSettings{});
    Messages messages;
    controller.CreateMapWindow(nullptr, &messages);
    controller.JS2C_OnInitHtml();
    ASSERT_EQ(messages.Count(WM_APP_MAP_READY), 1);
    EXPECT_EQ(messages.posted[0].wParam, 0u);
    EXPECT_EQ(messages.posted[0].lParam, 0);
    EXPECT_EQ(controller.JS2C_ConnectTest(), 0);
    EXPECT_TRUE(controller.PageReady());

    controller.JS2C_OnClickCrashPoint(0, 1, 1234, 1, 35.0, 139.0, 0.0, 0.0);
    EXPECT_EQ(messages.posted.back().id, WM_APP_MAP_SEEK);
    EXPECT_EQ(messages.posted.back().lParam, 1234);

    // Play states reach the window's status field.
    controller.SetPlayState(kMapPaused);
    EXPECT_EQ(controller.Window()->Status(), "pause");
    controller.SetPlayState(kMapStopped);
    EXPECT_EQ(controller.Window()->Status(), "stop");
    controller.SetPlayState(kMapPlaying);
    EXPECT_EQ(controller.Window()->Status(), "");

    // Hiding what the controller did not show changes nothing.
    EXPECT_EQ(controller.ShowMap(false), 0);
    QWidget holderA, holderB;
    EXPECT_EQ(controller.SetMapParent(&holderA), nullptr);
    EXPECT_EQ(controller.SetMapParent(&holderB), &holderA);
    controller.SetMapParent(nullptr);
}

}  // namespace
}  // namespace quorva
