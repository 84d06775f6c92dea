// Where a movie window shows its picture: zoom around an anchor, pan, keep the picture's
// aspect ratio, and the black bands around it. Pure rectangle arithmetic.
#pragma once

#include <array>
#include <optional>

#include "player/player_geometry.h"

namespace quorva {

struct ZoomSettings {
    int anchorX = 0;  // client point that stays fixed while zooming
    int anchorY = 0;
    int panX = 0;  // offset added to the zoomed rectangle
    int panY = 0;
    float factor = 1.0f;  // 1.0 = no zoom; 0 is refused
};

// The client rectangle (0, 0, width, height) zoomed around the anchor and panned. Empty when
// the factor is 0 or the zoomed rectangle turns inside out.
std::optional<PlayerRect> ZoomedRect(PlayerSize client, const ZoomSettings& zoom);

// The part of rect that shows a picture of the given size with its aspect ratio kept,
// centred. The client size decides whether the picture fills the width or the height.
PlayerRect KeepAspectRect(const PlayerRect& rect, PlayerSize client, PlayerSize picture);

// The full placement: zoom, pan, and (when keepAspect) the aspect fit. Empty when the zoom is
// refused or the picture size is unknown while keeping the aspect.
std::optional<PlayerRect> PlacePicture(PlayerSize client, const ZoomSettings& zoom, bool keepAspect,
                                       PlayerSize picture);

// The four black bands outside the video rectangle: left, top, right, bottom (they may
// overlap in the corners; an empty band has no area).
std::array<PlayerRect, 4> BlackBands(PlayerSize client, const PlayerRect& video);

// Where the 300 x 120 overlay sits, as fractions of the video rectangle: the lower right
// corner, scaled as the picture is scaled into the client area.
NormalizedRect OverlayPlacement(PlayerSize client, PlayerSize picture, bool keepAspect);

// The size a picture is converted to for a video rectangle: the rectangle's size when the
// picture is shrunk (or shown as it is) on both sides, else the picture's own size (a
// picture shown larger than it is is scaled up by the output, not converted larger).
PlayerSize PresentSizeFor(PlayerSize picture, const PlayerRect& video);

constexpr int kOverlayWidth = 300;
constexpr int kOverlayHeight = 120;

}  // namespace quorva
