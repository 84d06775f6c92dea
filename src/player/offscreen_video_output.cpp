#include "player/offscreen_video_output.h"

#include <thread>

#include "player/picture_placement.h"

namespace quorva {

void OffscreenVideoOutput::Present(const FramePtr& frame, const PresentInfo& info) {
    std::shared_ptr<std::mutex> core;
    double costMs = 0.0;
    {
        std::lock_guard lock(mutex_);
        core = core_;
        costMs = costMs_;
    }
    if (core && costMs > 0.0) {
        std::lock_guard busy(*core);
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(costMs));
    }
    {
        std::lock_guard lock(mutex_);
        last_ = frame;
        records_.push_back({frame->position, frame->mediaMs, info});
        ++presentCount_;
        if (keep_ > 0) {
            pictures_.push_back(frame);
            while (pictures_.size() > keep_)
                pictures_.pop_front();
        }
    }
    cv_.notify_all();
}

void OffscreenVideoOutput::Repaint() {
    std::lock_guard lock(mutex_);
    ++repaints_;
}

PlayerSize OffscreenVideoOutput::ClientSize() const {
    std::lock_guard lock(mutex_);
    return client_;
}

void OffscreenVideoOutput::SetVideoRect(const PlayerRect& rect) {
    std::lock_guard lock(mutex_);
    rect_ = rect;
}

void OffscreenVideoOutput::SetOverlay(std::shared_ptr<const OverlayImage> overlay) {
    std::lock_guard lock(mutex_);
    overlay_ = std::move(overlay);
}

void OffscreenVideoOutput::ClearOverlay() {
    std::lock_guard lock(mutex_);
    overlay_.reset();
}

PlayerSize OffscreenVideoOutput::PresentSize(PlayerSize picture) const {
    std::lock_guard lock(mutex_);
    return atRectSize_ ? PresentSizeFor(picture, rect_) : picture;
}

void OffscreenVideoOutput::SetPresentAtRectSize(bool on) {
    std::lock_guard lock(mutex_);
    atRectSize_ = on;
}

void OffscreenVideoOutput::SetPresentCost(std::shared_ptr<std::mutex> core, double ms) {
    std::lock_guard lock(mutex_);
    core_ = std::move(core);
    costMs_ = ms;
}

void OffscreenVideoOutput::SetClientSize(PlayerSize size) {
    std::lock_guard lock(mutex_);
    client_ = size;
}

void OffscreenVideoOutput::KeepPictures(size_t count) {
    std::lock_guard lock(mutex_);
    keep_ = count;
    while (pictures_.size() > keep_)
        pictures_.pop_front();
}

FramePtr OffscreenVideoOutput::LastPicture() const {
    std::lock_guard lock(mutex_);
    return last_;
}

std::vector<PresentRecord> OffscreenVideoOutput::Records() const {
    std::lock_guard lock(mutex_);
    return records_;
}

std::vector<FramePtr> OffscreenVideoOutput::Pictures() const {
    std::lock_guard lock(mutex_);
    return {pictures_.begin(), pictures_.end()};
}

size_t OffscreenVideoOutput::PresentCount() const {
    std::lock_guard lock(mutex_);
    return presentCount_;
}

int64_t OffscreenVideoOutput::RepaintCount() const {
    std::lock_guard lock(mutex_);
    return repaints_;
}

PlayerRect OffscreenVideoOutput::VideoRect() const {
    std::lock_guard lock(mutex_);
    return rect_;
}

std::shared_ptr<const OverlayImage> OffscreenVideoOutput::Overlay() const {
    std::lock_guard lock(mutex_);
    return overlay_;
}

void OffscreenVideoOutput::ClearRecords() {
    std::lock_guard lock(mutex_);
    records_.clear();
    pictures_.clear();
}

bool OffscreenVideoOutput::WaitForPresents(size_t count, int timeoutMs) const {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                        [&] { return presentCount_ >= count; });
}

}  // namespace quorva
