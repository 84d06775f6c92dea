#include "player/video_frame.h"

#include <cstring>

namespace quorva {

namespace {
constexpr size_t kMaxFreeFrames = 12;
}

std::shared_ptr<VideoFrame> FramePool::Acquire(int width, int height) {
    std::unique_ptr<VideoFrame> frame;
    {
        std::lock_guard lock(mutex_);
        for (auto it = free_.begin(); it != free_.end(); ++it) {
            if ((*it)->width == width && (*it)->height == height) {
                frame = std::move(*it);
                free_.erase(it);
                break;
            }
        }
    }
    if (!frame) {
        frame = std::make_unique<VideoFrame>();
        frame->width = width;
        frame->height = height;
        frame->stride = (width * 4 + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
        frame->pixels.resize(static_cast<size_t>(frame->stride) * height + kPicturePadding);
    }
    frame->position = 0;
    frame->mediaMs = 0.0;
    frame->keyFrame = false;
    frame->serial = 0;
    std::weak_ptr<FramePool> pool = weak_from_this();
    return std::shared_ptr<VideoFrame>(frame.release(), [pool](VideoFrame* f) {
        if (auto p = pool.lock())
            p->Give(f);
        else
            delete f;
    });
}

void FramePool::Give(VideoFrame* frame) {
    std::unique_ptr<VideoFrame> owned(frame);
    std::lock_guard lock(mutex_);
    if (free_.size() < kMaxFreeFrames) free_.push_back(std::move(owned));
}

std::shared_ptr<VideoFrame> TurnPicture(const VideoFrame& in, int degrees, FramePool& pool) {
    if (degrees != 90 && degrees != 180 && degrees != 270) return nullptr;
    const int w = in.width;
    const int h = in.height;
    const bool sideways = degrees != 180;
    auto out = pool.Acquire(sideways ? h : w, sideways ? w : h);
    for (int y = 0; y < out->height; ++y) {
        uint8_t* row = out->pixels.data() + static_cast<size_t>(y) * out->stride;
        for (int x = 0; x < out->width; ++x) {
            // The source pixel that lands at (x, y).
            int sx = 0, sy = 0;
            if (degrees == 90) {
                sx = y;
                sy = h - 1 - x;
            } else if (degrees == 180) {
                sx = w - 1 - x;
                sy = h - 1 - y;
            } else {
                sx = w - 1 - y;
                sy = x;
            }
            std::memcpy(row + static_cast<size_t>(x) * 4, in.Row(sy) + static_cast<size_t>(sx) * 4,
                        4);
        }
    }
    out->keyFrame = in.keyFrame;
    return out;
}

}  // namespace quorva
