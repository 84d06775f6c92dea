#include "cardwriter/frame_stamp.h"

#include <algorithm>
#include <array>

namespace quorva::cardwriter {
namespace {

constexpr int kCameraCell = 3;
constexpr int kFirstFrameCell = 4;
constexpr int kParityCell = kFirstFrameCell + kStampFrameBits;

int CellLeft(int cell, int width) {
    return static_cast<int>(int64_t{cell} * width / kStampCells);
}

std::array<bool, kStampCells> CellsOf(int camera, int frame) {
    std::array<bool, kStampCells> on{};
    on[0] = true;
    on[1] = false;
    on[2] = true;
    on[kCameraCell] = camera != 0;
    for (int b = 0; b < kStampFrameBits; ++b)
        on[kFirstFrameCell + b] = ((frame >> (kStampFrameBits - 1 - b)) & 1) != 0;
    bool parity = false;
    for (int c = kCameraCell; c < kParityCell; ++c)
        parity ^= on[c];
    on[kParityCell] = parity;
    on[kStampCells - 1] = false;
    return on;
}

int LumaAt(const uint8_t* row, int x, StampPixels format) {
    switch (format) {
        case StampPixels::kGray8:
            return row[x];
        case StampPixels::kRgb24: {
            const uint8_t* p = row + 3 * x;
            return (77 * p[0] + 150 * p[1] + 29 * p[2]) >> 8;
        }
        case StampPixels::kRgba32: {
            const uint8_t* p = row + 4 * x;
            return (77 * p[0] + 150 * p[1] + 29 * p[2]) >> 8;
        }
        case StampPixels::kBgra32: {
            const uint8_t* p = row + 4 * x;
            return (77 * p[2] + 150 * p[1] + 29 * p[0]) >> 8;
        }
    }
    return 0;
}

}  // namespace

int StampBandHeight(int height) {
    return height / 10;
}

void DrawFrameStamp(YuvCanvas& canvas, int camera, int frame) {
    const auto on = CellsOf(camera, frame & kStampMaxFrame);
    const int band = StampBandHeight(canvas.height);
    const Yuv white{235, 128, 128}, black{16, 128, 128};
    for (int c = 0; c < kStampCells; ++c)
        canvas.FillRect(CellLeft(c, canvas.width), 0, CellLeft(c + 1, canvas.width), band,
                        on[c] ? white : black);
}

std::optional<FrameStamp> ReadFrameStamp(const uint8_t* pixels, int width, int height, int stride,
                                         StampPixels format) {
    if (!pixels || width < kStampCells || height < 10) return std::nullopt;
    const int band = StampBandHeight(height);
    // The middle half of each cell, away from edges blurred by compression or scaling.
    const int y0 = band / 4, y1 = std::max(y0 + 1, band * 3 / 4);
    std::array<int, kStampCells> mean{};
    for (int c = 0; c < kStampCells; ++c) {
        const int left = CellLeft(c, width), right = CellLeft(c + 1, width);
        const int w = right - left;
        const int x0 = left + w / 4, x1 = std::max(x0 + 1, right - w / 4);
        int64_t sum = 0, n = 0;
        for (int y = y0; y < y1; ++y) {
            const uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * stride;
            for (int x = x0; x < x1; ++x, ++n)
                sum += LumaAt(row, x, format);
        }
        mean[c] = static_cast<int>(sum / n);
    }
    const int white = (mean[0] + mean[2]) / 2;
    const int black = (mean[1] + mean[kStampCells - 1]) / 2;
    if (white - black < 48) return std::nullopt;
    const int threshold = (white + black) / 2;
    std::array<bool, kStampCells> on{};
    for (int c = 0; c < kStampCells; ++c)
        on[c] = mean[c] > threshold;
    if (!on[0] || on[1] || !on[2] || on[kStampCells - 1]) return std::nullopt;
    bool parity = false;
    for (int c = kCameraCell; c < kParityCell; ++c)
        parity ^= on[c];
    if (parity != on[kParityCell]) return std::nullopt;
    FrameStamp s;
    s.camera = on[kCameraCell] ? 1 : 0;
    for (int b = 0; b < kStampFrameBits; ++b)
        s.frame = (s.frame << 1) | on[kFirstFrameCell + b];
    return s;
}

}  // namespace quorva::cardwriter
