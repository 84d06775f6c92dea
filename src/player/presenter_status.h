// What a slot's presenter is doing, as one state with named transitions:
//   syncing  - a seek (or the open) is under way: the picture of the target is on its way
//              and the shared clock is held until it is up;
//   ready    - the picture is up and the slot is paused;
//   stepping - paused, the next frame is on its way;
//   playing  - frames go up against the clock;
//   draining - playing, but the movie has no more frames: the last one stays its time;
//   ended    - the last frame's time is over and the end has been announced.
#pragma once

namespace quorva {

enum class PresenterStatus { kSyncing, kReady, kStepping, kPlaying, kDraining, kEnded };

enum class PresenterEvent {
    kSeek,           // a seek, the open or a change of reading mode
    kPictureUp,      // the picture asked for is on screen
    kPictureFailed,  // the picture asked for could not be decoded
    kPlay,
    kPause,
    kStep,
    kOutOfFrames,  // playing and the movie has no further frame
    kLastFrameOver,
};

// The status after event in status; playWanted says whether the user asked for playing
// (a picture that comes up then plays on). The same status back means the event changes
// nothing there.
PresenterStatus NextStatus(PresenterStatus status, PresenterEvent event, bool playWanted);

// Whether the picture asked for (by a seek, the open or a step) is still on its way.
inline bool PicturePending(PresenterStatus s) {
    return s == PresenterStatus::kSyncing || s == PresenterStatus::kStepping;
}

const char* StatusName(PresenterStatus status);

}  // namespace quorva
