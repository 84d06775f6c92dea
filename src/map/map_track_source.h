// Where the map window controller reads the two tracks: the list's GPS samples and the
// current recording's, kept by the drive-data layer under its slot locks.
#pragma once

#include <optional>

#include "container/player_slot_data.h"
#include "map/track_array.h"

namespace quorva {

class MapTrackSource {
  public:
    virtual ~MapTrackSource() = default;
    // The track of the whole list: the single value 0 when no drive data is available.
    virtual TrackArray GroupTrack() = 0;
    // The track of the current recording; nothing when no drive data is loaded.
    virtual std::optional<TrackArray> RecordingTrack() = 0;
};

// The tracks of the player slots: drive data is available while the main camera's slot is
// active. The list's track is copied under the slot lock and built after releasing it; the
// recording's track is built while both slots are locked.
class SlotTrackSource : public MapTrackSource {
  public:
    SlotTrackSource(PlayerSlotData& main, PlayerSlotData& sub) : main_(main), sub_(sub) {}
    TrackArray GroupTrack() override;
    std::optional<TrackArray> RecordingTrack() override;

  private:
    PlayerSlotData& main_;
    PlayerSlotData& sub_;
};

}  // namespace quorva
