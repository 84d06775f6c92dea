// Turns a decoded picture into the 32-bit pixels a video output shows: one conversion from
// the decoder's format straight to the size asked for, then turned upright.
#pragma once

#include "player/decoded_picture.h"
#include "player/picture_converter.h"
#include "player/player_geometry.h"
#include "player/video_frame.h"

namespace quorva {

// The picture's size as shown (turned upright).
PlayerSize ShownSize(const DecodedPicture& picture);

// The picture at size (as shown; a size that is not positive means the shown size), stamped
// with its position, media time and serial; null when it cannot be converted.
FramePtr RenderPicture(const DecodedPicture& picture, PlayerSize size, PictureConverter& converter,
                       FramePool& pool);

}  // namespace quorva
