// The position rules of playback: the end guard that keeps commands from racing with the
// automatic move to the next recording, where a seek may land, when the panels follow the
// player again after a seek, and when a player that stopped advancing is kicked.
#pragma once

#include <cstdint>

namespace quorva {

// Frames before the end in which playing is left alone: 20 at the normal and slow rates,
// 40 at rate code 2, 80 at rate code 4.
int EndGuardMargin(int rateCode);

struct EndGuardInput {
    bool started = false;  // a recording's data are loaded
    int mainState = 0;     // PlaybackSlotState of slot 0
    int rateCode = 1;
    int64_t position = 0;  // slot 0's position and duration (0 when it is invalid)
    int64_t duration = 0;
};

// Blocks without a started recording; never while stopped or paused; otherwise when the
// duration is known and position + margin reaches it.
bool EndGuardBlocks(const EndGuardInput& in);

// Where a seek to `position` goes: never into the end-guard zone of the slider's range
// (slider maximum - margin) and never before frame 0.
int64_t SeekTargetFor(int64_t position, int sliderMax, int rateCode);

// The position the panels show for a requested one: within slider minimum .. maximum - 1.
int ShownPositionFor(int64_t position, int sliderMin, int sliderMax);

// Half width of the window in which the player counts as arrived at a seek target:
// duration / 1000 + 30 position numbers.
int64_t PendingWindow(int64_t duration);
// True when the panels may follow the player's position again: no target, or the position
// lies strictly within the window around it.
bool PendingTargetReached(int target, int64_t position, int64_t duration);

// Watches the position of a playing player once per tick. After more than 30 ticks on the
// same position (31 ticks, about 0.93 s) it asks for a kick and starts counting again.
class StallWatch {
  public:
    static constexpr int kLimit = 30;

    // True when the player should be paused, sought one frame back and played again.
    bool Observe(int position);
    void Reset() { last_ = 0, same_ = 0; }
    int SameCount() const { return same_; }

  private:
    int last_ = 0;
    int same_ = 0;
};

}  // namespace quorva
