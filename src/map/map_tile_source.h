// CMapTileSource: answers the map page's tile requests, from the MBTiles file when one is
// set, else from the tile server (through Qt Network, with the viewer's user agent, the
// environment's proxies and an optional disk cache). Lives on the user-interface thread.
#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>
#include <memory>
#include <string>

#include "map/map_tile_settings.h"
#include "map/mbtiles_reader.h"

class QNetworkAccessManager;

namespace quorva {

class CMapTileSource : public QObject {
    Q_OBJECT

  public:
    explicit CMapTileSource(MapTileSettings settings, QObject* parent = nullptr);
    ~CMapTileSource() override;

    const MapTileSettings& Settings() const { return settings_; }
    bool UsesMbTiles() const { return !settings_.mbtilesPath.empty(); }

    // Called once with the tile's bytes and type, or with empty bytes when there is none.
    using TileDone = std::function<void(const QByteArray& data, const QByteArray& mime)>;
    // `done` may run before Fetch returns (MBTiles) or later (server). Requests still under
    // way when the source goes are cancelled without calling `done`.
    void Fetch(int z, int x, int y, QObject* requester, TileDone done);

    // What the page's tile layer needs: attribution (HTML) and zoom range.
    std::string Attribution() const;
    int MinZoom() const;
    int MaxZoom() const;
    int Requests() const { return requests_; }

  private:
    MapTileSettings settings_;
    std::unique_ptr<CMbTilesReader> mbtiles_;
    QNetworkAccessManager* network_ = nullptr;
    int requests_ = 0;
};

}  // namespace quorva
