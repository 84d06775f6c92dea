// Conversion of decoded pictures (any pixel format FFmpeg decodes, any size) to the 32-bit
// pixels of a VideoFrame at their own or any other size, with the colour matrix and range of
// each picture. A 4:2:0 picture is resized in its own planes (area average) and then
// converted at the new size, each step on the library's fast paths; other formats are
// converted and resized in one pass. The contexts are kept while the sizes and the format
// stay the same.
#pragma once

#include <memory>

#include "player/video_frame.h"

struct AVFrame;
struct SwsContext;

namespace quorva {

// The largest picture side the player converts.
constexpr int kMaxPictureSide = 16384;

class PictureConverter {
  public:
    PictureConverter() = default;
    ~PictureConverter();
    PictureConverter(const PictureConverter&) = delete;
    PictureConverter& operator=(const PictureConverter&) = delete;

    // The picture in a frame from pool (rows aligned and padded as the converter needs),
    // scaled to width x height (0 x 0: its own size); null for an unusable picture.
    std::shared_ptr<VideoFrame> Convert(const AVFrame& picture, FramePool& pool, int width = 0,
                                        int height = 0);
    // Converts into rows of stride bytes at pixels, which must hold what FramePool gives a
    // picture of width x height (0 x 0: the picture's own size). False for an unusable
    // picture or size.
    bool ConvertInto(const AVFrame& picture, uint8_t* pixels, int stride, int width = 0,
                     int height = 0);

  private:
    // The 4:2:0 picture resized into scaled_; null on failure.
    const AVFrame* Shrink(const AVFrame& picture, int width, int height);

    SwsContext* sws_ = nullptr;
    SwsContext* shrinkSws_ = nullptr;
    AVFrame* scaled_ = nullptr;
    int format_ = -1;  // source format, range and matrix the converter was set up for
    int range_ = -1;
    int matrix_ = -1;
};

}  // namespace quorva
