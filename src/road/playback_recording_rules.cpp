#include "road/playback_recording_rules.h"

#include "recordings/recording_name.h"

namespace quorva {

bool IsParkingLikeName(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    const char first = name.empty() ? 0 : name[0];
    const char third = name.size() > 2 ? name[2] : 0;
    return first == 'P' || (first != 'A' && first != 'T' && third == 'T');
}

int ResolutionCodeForHeight(int height) {
    if (height == 720) return 11;
    if (height == 1080) return 12;
    return 0;
}

}  // namespace quorva
