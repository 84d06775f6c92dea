// The track array that carries a track to the map page: for every GPS sample with a valid
// fix, in order, its latitude, longitude and position number; then the number of values
// before it (three per fix). A track without fixes is the single value 0.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "container/drive_data_samples.h"

namespace quorva {

using TrackArray = std::vector<double>;

TrackArray BuildTrackArray(const std::vector<GpsSample>& samples);

// The array as the page receives it: a JSON array (coordinates in their shortest exact
// form, position numbers and the count as integers), or null for no track at all.
std::string TrackArrayJson(const std::optional<TrackArray>& track);

}  // namespace quorva
