// The one presentation clock that both player slots follow. Its time (ms) advances at the
// playback rate; while any slot prepares a picture after a seek it holds the clock, so that
// both cameras start together and stay in step.
#pragma once

#include <chrono>
#include <mutex>

namespace quorva {

class PresentationClock {
  public:
    using Steady = std::chrono::steady_clock;

    double NowMs() const;
    double Rate() const;
    void SetRate(double rate);

    // Stops the clock until every hold is released.
    void Hold();
    void Release();
    int Holds() const;

  private:
    double NowLocked(Steady::time_point now) const;
    mutable std::mutex mutex_;
    Steady::time_point anchorWall_ = Steady::now();
    double anchorMs_ = 0.0;
    double rate_ = 1.0;
    int holds_ = 0;
};

// Holds the clock for as long as it lives.
class ClockHold {
  public:
    explicit ClockHold(PresentationClock& clock) : clock_(clock) { clock_.Hold(); }
    ~ClockHold() { clock_.Release(); }
    ClockHold(const ClockHold&) = delete;
    ClockHold& operator=(const ClockHold&) = delete;

  private:
    PresentationClock& clock_;
};

}  // namespace quorva
