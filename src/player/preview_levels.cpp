#include "player/preview_levels.h"

namespace quorva {

std::vector<float> PreviewChannelLevels(int channels, float volume, float balance) {
    std::vector<float> levels(channels > 0 ? channels : 0, volume);
    for (int i = 0; i < channels; ++i) {
        if (channels % 2 == 1 && i == channels - 1) break;  // the odd last channel
        float x = 1.0f;
        if (i % 2 == 0)
            x = balance <= 0.0f ? 1.0f : 1.0f - balance;
        else
            x = balance >= 0.0f ? 1.0f : 1.0f + balance;
        levels[i] = x * volume;
    }
    return levels;
}

}  // namespace quorva
