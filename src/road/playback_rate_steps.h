// Rate codes of playback: the next faster and slower code of the rate buttons, the normal
// code of a recording and the rate label's text. Codes: 1 normal, 2 and 4 fast, -1, -2, -4
// slow.
#pragma once

#include <string_view>

namespace quorva {

// The code after "早送り": 1 when the main slot does not play; else by the current code
// (-4 → -2, -2 → -1 or 1, -1 → 1, 1 → 2, 2 → 4 or 2, 4 → 4; the second choices when the
// slot cannot play backwards). Codes not listed give 1.
int FasterRateCode(int current, bool playing, bool canPlayBackwards);

// The code after "スロー": 1 when the main slot does not play; else by the current code and
// the slot's engine (-4 → 1 or -4, -2 → -2 or -4, -1 → -2, 1 → -1, 2 → 1, 4 → 2; the second
// choices for the legacy player). Codes not listed give 1.
int SlowerRateCode(int current, bool playing, bool legacyPlayer);

// -2 (half speed) for a time-lapse recording ("T" first or third in its name), else 1.
int NormalRateCode(std::string_view path);

// The UI text of the rate label: 57 for 1, 58 for 2, 59 for 4, 60 for -2, 61 for -4; -1
// (an empty label) for any other code.
int RateTextIndex(int rateCode);

}  // namespace quorva
