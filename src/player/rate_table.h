// The playback rate codes of a player slot and the rate each one plays at.
#pragma once

namespace quorva {

struct RateChoice {
    double rate = 1.0;   // playback rate handed to the engine (negative: backwards)
    int storedCode = 1;  // the rate code the slot keeps afterwards
};

// The rate for a requested code, given whether the engine can play backwards and the slot's
// current code. Code -1 toggles between normal and half speed when the engine cannot play
// backwards.
RateChoice ChooseRate(int code, bool canPlayBackwards, int currentCode);

// Rates above 2.0 play key frames only.
inline bool IsThinnedRate(double rate) {
    return rate > 2.0;
}

// The volume that is heard: the slot volume at rate code 1, silence at every other code.
inline int AudibleVolume(int storedCode, int volume) {
    return storedCode == 1 ? volume : 0;
}

}  // namespace quorva
