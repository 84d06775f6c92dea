#include "road/playback_end_guard.h"

#include <algorithm>

#include "road/playback_player_group.h"

namespace quorva {

int EndGuardMargin(int rateCode) {
    if (rateCode == 4) return 80;
    if (rateCode == 2) return 40;
    return 20;
}

bool EndGuardBlocks(const EndGuardInput& in) {
    if (!in.started) return true;
    if (in.mainState == kSlotStopped || in.mainState == kSlotPaused) return false;
    return in.duration != 0 && in.position + EndGuardMargin(in.rateCode) >= in.duration;
}

int64_t SeekTargetFor(int64_t position, int sliderMax, int rateCode) {
    const int64_t limit = static_cast<int64_t>(sliderMax) - EndGuardMargin(rateCode);
    return std::max<int64_t>(0, std::min(position, limit));
}

int ShownPositionFor(int64_t position, int sliderMin, int sliderMax) {
    int64_t q = std::min<int64_t>(position, static_cast<int64_t>(sliderMax) - 1);
    q = std::max<int64_t>(q, sliderMin);
    return static_cast<int>(q);
}

int64_t PendingWindow(int64_t duration) {
    return duration / 1000 + 30;
}

bool PendingTargetReached(int target, int64_t position, int64_t duration) {
    if (target == -1) return true;
    const int64_t d = PendingWindow(duration);
    return target - d < position && position < target + d;
}

bool StallWatch::Observe(int position) {
    if (position != last_) {
        last_ = position;
        same_ = 0;
        return false;
    }
    if (++same_ > kLimit) {
        same_ = 0;
        return true;
    }
    return false;
}

}  // namespace quorva
