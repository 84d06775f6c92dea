// The group tree inside the file browser: what it shows of a scanned source, its badges,
// and what a click on a node reports.
#include "browser/folder_tree_ctrl.h"

#include <QTest>

#include <gtest/gtest.h>

#include "appcore/app_messages.h"
#include "appcore/ui_scale.h"
#include "browser/filer_container_dlg.h"
#include "browser_fixture.h"
#include "gui_fixture.h"

namespace quorva {
namespace {

using test::MakeCard;

SourceEnvironment NoDrives() {
    SourceEnvironment env;
    env.removableVolumes = [] { return std::vector<std::string>{}; };
    return env;
}

// Badge layer colours of the artwork: manual, impact, parking impact, parking; and the
// base plate's slots.
const QColor kManual(0xf5, 0x7c, 0x00);
const QColor kImpact(0xd3, 0x2f, 0x2f);
const QColor kParkingImpact(0xc2, 0x18, 0x5b);
const QColor kParking(0x7b, 0x1f, 0xa2);
const QColor kPlateSlot(0xd9, 0xdd, 0xe2);

class FolderTreeTest : public ::testing::TestWithParam<double> {
  protected:
    void SetUp() override {
        scale = std::make_unique<test::ScaleScope>(GetParam());
        browser = std::make_unique<CFilerContainerDlg>(nullptr, NoDrives());
        browser->resize(Scaled(452, GetParam()), Scaled(630, GetParam()));
        browser->show();
    }
    void TearDown() override {
        browser.reset();
        scale.reset();
    }
    // The row of an item in the browser's rendered picture.
    QRect RowInBrowser(QTreeWidgetItem* item) const {
        CFolderTreeCtrl* tree = browser->Tree();
        QRect r = tree->visualItemRect(item);
        r.setLeft(0);
        r.setRight(tree->viewport()->width() - 1);
        return QRect(tree->viewport()->mapTo(browser.get(), r.topLeft()), r.size());
    }

    test::SettingsScope settings;
    test::TempFolder dir;
    std::unique_ptr<test::ScaleScope> scale;
    std::unique_ptr<CFilerContainerDlg> browser;
};

TEST_P(FolderTreeTest, CardTreeShowsBadgesOnGroupsNeverOnRootFolders) {
    MakeCard(dir / "card");
    browser->LoadSource(dir / "card", kSourceDrive);
    CFolderTreeCtrl* tree = browser->Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 4);
    QTreeWidgetItem* normal = tree->topLevelItem(0);
    QTreeWidgetItem* parking = tree->topLevelItem(1);
    EXPECT_EQ(normal->text(0), "Normal");
    EXPECT_EQ(parking->text(0), "Parking");
    ASSERT_EQ(normal->childCount(), 2);
    ASSERT_EQ(parking->childCount(), 1);
    EXPECT_EQ(normal->child(0)->text(0), "240131_0001");
    EXPECT_TRUE(normal->isExpanded());
    // The first group is selected and filled.
    EXPECT_EQ(tree->SelectedSerial(), CFolderTreeCtrl::SerialOf(normal->child(0)));
    EXPECT_EQ(browser->RowCount(), 4);

    // The root folders carry the OR of their groups, but show no badge.
    EXPECT_NE(browser->Catalogue().Tree().Roots()[0]->badge, 0u);
    EXPECT_FALSE(tree->ShowsBadge(normal));
    EXPECT_TRUE(tree->ShowsBadge(normal->child(0)));
    tree->expandAll();
    QCoreApplication::processEvents();

    const QImage face = test::Render(*browser);
    const QRect normalRow = RowInBrowser(normal);
    const QRect first = RowInBrowser(normal->child(0));    // A, AG, AM, T: manual and impact
    const QRect second = RowInBrowser(normal->child(1));   // A only: the bare plate
    const QRect parked = RowInBrowser(parking->child(0));  // P, PG, P_T_
    EXPECT_EQ(first.height(), Scaled(26, GetParam()));
    // (A tolerance of 3 keeps the plate's blue-grey apart from the greys of text edges.)
    EXPECT_FALSE(test::HasColourNear(face, normalRow, kPlateSlot, 3));
    for (const QColor& c : {kManual, kImpact, kParking, kParkingImpact})
        EXPECT_FALSE(test::HasColourNear(face, normalRow, c, 8)) << c.name().toStdString();
    EXPECT_TRUE(test::HasColourNear(face, first, kManual, 8));
    EXPECT_TRUE(test::HasColourNear(face, first, kImpact, 8));
    EXPECT_FALSE(test::HasColourNear(face, first, kParking, 8));
    EXPECT_TRUE(test::HasColourNear(face, second, kPlateSlot, 3));
    for (const QColor& c : {kManual, kImpact, kParking, kParkingImpact})
        EXPECT_FALSE(test::HasColourNear(face, second, c, 8));
    EXPECT_TRUE(test::HasColourNear(face, parked, kParking, 8));
    EXPECT_TRUE(test::HasColourNear(face, parked, kParkingImpact, 8));
    EXPECT_FALSE(test::HasColourNear(face, parked, kManual, 8));
    // The selected node is filled blue.
    EXPECT_GT(test::CountColourNear(face, first, CFolderTreeCtrl::SelectedFill(), 4),
              first.width() * first.height() / 3);
}

TEST_P(FolderTreeTest, GroupsOfAFolderSourceHaveNoBadge) {
    MakeCard(dir / "card");
    browser->LoadSource(dir / "card/Normal", kSourceFolder);
    CFolderTreeCtrl* tree = browser->Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), "Normal");
    ASSERT_EQ(root->childCount(), 2);
    const QImage face = test::Render(*browser);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(tree->ShowsBadge(root->child(i)));
        EXPECT_FALSE(test::HasColourNear(face, RowInBrowser(root->child(i)), kPlateSlot, 3));
    }
}

TEST_P(FolderTreeTest, AClickOnANodeReportsItAndTheOwnerLoadsIt) {
    MakeCard(dir / "card");
    test::RecordingListener listener;
    browser->SetListener(&listener);
    listener.onFolder = [&](const FolderSelection& s) { browser->LoadFolder(s.serial); };
    browser->LoadSource(dir / "card", kSourceDrive);
    EXPECT_TRUE(listener.folders.empty()) << "the browser's own selection while it loads";

    CFolderTreeCtrl* tree = browser->Tree();
    QTreeWidgetItem* second = tree->topLevelItem(0)->child(1);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(second).center());
    ASSERT_EQ(listener.folders.size(), 1u);
    const FolderSelection& s = listener.folders[0];
    EXPECT_EQ(s.serial, CFolderTreeCtrl::SerialOf(second));
    EXPECT_EQ(s.path, dir / "card/Normal/240131_0002");
    EXPECT_TRUE(s.isGroup);
    EXPECT_TRUE(s.plainFolderItem);
    EXPECT_EQ(test::FileNames(browser->Rows()),
              (std::vector<std::string>{test::Name("A___", "240131", 20, 'M', "093000"),
                                        test::Name("A___", "240131", 21, 'M', "093000")}));
    EXPECT_EQ(browser->PathText(), dir / "card/Normal/240131_0002");

    // A folder node reports too; filling it rebuilds its groups and lists nothing.
    QTreeWidgetItem* parking = tree->topLevelItem(1);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(parking).center());
    ASSERT_EQ(listener.folders.size(), 2u);
    EXPECT_FALSE(listener.folders[1].isGroup);
    EXPECT_TRUE(listener.folders[1].plainFolderItem);
    EXPECT_EQ(browser->RowCount(), 0);
    parking = tree->topLevelItem(1);
    ASSERT_EQ(parking->childCount(), 1);
    EXPECT_TRUE(parking->isExpanded());
    EXPECT_EQ(tree->SelectedSerial(), CFolderTreeCtrl::SerialOf(parking));
}

TEST_P(FolderTreeTest, WithoutAListenerAClickLoadsTheNodeAndNextFolderWalksSiblings) {
    MakeCard(dir / "card");
    browser->LoadSource(dir / "card", kSourceDrive);
    CFolderTreeCtrl* tree = browser->Tree();
    QTreeWidgetItem* second = tree->topLevelItem(0)->child(1);
    EXPECT_TRUE(browser->SelectNextFolder());
    EXPECT_EQ(tree->SelectedSerial(), CFolderTreeCtrl::SerialOf(second));
    EXPECT_EQ(browser->RowCount(), 2);
    EXPECT_FALSE(browser->SelectNextFolder()) << "the last group of its folder";
    EXPECT_EQ(browser->RowCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Scales, FolderTreeTest, ::testing::Values(1.0, 2.0));

}  // namespace
}  // namespace quorva
