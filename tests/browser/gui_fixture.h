// Pieces of the widget tests: the UI scale of one test, a receiver of application messages,
// pixel checks of rendered widgets, and a watcher that answers the next message dialog.
#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

class QWidget;

namespace quorva::test {

// Sets the UI scale (and the same font scale) for one test; 1.0 again afterwards.
class ScaleScope {
  public:
    explicit ScaleScope(double s);
    ~ScaleScope();
};

// Records the ids of the application messages posted to it.
class MessageRecorder : public QObject {
  public:
    std::vector<uint32_t> ids;

  protected:
    bool event(QEvent* event) override;
};

// The widget with its children rendered into an image.
QImage Render(QWidget& widget);
// Whether a pixel inside the rectangle is within tolerance of the colour.
bool HasColourNear(const QImage& image, const QRect& area, QColor colour, int tolerance = 30);
// The number of pixels inside the rectangle within tolerance of the colour.
int CountColourNear(const QImage& image, const QRect& area, QColor colour, int tolerance = 30);

// Processes events until the condition holds or the time is up; answers the condition.
bool WaitFor(const std::function<bool()>& condition, int milliseconds = 3000);

// When the next modal message dialog shows, records its text and presses OK.
class MessageAnswerer {
  public:
    MessageAnswerer();
    bool Seen() const { return seen_; }
    QString Text() const { return text_; }

  private:
    QTimer timer_;
    bool seen_ = false;
    QString text_;
};

}  // namespace quorva::test
