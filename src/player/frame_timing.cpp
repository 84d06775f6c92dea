#include "player/frame_timing.h"

#include <cmath>

namespace quorva {

FrameDecision DecideFrame(double deltaMs, double frameMs, double rate) {
    if (rate < 0) deltaMs = -deltaMs;
    if (deltaMs < -frameMs / 4.0) return {FrameAction::kPresentLate, 0.0};
    if (deltaMs > frameMs * 3.0 / 4.0) {
        const double magnitude = std::fabs(rate) > 0 ? std::fabs(rate) : 1.0;
        return {FrameAction::kWait, (deltaMs - frameMs * 3.0 / 4.0) / magnitude};
    }
    return {FrameAction::kPresent, 0.0};
}

}  // namespace quorva
