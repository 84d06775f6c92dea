// The progress bar's fill and label, and the sliders' values at the edges, the messages they
// post and their drawing.
#include <QApplication>
#include <QTest>

#include <cstdlib>

#include <gtest/gtest.h>

#include "appcore/app_messages.h"
#include "appcore/ui_scale.h"
#include "skin/skin_progress_bar.h"
#include "skin/skin_resources.h"
#include "skin/skin_slider.h"
#include "skin_fixture.h"

namespace quorva {
namespace {

using test::HasColorNear;

class ProgressBarTest : public test::ScaledParamTest {
  protected:
    double s() const { return GetParam(); }
    QImage Render(int position) {
        CSkinProgressBarCtrl bar;
        bar.resize(Scaled(300, s()), Scaled(22, s()));
        bar.SetRange(0, 100);
        bar.SetPos(position);
        bar.show();
        label = bar.Label();
        return bar.grab().toImage();
    }
    QRect LabelBox(const QImage& image) const {
        return QRect(image.width() / 2 - Scaled(50, s()), 0, 2 * Scaled(50, s()), Scaled(22, s()));
    }
    QString label;
};

TEST_P(ProgressBarTest, ZeroIsBlueTextOnWhite) {
    const QImage image = Render(0);
    EXPECT_EQ(label, "0 %");
    EXPECT_EQ(QColor(image.pixel(1, 1)), QColor(Qt::white));
    EXPECT_TRUE(HasColorNear(image, LabelBox(image), QColor(0, 0, 255), 60));
}

TEST_P(ProgressBarTest, HundredIsWhiteTextOnBlue) {
    const QImage image = Render(100);
    EXPECT_EQ(label, "100 %");
    EXPECT_EQ(QColor(image.pixel(1, 1)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(image.pixel(image.width() - 1, 1)), QColor(0, 0, 255));
    EXPECT_TRUE(HasColorNear(image, LabelBox(image), QColor(Qt::white), 60));
}

TEST_P(ProgressBarTest, PartlyFilledSplitsAtTheFilledWidth) {
    const QImage image = Render(25);
    const int filled = image.width() / 4;
    EXPECT_EQ(QColor(image.pixel(filled - 1, 1)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(image.pixel(filled + 1, 1)), QColor(Qt::white));
}

INSTANTIATE_TEST_SUITE_P(Scales, ProgressBarTest, ::testing::Values(1.0, 2.0));

TEST(ProgressBar, FilledWidthAndLabelFollowTheRange) {
    CSkinProgressBarCtrl bar;
    struct Case {
        int min, max, pos, width, filled;
    };
    const Case cases[] = {
        {0, 100, 45, 200, 90},   {0, 100, 100, 200, 200}, {0, 0, 5, 200, 0},
        {0, 100, 150, 200, 200}, {0, 100, -5, 200, 0},    {10, 60, 25, 100, 50},
    };
    for (const Case& c : cases) {
        bar.SetRange(c.min, c.max);
        bar.SetPos(c.pos);
        EXPECT_EQ(bar.FilledWidth(c.width), c.filled) << c.min << ".." << c.max << " @" << c.pos;
    }
    bar.SetPos(45);
    EXPECT_EQ(bar.Label(), "45 %");
}

TEST(ProgressBar, SitsInTheBottomOfItsWindow) {
    SetUiScaleFactors(2.0, 2.0);
    // 2 s in from the left, right and bottom, 22 s high.
    EXPECT_EQ(CSkinProgressBarCtrl::PlaceIn(QRect(6, 24, 656, 370)),
              QRect(10, 24 + 370 - 4 - 44, 648, 44));
    SetUiScaleFactors(1.0, 1.0);
    EXPECT_EQ(CSkinProgressBarCtrl::PlaceIn(QRect(6, 24, 656, 370)),
              QRect(8, 24 + 370 - 2 - 22, 652, 22));
}

class SliderTest : public test::ScaledParamTest {
  protected:
    void SetUp() override {
        ScaledParamTest::SetUp();
        parent.resize(Scaled(800, s()), Scaled(100, s()));
        slider.Create(38100, &parent);
        slider.setGeometry(Scaled(6, s()), Scaled(20, s()), Scaled(656, s()), Scaled(10, s()));
        slider.SetImages(IDB_SEEK_PLAYED, IDB_SEEK_REMAINING, IDB_SEEK_THUMB,
                         IDB_SEEK_THUMB_PRESSED);
        slider.SetRange(0, 899);
        slider.SetMessageTarget(&recorder);
        parent.show();
    }
    double s() const { return GetParam(); }
    int W() const { return slider.width(); }
    int Y() const { return slider.height() / 2; }
    const std::vector<test::RecordedMessage>& Messages() { return recorder.Collect(); }

    QWidget parent;
    CSkinSliderCtrl slider;
    test::MessageRecorder recorder;
};

TEST_P(SliderTest, CreatesANamedChildTenScaledHigh) {
    QWidget host;
    CSkinSliderCtrl fresh;
    EXPECT_TRUE(fresh.Create(38101, &host));
    EXPECT_EQ(fresh.parentWidget(), &host);
    EXPECT_EQ(fresh.objectName(), "movie slider");
    EXPECT_EQ(fresh.height(), Scaled(10, s()));
    EXPECT_EQ(fresh.ControlId(), 38101);
    EXPECT_TRUE(fresh.EnabledFlag());
}

TEST_P(SliderTest, PressJustLeftOfTheTrackStartsADragAtTheMinimum) {
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(-Scaled(5, s()), Y()));
    ASSERT_TRUE(slider.Dragging());
    EXPECT_EQ(slider.ValueUnderMouse(), 0);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].id, WM_APP_SLIDER_BEGIN);
    EXPECT_EQ(Messages()[0].wParam, 38100u);
    EXPECT_EQ(Messages()[0].lParam, 0);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(-Scaled(5, s()), Y()));
    EXPECT_FALSE(slider.Dragging());
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1].id, WM_APP_SLIDER_END);
    EXPECT_EQ(Messages()[1].lParam, 0);
}

TEST_P(SliderTest, PressJustRightOfTheTrackGivesTheMaximum) {
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(W() + Scaled(5, s()), Y()));
    ASSERT_TRUE(slider.Dragging());
    EXPECT_EQ(slider.ValueUnderMouse(), 899);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(W() + Scaled(5, s()), Y()));
}

TEST_P(SliderTest, PressFurtherOutsideDoesNothing) {
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(-Scaled(10, s()), Y()));
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(W() + Scaled(10, s()), Y()));
    EXPECT_FALSE(slider.Dragging());
    EXPECT_TRUE(Messages().empty());
}

TEST_P(SliderTest, DragPostsTrackValuesAndNeverMovesItsOwnThumb) {
    slider.SetPos(100);
    const QRect before = slider.ThumbRect();
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(W() / 4, Y()));
    QTest::mouseMove(&slider, QPoint(W() / 2, Y()));
    QTest::mouseMove(&slider, QPoint(W() + Scaled(20, s()), Y()));  // outside: not posted
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(W() / 2, Y()));
    const auto& m = Messages();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].id, WM_APP_SLIDER_BEGIN);
    EXPECT_EQ(m[0].lParam, 900 / 4);
    EXPECT_EQ(m[1].id, WM_APP_SLIDER_TRACK);
    EXPECT_EQ(m[1].lParam, 900 / 2);
    EXPECT_EQ(m[2].id, WM_APP_SLIDER_END);
    EXPECT_EQ(m[2].lParam, 900 / 2);
    EXPECT_EQ(slider.Pos(), 100);
    EXPECT_EQ(slider.ThumbRect(), before);
}

TEST_P(SliderTest, ValueTipNamesThePositionAboveTheThumbWhileHoveredOrDragged) {
    slider.SetValueText([](int position) { return QStringLiteral("at %1").arg(position); });
    slider.SetPos(100);
    EXPECT_TRUE(!slider.ValueTip() || slider.ValueTip()->isHidden());  // not hovered yet
    QTest::mouseMove(&slider, QPoint(W() / 2, Y()));
    ASSERT_TRUE(slider.ValueTip() && slider.ValueTip()->isVisible());
    EXPECT_EQ(slider.ValueTipText(), "at 100");  // the thumb's position, not the mouse's
    const QRect tip = slider.ValueTip()->geometry();
    const QPoint thumb = slider.mapToGlobal(slider.ThumbRect().center());
    EXPECT_LE(std::abs(tip.center().x() - thumb.x()), 1);
    EXPECT_LT(tip.bottom(), slider.mapToGlobal(QPoint(0, 0)).y());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&slider, &leave);
    EXPECT_TRUE(slider.ValueTip()->isHidden());

    // A drag keeps the tip, outside the slider too, and it follows the parent's SetPos.
    QTest::mousePress(&slider, Qt::LeftButton, {}, slider.ThumbRect().center());
    QApplication::sendEvent(&slider, &leave);
    slider.SetPos(450);
    EXPECT_TRUE(slider.ValueTip()->isVisible());
    EXPECT_EQ(slider.ValueTipText(), "at 450");
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(W() / 2, Y() + Scaled(40, s())));
    EXPECT_TRUE(slider.ValueTip()->isHidden());

    // An empty text shows no tip.
    slider.SetValueText([](int) { return QString(); });
    QTest::mouseMove(&slider, QPoint(W() / 3, Y()));
    EXPECT_TRUE(slider.ValueTip()->isHidden());
}

TEST_P(SliderTest, OutsideThumbFlagTellsAJumpFromAGrab) {
    slider.SetPos(450);
    const QRect thumb = slider.ThumbRect();
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(thumb.center().x(), Y()));
    EXPECT_FALSE(slider.PressOutsideThumb());
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(thumb.center().x(), Y()));
    QTest::mousePress(&slider, Qt::LeftButton, {},
                      QPoint(thumb.left() - Scaled(5, s()), Y()));  // within the widened thumb
    EXPECT_FALSE(slider.PressOutsideThumb());
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(thumb.left(), Y()));
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(Scaled(10, s()), Y()));
    EXPECT_TRUE(slider.PressOutsideThumb());
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(Scaled(10, s()), Y()));
}

TEST_P(SliderTest, DisabledSliderIgnoresPressesAndOnlyEndsARunningDrag) {
    slider.Enable(false);
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(W() / 2, Y()));
    EXPECT_FALSE(slider.Dragging());
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(W() / 2, Y()));
    EXPECT_TRUE(Messages().empty());

    slider.Enable(true);
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(W() / 2, Y()));
    slider.Enable(false);
    QTest::mouseMove(&slider, QPoint(W() / 3, Y()));
    EXPECT_FALSE(slider.Dragging());
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(W() / 3, Y()));
    ASSERT_EQ(Messages().size(), 1u);  // the begin only
    EXPECT_EQ(Messages()[0].id, WM_APP_SLIDER_BEGIN);
}

TEST_P(SliderTest, EmptyAndHugeRangesStayFinite) {
    slider.SetRange(0, -1);  // no values at all
    slider.SetPos(3);
    EXPECT_EQ(slider.ValueAt(W() / 2), 0);
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(W() / 2, Y()));
    QTest::mouseMove(&slider, QPoint(W() / 3, Y()));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(W() / 3, Y()));
    const auto& m = Messages();
    ASSERT_EQ(m.size(), 2u);  // begin and end, no track without a range
    EXPECT_EQ(m[0].id, WM_APP_SLIDER_BEGIN);
    EXPECT_EQ(m[1].id, WM_APP_SLIDER_END);

    // More values than pixels: the value under the mouse still spreads over the track.
    slider.SetRange(0, 65535);
    EXPECT_EQ(slider.ValueAt(0), 0);
    EXPECT_NEAR(slider.ValueAt(W() / 2.0), 32768, 1);
    EXPECT_EQ(slider.ValueAt(W() - 0.01), 65535);
}

TEST_P(SliderTest, DrawsPlayedAndRemainingTracksAndTheThumb) {
    slider.SetPos(450);
    const QImage face = slider.Surface().Image();
    ASSERT_FALSE(face.isNull());
    const int played = slider.PlayedWidth();
    EXPECT_EQ(played, static_cast<int>(W() * 450.0 / 900.0));
    const QImage playedTrack =
        RenderSkinImage(IDB_SEEK_PLAYED, QSize(Scaled(800, s()), Scaled(10, s())));
    const QColor playedColour =
        playedTrack.pixelColor(playedTrack.width() / 2, playedTrack.height() / 2);
    const QRect thumb = slider.ThumbRect();
    EXPECT_TRUE(HasColorNear(face, QRect(2, 0, thumb.left() - 4, face.height()), playedColour, 10));
    EXPECT_FALSE(HasColorNear(face,
                              QRect(thumb.right() + 3, 0, W() - thumb.right() - 4, face.height()),
                              playedColour, 10));
    // The thumb is 25 + 2 design pixels wide and at its step position.
    EXPECT_EQ(thumb.width(), Scaled(27, s()));
    const double step = (W() - Scaled(25, s())) / 900.0;
    EXPECT_EQ(thumb.left(), static_cast<int>(450 * step));
}

TEST_P(SliderTest, WithoutPicturesItDrawsNothing) {
    CSkinSliderCtrl bare;
    bare.Create(1, &parent);
    bare.setGeometry(0, 0, 200, Scaled(10, s()));
    bare.SetImages(130, 131, 132, 133);
    bare.SetRange(0, 10);
    bare.SetPos(5);
    EXPECT_FALSE(bare.HasImages());
    EXPECT_EQ(test::OpaquePixels(bare.Surface().Image()), 0);
}

INSTANTIATE_TEST_SUITE_P(Scales, SliderTest, ::testing::Values(1.0, 2.0));

}  // namespace
}  // namespace quorva
