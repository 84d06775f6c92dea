// The recording list inside the file browser: the kind filters, the count, sorting by a
// header click, row colours and what a selection reports.
#include "browser/file_list_ctrl.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "appcore/ui_scale.h"
#include "browser/file_list_header_ctrl.h"
#include "browser/filer_container_dlg.h"
#include "browser_fixture.h"
#include "gui_fixture.h"
#include "skin/skin_check_button.h"

namespace quorva {
namespace {

using test::Name;

SourceEnvironment NoDrives() {
    SourceEnvironment env;
    env.removableVolumes = [] { return std::vector<std::string>{}; };
    return env;
}

std::vector<std::string> Prefixes(const std::vector<RecordingEntry>& rows) {
    std::vector<std::string> out;
    for (const std::string& name : test::FileNames(rows))
        out.push_back(name.substr(0, 4));
    return out;
}

class FileListTest : public ::testing::TestWithParam<double> {
  protected:
    void SetUp() override {
        scale = std::make_unique<test::ScaleScope>(GetParam());
        browser = std::make_unique<CFilerContainerDlg>(nullptr, NoDrives());
        browser->resize(Scaled(452, GetParam()), Scaled(630, GetParam()));
        browser->SetListener(&listener);
        browser->show();
    }
    void TearDown() override {
        browser.reset();
        scale.reset();
    }
    // One run of mixed kinds in a folder: T, P, A, AG, A_T_ (file numbers 10..14).
    void LoadMixedFolder() {
        int n = 10;
        for (const char* prefix : {"T___", "P___", "A___", "AG__", "__T_"})
            test::WriteMovie(dir / ("mixed/" + Name(prefix, "240131", n++)));
        browser->LoadSource(dir / "mixed", kSourceFolder);
        // A folder source opens on its root node, which lists nothing; its group does.
        EXPECT_EQ(browser->RowCount(), 0);
        browser->LoadFolder(browser->Catalogue().Tree().Roots()[0]->children[0]->serial);
    }
    QPoint RowCentre(int row) const {
        CFileListCtrl* list = browser->List();
        return list->visualItemRect(list->topLevelItem(row)).center();
    }
    QPoint HeaderCentre(int column) const {
        QHeaderView* header = browser->List()->header();
        return QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                      header->height() / 2);
    }

    test::SettingsScope settings;
    test::TempFolder dir;
    test::RecordingListener listener;
    std::unique_ptr<test::ScaleScope> scale;
    std::unique_ptr<CFilerContainerDlg> browser;
};

TEST_P(FileListTest, FiltersRebuildTheListCountItAndSelectRowZero) {
    test::MakeCard(dir / "card");
    browser->LoadSource(dir / "card", kSourceDrive);
    EXPECT_EQ(Prefixes(browser->Rows()),
              (std::vector<std::string>{"A___", "AG__", "AM__", "T___"}));
    EXPECT_EQ(browser->CountText(), QStringLiteral("4個"));
    EXPECT_TRUE(listener.rows.empty()) << "loading selects no row";
    EXPECT_EQ(browser->CurrentIndex(), -1);

    browser->SetFilter(kFilterImpact, false);
    EXPECT_EQ(Prefixes(browser->Rows()), (std::vector<std::string>{"A___", "AM__", "T___"}));
    EXPECT_EQ(browser->CountText(), QStringLiteral("3個"));
    EXPECT_FALSE(browser->FilterButton(kFilterImpact)->GetCheck());
    EXPECT_EQ(listener.rows, (std::vector<int>{0}));
    EXPECT_EQ(browser->CurrentIndex(), 0);
    EXPECT_EQ(browser->List()->SelectedRow(), 0);
    EXPECT_TRUE(browser->TakeReopen());
    EXPECT_FALSE(browser->TakeReopen()) << "taken and cleared";

    browser->SetFilter(kFilterContinuous, false);
    EXPECT_EQ(Prefixes(browser->Rows()), (std::vector<std::string>{"AM__"}));
    EXPECT_EQ(listener.rows, (std::vector<int>{0, 0}));
    browser->SetFilter(kFilterManual, false);
    browser->SetFilter(kFilterParking, false);
    browser->SetFilter(kFilterParkingImpact, false);
    EXPECT_EQ(browser->RowCount(), 0) << "the catalogue still holds four";
    EXPECT_EQ(browser->Catalogue().Catalogue().size(), 4u);
    EXPECT_EQ(browser->CountText(), QStringLiteral("0個"));
    EXPECT_EQ(browser->CurrentIndex(), -1);
    EXPECT_EQ(listener.rows.size(), 2u) << "an empty list selects nothing";

    // Only parking impact, in the parking group: PG__ is listed, P___ and P_T_ are not.
    browser->SetFilter(kFilterParkingImpact, true);
    browser->LoadFolder(browser->Catalogue().Tree().Roots()[1]->children[0]->serial);
    EXPECT_EQ(Prefixes(browser->Rows()), (std::vector<std::string>{"PG__"}));
    EXPECT_EQ(browser->CountText(), QStringLiteral("1個"));
}

TEST_P(FileListTest, AFilterButtonReportsItsCommandOrFlipsItself) {
    test::MakeCard(dir / "card");
    browser->LoadSource(dir / "card", kSourceDrive);
    CSkinCheckButton* manual = browser->FilterButton(kFilterManual);
    ASSERT_TRUE(manual->GetCheck());
    QTest::mouseClick(manual, Qt::LeftButton, {}, manual->MarkRect().center());
    EXPECT_EQ(listener.filters, (std::vector<int>{kFilterManual}));
    EXPECT_TRUE(browser->Filter(kFilterManual)) << "the owner decides";
    EXPECT_EQ(browser->RowCount(), 4);

    browser->SetListener(nullptr);
    QTest::mouseClick(manual, Qt::LeftButton, {}, manual->MarkRect().center());
    EXPECT_FALSE(browser->Filter(kFilterManual));
    EXPECT_FALSE(manual->GetCheck());
    EXPECT_EQ(Prefixes(browser->Rows()), (std::vector<std::string>{"A___", "AG__", "T___"}));
    // A click on the label works the button too.
    const BoxRect label = browser->Layout().labels[kFilterManual];
    const QPoint onLabel = manual->mapFrom(
        browser.get(), QPoint(label.x + Scaled(6, GetParam()), label.y + label.height / 2));
    ASSERT_TRUE(manual->rect().contains(onLabel));
    QTest::mouseClick(manual, Qt::LeftButton, {}, onLabel);
    EXPECT_TRUE(browser->Filter(kFilterManual));
}

TEST_P(FileListTest, HeaderClicksSortAndSelectRowZero) {
    LoadMixedFolder();
    const std::vector<std::string> catalogueOrder = {"T___", "P___", "A___", "AG__", "__T_"};
    ASSERT_EQ(Prefixes(browser->Rows()), catalogueOrder);
    browser->SelectRecordingRow(0, false);
    listener.rows.clear();
    browser->TakeReopen();

    QHeaderView* header = browser->List()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, HeaderCentre(0));
    EXPECT_EQ(Prefixes(browser->Rows()), catalogueOrder) << "column 0 keeps the order";
    EXPECT_EQ(listener.rows, (std::vector<int>{0}));
    EXPECT_FALSE(browser->TakeReopen()) << "row 0 holds the same recording";

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, HeaderCentre(1));
    EXPECT_EQ(Prefixes(browser->Rows()),
              (std::vector<std::string>{"A___", "AG__", "P___", "T___", "__T_"}));
    EXPECT_EQ(browser->List()->SortColumn(), 1);
    EXPECT_EQ(listener.rows, (std::vector<int>{0, 0}));
    EXPECT_EQ(browser->List()->SelectedRow(), 0);
    EXPECT_EQ(browser->CurrentIndex(), 0);
    EXPECT_TRUE(browser->TakeReopen()) << "row 0 now holds another recording: it opens";
    EXPECT_EQ(browser->List()->topLevelItem(0)->text(0).toStdString(),
              ListDisplayName(browser->Rows()[0].path));

    // The next fill returns to catalogue order.
    browser->SetFilter(kFilterManual, true);
    EXPECT_EQ(Prefixes(browser->Rows()), catalogueOrder);
}

TEST_P(FileListTest, ClicksAndSelectRecordingRowReportTheRowAndMarkIt) {
    LoadMixedFolder();
    CFileListCtrl* list = browser->List();
    EXPECT_EQ(list->visualItemRect(list->topLevelItem(0)).height(), Scaled(20, GetParam()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(2));
    EXPECT_EQ(listener.rows, (std::vector<int>{2}));
    EXPECT_EQ(browser->CurrentIndex(), 2);

    browser->SelectRecordingRow(3, true);
    EXPECT_EQ(listener.rows, (std::vector<int>{2, 3}));
    EXPECT_EQ(browser->CurrentIndex(), 3);
    EXPECT_TRUE(browser->TakeContinuousMark());
    EXPECT_FALSE(browser->TakeContinuousMark());
    // Selecting the same row again reports it again, as the owner's open step expects.
    browser->SelectRecordingRow(3, false);
    EXPECT_EQ(listener.rows, (std::vector<int>{2, 3, 3}));
    browser->SelectRecordingRow(9, false);
    browser->SelectRecordingRow(-1, false);
    EXPECT_EQ(listener.rows.size(), 3u) << "no such row";
    EXPECT_EQ(browser->CurrentIndex(), 3);

    // Row colours: the current (impact) row blue-grey, another impact row light cyan, a
    // plain row white.
    const QImage face = test::Render(*browser);
    auto sample = [&](int row) {
        const QRect r = list->visualItemRect(list->topLevelItem(row));
        const QPoint p = list->viewport()->mapTo(
            browser.get(), QPoint(r.right() - Scaled(6, GetParam()), r.center().y()));
        return QColor(face.pixel(p));
    };
    EXPECT_EQ(sample(3), QColor(142, 178, 178));
    EXPECT_EQ(sample(2), QColor(255, 255, 255));
    browser->SelectRecordingRow(2, false);
    const QImage again = test::Render(*browser);
    const QRect r3 = list->visualItemRect(list->topLevelItem(3));
    const QRect r2 = list->visualItemRect(list->topLevelItem(2));
    auto at = [&](const QImage& image, const QRect& r) {
        return QColor(image.pixel(list->viewport()->mapTo(
            browser.get(), QPoint(r.right() - Scaled(6, GetParam()), r.center().y()))));
    };
    EXPECT_EQ(at(again, r3), QColor(204, 255, 255));
    EXPECT_EQ(at(again, r2), QColor(178, 178, 178));
    // The frame line between two rows.
    EXPECT_EQ(QColor(again.pixel(
                  list->viewport()->mapTo(browser.get(), QPoint(r2.center().x(), r3.top())))),
              QColor(136, 136, 136));

    browser->ClearMarks();
    EXPECT_EQ(browser->CurrentIndex(), -1);
    EXPECT_EQ(list->SelectedRow(), -1);
}

TEST_P(FileListTest, HeaderIsAGreyGradientWithWhiteTitles) {
    LoadMixedFolder();
    QHeaderView* header = browser->List()->header();
    const QImage face = test::Render(*browser);
    const QPoint origin = header->viewport()->mapTo(browser.get(), QPoint(0, 0));
    const int x = origin.x() + header->sectionViewportPosition(0) + 3;
    const QColor top(face.pixel(x, origin.y() + 1));
    const QColor bottom(face.pixel(x, origin.y() + header->height() - 2));
    EXPECT_GT(top.red(), bottom.red() + 60) << "light at the top, dark at the bottom";
    EXPECT_EQ(top.red(), top.blue());
    const QRect title(origin + QPoint(header->sectionViewportPosition(1), 0),
                      QSize(header->sectionSize(1), header->height()));
    EXPECT_TRUE(test::HasColourNear(face, title, Qt::white, 10));
    // Both titles fit their columns.
    const QFontMetrics metrics(header->font());
    for (int c = 0; c < 2; ++c) {
        const QString text = browser->List()->headerItem()->text(c);
        EXPECT_LE(metrics.horizontalAdvance(text) + 4, header->sectionSize(c)) << c;
    }
    EXPECT_EQ(header->sectionSize(0) + header->sectionSize(1) + 1,
              browser->List()->viewport()->width());
}

TEST_P(FileListTest, ColumnsFitTheListAlsoWithAScrollBar) {
    for (int n = 1; n <= 60; ++n)
        test::WriteMovie(dir / ("long/" + Name("A___", "240131", n)));
    browser->LoadSource(dir / "long", kSourceFolder);
    browser->LoadFolder(browser->Catalogue().Tree().Roots()[0]->children[0]->serial);
    ASSERT_EQ(browser->RowCount(), 60);
    EXPECT_EQ(browser->CountText(), QStringLiteral("60個"));
    CFileListCtrl* list = browser->List();
    ASSERT_TRUE(test::WaitFor([&] { return list->verticalScrollBar()->isVisible(); }, 1000));
    QHeaderView* header = list->header();
    EXPECT_EQ(header->sectionSize(0) + header->sectionSize(1) + 1, list->viewport()->width());
    // The last row can be scrolled into view and reported.
    browser->SelectRecordingRow(59, false);
    EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->topLevelItem(59))));
    EXPECT_EQ(listener.rows.back(), 59);
}

INSTANTIATE_TEST_SUITE_P(Scales, FileListTest, ::testing::Values(1.0, 2.0));

}  // namespace
}  // namespace quorva
