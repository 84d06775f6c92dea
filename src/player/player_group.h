// The two player slots in one array with the presentation clock they share, and the group
// operations: one operation on every valid slot in slot order, 1 when any call returned
// non-zero.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "player/playback_load.h"
#include "player/player_ops.h"
#include "player/player_slot.h"
#include "player/presentation_clock.h"

namespace quorva {

struct PlayerGroup {
    // Installs ops (the FFmpeg engine's table by default) in both slots.
    explicit PlayerGroup(const PlayerOps& ops = FfmpegPlayerOps());
    PlayerGroup(const PlayerGroup&) = delete;
    PlayerGroup& operator=(const PlayerGroup&) = delete;

    PlayerSlot& operator[](int i) { return slot[i]; }
    const PlayerOps& Ops(int i) const { return *slot[i].ops; }

    PresentationClock clock;
    PlaybackLoad load;               // how far the sub camera gives way on a weak machine
    std::array<PlayerSlot, 2> slot;  // 0 main camera, 1 sub camera
    int subOpenResult = 0;           // the sub slot's result of the last GroupOpen
};

int GroupProbe(PlayerGroup& g, const std::string& path);
// Slot 0 opens the path, slot 1 the partner movie of the other camera.
int GroupOpen(PlayerGroup& g, const std::string& path);
// The recording is its main camera's movie: after GroupOpen, 1 when slot 0 opened and will
// play, 2 when its movie is too short, 0 when it did not open (whatever slot 1 did).
int MainOpenResult(const PlayerGroup& g);
int GroupClose(PlayerGroup& g);                              // clears data loaded
int GroupLoadData(PlayerGroup& g, const std::string& path);  // sets data loaded where it worked
int GroupReleaseData(PlayerGroup& g);
int GroupPlay(PlayerGroup& g);
int GroupPause(PlayerGroup& g);
// Slot 0 seeks to the position, slot 1 to int(position x d0 / d1) with the slots' frame
// durations (factor 1 when d1 is 0).
int GroupSeek(PlayerGroup& g, int64_t position);
// The caller lets the engines settle (100 ms) before it reads positions again.
int GroupSetRate(PlayerGroup& g, int rateCode);
int GroupRepaint(PlayerGroup& g);
int GroupSetZoom(PlayerGroup& g, const ZoomSettings zoom[2], int repaint);

void LockAllSlots(PlayerGroup& g);
void UnlockAllSlots(PlayerGroup& g);

}  // namespace quorva
