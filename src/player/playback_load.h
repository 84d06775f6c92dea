// How much the sub camera gives way when the machine cannot keep up. Both slots share one:
// the main camera's presenter tells it of every frame it showed late or dropped; the sub
// camera asks it how many of its frames to leave out. Main-camera trouble (two late or
// dropped frames within a second) makes the sub camera give way one step further (every
// second frame, then key frames only), at most once a second; three seconds without trouble
// bring it back one step. The main camera keeps every frame and the sound.
// While the main camera plays, the sub camera also keeps to the main camera's picture on
// screen: it shows no frame that starts after that picture ends (it waits for the main
// camera) or ends before it starts (it drops it), so that the two stay within a frame even
// when the main camera runs late.
#pragma once

#include <chrono>
#include <deque>
#include <mutex>

namespace quorva {

enum class SubLevel { kEveryFrame = 0, kEverySecondFrame = 1, kKeyFramesOnly = 2 };

enum class SubFit { kFits, kAhead, kBehind };

class PlaybackLoad {
  public:
    using Clock = std::chrono::steady_clock;

    // A main-camera frame that came late (more than a quarter frame) or was dropped.
    void MainTrouble(Clock::time_point now = Clock::now());
    // The sub camera's level at now (moves it back down after a quiet spell).
    SubLevel Level(Clock::time_point now = Clock::now());
    void Reset();

    // The main camera's picture going up while it plays (its start and end, media ms), and
    // the main camera no longer playing.
    // MainShown answers the time it went up (taken with the record of it).
    Clock::time_point MainShown(double startMs, double endMs);
    void MainStopped();
    // Where a sub-camera frame (its start and end, media ms) stands against the main
    // camera's picture on screen; at (when given) is the time of the check.
    SubFit Fit(double startMs, double endMs, Clock::time_point* at = nullptr);

  private:
    void Settle(Clock::time_point now);
    std::mutex mutex_;
    std::deque<Clock::time_point> trouble_;  // within the last second
    Clock::time_point lastTrouble_{};
    Clock::time_point lastChange_{};
    int level_ = 0;
    bool mainPlaying_ = false;
    double mainStartMs_ = 0.0;
    double mainEndMs_ = 0.0;
};

}  // namespace quorva
