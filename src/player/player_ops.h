// The player operation table: 34 operations in a fixed order, installed for both slots. Each
// is called with the slot first. Results are 1 for success and 0 for failure unless noted.
// The entries marked unused are called by nothing; they answer 0 and change nothing.
#pragma once

#include <cstdint>
#include <string>

#include "player/player_slot.h"

namespace quorva {

struct PlayerOps {
    int (*Initialize)(PlayerSlot&, MovieWindowLink window, const std::string& fontFace);  // 0
    int (*Uninitialize)(PlayerSlot&);                                                     // 1
    int (*Probe)(PlayerSlot&, const std::string& path);                                   // 2
    int (*Open)(PlayerSlot&, const std::string& path);      // 3: 0 fail, 1 accepted, 2 too short
    int (*Close)(PlayerSlot&);                              // 4
    int (*LoadData)(PlayerSlot&, const std::string& path);  // 5
    int (*ReleaseData)(PlayerSlot&);                        // 6
    int (*Play)(PlayerSlot&);                               // 7
    int (*Unused8)(PlayerSlot&);                            // 8
    int (*Pause)(PlayerSlot&);                              // 9
    int (*Stop)(PlayerSlot&);                               // 10
    int (*GetPosition)(PlayerSlot&);              // 11: position number, -1 when the clock fails
    int (*Seek)(PlayerSlot&, int64_t position);   // 12
    int (*Seek2)(PlayerSlot&, int64_t position);  // 13: the same operation as 12
    int (*Unused14)(PlayerSlot&);                 // 14
    int (*Unused15)(PlayerSlot&);                 // 15
    PlayerSlot* (*SetHardwareDecode)(PlayerSlot&, int on);      // 16: stores it, returns the slot
    int (*Unused17)(PlayerSlot&);                               // 17
    int (*SetRate)(PlayerSlot&, int rateCode);                  // 18
    int (*Unused19)(PlayerSlot&);                               // 19
    int (*SetAspect)(PlayerSlot&, int keep);                    // 20
    int64_t (*GetDuration)(PlayerSlot&);                        // 21: duration in position numbers
    int64_t (*GetDuration2)(PlayerSlot&);                       // 22: the same operation as 21
    int (*Unused23)(PlayerSlot&);                               // 23
    float (*GetFrameMs)(PlayerSlot&);                           // 24
    int (*GetVideoSize)(PlayerSlot&, int* width, int* height);  // 25
    int (*SetVolume)(PlayerSlot&, int volume);                  // 26
    int (*ShowOverlayText)(PlayerSlot&, const std::string& text);  // 27
    int (*ClearOverlay)(PlayerSlot&);                              // 28
    int (*Unused29)(PlayerSlot&);                                  // 29
    int (*SetZoom)(PlayerSlot&, int anchorX, int anchorY, int panX, int panY, float factor,
                   int repaint);                                    // 30
    int (*SaveSnapshot)(PlayerSlot&, const std::string& jpegPath);  // 31
    int (*Repaint)(PlayerSlot&);                                    // 32
    int (*Unused33)(PlayerSlot&);                                   // 33
};

constexpr int kPlayerOpCount = 34;
static_assert(sizeof(PlayerOps) == kPlayerOpCount * sizeof(void (*)()),
              "the operation table has 34 entries");

// The table of the FFmpeg engine.
const PlayerOps& FfmpegPlayerOps();

}  // namespace quorva
