// The skin push button: draws one frame of its strip for its state and its label at the
// bottom in F9. It cannot be worked by keyboard.
#pragma once

#include <QAbstractButton>

#include "skin/image_strip.h"

namespace quorva {

class CSkinButton : public QAbstractButton {
    Q_OBJECT

  public:
    explicit CSkinButton(QWidget* parent = nullptr);

    // Places the button (empty label) and gives it its command id.
    void Create(const QRect& rect, int id);
    int ControlId() const { return id_; }

    // Loads the picture at the UI scale and cuts it into frames of frameSize (pixels). A
    // picture that cannot be loaded leaves the button without frames (it draws its label).
    void SetImage(int bitmapId, QSize frameSize);
    void SetImage(int bitmapId, QSize frameSize, double s);
    void SetStrip(ImageStrip strip);
    const ImageStrip& Strip() const { return strip_; }

    // While hidden the button draws nothing; while active it shows the pressed frame.
    void SetHiddenFace(bool hidden);
    bool HiddenFace() const { return hidden_; }
    void SetActive(bool active);
    bool Active() const { return active_; }
    // The checked state (shown with the pressed frame and a white label).
    void SetCheck(bool checked);
    bool GetCheck() const { return checked_; }

    bool Hovered() const { return hovered_; }

    // The frame and the label colour the button shows now.
    virtual int CurrentFrame() const;
    QColor CurrentTextColor() const;

    QSize sizeHint() const override;

  signals:
    // The click as a command of the owner window (the button's id).
    void command(int id);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

    void SetHovered(bool hovered);

  private:
    int id_ = 0;
    ImageStrip strip_;
    bool hidden_ = false;
    bool active_ = false;
    bool checked_ = false;
    bool hovered_ = false;
};

}  // namespace quorva
