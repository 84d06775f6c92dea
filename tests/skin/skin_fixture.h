// Shared pieces of the skin tests: a scale that is restored after each test, a receiver that
// records application messages, pixel statistics of rendered pictures, and a watcher that
// answers the next modal message dialog.
#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>

class QWidget;

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace quorva::test {

// Sets the UI scale (and the same font scale) for one test and restores 1.0 afterwards.
class ScaledTest : public ::testing::Test {
  protected:
    void SetScale(double s);
    void TearDown() override;
};

class ScaledParamTest : public ::testing::TestWithParam<double> {
  protected:
    void SetUp() override;
    void TearDown() override;
};

struct RecordedMessage {
    uint32_t id;
    uintptr_t wParam;
    intptr_t lParam;
};

// Records every application message posted to it.
class MessageRecorder : public QObject {
  public:
    std::vector<RecordedMessage> messages;
    // Delivers the posted events and answers what has arrived.
    const std::vector<RecordedMessage>& Collect();

  protected:
    bool event(QEvent* event) override;
};

// What the widget paints itself, on a transparent image (no window background).
QImage Face(QWidget& widget);

// Pixels whose alpha is above a threshold.
int OpaquePixels(const QImage& image, int alphaAbove = 16);
// Whether any pixel inside the rectangle is close to the colour.
bool HasColorNear(const QImage& image, const QRect& area, QColor colour, int tolerance = 40);
// Mean luminance of the opaque pixels (0..255), -1 when there are none.
double MeanLuminance(const QImage& image);

// When the next modal dialog of class CMsgDlg appears, records its text and caption and
// presses the button (1 OK, 2 Cancel).
class MessageAnswerer {
  public:
    explicit MessageAnswerer(int button = 1);
    ~MessageAnswerer();
    bool Seen() const { return seen_; }
    QString Text() const { return text_; }
    QString Caption() const { return caption_; }

  private:
    void Poll();
    int button_;
    bool seen_ = false;
    QTimer timer_;
    QString text_;
    QString caption_;
};

}  // namespace quorva::test
