// The overlay picture: 300 x 120 pixels, black, with the text in green in a bold 42-point
// font of the given face, word-wrapped. Needs a GUI application for fonts; without one the
// overlay stays black (fully transparent over the picture).
#pragma once

#include <memory>
#include <string>

#include "player/video_frame.h"

namespace quorva {

std::shared_ptr<VideoFrame> RenderOverlayText(const std::string& text, const std::string& face);

}  // namespace quorva
