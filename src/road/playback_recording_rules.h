// What the name and picture of a recording decide during playback.
#pragma once

#include <string_view>

namespace quorva {

// A parking recording by its name: "P" first, or "T" third unless "A" or "T" is first. Such
// recordings never show the map (the logo panel takes its place), and with the card's
// "pvtrace.txt" present the info panel shows their supply voltage instead of the speed.
bool IsParkingLikeName(std::string_view path);

// The info panel's parking-trace flag of a recording.
inline bool ParkingTraceFor(bool traceFilePresent, std::string_view path) {
    return traceFilePresent && IsParkingLikeName(path);
}

// The resolution code of a recording from its picture height: 11 for 720, 12 for 1080,
// else 0.
int ResolutionCodeForHeight(int height);

}  // namespace quorva
