// The frame stamp: a row of large black and white cells across the top of every picture
// that carries the camera (0 main, 1 sub) and the frame number, readable back from decoded
// pixels after lossy compression and after scaling (all geometry is relative to the
// picture size).
//
// Cells, left to right, each 1/24 of the width, in a band 1/10 of the height at the top:
//   0..2 guard white, black, white; 3 camera bit; 4..21 frame number, 18 bits, most
//   significant first; 22 even parity of cells 3..21; 23 guard black.
// White cells mean 1.
#pragma once

#include <cstdint>
#include <optional>

#include "cardwriter/yuv_canvas.h"

namespace quorva::cardwriter {

constexpr int kStampCells = 24;
constexpr int kStampFrameBits = 18;
constexpr int kStampMaxFrame = (1 << kStampFrameBits) - 1;

struct FrameStamp {
    int camera = 0;
    int frame = 0;
    friend bool operator==(const FrameStamp&, const FrameStamp&) = default;
};

enum class StampPixels { kGray8, kRgb24, kRgba32, kBgra32 };

// Height of the stamp band of a picture of the given height.
int StampBandHeight(int height);

// Paints the stamp (frame modulo 2^18) into a YUV picture; the band's chroma is neutral.
void DrawFrameStamp(YuvCanvas& canvas, int camera, int frame);

// Reads the stamp from a picture (pixels points at its top-left pixel; stride in bytes).
// Empty when the band does not hold a valid stamp (no contrast, bad guard or parity).
std::optional<FrameStamp> ReadFrameStamp(const uint8_t* pixels, int width, int height, int stride,
                                         StampPixels format = StampPixels::kGray8);

}  // namespace quorva::cardwriter
