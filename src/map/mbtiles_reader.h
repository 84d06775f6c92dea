// CMbTilesReader: the tiles of an MBTiles file (an SQLite database: table "tiles" with
// zoom_level, tile_column, tile_row counted from the south, tile_data; table "metadata" with
// name/value pairs), read-only through Qt SQL's SQLite driver. Raster tiles only.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

namespace quorva {

class CMbTilesReader {
  public:
    CMbTilesReader() = default;
    ~CMbTilesReader();
    CMbTilesReader(const CMbTilesReader&) = delete;
    CMbTilesReader& operator=(const CMbTilesReader&) = delete;

    // False when the file is missing, not an SQLite database, has no tile table or holds
    // tiles in a format other than PNG, JPEG or WebP.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return !connection_.isEmpty(); }

    // The tile at zoom z, column x and row y counted from the north (as the map asks).
    std::optional<QByteArray> Tile(int z, int x, int y) const;
    QByteArray MimeType() const { return mime_; }
    std::string Attribution() const { return attribution_; }
    int MinZoom() const { return minZoom_; }
    int MaxZoom() const { return maxZoom_; }

    // Whether the file can serve tiles now (opens and closes it).
    static bool Usable(const std::string& path);

  private:
    QString connection_;
    QByteArray mime_ = "image/png";
    std::string attribution_;
    int minZoom_ = 0;
    int maxZoom_ = 19;
};

}  // namespace quorva
