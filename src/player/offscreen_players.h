// A player group whose slots show into off-screen outputs: the command-line tool and the
// benchmarks open, seek and play recordings with it, and measure what was presented.
#pragma once

#include <cstdint>
#include <string>

#include "platform/process.h"
#include "player/ffmpeg_player.h"
#include "player/offscreen_video_output.h"
#include "player/player_group.h"

namespace quorva {

struct PlaybackReport {
    int64_t presented = 0;  // frames shown at their time, both slots
    int64_t late = 0;       // of those, more than a quarter frame late
    int64_t dropped = 0;    // the main camera's frames skipped to catch up with the clock
    // The sub camera's frames not shown: skipped to catch up, or left out to give the main
    // camera room on a machine that cannot keep up.
    int64_t subDropped = 0;
    int64_t mainFrames = 0;  // frames the main camera reached: shown or dropped
    double maxLateMs = 0.0;
    // Largest distance between the media times of a sub-camera picture as it goes up and
    // the main camera's picture on screen, in frames of the slower camera; 0 with one camera.
    double maxCameraOffsetFrames = 0.0;
    double cpuSeconds = 0.0;
    double wallSeconds = 0.0;
    // The main camera's media time when playing stopped: at the end of the recording the
    // end of its last frame.
    double mediaSeconds = 0.0;
    bool ended = false;
};

class OffscreenPlayers {
  public:
    // slots: 1 the main camera only, 2 both cameras (the sub camera's partner when it exists).
    explicit OffscreenPlayers(int slots = 2, int decodeThreads = 0);
    ~OffscreenPlayers();
    OffscreenPlayers(const OffscreenPlayers&) = delete;
    OffscreenPlayers& operator=(const OffscreenPlayers&) = delete;

    // GroupOpen and the first pictures; false (with a reason) when the main movie fails.
    bool Open(const std::string& moviePath, std::string* error);
    bool SubOpen() const { return subOpen_; }
    // GroupSeek and waits for both pictures.
    bool SeekAndWait(int64_t position, int timeoutMs = 20000);
    // Plays at the rate code for up to seconds (or to the end) and reports.
    PlaybackReport Play(int rateCode, double seconds);

    PlayerGroup& group() { return group_; }
    PlayerSlot& slot(int i) { return group_.slot[i]; }
    OffscreenVideoOutput& output(int i) { return outputs_[i]; }

  private:
    PlayerGroup group_;
    OffscreenVideoOutput outputs_[2];
    int slots_;
    bool subOpen_ = false;
};

using platform::ProcessCpuSeconds;

}  // namespace quorva
