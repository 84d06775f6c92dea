#include "map/map_tile_settings.h"

#include "app/settings_store.h"

namespace quorva {

MapTileSettings ReadMapTileSettings() {
    MapTileSettings settings;
    const std::string url = ReadSetting("MAP", "TILE_URL");
    if (!url.empty()) settings.tileUrl = url;
    settings.mbtilesPath = ReadSetting("MAP", "MBTILES");
    return settings;
}

}  // namespace quorva
