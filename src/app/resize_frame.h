// The outline shown while the main window is resized: a top-level window that lets the
// mouse through, draws only a frame in RGB(112, 92, 168) and stays transparent inside (its
// shape is the frame itself, so it needs no compositor). The real window keeps its size
// until the resize settles.
#pragma once

#include <QColor>
#include <QWidget>

namespace quorva {

class CResizeFrame : public QWidget {
    Q_OBJECT

  public:
    CResizeFrame();

    static QColor FrameColour() { return QColor(112, 92, 168); }
    void SetLineWidth(int width);
    int LineWidth() const { return line_; }

    // Shows the outline over the rectangle (screen coordinates) on top of other windows.
    void ShowOver(const QRect& rect);
    // Moves the outline; it stays hidden when it was hidden.
    void MoveTo(const QRect& rect);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void UpdateShape();
    int line_ = 2;
};

}  // namespace quorva
