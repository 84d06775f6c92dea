#include "road/playback_tick_stats.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>

namespace quorva {

bool PlaybackTickStats::EnabledByEnvironment() {
    const char* value = std::getenv("QUORVA_TICK_STATS");
    return value && *value && std::strcmp(value, "0") != 0;
}

void PlaybackTickStats::AddTick(Clock::duration cost) {
    if (!enabled_) return;
    const Clock::time_point now = Clock::now();
    const std::clock_t cpu = std::clock();
    if (!started_) {
        started_ = true;
        firstTick_ = now;
        firstCpu_ = cpu;
    }
    lastTick_ = now;
    lastCpu_ = cpu;
    tickUs_.push_back(std::chrono::duration<double, std::micro>(cost).count());
}

void PlaybackTickStats::AddLag(int panelPosition, int64_t picturePosition) {
    if (!enabled_ || picturePosition < 0) return;
    const int64_t lag = panelPosition - picturePosition;
    lags_.push_back(static_cast<int>(lag < 0 ? -lag : lag));
}

void PlaybackTickStats::RecordingChosen() {
    if (!enabled_) return;
    choicePending_ = true;
    chosenAt_ = Clock::now();
}

void PlaybackTickStats::FirstPicture() {
    if (!enabled_ || !choicePending_) return;
    choicePending_ = false;
    openMs_.push_back(std::chrono::duration<double, std::milli>(Clock::now() - chosenAt_).count());
}

PlaybackTickStats::Summary PlaybackTickStats::Summarise() const {
    Summary s;
    s.ticks = tickUs_.size();
    if (!tickUs_.empty()) {
        std::vector<double> sorted = tickUs_;
        std::sort(sorted.begin(), sorted.end());
        s.meanUs = std::accumulate(sorted.begin(), sorted.end(), 0.0) / sorted.size();
        s.p50Us = sorted[sorted.size() / 2];
        s.p99Us = sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)];
        s.maxUs = sorted.back();
    }
    s.lagSamples = lags_.size();
    for (int lag : lags_) {
        if (lag <= 1) ++s.lagWithinOne;
        s.maxLag = std::max(s.maxLag, lag);
    }
    s.openMs = openMs_;
    s.wallSeconds = std::chrono::duration<double>(lastTick_ - firstTick_).count();
    if (s.wallSeconds > 0) {
        const double cpuSeconds = static_cast<double>(lastCpu_ - firstCpu_) / CLOCKS_PER_SEC;
        s.cpuPercent = 100.0 * cpuSeconds / s.wallSeconds;
    }
    return s;
}

std::string PlaybackTickStats::Report() const {
    const Summary s = Summarise();
    char line[256];
    std::string out;
    std::snprintf(line, sizeof line,
                  "tick: %zu ticks, mean %.1f us, median %.1f us, p99 %.1f us, max %.1f us\n",
                  s.ticks, s.meanUs, s.p50Us, s.p99Us, s.maxUs);
    out += line;
    std::snprintf(line, sizeof line,
                  "panels: %zu ticks while playing, %zu within one frame of the picture, "
                  "largest gap %d frames\n",
                  s.lagSamples, s.lagWithinOne, s.maxLag);
    out += line;
    std::snprintf(line, sizeof line, "cpu: %.1f %% of one core over %.1f s of ticking\n",
                  s.cpuPercent, s.wallSeconds);
    out += line;
    out += "open: choice to first picture (ms):";
    for (double ms : s.openMs) {
        std::snprintf(line, sizeof line, " %.0f", ms);
        out += line;
    }
    out += "\n";
    return out;
}

}  // namespace quorva
