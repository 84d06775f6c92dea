// Channel levels of the preview's sound: left channels are turned down when the balance goes
// right and right channels when it goes left; an odd last channel keeps the plain volume.
#pragma once

#include <vector>

namespace quorva {

// volume 0..1, balance -1..1 (negative: to the left).
std::vector<float> PreviewChannelLevels(int channels, float volume, float balance);

}  // namespace quorva
