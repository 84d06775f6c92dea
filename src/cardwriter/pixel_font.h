// A 5x7 pixel font for the overlay texts of the pictures (digits, capitals, a few signs).
#pragma once

#include <string_view>

#include "cardwriter/yuv_canvas.h"

namespace quorva::cardwriter {

// Draws text with its top-left corner at (x, y), each font dot a square of `dot` pixels,
// with a one-dot dark outline so that it reads on any background. Unknown characters
// are drawn as spaces. Returns the x after the text.
int DrawText(YuvCanvas& canvas, int x, int y, int dot, std::string_view text, Yuv colour);
// Width in pixels of a text drawn with the given dot size.
int TextWidth(std::string_view text, int dot);

}  // namespace quorva::cardwriter
