// The drive-data side of one player slot: its three stores, its slot lock and data lock,
// and the loads, prefetches and moves between the stores. The player slot owns one.
//
// Stores: 0 "shown" (what every reader reads; also scratch for the frame-duration read),
// 1 "current" (filled when a recording is opened), 2 "prefetch" (filled in the background
// with the next recording's data). Data flows 2 -> 1 -> 0 by moves, never by copies.
//
// Locks: the slot lock guards the three stores; the data lock guards the prefetch store.
// The slot lock is always taken before the data lock, and slot 0 before slot 1
// (LockAllSlots). Every wait on either lock is counted in SlotWaitCount().
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "container/drive_data_store.h"
#include "recordings/recording_entry.h"

namespace quorva {

// Outstanding waits on slot and data locks (incremented before a wait, decremented after
// the matching release).
int SlotWaitCount();

// A lock of a recursive mutex counted in SlotWaitCount().
class CountedLock {
  public:
    explicit CountedLock(std::recursive_mutex& m);
    ~CountedLock();
    CountedLock(const CountedLock&) = delete;
    CountedLock& operator=(const CountedLock&) = delete;

  private:
    std::recursive_mutex& m_;
};

class PlayerSlotData {
  public:
    // playerReady answers whether the slot's player is ready; Prefetch does nothing while
    // it is not. An empty function counts as ready.
    explicit PlayerSlotData(std::function<bool()> playerReady = {});
    // Stops a running prefetch and waits for it.
    ~PlayerSlotData();
    PlayerSlotData(const PlayerSlotData&) = delete;
    PlayerSlotData& operator=(const PlayerSlotData&) = delete;

    std::recursive_mutex& SlotLock() { return slotLock_; }
    std::recursive_mutex& DataLock() { return dataLock_; }

    // Read store 0 only while the slot lock is held (LockAllSlots).
    DriveDataStore& Shown() { return stores_[0]; }
    DriveDataStore& Current() { return stores_[1]; }
    DriveDataStore& Prefetched() { return stores_[2]; }

    // The slot takes part in group operations.
    bool IsActive() const { return active_; }
    void SetActive(bool on) { active_ = on; }

    // The player's open: the frame duration it computed goes into the current store.
    void SetFrameDuration(float ms);
    // The player's open: seconds and frame duration from the movie, read with store 0 as
    // scratch; store 0 is emptied afterwards, so the previous recording's samples go.
    bool ReadFrameDuration(const std::string& moviePath, FrameDurationInfo& out);

    // Makes the current store hold the drive data of the movie: the prefetched data when
    // it is this recording's, else the drive-data file loaded now; then builds the frame
    // index with frameCount (the player's number of frames; 0 when no movie is open) and,
    // at a variable frame rate, each frame's start (empty: evenly spaced frames).
    // True when drive data was loaded (a recording without one simply has no samples).
    bool LoadData(const std::string& moviePath, uint64_t frameCount,
                  const std::vector<double>& frameStartsMs = {});
    // Refills the prefetch store with the movie's drive data, or only clears it for an
    // empty path. False while the player is not ready, or when the load failed.
    bool Prefetch(const std::string& moviePath);
    // Under the slot lock: store 0 is emptied and takes store 1's data. True when store 0
    // then holds at least one GpsSample.
    bool ShowLoaded();
    // Empties the scratch/shown store and the current store.
    void ReleaseData();

    // The movie the slot's data belongs to (recorded by LoadData).
    std::string CurrentMoviePath() const;
    // The movie path a running prefetch works on ("" when none runs).
    std::string PrefetchingPath() const;

    // Header and trailer reads of a recording's drive-data file, under the slot lock.
    bool ReadHeader(const std::string& moviePath, DriveDataHeader& header);
    bool ReadTrailer(const std::string& moviePath, uint8_t out[8]);

    // Under the slot lock: the GPS samples of all listed recordings, in list order, into
    // GroupGpsTrack(). Stops at the first recording without a readable drive-data file
    // (false); the samples read before it stay.
    bool ReadGpsTrack(const std::vector<RecordingEntry>& entries);

  private:
    std::function<bool()> playerReady_;
    std::recursive_mutex slotLock_;
    std::recursive_mutex dataLock_;
    DriveDataStore stores_[3];
    bool active_ = true;
    mutable std::mutex pathMutex_;  // guards the two paths below
    std::string currentMovie_;
    std::string prefetchMovie_;
    std::atomic<bool> prefetchBusy_{false};
};

// Take (then release) the slot lock of slot 0 and then slot 1.
void LockAllSlots(PlayerSlotData& slot0, PlayerSlotData& slot1);
void UnlockAllSlots(PlayerSlotData& slot0, PlayerSlotData& slot1);

// LockAllSlots for a scope.
class AllSlotsLock {
  public:
    AllSlotsLock(PlayerSlotData& slot0, PlayerSlotData& slot1);
    ~AllSlotsLock();
    AllSlotsLock(const AllSlotsLock&) = delete;
    AllSlotsLock& operator=(const AllSlotsLock&) = delete;

  private:
    PlayerSlotData& s0_;
    PlayerSlotData& s1_;
};

// The group track: the GPS samples of every recording of the list (read between
// LockAllSlots and UnlockAllSlots).
std::vector<GpsSample>& GroupGpsTrack();

// The GPS samples of all listed recordings appended in list order to track (each
// sample's index counts from 0 within its file). False at the first recording whose
// drive-data file is missing or unreadable; the samples before it stay.
bool ReadGpsTrack(const std::vector<RecordingEntry>& entries, std::vector<GpsSample>& track);

}  // namespace quorva
