// An off-screen drawing surface: an image of a fixed size that controls draw into and then
// copy to the screen in one piece. It owns its pixels; a painter session on it ends (and
// the surface is left as drawn) when the Painter object goes.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>

namespace quorva {

class COffScreenDC {
  public:
    COffScreenDC() = default;
    explicit COffScreenDC(QSize size, QColor fill = Qt::transparent);

    COffScreenDC(const COffScreenDC&) = delete;
    COffScreenDC& operator=(const COffScreenDC&) = delete;
    COffScreenDC(COffScreenDC&&) = default;
    COffScreenDC& operator=(COffScreenDC&&) = default;

    bool IsValid() const { return !image_.isNull(); }
    QSize Size() const { return image_.size(); }
    // Makes a new surface of the size (the old pixels are dropped), filled with the colour.
    void Create(QSize size, QColor fill = Qt::transparent);
    // Recreates the surface only when the size differs; true when it did.
    bool EnsureSize(QSize size, QColor fill = Qt::transparent);
    void Fill(QColor colour);
    void Release() { image_ = QImage(); }

    const QImage& Image() const { return image_; }

    // A painter on the surface for one drawing session.
    class Painter {
      public:
        explicit Painter(COffScreenDC& surface) : painter_(&surface.image_) {}
        QPainter* operator->() { return &painter_; }
        QPainter& operator*() { return painter_; }

      private:
        QPainter painter_;
    };

    // Copies the part of the surface at source onto the target rectangle of another painter
    // (the same size: a plain copy).
    void CopyTo(QPainter& target, const QRect& targetRect, QPoint source = QPoint(0, 0)) const;

  private:
    QImage image_;
};

}  // namespace quorva
