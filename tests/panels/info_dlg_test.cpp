#include "panels/info_dlg.h"

#include <QTest>

#include <gtest/gtest.h>

#include "appcore/ui_text.h"
#include "message_recorder.h"
#include "skin/skin_button.h"

namespace quorva {
namespace {

using test::MessageRecorder;
using test::PostedMessage;

constexpr int kWidth = 655;
constexpr int kHeight = 105;

struct Colour {
    int r, g, b;
};

// Pixels of a rectangle close to a colour (each channel within `tolerance`).
int PixelsNear(const QImage& image, QRect area, Colour c, int tolerance = 40) {
    int count = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - c.r) <= tolerance && std::abs(p.green() - c.g) <= tolerance &&
                std::abs(p.blue() - c.b) <= tolerance) {
                ++count;
            }
        }
    }
    return count;
}

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kAxis[3] = {{0, 255, 0}, {255, 0, 0}, {128, 128, 255}};

SystemTime Start() {
    SystemTime t;
    t.year = 2023;
    t.month = 5;
    t.day = 1;
    t.hour = 12;
    t.minute = 34;
    t.second = 56;
    return t;
}

class CInfoDlgTest : public ::testing::Test {
  protected:
    // The value part of a G column, below the descenders of the axis name.
    QRect GValue(int k) const { return boxes.gValue(k).adjusted(0, 3, 0, 0); }

    CInfoDlgTest() : panel(&parent), boxes(1.0, 1.0) {
        parent.resize(kWidth, kHeight);
        panel.resize(kWidth, kHeight);
    }
    void Fill() {
        panel.SetStartTime(Start());
        panel.SetFrameMs(1000.0f / 30.0f);
        panel.SetPosition(300);
        panel.SetGValues(0.129, -0.5, 1.0);
        panel.SetFix(true, 42.0);
        panel.SetVoltage(125);
        panel.SetResolutionCode(12);
        panel.SetStatusLetter('R');
    }

    MessageRecorder parent;
    CInfoDlg panel;
    InfoPanelBoxes boxes;
};

TEST_F(CInfoDlgTest, FieldsWithDataShowTheirTexts) {
    Fill();
    const QImage image = panel.Render();
    EXPECT_GT(PixelsNear(image, boxes.date, kWhite), 40);
    EXPECT_GT(PixelsNear(image, boxes.speedNumber, kWhite), 20);
    for (int k = 0; k < 3; ++k) {
        EXPECT_GT(PixelsNear(image, GValue(k), kAxis[k]), 20) << k;
        EXPECT_GT(PixelsNear(image, boxes.gLabel(k), kAxis[k]), 40) << k;  // the axis name
    }
    // The 1080 badge, the status picture and the GPS picture.
    EXPECT_GT(PixelsNear(image, QRect(boxes.badge, QSize(60, 24)), {0x24, 0x63, 0xc7}, 12), 200);
    EXPECT_GT(PixelsNear(image, QRect(boxes.gps, QSize(24, 24)), {0xdd, 0xe0, 0xe4}, 20), 20);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST_F(CInfoDlgTest, PaintNowPaintsOnlyWhenTheShownTextsChange) {
    QWidget* window = panel.window();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    ASSERT_TRUE(panel.isVisible());
    Fill();
    PaintCounter counter;
    panel.installEventFilter(&counter);
    panel.PaintNow();
    const int first = counter.paints;
    EXPECT_GE(first, 1);
    // Frame 301 at 30 frames a second is the same second; the G values and the speed keep
    // their two decimals and their whole kilometres.
    panel.SetPosition(301);
    panel.SetGValues(0.1291, -0.5001, 1.0);
    panel.SetFix(true, 42.2);
    panel.SetVoltage(125);
    panel.SetStatusLetter('R');
    panel.SetResolutionCode(12);
    panel.PaintNow();
    EXPECT_EQ(counter.paints, first);
    panel.SetPosition(330);  // the next second
    panel.PaintNow();
    EXPECT_EQ(counter.paints, first + 1);
    panel.SetGValues(0.139, -0.5, 1.0);
    panel.PaintNow();
    EXPECT_EQ(counter.paints, first + 2);
    panel.SetFix(false, 42.2);
    panel.PaintNow();
    EXPECT_EQ(counter.paints, first + 3);
    panel.removeEventFilter(&counter);
}

TEST_F(CInfoDlgTest, ResetShowsPlaceholdersInEveryField) {
    Fill();
    panel.Reset();
    EXPECT_EQ(panel.State().position, -1);
    EXPECT_EQ(panel.State().statusLetter, 'M');
    const QImage image = panel.Render();
    EXPECT_EQ(PixelsNear(image, boxes.date, kWhite, 60), 0);
    EXPECT_GT(PixelsNear(image, boxes.date, {0x6b, 0x70, 0x78}, 20), 20);  // "0000/00/00 ..."
    EXPECT_EQ(PixelsNear(image, boxes.speedNumber, kWhite, 60), 0);
    EXPECT_GT(PixelsNear(image, boxes.speedUnit, kWhite, 60), 5);  // "km/h" stays
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(PixelsNear(image, GValue(k), kAxis[k], 60), 0) << k;
        EXPECT_GT(PixelsNear(image, boxes.gLabel(k), kAxis[k]), 40) << k;
    }
    EXPECT_EQ(PixelsNear(image, QRect(boxes.badge, QSize(60, 24)), {0x24, 0x63, 0xc7}, 12), 0);
    EXPECT_EQ(PixelsNear(image, QRect(boxes.gps, QSize(24, 24)), {0xdd, 0xe0, 0xe4}, 20), 0);
}

TEST_F(CInfoDlgTest, MissingValuesEachShowTheirPlaceholder) {
    Fill();
    panel.SetGValues(-5.0, 0.2, 0.2);
    panel.SetFix(true, 999.6);
    const QImage image = panel.Render();
    EXPECT_EQ(PixelsNear(image, GValue(0), kAxis[0], 60), 0);
    EXPECT_GT(PixelsNear(image, GValue(1), kAxis[1]), 20);
    EXPECT_EQ(PixelsNear(image, boxes.speedNumber, kWhite, 60), 0);
    EXPECT_GT(PixelsNear(image, boxes.date, kWhite), 40);
}

TEST_F(CInfoDlgTest, ParkingTraceShowsTheVoltageInsteadOfTheSpeed) {
    Fill();
    panel.SetParkingTrace(true);
    QImage image = panel.Render();
    EXPECT_GT(PixelsNear(image, boxes.voltage, kWhite), 20);
    EXPECT_GT(
        PixelsNear(image, boxes.voltageUnit.adjusted(boxes.voltage.width() - 20, 0, 0, 0), kWhite),
        5);  // "V"
    // No "km/h" right of the voltage.
    EXPECT_EQ(PixelsNear(image, QRect(boxes.voltageUnit.right() + 2, 7, 20, 25), kWhite, 60), 0);
    panel.SetVoltage(-1);
    image = panel.Render();
    EXPECT_EQ(PixelsNear(image, boxes.voltage.united(boxes.voltageUnit), kWhite, 60), 0);
}

TEST_F(CInfoDlgTest, RateTextAppearsOnlyWhenSet) {
    Fill();
    EXPECT_EQ(PixelsNear(panel.Render(), boxes.rate, kWhite, 60), 0);
    panel.SetRateText(UiText(58));
    EXPECT_GT(PixelsNear(panel.Render(), boxes.rate, kWhite), 30);
}

TEST_F(CInfoDlgTest, StretchMovesTheBoxesRight) {
    Fill();
    panel.resize(static_cast<int>(kWidth * 1.3), kHeight);
    panel.SetStretch(1.3);
    const InfoPanelBoxes wide(1.0, 1.3);
    EXPECT_GT(wide.speed.left(), boxes.speed.left());
    const QImage image = panel.Render();
    EXPECT_GT(PixelsNear(image, wide.gValue(2), kAxis[2]), 20);
    EXPECT_EQ(panel.ToggleButton(2)->geometry(), wide.toggle(2));
}

TEST_F(CInfoDlgTest, TogglesStartCheckedAndPostTheirNewState) {
    parent.show();
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(panel.ToggleState(k));
        EXPECT_EQ(panel.ToggleButton(k)->ControlId(), 38600 + k);
        EXPECT_EQ(panel.ToggleButton(k)->geometry(), boxes.toggle(k));
    }
    CSkinButton* y = panel.ToggleButton(1);
    QTest::mouseClick(y, Qt::LeftButton);
    EXPECT_FALSE(panel.ToggleState(1));
    QTest::mouseClick(y, Qt::LeftButton);
    EXPECT_TRUE(panel.ToggleState(1));
    parent.Deliver();
    EXPECT_EQ(parent.messages, (std::vector<PostedMessage>{{WM_APP_EVENT_FILTER, 1, 0},
                                                           {WM_APP_EVENT_FILTER, 1, 1}}));

    // A disabled panel takes no clicks.
    panel.setEnabled(false);
    QTest::mouseClick(panel.ToggleButton(0), Qt::LeftButton);
    EXPECT_TRUE(panel.ToggleState(0));
    EXPECT_EQ(panel.ToggleButton(0)->CurrentFrame(), 3);
}

}  // namespace
}  // namespace quorva
