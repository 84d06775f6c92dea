// The main window's image set: every skin and panel picture it draws, loaded at start-up in
// one go and freed together, plus the drawing helpers the panels use (CGdiDrawer).
#pragma once

#include <QBrush>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include <map>
#include <utility>
#include <vector>

class QPainter;

namespace quorva {

class CResourceImage {
  public:
    CResourceImage() = default;
    CResourceImage(const CResourceImage&) = delete;
    CResourceImage& operator=(const CResourceImage&) = delete;

    // The ids of the set, in the order they are loaded.
    static const std::vector<int>& LoadOrder();

    // Loads every picture of the set at the UI scale s; false when one could not be loaded
    // (the others are kept: callers draw without the missing ones).
    bool Load(double s);
    bool Load();
    void Free();
    bool IsLoaded() const { return !images_.empty(); }
    double Scale() const { return scale_; }

    // The picture at its design size times the scale, transparent where the artwork is; a
    // null image for an id outside the set or one that could not be loaded.
    const QImage& Image(int id) const;
    // The picture laid on its matte colour (white, black or none), as an opaque bitmap.
    QPixmap Bitmap(int id) const;
    // The picture rendered at exactly this size (kept for the next call with that size).
    QPixmap Sized(int id, QSize size) const;
    // Stretches the picture over the rectangle, rendered sharp at that size.
    void Stretch(QPainter& painter, const QRect& target, int id) const;
    // Draws at (x, y) with int(width * factor * s) x int(height * factor * s) (design size,
    // s the set's scale), from the sized cache: the way panels draw at every tick.
    void DrawScaled(QPainter& painter, int x, int y, double factor, int id) const;

    // The main window's background for its window rectangle: the body picture stretched over
    // it, the caption band over its top int(24 s) and the bottom bar over its bottom int(38 s).
    void DrawSkinBackground(QPainter& painter, const QRect& window) const;

    const QIcon& WindowIcon() const { return icon_; }
    // Three white brushes and the frame brush of the logo panel.
    const QBrush& WhiteBrush(int index) const;
    const QBrush& FrameBrush() const { return frameBrush_; }

  private:
    double scale_ = 1.0;
    std::map<int, QImage> images_;
    mutable std::map<std::pair<int, std::pair<int, int>>, QPixmap> sized_;
    QIcon icon_;
    QBrush white_[3];
    QBrush frameBrush_;
};

// Picture loading and scaled drawing for the panels.
class CGdiDrawer {
  public:
    // A picture at its design size; a null image when it cannot be loaded.
    static QImage LoadPngResource(int id);
    // Draws at (x, y) with int(width * factor * s) x int(height * factor * s), s the UI scale.
    static void DrawImageScaled(QPainter& painter, int x, int y, double factor,
                                const QImage& image);
    // The same for a skin picture, rendered sharp at the target size.
    static void DrawImageScaled(QPainter& painter, int x, int y, double factor, int id);
};

}  // namespace quorva
