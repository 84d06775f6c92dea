// A strip of equal frames cut from one picture: the skin controls' image list. Frame 0 is
// the normal face, 1 hover, 2 pressed (active, checked), 3 disabled.
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QSize>

#include <vector>

class QPainter;

namespace quorva {

enum SkinFrame { kFrameNormal = 0, kFrameHover = 1, kFramePressed = 2, kFrameDisabled = 3 };
// A disabled button that is checked draws its pressed frame at this opacity over its disabled
// one, so that it still shows whether it is on.
inline constexpr double kDisabledCheckOpacity = 0.5;

class ImageStrip {
  public:
    ImageStrip() = default;
    // Cuts the strip into as many frames of frameSize as fit side by side; a strip lower than
    // the frame gives frames of the strip's height.
    ImageStrip(const QPixmap& strip, QSize frameSize);
    // The picture of a skin resource loaded at the UI scale (LoadScaledBitmap) and cut into
    // frames of frameSize (pixels).
    static ImageStrip FromResource(int resourceId, QSize frameSize);
    static ImageStrip FromResource(int resourceId, QSize frameSize, double s);

    bool IsEmpty() const { return frames_.empty(); }
    int Count() const { return static_cast<int>(frames_.size()); }
    QSize FrameSize() const { return frameSize_; }
    // An empty pixmap for an index outside the strip.
    QPixmap Frame(int index) const;
    // Draws frame index with its top-left at the point, keeping its transparency; nothing for
    // an index outside the strip.
    void Draw(QPainter& painter, QPoint at, int index) const;

  private:
    QSize frameSize_;
    std::vector<QPixmap> frames_;
};

}  // namespace quorva
