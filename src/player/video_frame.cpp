#include "player/video_frame.h"

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
        frame->stride = width * 4;
        frame->pixels.resize(static_cast<size_t>(frame->stride) * height);
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

}  // namespace quorva
