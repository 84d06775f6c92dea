#include "road/playback_rate_steps.h"

#include "recordings/recording_name.h"

namespace quorva {

namespace {

struct RateRow {
    int current;
    int first;   // faster: can play backwards; slower: media-session player
    int second;  // faster: otherwise; slower: legacy player
};

constexpr RateRow kFaster[] = {
    {-4, -2, -2}, {-2, -1, 1}, {-1, 1, 1}, {1, 2, 2}, {2, 4, 2}, {4, 4, 4},
};
constexpr RateRow kSlower[] = {
    {-4, 1, -4}, {-2, -2, -4}, {-1, -2, -2}, {1, -1, -1}, {2, 1, 1}, {4, 2, 2},
};

template <size_t N>
int Look(const RateRow (&table)[N], int current, bool first) {
    for (const RateRow& row : table)
        if (row.current == current) return first ? row.first : row.second;
    return 1;
}

}  // namespace

int FasterRateCode(int current, bool playing, bool canPlayBackwards) {
    if (!playing) return 1;
    return Look(kFaster, current, canPlayBackwards);
}

int SlowerRateCode(int current, bool playing, bool legacyPlayer) {
    if (!playing) return 1;
    return Look(kSlower, current, !legacyPlayer);
}

int NormalRateCode(std::string_view path) {
    return IsTimeLapseName(path) ? -2 : 1;
}

int RateTextIndex(int rateCode) {
    switch (rateCode) {
        case 1:
            return 57;
        case 2:
            return 58;
        case 4:
            return 59;
        case -2:
            return 60;
        case -4:
            return 61;
        default:
            return -1;
    }
}

}  // namespace quorva
