#include "panels/panel_pictures.h"

#include <cmath>
#include <map>
#include <utility>

#include "skin/skin_resources.h"

namespace quorva {

QImage PanelPictureAt(int resourceId, double s) {
    // Painting runs on the user-interface thread only.
    static std::map<std::pair<int, long>, QImage> cache;
    if (!(s > 0.0) || !std::isfinite(s)) s = 1.0;
    const std::pair<int, long> key(resourceId, std::lround(s * 10000.0));
    auto it = cache.find(key);
    if (it == cache.end()) {
        const QSize design = SkinDesignSize(resourceId);
        const QSize size(static_cast<int>(design.width() * s),
                         static_cast<int>(design.height() * s));
        it = cache.emplace(key, RenderSkinImage(resourceId, size)).first;
    }
    return it->second;
}

QImage PanelPictureSized(int resourceId, QSize size) {
    static std::map<std::pair<int, std::pair<int, int>>, QImage> cache;
    const auto key = std::make_pair(resourceId, std::make_pair(size.width(), size.height()));
    auto it = cache.find(key);
    if (it == cache.end()) {
        // Resizing the window asks for ever new sizes: keep only the recent ones.
        if (cache.size() >= 64) cache.clear();
        it = cache.emplace(key, RenderSkinImage(resourceId, size)).first;
    }
    return it->second;
}

}  // namespace quorva
