#include "player/frame_timeline.h"

#include <algorithm>

#include "player/position_numbers.h"

namespace quorva {

namespace {
// A start this close to a time counts as reached (rounding of the time conversions).
constexpr double kReachedMs = 1e-6;
}  // namespace

FrameTimeline FrameTimeline::Constant(int64_t frames, double frameMs) {
    FrameTimeline t;
    t.frames_ = std::max<int64_t>(frames, 0);
    t.frameMs_ = frameMs;
    t.endMs_ = static_cast<double>(t.frames_) * frameMs;
    return t;
}

FrameTimeline FrameTimeline::Listed(std::vector<double> startsMs, double endMs) {
    FrameTimeline t;
    t.frames_ = static_cast<int64_t>(startsMs.size());
    if (startsMs.empty()) return t;
    t.endMs_ = std::max(endMs, startsMs.back());
    t.frameMs_ = t.endMs_ / static_cast<double>(startsMs.size());
    t.starts_ = std::move(startsMs);
    return t;
}

double FrameTimeline::StartMs(int64_t position) const {
    if (IsConstant()) return MsOfPosition(position, frameMs_);
    if (starts_.empty()) return 0.0;
    return starts_[static_cast<size_t>(std::clamp<int64_t>(position, 0, frames_ - 1))];
}

int64_t FrameTimeline::PositionAt(double mediaMs) const {
    if (IsConstant()) return PositionAtMs(mediaMs, frameMs_);
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), mediaMs + kReachedMs);
    return std::max<int64_t>(after - starts_.begin() - 1, 0);
}

double FrameTimeline::DurationMs(int64_t position) const {
    if (IsConstant() || starts_.empty()) return frameMs_;
    const int64_t p = std::clamp<int64_t>(position, 0, frames_ - 1);
    const double next = p + 1 < frames_ ? starts_[static_cast<size_t>(p + 1)] : endMs_;
    return next - starts_[static_cast<size_t>(p)];
}

double FrameTimeline::EndMs() const {
    return endMs_;
}

}  // namespace quorva
