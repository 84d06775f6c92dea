// What the FFmpeg engine offers beyond the operation table: waiting for the picture of a
// seek, frame step, the presented picture and the presenter's counts. Used by the
// command-line tool, tests and benchmarks.
#pragma once

#include "player/ffmpeg_slot_engine.h"
#include "player/player_slot.h"

namespace quorva {

// Waits until the picture asked for by the slot's last seek (or open) is shown.
bool WaitForPicture(PlayerSlot& slot, int timeoutMs);
// Shows the next frame while paused and waits for it; false when playing or at the end.
bool StepFrame(PlayerSlot& slot, int timeoutMs = 5000);
// The picture on screen, null when the slot shows none.
FramePtr CurrentPicture(PlayerSlot& slot);
EngineStats SlotStats(PlayerSlot& slot);
// The slot's media time in ms (position x frame duration plus the part of the frame passed).
double SlotMediaMs(PlayerSlot& slot);
// The slot's media time when the group's clock reads clockMs (slots compared at one sample).
double SlotMediaMsAt(PlayerSlot& slot, double clockMs);
// True once the engine reached the end of the recording while playing.
bool SlotEnded(PlayerSlot& slot);

}  // namespace quorva
