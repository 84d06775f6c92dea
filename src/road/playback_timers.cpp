#include "road/playback_timers.h"

#include <chrono>
#include <thread>

namespace quorva {

int64_t SteadyPlaybackClock::NowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SteadyPlaybackClock::SleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace quorva
