#include "player/presentation_clock.h"

namespace quorva {

double PresentationClock::NowLocked(Steady::time_point now) const {
    if (holds_ > 0) return anchorMs_;
    const double elapsed = std::chrono::duration<double, std::milli>(now - anchorWall_).count();
    return anchorMs_ + elapsed * rate_;
}

double PresentationClock::NowMs() const {
    std::lock_guard lock(mutex_);
    return NowLocked(Steady::now());
}

double PresentationClock::Rate() const {
    std::lock_guard lock(mutex_);
    return rate_;
}

void PresentationClock::SetRate(double rate) {
    std::lock_guard lock(mutex_);
    const auto now = Steady::now();
    anchorMs_ = NowLocked(now);
    anchorWall_ = now;
    rate_ = rate;
}

void PresentationClock::Hold() {
    std::lock_guard lock(mutex_);
    if (holds_ == 0) anchorMs_ = NowLocked(Steady::now());
    ++holds_;
}

void PresentationClock::Release() {
    std::lock_guard lock(mutex_);
    if (holds_ == 0) return;
    if (--holds_ == 0) anchorWall_ = Steady::now();
}

int PresentationClock::Holds() const {
    std::lock_guard lock(mutex_);
    return holds_;
}

}  // namespace quorva
