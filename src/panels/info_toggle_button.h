// The info panel's axis toggle: a checkable skin button drawn from a strip of four frames
// (normal, hover, checked, disabled), no label.
#pragma once

#include <QAbstractButton>
#include <QImage>

namespace quorva {

class CInfoToggleButton : public QAbstractButton {
    Q_OBJECT

  public:
    CInfoToggleButton(int commandId, QWidget* parent = nullptr);

    int CommandId() const { return commandId_; }
    // The strip of four frames side by side; each frame fills the button.
    void SetStrip(const QImage& strip);
    // Frame drawn in the current state: 3 disabled, 2 pressed or checked, 1 hover, else 0.
    int FrameIndex() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    int commandId_;
    QImage strip_;
    bool hover_ = false;
};

}  // namespace quorva
