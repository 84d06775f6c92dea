// The main window's timers as the playback controller uses them, and the clock it waits on.
// The viewer runs them on Qt timers and the steady clock; tests drive fakes.
#pragma once

#include <cstdint>
#include <functional>

namespace quorva {

enum PlaybackTimerId : int {
    TIMER_PLAYBACK = 100,      // every 30 ms while a recording is started
    TIMER_OPEN_DELAY = 101,    // 500 ms after a recording was chosen, the open
    TIMER_OPEN_TIMEOUT = 102,  // 5000 ms after that, an open that never got ready is abandoned
};

inline constexpr int kPlaybackTickMs = 30;
inline constexpr int kOpenDelayMs = 500;
inline constexpr int kOpenTimeoutMs = 5000;
// The engines settle this long after a rate change before positions are read again.
inline constexpr int kRateSettleMs = 100;

// Timers by id, as window timers are: starting a running id restarts it; a timer fires
// every interval until it is killed. Each firing calls the handler with the id on the
// user-interface thread.
class PlaybackTimers {
  public:
    virtual ~PlaybackTimers() = default;
    virtual void SetHandler(std::function<void(int id)> handler) = 0;
    virtual void Start(int id, int intervalMs) = 0;
    virtual void Kill(int id) = 0;
    virtual bool IsRunning(int id) const = 0;
};

class PlaybackClock {
  public:
    virtual ~PlaybackClock() = default;
    virtual int64_t NowMs() const = 0;
    virtual void SleepMs(int ms) = 0;
};

// The steady clock of the process.
class SteadyPlaybackClock : public PlaybackClock {
  public:
    int64_t NowMs() const override;
    void SleepMs(int ms) override;
};

}  // namespace quorva
