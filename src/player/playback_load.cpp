#include "player/playback_load.h"

namespace quorva {

namespace {
constexpr auto kWindow = std::chrono::seconds(1);
constexpr int kTroubleToGiveWay = 2;
constexpr auto kBetweenSteps = std::chrono::seconds(1);
constexpr auto kQuietToComeBack = std::chrono::seconds(3);
constexpr int kDeepest = static_cast<int>(SubLevel::kKeyFramesOnly);
}  // namespace

void PlaybackLoad::Settle(Clock::time_point now) {
    while (!trouble_.empty() && now - trouble_.front() > kWindow)
        trouble_.pop_front();
    if (level_ > 0 && now - lastTrouble_ >= kQuietToComeBack &&
        now - lastChange_ >= kQuietToComeBack) {
        --level_;
        lastChange_ = now;
    }
}

void PlaybackLoad::MainTrouble(Clock::time_point now) {
    std::lock_guard lock(mutex_);
    Settle(now);
    trouble_.push_back(now);
    lastTrouble_ = now;
    if (static_cast<int>(trouble_.size()) >= kTroubleToGiveWay && level_ < kDeepest &&
        (level_ == 0 || now - lastChange_ >= kBetweenSteps)) {
        ++level_;
        lastChange_ = now;
        trouble_.clear();
    }
}

SubLevel PlaybackLoad::Level(Clock::time_point now) {
    std::lock_guard lock(mutex_);
    Settle(now);
    return static_cast<SubLevel>(level_);
}

void PlaybackLoad::Reset() {
    std::lock_guard lock(mutex_);
    trouble_.clear();
    level_ = 0;
    mainPlaying_ = false;
}

PlaybackLoad::Clock::time_point PlaybackLoad::MainShown(double startMs, double endMs) {
    std::lock_guard lock(mutex_);
    mainPlaying_ = true;
    mainStartMs_ = startMs;
    mainEndMs_ = endMs;
    return Clock::now();
}

void PlaybackLoad::MainStopped() {
    std::lock_guard lock(mutex_);
    mainPlaying_ = false;
}

SubFit PlaybackLoad::Fit(double startMs, double endMs, Clock::time_point* at) {
    std::lock_guard lock(mutex_);
    if (at) *at = Clock::now();
    if (!mainPlaying_) return SubFit::kFits;
    if (startMs > mainEndMs_) return SubFit::kAhead;
    if (endMs < mainStartMs_) return SubFit::kBehind;
    return SubFit::kFits;
}

}  // namespace quorva
