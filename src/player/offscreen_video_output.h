// A video output without a window: it keeps the presented pictures' records (position,
// media time, lateness, when) and the last picture, and optionally the pictures themselves.
// For tests, the command-line tool and benchmarks.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "player/video_output.h"

namespace quorva {

struct PresentRecord {
    int64_t position = 0;
    double mediaMs = 0.0;
    PresentInfo info;
};

class OffscreenVideoOutput : public VideoOutput {
  public:
    explicit OffscreenVideoOutput(PlayerSize client = {640, 360}) : client_(client) {}

    void Present(const FramePtr& frame, const PresentInfo& info) override;
    void Repaint() override;
    PlayerSize ClientSize() const override;
    void SetVideoRect(const PlayerRect& rect) override;
    void SetOverlay(std::shared_ptr<const OverlayImage> overlay) override;
    void ClearOverlay() override;

    PlayerSize PresentSize(PlayerSize picture) const override;

    void SetClientSize(PlayerSize size);
    // Take pictures at the video rectangle's size, as a movie window does (default: at the
    // picture's own size).
    void SetPresentAtRectSize(bool on);
    // A machine too weak for its work: every present holds core (shared by the outputs
    // that share the machine) for ms milliseconds. Null: presents cost nothing.
    void SetPresentCost(std::shared_ptr<std::mutex> core, double ms);
    // Keep up to this many presented pictures (0: only the last one).
    void KeepPictures(size_t count);

    FramePtr LastPicture() const;
    std::vector<PresentRecord> Records() const;
    std::vector<FramePtr> Pictures() const;
    size_t PresentCount() const;
    int64_t RepaintCount() const;
    PlayerRect VideoRect() const;
    std::shared_ptr<const OverlayImage> Overlay() const;
    void ClearRecords();
    // Waits until at least count pictures have been presented in all.
    bool WaitForPresents(size_t count, int timeoutMs) const;

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable cv_;
    PlayerSize client_;
    PlayerRect rect_;
    FramePtr last_;
    std::vector<PresentRecord> records_;
    size_t presentCount_ = 0;
    size_t keep_ = 0;
    std::deque<FramePtr> pictures_;
    int64_t repaints_ = 0;
    std::shared_ptr<const OverlayImage> overlay_;
    bool atRectSize_ = false;
    std::shared_ptr<std::mutex> core_;
    double costMs_ = 0.0;
};

}  // namespace quorva
