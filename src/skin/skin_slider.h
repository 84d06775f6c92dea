// The skin slider (position and volume): a played and a remaining track and a thumb, drawn
// from pictures into an off-screen surface. It never moves its own thumb: it posts
// WM_APP_SLIDER_BEGIN / TRACK / END (wParam its control id, lParam the value under the
// mouse) to its message target, the parent window unless set, which answers with SetPos.
// With a value text set, a tip above the thumb names the position while the thumb is
// dragged or the mouse rests on the slider.
#pragma once

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <functional>

#include "skin/off_screen_dc.h"

namespace quorva {

class CSkinSliderCtrl : public QWidget {
    Q_OBJECT

  public:
    explicit CSkinSliderCtrl(QWidget* parent = nullptr);
    ~CSkinSliderCtrl() override;

    // Makes the slider a visible child of the parent, named "movie slider", int(10 s) high.
    bool Create(int id, QWidget* parent);
    int ControlId() const { return id_; }

    // Pictures of the played and the remaining track, the thumb and the thumb while dragged.
    void SetImages(int played, int remaining, int thumb, int thumbPressed);
    bool HasImages() const;

    void SetRange(int minimum, int maximum);
    void SetPos(int position);  // redraws at once
    void Enable(bool enabled);
    int RangeMin() const { return minimum_; }
    int RangeMax() const { return maximum_; }
    int Pos() const { return position_; }
    bool EnabledFlag() const { return enabled_; }

    bool Dragging() const { return dragging_; }
    // Whether the last press lay outside the thumb widened by 10 s on both sides (a click to
    // jump rather than a grab of the thumb).
    bool PressOutsideThumb() const { return outsideThumb_; }
    int ValueUnderMouse() const { return valueUnderMouse_; }
    QPoint PressPoint() const { return pressPoint_; }

    // Where messages go; nullptr means the parent window.
    void SetMessageTarget(QObject* target) { target_ = target; }

    // The tip's text for a position ("0:12 / 1:00"); an empty text or no function: no tip.
    void SetValueText(std::function<QString(int position)> text);
    // The tip above the thumb: null until first shown; hidden when not in use.
    QWidget* ValueTip() const { return tip_; }
    QString ValueTipText() const;

    // Geometry for the current size, range and position (client pixels).
    int ValueAt(double x) const;
    QRect ThumbRect() const;
    int PlayedWidth() const;
    const COffScreenDC& Surface() const { return surface_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    long long RangeCount() const;  // maximum - minimum + 1
    double Fraction() const;       // position / range count, kept within 0..1
    bool InsideTrack(double x) const;
    void Post(uint32_t message);
    void EnsureImages();
    void Render();
    void UpdateValueTip();

    std::function<QString(int)> valueText_;
    QPointer<QWidget> tip_;  // a tool-tip window of its own (no parent: it floats above)
    bool hovered_ = false;

    int id_ = 0;
    int ids_[4] = {0, 0, 0, 0};
    QImage played_, remaining_, thumb_, thumbPressed_;
    QSize trackDesign_, thumbDesign_;
    double imageScale_ = 0;
    COffScreenDC surface_;
    int minimum_ = 0;
    int maximum_ = 0;
    int position_ = 0;
    int valueUnderMouse_ = 0;
    QPoint pressPoint_;
    bool dragging_ = false;
    bool outsideThumb_ = false;
    bool enabled_ = true;
    QObject* target_ = nullptr;
};

}  // namespace quorva
