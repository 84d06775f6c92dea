// The file selection dialog: its controls in place, clicks on the list's boxes under the
// block rule of join mode, the total, the switches, the refusals of OK and the colours of
// the recordings of the last join.
#include "browser/file_select_dlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "gui_fixture.h"
#include "skin/skin_check_button.h"
#include "skin/skin_list_ctrl.h"

namespace quorva {
namespace {

constexpr uint64_t kMiB = 1048576;

std::vector<RecordingEntry> Recordings(int n, uint64_t movieMb, int from = 1) {
    std::vector<RecordingEntry> out;
    for (int i = 0; i < n; ++i) {
        RecordingEntry e;
        e.path = "/card/Normal/A___-240131-0830" + std::to_string(10 + i) + "-" +
                 std::to_string(100000 + from + i) + "M.MOV";
        e.movieSize = movieMb * kMiB;
        out.push_back(e);
    }
    return out;
}

std::string Boxes(const CFileSelectDlg& dlg) {
    std::string out;
    for (int r = 0; r < dlg.List()->RowCount(); ++r)
        out += dlg.List()->IsChecked(r) ? 'x' : '.';
    return out;
}

// A click on the row's check box, as the user makes it.
void ClickBox(CFileSelectDlg& dlg, int row) {
    CSkinListCtrl* list = dlg.List();
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.topLeft() + QPoint(8, 8));
}

class FileSelectDialogTest : public ::testing::TestWithParam<double> {
  protected:
    void SetUp() override { scale_ = std::make_unique<test::ScaleScope>(GetParam()); }
    void TearDown() override { scale_.reset(); }
    int S(double design) const { return Scaled(design, GetParam()); }
    std::unique_ptr<test::ScaleScope> scale_;
};

TEST_P(FileSelectDialogTest, ControlsInPlaceForEachMode) {
    CFileSelectDlg dlg;
    EXPECT_TRUE(dlg.Prepare(FileSelectMode::kDelete, Recordings(3, 10), Recordings(5, 10, 50)));
    EXPECT_EQ(dlg.size(), QSize(S(520), S(500)));
    const int w = dlg.width(), h = dlg.height();
    EXPECT_EQ(dlg.List()->geometry(), QRect(S(10), S(30), w - S(20), h - S(140)));
    EXPECT_EQ(dlg.List()->columnWidth(0), S(270));
    EXPECT_EQ(dlg.List()->columnWidth(1), S(120));
    EXPECT_EQ(dlg.TotalStatic()->geometry(), QRect(w - S(160), h - S(70), S(140), S(20)));
    EXPECT_EQ(dlg.OkButton()->geometry(), QRect(w - S(130), h - S(40), S(120), S(30)));
    EXPECT_EQ(dlg.windowTitle().toStdString(), UiText(43));
    EXPECT_EQ(dlg.OkButton()->text().toStdString(), UiText(43));
    EXPECT_EQ(dlg.ShowAllButton()->text().toStdString(), UiText(52));
    EXPECT_EQ(dlg.SelectAllShownButton()->text().toStdString(), UiText(51));
    EXPECT_FALSE(dlg.ShowAllButton()->isHidden());
    EXPECT_EQ(dlg.List()->headerItem()->text(0).toStdString(), UiText(46));
    EXPECT_EQ(dlg.List()->headerItem()->text(1).toStdString(), UiText(47));
    EXPECT_EQ(dlg.List()->RowCount(), 3);
    EXPECT_EQ(dlg.List()->topLevelItem(0)->text(0),
              QStringLiteral("A___-240131-083010-100001M.MOV"));
    EXPECT_EQ(dlg.List()->topLevelItem(0)->text(1), QStringLiteral("10 MB"));
    EXPECT_EQ(dlg.TotalStatic()->text(), QStringLiteral("0 MB"));
    EXPECT_FALSE(dlg.OkButton()->isEnabled());

    dlg.Prepare(FileSelectMode::kJoin, Recordings(3, 10), {});
    EXPECT_EQ(dlg.windowTitle().toStdString(), UiText(40));
    EXPECT_EQ(dlg.OkButton()->text().toStdString(), UiText(41));
    EXPECT_TRUE(dlg.ShowAllButton()->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Scales, FileSelectDialogTest, ::testing::Values(1.0, 2.0));

TEST(FileSelectDialog, ClicksOnTheBoxesKeepTheJoinBlockAndTheTotal) {
    CFileSelectDlg dlg;
    dlg.Prepare(FileSelectMode::kJoin, Recordings(8, 100), {});
    dlg.show();
    ClickBox(dlg, 2);
    ClickBox(dlg, 6);
    EXPECT_EQ(Boxes(dlg), "..xxxxx.");
    EXPECT_EQ(dlg.TotalStatic()->text(), QStringLiteral("500 MB"));
    EXPECT_TRUE(dlg.OkButton()->isEnabled());
    ClickBox(dlg, 4);
    EXPECT_EQ(Boxes(dlg), "..xx....");
    EXPECT_EQ(dlg.TotalStatic()->text(), QStringLiteral("200 MB"));
    ClickBox(dlg, 2);
    ClickBox(dlg, 3);
    EXPECT_EQ(Boxes(dlg), "........");
    EXPECT_FALSE(dlg.OkButton()->isEnabled());
}

TEST(FileSelectDialog, OkRefusesTooBigAndTooManyAndAcceptsTheBlock) {
    CFileSelectDlg dlg;
    std::vector<std::string> shown;
    dlg.SetMessageFunction([&](QWidget*, const std::string& text) { shown.push_back(text); });
    std::vector<RecordingEntry> group = Recordings(1, 600);
    for (const RecordingEntry& e : Recordings(1, 500, 2))
        group.push_back(e);
    dlg.Prepare(FileSelectMode::kJoin, group, {});
    dlg.ClickRow(0);
    dlg.ClickRow(1);
    EXPECT_EQ(dlg.TotalStatic()->text(), QStringLiteral("1100 MB"));
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_EQ(shown, std::vector<std::string>{UiText(138)});
    EXPECT_TRUE(dlg.Result().empty());
    EXPECT_EQ(dlg.result(), 0) << "the dialog stays";

    dlg.Prepare(FileSelectMode::kJoin, Recordings(120, 1), {});
    dlg.ClickSelectAllShown();
    EXPECT_TRUE(dlg.SelectAllShownButton()->GetCheck());
    dlg.Confirm();
    EXPECT_EQ(shown.back(), UiText(140));

    // Back to 99: OK closes the modal dialog with the ticked entries.
    dlg.ClickRow(99);
    QTimer::singleShot(0, &dlg, [&] { dlg.Confirm(); });
    EXPECT_EQ(dlg.exec(), CFileSelectDlg::kOk);
    ASSERT_EQ(dlg.Result().size(), 99u);
    EXPECT_EQ(dlg.Result().front().path, Recordings(1, 1).front().path);
}

TEST(FileSelectDialog, ShowAllListsTheWholeSourceAndTheCloseButtonCancels) {
    CFileSelectDlg dlg;
    dlg.Prepare(FileSelectMode::kDelete, Recordings(2, 1), Recordings(6, 1, 40));
    dlg.ClickRow(0);
    QTest::mouseClick(dlg.ShowAllButton(), Qt::LeftButton, {}, QPoint(4, 10));
    EXPECT_TRUE(dlg.ShowAllButton()->GetCheck());
    EXPECT_EQ(dlg.List()->RowCount(), 6);
    EXPECT_EQ(Boxes(dlg), "......");
    QTest::mouseClick(dlg.SelectAllShownButton(), Qt::LeftButton, {}, QPoint(4, 10));
    EXPECT_EQ(Boxes(dlg), "xxxxxx");
    QTimer::singleShot(0, &dlg, [&] { dlg.CloseButton()->click(); });
    EXPECT_EQ(dlg.exec(), 0);
    EXPECT_TRUE(dlg.Result().empty());
}

TEST(FileSelectDialog, RecordingsOfTheLastJoinAreMagentaOnYellow) {
    std::vector<RecordingEntry> group = Recordings(3, 1);
    group[1].joinedMark = 1;
    CFileSelectDlg dlg;
    dlg.Prepare(FileSelectMode::kJoin, group, {});
    dlg.show();
    const QImage image = test::Render(dlg);
    CSkinListCtrl* list = dlg.List();
    const auto rowRect = [&](int row) {
        return list->visualRect(list->model()->index(row, 1))
            .translated(list->viewport()->mapTo(&dlg, QPoint(0, 0)));
    };
    EXPECT_TRUE(test::HasColourNear(image, rowRect(1), CFileSelectDlg::JoinedBackground(), 10));
    EXPECT_FALSE(test::HasColourNear(image, rowRect(0), CFileSelectDlg::JoinedBackground(), 10));
    EXPECT_GT(test::CountColourNear(image, rowRect(1), CFileSelectDlg::JoinedText(), 60), 5);
    // Delete mode draws every row alike.
    dlg.Prepare(FileSelectMode::kDelete, group, {});
    EXPECT_FALSE(
        test::HasColourNear(test::Render(dlg), rowRect(1), CFileSelectDlg::JoinedBackground(), 10));
}

}  // namespace
}  // namespace quorva
