// What the presenter draws into. Present and Repaint are called on the slot's presenter
// thread; the placement calls come from the user-interface thread. An output must not touch
// widgets from the presenter thread (the widget output only schedules a repaint).
#pragma once

#include <chrono>
#include <memory>

#include "player/player_geometry.h"
#include "player/video_frame.h"

namespace quorva {

struct PresentInfo {
    std::chrono::steady_clock::time_point wallTime;  // when the frame was handed over
    double clockMs = 0.0;                            // the slot's media time at that moment
    double lateMs = 0.0;     // how much later than its time the frame came (negative: early)
    bool late = false;       // more than a quarter frame late
    bool immediate = false;  // shown at once (first picture after a seek or a step)
};

// A 300 x 120 overlay picture laid over the video, black pixels transparent.
struct OverlayImage {
    std::shared_ptr<const VideoFrame> pixels;
    NormalizedRect placement;  // where it goes, as fractions of the video rectangle
};

class VideoOutput {
  public:
    virtual ~VideoOutput() = default;

    // A new picture to show (presenter thread).
    virtual void Present(const FramePtr& frame, const PresentInfo& info) = 0;
    // Show the last picture again (any thread).
    virtual void Repaint() = 0;
    // The size the output wants a picture of this (shown) size in (presenter thread): the
    // presenter converts straight to it. Outputs that scale themselves take the picture as
    // it is.
    virtual PlayerSize PresentSize(PlayerSize picture) const { return picture; }

    // The movie window's client size, the frame of reference of the video rectangle.
    virtual PlayerSize ClientSize() const = 0;
    // Where the picture goes; the rest of the client area is painted black.
    virtual void SetVideoRect(const PlayerRect& rect) = 0;
    virtual void SetOverlay(std::shared_ptr<const OverlayImage> overlay) = 0;
    virtual void ClearOverlay() = 0;
};

}  // namespace quorva
