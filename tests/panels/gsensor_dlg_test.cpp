#include "panels/gsensor_dlg.h"

#include <QTest>

#include <gtest/gtest.h>

#include <mutex>

#include "message_recorder.h"
#include "panel_fixture.h"

namespace quorva {
namespace {

using test::DriveDataFixture;
using test::MessageRecorder;
using test::PostedMessage;

// At s = 1 a width of 1042 leaves a 1000 px plot; 250 frames are 4 px apart.
constexpr int kWidth = 1042;
constexpr int kHeight = 146;

QRgb Rgb(uint32_t rgb) {
    return 0xFF000000u | rgb;
}

// Pixels of a rectangle brighter than `level` in every channel.
int BrightPixels(const QImage& image, QRect area, int level = 200) {
    int count = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > level && c.green() > level && c.blue() > level) ++count;
        }
    }
    return count;
}

int PixelsOf(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    }
    return count;
}

class GSensorDlgTest : public ::testing::Test {
  protected:
    GSensorDlgTest() : drive(250), graph(&parent) {
        for (GSensorSample& s : drive.samples) {
            s.g1 = 0.25;  // scale 1 (57 px per G): 14 px above the zero line, row 46
            s.g2 = -0.5;  // 28 px below, row 88
            s.g3 = 3.5;   // beyond the scale: the top edge of the band, row 5
        }
        drive.SetAxis(30, 34, 1);         // X event at frame 30: column 41 + 120
        drive.SetEventCode(100, 101, 5);  // manual mark at frame 100: column 41 + 400
        drive.SetAxis(150, 152, 2);       // Y event at frame 150: column 41 + 600
        graph.resize(kWidth, kHeight);
        graph.SetDriveDataAccess([this](const std::function<void(const GSensorView&)>& read) {
            std::lock_guard<std::mutex> lock(slotLock);
            read(drive.View());
        });
        graph.ShowRecording(250, 1, true);
    }

    std::mutex slotLock;
    DriveDataFixture drive;
    MessageRecorder parent;
    CGSensorDlg graph;
};

TEST_F(GSensorDlgTest, CurvesTakeTheirAxisColourAtTheirRows) {
    const QImage image = graph.Render();
    for (int x : {41 + 200, 41 + 700, 41 + 999}) {
        EXPECT_EQ(image.pixel(x, 46), Rgb(0x00FF00)) << x;
        EXPECT_EQ(image.pixel(x, 88), Rgb(0xFF0000)) << x;
        EXPECT_EQ(image.pixel(x, 5), Rgb(0x8080FF)) << x;
        EXPECT_EQ(image.pixel(x, 33), Rgb(0x000000)) << x;
    }
    // Nothing is drawn in the label strip but the labels.
    EXPECT_EQ(image.pixel(20, 46), Rgb(0x000000));
}

TEST_F(GSensorDlgTest, ScaleChangesTheRowsOfTheCurves) {
    graph.SetScaleIndex(0);  // 114 px per G
    const QImage image = graph.Render();
    EXPECT_EQ(image.pixel(41 + 300, 60 - 28), Rgb(0x00FF00));
    EXPECT_EQ(image.pixel(41 + 300, 60 + 55), Rgb(0xFF0000));  // -0.5 G is clamped to the band
}

TEST_F(GSensorDlgTest, MarkersStandAtTheirFramesWithTheirLetters) {
    const QImage image = graph.Render();
    // Marker lines run from the bottom to the top, below the plot as well.
    EXPECT_EQ(image.pixel(41 + 120, 140), Rgb(0x00FF00));
    EXPECT_EQ(image.pixel(41 + 120, 33), Rgb(0x00FF00));
    EXPECT_EQ(image.pixel(41 + 400, 140), Rgb(0xFFFFFF));
    EXPECT_EQ(image.pixel(41 + 600, 140), Rgb(0xFF0000));
    // Continuing frames are not marked.
    EXPECT_EQ(image.pixel(41 + 124, 140), Rgb(0x000000));
    // Each letter stands right of its line, below the plot (row 119 is the picture's frame).
    for (int x : {41 + 120, 41 + 400, 41 + 600}) {
        EXPECT_GT(BrightPixels(image, QRect(x + 2, 120, 12, 22)), 3) << x;
        EXPECT_EQ(BrightPixels(image, QRect(x + 20, 120, 12, 22)), 0) << x;
    }
}

TEST_F(GSensorDlgTest, CursorIsAWhiteColumnAtThePosition) {
    graph.SetCursorFrame(125);  // 41 + 125 x 1001 / 250
    const QImage image = graph.Render();
    EXPECT_EQ(image.pixel(541, 140), Rgb(0xFFFFFF));
    EXPECT_EQ(image.pixel(541, 33), Rgb(0xFFFFFF));
    EXPECT_EQ(image.pixel(540, 140), Rgb(0x000000));
    EXPECT_EQ(image.pixel(542, 140), Rgb(0x000000));
}

TEST_F(GSensorDlgTest, SwitchingAnAxisOffHidesItsCurveAndMarkers) {
    graph.Detectors().SetSwitches(1, 0);
    const QImage image = graph.Render();
    EXPECT_EQ(PixelsOf(image, Rgb(0xFF0000)), 0);
    EXPECT_EQ(image.pixel(41 + 600, 140), Rgb(0x000000));
    EXPECT_EQ(image.pixel(41 + 200, 46), Rgb(0x00FF00));
    EXPECT_EQ(image.pixel(41 + 400, 140), Rgb(0xFFFFFF));
}

TEST_F(GSensorDlgTest, WithoutDataOnlyBackgroundLabelsAndCursorAreDrawn) {
    graph.SetCurvesOn(false);
    graph.SetCursorFrame(125);
    const QImage image = graph.Render();
    EXPECT_EQ(PixelsOf(image, Rgb(0x00FF00)), 0);
    EXPECT_EQ(PixelsOf(image, Rgb(0xFF0000)), 0);
    EXPECT_EQ(PixelsOf(image, Rgb(0x8080FF)), 0);
    EXPECT_EQ(image.pixel(541, 140), Rgb(0xFFFFFF));           // cursor
    EXPECT_GT(BrightPixels(image, QRect(0, 0, 38, 20)), 3);    // " 1G" label
    EXPECT_GT(BrightPixels(image, QRect(0, 50, 38, 20)), 3);   // "0G"
    EXPECT_GT(BrightPixels(image, QRect(0, 100, 38, 20)), 3);  // "-1G"
    // The grid fills the plot and its repetition right of the picture.
    EXPECT_NE(image.pixel(300, 30), Rgb(0x000000));
    EXPECT_NE(image.pixel(1000, 30), Rgb(0x000000));

    // A cursor beyond the frame index also draws no curves.
    graph.SetCurvesOn(true);
    graph.SetCursorFrame(250);
    EXPECT_EQ(PixelsOf(graph.Render(), Rgb(0x00FF00)), 0);

    // Before a recording is opened nothing at all is painted.
    CGSensorDlg fresh;
    fresh.resize(kWidth, kHeight);
    const QImage blank = fresh.Render();
    EXPECT_EQ(PixelsOf(blank, Rgb(0x000000)), kWidth * kHeight);
}

TEST_F(GSensorDlgTest, PaintingGoesThroughTheOffScreenSurface) {
    graph.SetCursorFrame(60);
    const QImage expected = graph.Render();
    EXPECT_EQ(graph.grab().toImage().convertToFormat(QImage::Format_RGB32), expected);

    // A shared surface smaller than the graph grows to hold it.
    COffScreenDC shared(QSize(200, 400), Qt::blue);
    graph.SetOffScreenSurface(&shared);
    EXPECT_EQ(graph.grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
    EXPECT_EQ(shared.Size(), QSize(kWidth, 400));

    // Before a recording is opened the graph is black.
    graph.SetTileWidth(0);
    const QImage blank = graph.grab().toImage();
    EXPECT_EQ(PixelsOf(blank.convertToFormat(QImage::Format_RGB32), Rgb(0x000000)),
              kWidth * kHeight);
}

TEST_F(GSensorDlgTest, ReadsTheDriveDataOnlyUnderTheLock) {
    int reads = 0;
    bool lockedWhileReading = false;
    graph.SetDriveDataAccess([&](const std::function<void(const GSensorView&)>& read) {
        std::lock_guard<std::mutex> lock(slotLock);
        ++reads;
        lockedWhileReading = !slotLock.try_lock();
        if (!lockedWhileReading) slotLock.unlock();
        read(drive.View());
    });
    graph.Render();
    EXPECT_EQ(reads, 1);
    EXPECT_TRUE(lockedWhileReading);
    EXPECT_TRUE(slotLock.try_lock());  // released after the drawing
    slotLock.unlock();
}

TEST(GSensorDlgScrollTest, LongRecordingScrollsWithTheCursor) {
    DriveDataFixture drive(3000);
    drive.SetAxis(1200, 1205, 1);
    CGSensorDlg graph;
    graph.resize(kWidth, kHeight);
    graph.SetDriveDataAccess(
        [&](const std::function<void(const GSensorView&)>& read) { read(drive.View()); });
    graph.ShowRecording(3000, 1, true);
    graph.SetCursorFrame(1500);  // frames 1000 .. 1999 are shown
    auto markerColumns = [](const QImage& image) {
        std::vector<int> columns;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, 140) == Rgb(0x00FF00)) columns.push_back(x);
        }
        return columns;
    };
    EXPECT_EQ(markerColumns(graph.Render()), std::vector<int>{41 + 200});
    graph.SetCursorFrame(100);  // frames 66 .. 1065: the event is out of view
    EXPECT_TRUE(markerColumns(graph.Render()).empty());
    graph.SetCursorFrame(2400);  // frames 1600 .. 2599: out of view on the other side
    EXPECT_TRUE(markerColumns(graph.Render()).empty());
}

TEST_F(GSensorDlgTest, LeftAndRightClicksAskForThePreviousAndNextEvent) {
    parent.resize(kWidth, kHeight);
    parent.show();
    QTest::mouseClick(&graph, Qt::LeftButton, {}, QPoint(100, 50));
    QTest::mouseClick(&graph, Qt::RightButton, {}, QPoint(100, 50));
    parent.Deliver();
    EXPECT_EQ(parent.messages,
              (std::vector<PostedMessage>{{WM_APP_EVENT_PREV, 0, 0}, {WM_APP_EVENT_NEXT, 0, 0}}));
}

}  // namespace
}  // namespace quorva
