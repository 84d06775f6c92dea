// What the playback controller needs of the two player slots: the group operations (one
// operation on every valid slot, in slot order, 1 when any call succeeded), the single-slot
// operations and fields it reads, and slot 0's drive data. The viewer's implementation is a
// thin adapter over the player slots; tests use a scripted fake.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "panels/event_detectors.h"
#include "player/picture_placement.h"

namespace quorva {

// The slot states, with the values of the player slots.
enum PlaybackSlotState : int {
    kSlotClosed = 0,
    kSlotStopped = 1,
    kSlotPlaying = 2,
    kSlotPaused = 3,
};

// The drive data that slot 0 shows (its store 0). Valid only while the slots are locked.
struct ShownDriveData {
    GSensorView g;        // samples and frame index
    size_t gpsCount = 0;  // number of GpsSample records
    double maxG = 0.0;    // largest absolute G of the recording
    char timeLapse = 0;   // the header's marker: 'N' normal, 'T' time-lapse, else unknown
};

class PlaybackPlayerGroup {
  public:
    virtual ~PlaybackPlayerGroup() = default;

    // Fields of a slot (0 main, 1 sub).
    virtual bool Valid(int slot) const = 0;
    virtual int State(int slot) const = 0;  // PlaybackSlotState; closed when invalid
    virtual int RateCode(int slot) const = 0;
    virtual int KeepAspect(int slot) const = 0;
    virtual bool CanPlayBackwards(int slot) const = 0;
    virtual bool DataLoaded(int slot) const = 0;
    // The slot plays with the legacy engine (its slower-rate table and repaints differ).
    virtual bool UsesLegacyPlayer(int slot) const = 0;

    // Group operations.
    virtual int Open(const std::string& path) = 0;  // 0 fail, 1 accepted, 2 too short
    virtual int Close() = 0;
    virtual int LoadData(const std::string& path) = 0;
    virtual int ReleaseData() = 0;
    virtual int Play() = 0;
    virtual int Pause() = 0;
    virtual int Seek(int64_t position) = 0;  // slot 1's target follows the frame durations
    virtual int SetRate(int rateCode) = 0;   // the caller lets the engines settle afterwards
    virtual int Repaint() = 0;
    virtual int SetZoom(const ZoomSettings zoom[2], int repaint) = 0;

    // Single-slot operations.
    virtual int Stop(int slot) = 0;
    virtual int SetAspect(int slot, int keep) = 0;
    virtual int SetVolume(int slot, int volume) = 0;
    virtual int GetPosition() = 0;      // slot 0; -1 when its clock fails
    virtual int64_t GetDuration() = 0;  // slot 0, position numbers
    virtual float GetFrameMs() = 0;     // slot 0
    virtual int GetVideoSize(int slot, int* width, int* height) = 0;
    virtual int ShowOverlayText(int slot, const std::string& text) = 0;
    virtual int ClearOverlay(int slot) = 0;
    virtual int SaveSnapshot(int slot, const std::string& jpegPath) = 0;

    // Drive data. LockAll takes the slot lock of slot 0 and then slot 1 (recursive).
    virtual void LockAll() = 0;
    virtual void UnlockAll() = 0;
    // Refills slot 0's prefetch store with the recording's drive data ("" only clears it).
    // Called from the preload threads.
    virtual bool Prefetch(const std::string& moviePath) = 0;
    // Slot 0's store 0 takes the loaded data; true when it then holds a GpsSample.
    virtual bool ShowLoaded() = 0;
    // Slot 0's store 0 (under LockAll).
    virtual ShownDriveData Shown() = 0;
};

// LockAll for a scope.
class PlaybackSlotsLock {
  public:
    explicit PlaybackSlotsLock(PlaybackPlayerGroup& players) : players_(players) {
        players_.LockAll();
    }
    ~PlaybackSlotsLock() { players_.UnlockAll(); }
    PlaybackSlotsLock(const PlaybackSlotsLock&) = delete;
    PlaybackSlotsLock& operator=(const PlaybackSlotsLock&) = delete;

  private:
    PlaybackPlayerGroup& players_;
};

}  // namespace quorva
