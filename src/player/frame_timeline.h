// Where each frame of a recording starts on the slot's media clock. Position n is frame n in
// presentation order. At a constant frame rate the frames are evenly spaced (time = position
// x frame duration); at a variable one each frame keeps its own start.
#pragma once

#include <cstdint>
#include <vector>

namespace quorva {

class FrameTimeline {
  public:
    FrameTimeline() = default;
    // frames evenly spaced by frameMs.
    static FrameTimeline Constant(int64_t frames, double frameMs);
    // Frames starting at startsMs (ascending, the first at 0); the last one ends at endMs.
    static FrameTimeline Listed(std::vector<double> startsMs, double endMs);

    int64_t FrameCount() const { return frames_; }
    bool IsConstant() const { return starts_.empty(); }
    // The frame duration at a constant rate; the mean one otherwise.
    double FrameMs() const { return frameMs_; }
    // When frame n starts (positions outside the recording are taken to its first or last
    // frame).
    double StartMs(int64_t position) const;
    // The frame shown at a media time: the last one starting at or before it (0 before the
    // first); not limited to the frame count at a constant rate.
    int64_t PositionAt(double mediaMs) const;
    // How long frame n is shown.
    double DurationMs(int64_t position) const;
    // When the last frame ends.
    double EndMs() const;
    // Each frame's start (empty at a constant rate).
    const std::vector<double>& Starts() const { return starts_; }

  private:
    int64_t frames_ = 0;
    double frameMs_ = 0.0;
    double endMs_ = 0.0;
    std::vector<double> starts_;
};

}  // namespace quorva
