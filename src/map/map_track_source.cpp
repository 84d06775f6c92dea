#include "map/map_track_source.h"

#include <vector>

namespace quorva {

TrackArray SlotTrackSource::GroupTrack() {
    if (!main_.IsActive()) return TrackArray{0.0};
    std::vector<GpsSample> copy;
    {
        AllSlotsLock lock(main_, sub_);
        copy = GroupGpsTrack();
    }
    return BuildTrackArray(copy);
}

std::optional<TrackArray> SlotTrackSource::RecordingTrack() {
    if (!main_.IsActive()) return std::nullopt;
    AllSlotsLock lock(main_, sub_);
    const std::vector<GpsSample>& gps = main_.Shown().Gps();
    if (gps.empty()) return std::nullopt;
    return BuildTrackArray(gps);
}

}  // namespace quorva
