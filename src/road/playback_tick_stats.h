// Figures of the playback tick for measuring the viewer at work: the cost of each tick, how
// far the panels are from the picture on screen, the time from choosing a recording to its
// first picture and the process's CPU use while recordings play. Collected only when the
// environment variable QUORVA_TICK_STATS is set; printed to standard error when the viewer
// ends. Standard library only.
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace quorva {

class PlaybackTickStats {
  public:
    using Clock = std::chrono::steady_clock;

    // On when QUORVA_TICK_STATS is set (and not "0").
    static bool EnabledByEnvironment();
    explicit PlaybackTickStats(bool enabled) : enabled_(enabled) {}

    bool Enabled() const { return enabled_; }

    // One tick took this long.
    void AddTick(Clock::duration cost);
    // After a tick of a playing recording: the position the panels show and the position
    // of the picture on screen (-1 when there is none).
    void AddLag(int panelPosition, int64_t picturePosition);
    // A recording was chosen; its first picture came (the player's ready notice).
    void RecordingChosen();
    void FirstPicture();

    struct Summary {
        size_t ticks = 0;
        double meanUs = 0, p50Us = 0, p99Us = 0, maxUs = 0;
        size_t lagSamples = 0;
        size_t lagWithinOne = 0;  // panels at most one frame from the picture
        int maxLag = 0;
        std::vector<double> openMs;  // choice to first picture, per recording
        double cpuPercent = 0;       // process CPU time / wall time while ticking
        double wallSeconds = 0;
    };
    Summary Summarise() const;
    std::string Report() const;

  private:
    bool enabled_;
    std::vector<double> tickUs_;
    std::vector<int> lags_;
    std::vector<double> openMs_;
    bool choicePending_ = false;
    Clock::time_point chosenAt_{};
    bool started_ = false;
    Clock::time_point firstTick_{}, lastTick_{};
    std::clock_t firstCpu_ = 0, lastCpu_ = 0;
};

}  // namespace quorva
