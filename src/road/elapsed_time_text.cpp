#include "road/elapsed_time_text.h"

#include <algorithm>
#include <cstdio>

namespace quorva {

namespace {

std::string Clock(int64_t ms, bool withHours) {
    const int64_t seconds = std::max<int64_t>(ms, 0) / 1000;
    char text[40];
    if (withHours)
        std::snprintf(
            text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
            static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                      static_cast<long long>(seconds % 60));
    return text;
}

}  // namespace

std::string ElapsedTimeText(int64_t elapsedMs, int64_t totalMs) {
    const bool withHours = std::max(elapsedMs, totalMs) >= 3600 * 1000;
    return Clock(elapsedMs, withHours) + " / " + Clock(totalMs, withHours);
}

}  // namespace quorva
