#include "player/picture_placement.h"

#include <algorithm>

namespace quorva {

std::optional<PlayerRect> ZoomedRect(PlayerSize client, const ZoomSettings& zoom) {
    if (zoom.factor == 0.0f) return std::nullopt;
    PlayerRect r{0, 0, client.width, client.height};
    if (zoom.factor != 1.0f && client.width > 0 && client.height > 0) {
        const float e = zoom.factor - 1.0f;
        const float w = static_cast<float>(client.width);
        const float h = static_cast<float>(client.height);
        const float ax = static_cast<float>(zoom.anchorX);
        const float ay = static_cast<float>(zoom.anchorY);
        r.left -= static_cast<int>(ax / w * w * e);
        r.right += static_cast<int>((1.0f - ax / w) * w * e);
        if (r.right < r.left) return std::nullopt;
        r.top -= static_cast<int>(ay / h * h * e);
        r.bottom += static_cast<int>((1.0f - ay / h) * h * e);
    }
    r.left += zoom.panX;
    r.right += zoom.panX;
    r.top += zoom.panY;
    r.bottom += zoom.panY;
    return r;
}

PlayerRect KeepAspectRect(const PlayerRect& r, PlayerSize client, PlayerSize picture) {
    if (picture.width <= 0 || picture.height <= 0 || client.height <= 0) return r;
    const double x = static_cast<double>(picture.width) / picture.height;
    const double clientRatio = static_cast<double>(client.width) / client.height;
    int f = 0;
    int g = 0;
    if (clientRatio > x) {
        f = r.bottom - r.top;
        g = static_cast<int>(f * x);
    } else {
        g = r.right - r.left;
        f = static_cast<int>(g / x);
    }
    return PlayerRect{(r.left + r.right - g) / 2, (r.top + r.bottom - f) / 2,
                      (r.left + r.right + g) / 2, (r.top + r.bottom + f) / 2 + 1};
}

std::optional<PlayerRect> PlacePicture(PlayerSize client, const ZoomSettings& zoom, bool keepAspect,
                                       PlayerSize picture) {
    auto r = ZoomedRect(client, zoom);
    if (!r) return std::nullopt;
    if (!keepAspect) return r;
    if (picture.width <= 0 || picture.height <= 0) return std::nullopt;
    return KeepAspectRect(*r, client, picture);
}

std::array<PlayerRect, 4> BlackBands(PlayerSize client, const PlayerRect& v) {
    const int w = client.width;
    const int h = client.height;
    return {PlayerRect{0, 0, std::max(v.left, 0), h}, PlayerRect{0, 0, w, std::max(v.top, 0)},
            PlayerRect{std::min(w, v.right), 0, w, h}, PlayerRect{0, std::min(h, v.bottom), w, h}};
}

NormalizedRect OverlayPlacement(PlayerSize client, PlayerSize picture, bool keepAspect) {
    NormalizedRect n;
    if (client.width <= 0 || client.height <= 0 || picture.width <= 0 || picture.height <= 0)
        return n;
    float sx = static_cast<float>(client.width) / picture.width;
    float sy = static_cast<float>(client.height) / picture.height;
    if (!keepAspect) sx = sy = std::min(sx, sy);
    n.left = 1.0f - static_cast<float>(static_cast<int>(sx * kOverlayWidth)) / client.width;
    n.top = 1.0f - static_cast<float>(static_cast<int>(sy * kOverlayHeight)) / client.height;
    n.left = std::clamp(n.left, 0.0f, 1.0f);
    n.top = std::clamp(n.top, 0.0f, 1.0f);
    return n;
}

PlayerSize PresentSizeFor(PlayerSize picture, const PlayerRect& video) {
    const int w = video.Width();
    const int h = video.Height();
    if (w <= 0 || h <= 0 || w > picture.width || h > picture.height) return picture;
    return {w, h};
}

}  // namespace quorva
