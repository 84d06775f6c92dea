// The skin list's check boxes: hover highlights an unchecked box, leaving restores it, a
// click flips checked and unchecked.
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "skin/skin_list_ctrl.h"
#include "skin/skin_resources.h"
#include "skin_fixture.h"

namespace quorva {
namespace {

class SkinListTest : public test::ScaledTest {
  protected:
    void SetUp() override {
        list.setHeaderLabels({"ファイル名", "ファイルサイズ"});
        list.SetStateImages(IDB_CHECK_MARK);
        for (int i = 0; i < 4; ++i)
            list.AddRow({QString("clip-%1.MOV").arg(i), "10 MB"});
        list.resize(400, 200);
        list.show();
    }
    QPoint RowCentre(int row) { return list.visualItemRect(list.topLevelItem(row)).center(); }
    void MoveTo(int row) { QTest::mouseMove(list.viewport(), RowCentre(row)); }

    CSkinListCtrl list;
};

TEST(SkinListRules, ClickTurnsStatesAsTheListDoes) {
    EXPECT_EQ(CSkinListCtrl::StateAfterClick(1), 3);
    EXPECT_EQ(CSkinListCtrl::StateAfterClick(2), 3);
    EXPECT_EQ(CSkinListCtrl::StateAfterClick(3), 1);
    EXPECT_EQ(CSkinListCtrl::StateAfterClick(0), 1);
    EXPECT_EQ(CSkinListCtrl::StateAfterClick(7), 1);
}

TEST_F(SkinListTest, RowsStartUnchecked) {
    for (int row = 0; row < list.RowCount(); ++row)
        EXPECT_EQ(list.StateOf(row), 1);
    EXPECT_EQ(list.StateOf(99), 0);
}

TEST_F(SkinListTest, HoverHighlightsAndLeavingRestores) {
    MoveTo(1);
    EXPECT_EQ(list.StateOf(1), CSkinListCtrl::kStateHover);
    EXPECT_EQ(list.HoverRow(), 1);
    MoveTo(2);
    EXPECT_EQ(list.StateOf(1), CSkinListCtrl::kStateUnchecked);
    EXPECT_EQ(list.StateOf(2), CSkinListCtrl::kStateHover);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(list.viewport(), &leave);
    EXPECT_EQ(list.StateOf(2), CSkinListCtrl::kStateUnchecked);
    EXPECT_EQ(list.HoverRow(), -1);
}

TEST_F(SkinListTest, ClickChecksAndClickingACheckedRowUnchecksIt) {
    QSignalSpy changes(&list, &CSkinListCtrl::checkChanged);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowCentre(2));
    EXPECT_TRUE(list.IsChecked(2));
    // The mouse stays over the checked row: no hover picture replaces the tick.
    MoveTo(2);
    EXPECT_EQ(list.StateOf(2), CSkinListCtrl::kStateChecked);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowCentre(2));
    EXPECT_FALSE(list.IsChecked(2));
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(changes.at(0).at(0).toInt(), 2);
    EXPECT_TRUE(changes.at(0).at(1).toBool());
    EXPECT_FALSE(changes.at(1).at(1).toBool());
}

TEST_F(SkinListTest, CheckedRowShowsTheTick) {
    list.SetChecked(0, true);
    const QImage face = list.viewport()->grab().toImage();
    const QRect row = list.visualItemRect(list.topLevelItem(0));
    const QImage tick = list.StateImages().Frame(kFramePressed).toImage();
    const QImage plain = list.StateImages().Frame(kFrameNormal).toImage();
    // The accent fill of the ticked box shows in row 0 and not in row 1.
    const QColor accent = tick.pixelColor(tick.width() / 2, 1);
    EXPECT_TRUE(test::HasColorNear(face, row, accent, 12));
    EXPECT_FALSE(test::HasColorNear(face, list.visualItemRect(list.topLevelItem(1)), accent, 12));
    EXPECT_NE(tick, plain);
}

}  // namespace
}  // namespace quorva
