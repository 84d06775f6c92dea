#include "player/rate_table.h"

namespace quorva {

RateChoice ChooseRate(int code, bool canPlayBackwards, int currentCode) {
    switch (code) {
        case 2:
            return {2.0, 2};
        case 4:
            return {4.0, 4};
        case -2:
            return {canPlayBackwards ? -2.0 : 0.5, -2};
        case -4:
            return {canPlayBackwards ? -4.0 : 0.25, -4};
        case -1:
            if (canPlayBackwards) return {-1.0, -1};
            if (currentCode == 1) return {0.5, -2};
            if (currentCode == -2) return {1.0, 1};
            return {1.0, -1};
        default:
            return {1.0, code};
    }
}

}  // namespace quorva
