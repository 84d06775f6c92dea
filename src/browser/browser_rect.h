// A rectangle in pixels (left, top, width, height) for the browser's layout rules, which
// stay free of any toolkit.
#pragma once

namespace quorva {

struct BoxRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int Right() const { return x + width; }  // one past the last column
    int Bottom() const { return y + height; }
    friend bool operator==(const BoxRect&, const BoxRect&) = default;
};

}  // namespace quorva
