// The video output of a movie window: a QWidget that paints the last presented picture
// scaled into the video rectangle, black bands around it, and the overlay over its lower
// right corner. The presenter thread only stores the picture and schedules a repaint on the
// widget's own thread. Movie windows derive from it (or hold one as their child).
#pragma once

#include <QImage>
#include <QWidget>

#include <atomic>
#include <mutex>

#include "player/video_output.h"

namespace quorva {

class QtVideoWidget : public QWidget, public VideoOutput {
    Q_OBJECT
  public:
    explicit QtVideoWidget(QWidget* parent = nullptr);

    void Present(const FramePtr& frame, const PresentInfo& info) override;
    void Repaint() override;
    PlayerSize ClientSize() const override;
    PlayerSize PresentSize(PlayerSize picture) const override;
    void SetVideoRect(const PlayerRect& rect) override;
    void SetOverlay(std::shared_ptr<const OverlayImage> overlay) override;
    void ClearOverlay() override;

    // Paint only black (while a snapshot re-lays the windows out).
    void SetPicturePainting(bool on);
    bool PicturePainting() const { return picturePainting_; }
    FramePtr LastPicture() const;
    // The video rectangle in use (the whole client area until one is set).
    QRect VideoRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ScheduleUpdate();

    mutable std::mutex mutex_;
    FramePtr frame_;
    PlayerRect rect_;
    bool rectSet_ = false;
    QImage overlay_;  // black turned transparent
    NormalizedRect overlayPlacement_;
    std::atomic<int> width_{0};
    std::atomic<int> height_{0};
    std::atomic<bool> updateQueued_{false};
    bool picturePainting_ = true;
};

}  // namespace quorva
