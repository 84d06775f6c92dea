// Drawing into a YUV 4:2:0 picture (three planes, chroma at half resolution).
#pragma once

#include <cstdint>

namespace quorva::cardwriter {

struct Yuv {
    uint8_t y, u, v;
};
// Limited-range BT.601 of an RGB colour.
Yuv YuvOf(int r, int g, int b);

struct YuvCanvas {
    uint8_t* plane[3] = {};
    int stride[3] = {};
    int width = 0;
    int height = 0;

    // Fills [x0, x1) x [y0, y1), clipped to the picture.
    void FillRect(int x0, int y0, int x1, int y1, Yuv c);
    // Fills one luma row span (and the chroma row it falls on, on even rows).
    void FillSpan(int y, int x0, int x1, Yuv c);
};

}  // namespace quorva::cardwriter
