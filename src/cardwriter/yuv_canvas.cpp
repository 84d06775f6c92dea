#include "cardwriter/yuv_canvas.h"

#include <algorithm>
#include <cstring>

namespace quorva::cardwriter {

Yuv YuvOf(int r, int g, int b) {
    auto clamp = [](double v) { return static_cast<uint8_t>(std::clamp(v + 0.5, 0.0, 255.0)); };
    return {clamp(16 + (65.481 * r + 128.553 * g + 24.966 * b) / 255.0),
            clamp(128 + (-37.797 * r - 74.203 * g + 112.0 * b) / 255.0),
            clamp(128 + (112.0 * r - 93.786 * g - 18.214 * b) / 255.0)};
}

void YuvCanvas::FillRect(int x0, int y0, int x1, int y1, Yuv c) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width);
    y1 = std::min(y1, height);
    if (x0 >= x1 || y0 >= y1) return;
    for (int y = y0; y < y1; ++y)
        std::memset(plane[0] + y * stride[0] + x0, c.y, x1 - x0);
    const int cx0 = x0 / 2, cx1 = (x1 + 1) / 2, cy0 = y0 / 2, cy1 = (y1 + 1) / 2;
    for (int y = cy0; y < cy1; ++y) {
        std::memset(plane[1] + y * stride[1] + cx0, c.u, cx1 - cx0);
        std::memset(plane[2] + y * stride[2] + cx0, c.v, cx1 - cx0);
    }
}

void YuvCanvas::FillSpan(int y, int x0, int x1, Yuv c) {
    if (y < 0 || y >= height) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width);
    if (x0 >= x1) return;
    std::memset(plane[0] + y * stride[0] + x0, c.y, x1 - x0);
    if (y % 2 == 0) {
        const int cx0 = x0 / 2, cx1 = (x1 + 1) / 2;
        std::memset(plane[1] + (y / 2) * stride[1] + cx0, c.u, cx1 - cx0);
        std::memset(plane[2] + (y / 2) * stride[2] + cx0, c.v, cx1 - cx0);
    }
}

}  // namespace quorva::cardwriter
