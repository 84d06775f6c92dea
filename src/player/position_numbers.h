// Position numbers: every position and duration the player exchanges is the index of a video
// frame of the slot's own recording, counted from 0. Time = position x frame duration.
#pragma once

#include <cstdint>

namespace quorva {

// The frame shown at a media time (ms) of a recording with the given frame duration (ms);
// truncated toward zero. A tolerance of a ten-thousandth of a frame keeps n x F on frame n.
int64_t PositionAtMs(double mediaMs, double frameMs);

// The media time (ms) at which frame n starts.
inline double MsOfPosition(int64_t position, double frameMs) {
    return position * frameMs;
}

// The sub slot's seek target for a main-slot position: int(position x d0 / d1), the factor
// being 1 when d1 is 0 (d0, d1: frame durations of the two slots' movie headers).
int64_t SubSlotPosition(int64_t mainPosition, float d0, float d1);

}  // namespace quorva
