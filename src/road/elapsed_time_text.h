// Elapsed and total time as the position slider's tip shows them: "0:12 / 1:00", with hours
// ("1:02:03 / 1:30:00") when the total reaches an hour.
#pragma once

#include <cstdint>
#include <string>

namespace quorva {

// Whole seconds, cut (not rounded); negative times count as 0.
std::string ElapsedTimeText(int64_t elapsedMs, int64_t totalMs);

}  // namespace quorva
