// The skin progress bar: a blue part for the position and a white rest, 22 s high, with the
// position as "45 %" centred, white over the blue part and blue over the white part.
#pragma once

#include <QWidget>

namespace quorva {

class CSkinProgressBarCtrl : public QWidget {
    Q_OBJECT

  public:
    explicit CSkinProgressBarCtrl(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    void SetPos(int position);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    int Pos() const { return position_; }

    // The filled width for a client width: int(W * position / (maximum - minimum)) when the
    // range spans at least 1, else 0; never more than W nor less than 0.
    int FilledWidth(int clientWidth) const;
    // "%d %%" of the position.
    QString Label() const;

    // The bar's place inside a window's client rectangle: its bottom 22 s pixels, 2 s in
    // from the left, right and bottom edges.
    static QRect PlaceIn(const QRect& client);
    void LayoutIn(const QRect& client) { setGeometry(PlaceIn(client)); }

    static QColor FillColor();
    static QColor RestColor();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
};

}  // namespace quorva
