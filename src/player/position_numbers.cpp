#include "player/position_numbers.h"

#include <cmath>

namespace quorva {

int64_t PositionAtMs(double mediaMs, double frameMs) {
    if (frameMs <= 0.0) return 0;
    return static_cast<int64_t>(mediaMs / frameMs + 1e-4);
}

int64_t SubSlotPosition(int64_t mainPosition, float d0, float d1) {
    const float factor = d1 == 0.0f ? 1.0f : d0 / d1;
    return static_cast<int64_t>(static_cast<float>(mainPosition) * factor);
}

}  // namespace quorva
