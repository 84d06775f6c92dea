// A decoded picture as the presenter hands it to a video output: 32-bit pixels (B, G, R, A
// bytes; alpha 255) at the movie's native size, top row first, with its position number and
// media time. Frames come from a pool and go back to it when the last reference is dropped.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace quorva {

struct VideoFrame {
    int width = 0;
    int height = 0;
    int stride = 0;  // bytes per row: a multiple of kRowAlignment
    // stride x height bytes of rows, then kPicturePadding bytes that no row uses (converters
    // write in blocks of several pixels past the end of a row).
    std::vector<uint8_t> pixels;
    int64_t position = 0;  // position number (frame index from 0)
    double mediaMs = 0.0;  // position x frame duration
    bool keyFrame = false;
    uint64_t serial = 0;  // seek generation the frame was decoded for

    const uint8_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * stride; }
    uint32_t PixelAt(int x, int y) const {  // 0xAARRGGBB
        const uint8_t* p = Row(y) + static_cast<size_t>(x) * 4;
        return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
};

using FramePtr = std::shared_ptr<const VideoFrame>;

constexpr int kRowAlignment = 64;
constexpr size_t kPicturePadding = 64;

// Recycles frame buffers so that playback does not allocate a picture per frame.
class FramePool : public std::enable_shared_from_this<FramePool> {
  public:
    static std::shared_ptr<FramePool> Create() { return std::shared_ptr<FramePool>(new FramePool); }
    // A frame with room for width x height pixels (contents undefined), rows aligned and
    // padded as above.
    std::shared_ptr<VideoFrame> Acquire(int width, int height);

  private:
    FramePool() = default;
    void Give(VideoFrame* frame);
    std::mutex mutex_;
    std::vector<std::unique_ptr<VideoFrame>> free_;
};

// The picture turned clockwise by degrees (90, 180 or 270), in a frame from pool; null for
// any other angle.
std::shared_ptr<VideoFrame> TurnPicture(const VideoFrame& picture, int degrees, FramePool& pool);

}  // namespace quorva
