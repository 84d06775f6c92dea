// The skin dialog: a borderless dialog with its own caption band (20 s high, the window
// title in F10), an optional skin close button, moved by dragging its caption. Every key
// press inside it is swallowed, so neither Enter nor Escape closes it: it closes only
// through its buttons.
#pragma once

#include <QDialog>
#include <QPoint>

namespace quorva {

class CSkinButton;

class CSkinDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CSkinDialog(QWidget* parent = nullptr);
    ~CSkinDialog() override;

    // The close button (picture 352) at (client width - 20 s, 4 s), 13 s x 12 s, kept there on
    // every size change. Its click is the command id.
    void CreateCloseButton(int id);
    CSkinButton* CloseButton() const { return closeButton_; }

    // Height of the caption band and of the band that moves the window.
    static int CaptionBandHeight();
    static int DragBandHeight();

    // The caption band's colours.
    static QColor CaptionColor();
    static QColor CaptionTextColor();

    bool Dragging() const { return dragging_; }

  protected:
    // A command from a child button; the close button's id ends the dialog (a modeless one
    // is hidden).
    virtual void OnCommand(int id);
    // Paints the client area below the caption band (nothing: the palette's window colour).
    virtual void PaintBackground(QPainter& painter);
    // Re-places the close button; subclasses extend it for their own layout.
    virtual void Relayout();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    CSkinButton* closeButton_ = nullptr;
    int closeId_ = 0;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace quorva
