// Where the map's tiles come from: an MBTiles file when one is named, else a tile server's
// "{z}/{x}/{y}" address template (default the OpenStreetMap tile server). No key and no
// account are needed. The main window reads them from the settings (MAP/TILE_URL,
// MAP/MBTILES).
#pragma once

#include <string>

namespace quorva {

inline constexpr const char* kDefaultTileUrl = "https://tile.openstreetmap.org/{z}/{x}/{y}.png";
inline constexpr const char* kOsmAttribution =
    "&copy; <a href=\"https://www.openstreetmap.org/copyright\">OpenStreetMap</a> contributors";

struct MapTileSettings {
    std::string tileUrl = kDefaultTileUrl;
    std::string mbtilesPath;  // empty: tiles from the server
    std::string cacheDir;     // where server tiles are cached; empty: no cache
};

}  // namespace quorva
