// When a decoded frame is shown: against the presentation clock, a frame more than a quarter
// frame late is shown at once (it is late), one more than three quarters of a frame early
// waits, anything in between is shown now.
#pragma once

namespace quorva {

enum class FrameAction { kPresent, kPresentLate, kWait };

struct FrameDecision {
    FrameAction action = FrameAction::kPresent;
    double waitMs = 0.0;  // wall-clock wait for kWait
};

// deltaMs: the frame's media time minus the clock's media time; frameMs: frame duration;
// rate: playback rate (its magnitude scales the wait).
FrameDecision DecideFrame(double deltaMs, double frameMs, double rate);

}  // namespace quorva
