#include "map/track_array.h"

#include <charconv>

namespace quorva {

TrackArray BuildTrackArray(const std::vector<GpsSample>& samples) {
    TrackArray values;
    for (const GpsSample& s : samples) {
        if (s.valid == 0) continue;
        values.push_back(s.latitude);
        values.push_back(s.longitude);
        values.push_back(s.position);
    }
    values.push_back(static_cast<double>(values.size()));
    return values;
}

std::string TrackArrayJson(const std::optional<TrackArray>& track) {
    if (!track) return "null";
    std::string text = "[";
    char buffer[64];
    for (size_t i = 0; i < track->size(); ++i) {
        if (i) text += ',';
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, (*track)[i]);
        std::string_view number(buffer, result.ptr - buffer);
        // JSON has no infinities or NaN; a sample never holds one, but never send one.
        if (number.find_first_of("in") != std::string_view::npos) number = "0";
        text += number;
    }
    text += ']';
    return text;
}

}  // namespace quorva
