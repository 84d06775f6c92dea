// The skin check button: a 12 x 12 mark (scaled) at (0, 4 s) drawn by the state rules of the
// skin button, and the label to its right in the button's own font and text colour. The
// owner sets the checked state; a click does not toggle it by itself.
#pragma once

#include "skin/skin_button.h"

namespace quorva {

class CSkinCheckButton : public CSkinButton {
    Q_OBJECT

  public:
    explicit CSkinCheckButton(QWidget* parent = nullptr);

    // The mark picture, cut into frames of 12 s x 12 s.
    void SetImage(int bitmapId);
    void SetImage(int bitmapId, double s);

    // The mark's rectangle: (0, 4 s), 12 s square.
    QRect MarkRect() const;
    bool MarkHovered() const { return markHovered_; }

    int CurrentFrame() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    double ScaleNow() const;
    bool markHovered_ = false;
    double scale_ = 0;  // the scale of the loaded mark, 0 for the current UI scale
};

}  // namespace quorva
