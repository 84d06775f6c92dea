// A player slot: one of the two fixed players (0 main camera with sound, 1 sub camera), its
// movie window, its drive-data stores and locks, and the engine of the recording open in it.
// The rest of the system reaches a slot only through its operation table (player_ops.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "appcore/app_messages.h"
#include "container/player_slot_data.h"
#include "player/picture_placement.h"
#include "player/playback_load.h"
#include "player/player_geometry.h"
#include "player/presentation_clock.h"
#include "player/video_output.h"

namespace quorva {

enum SlotState { SLOT_CLOSED = 0, SLOT_STOPPED = 1, SLOT_PLAYING = 2, SLOT_PAUSED = 3 };

// The movie window a slot is bound to: where its pictures go and where its notifications
// (WM_APP_SESSION_READY, WM_APP_SESSION_ENDED) are posted.
struct MovieWindowLink {
    VideoOutput* output = nullptr;
    AppMessageTarget* messages = nullptr;
};

class FfmpegSlotEngine;
struct PlayerOps;

struct PlayerSlot {
    PlayerSlot();
    ~PlayerSlot();
    PlayerSlot(const PlayerSlot&) = delete;
    PlayerSlot& operator=(const PlayerSlot&) = delete;

    int index = 0;
    int volume = 0;            // last volume given to SetVolume, 0..65535
    float frameMs = 0.0f;      // ms per video frame of the open recording; 0 before
    int canPlayBackwards = 0;  // this engine plays forwards only
    int hardwareDecode = 0;    // stored preference, not consulted
    int rateCode = 1;
    int keepAspect = 1;
    ZoomSettings zoom;
    PlayerRect videoRect;  // where the picture was last placed
    int state = SLOT_CLOSED;
    int64_t lastPosition = 0;
    int valid = 0;       // set by the caller when Initialize succeeded
    int dataLoaded = 0;  // set by GroupLoadData, cleared by GroupClose/ReleaseData
    std::string overlayFontFace;
    int lastOpenResult = 0;     // result of the last Open (the ready rule of the windows)
    std::string lastOpenError;  // why the last Open failed ("" when it did not)
    // Numbers the engines: each Open and Close moves it on, and the engine's notices carry
    // the number of its open, so a notice still on its way from an earlier movie is known.
    uintptr_t openSerial = 0;

    PlayerSlotData data;  // drive-data stores, slot lock and data lock

    // Engine block: the movie window and the engine of the open recording.
    MovieWindowLink window;
    PresentationClock* clock = nullptr;  // the group's clock
    PlaybackLoad* load = nullptr;        // the group's playback load
    PlayerSlot* mainSlot = nullptr;      // slot 0 (its frame count sizes the frame index)
    int decodeThreads = 0;
    bool initialized = false;
    std::unique_ptr<FfmpegSlotEngine> engine;
    const PlayerOps* ops = nullptr;
};

}  // namespace quorva
