// The file browser panel: its layout at two scales, the zoom hint, clearing, and the
// source watcher's message when the source goes away.
#include "browser/filer_container_dlg.h"

#include <QLineEdit>

#include <filesystem>

#include <gtest/gtest.h>

#include "appcore/app_messages.h"
#include "appcore/ui_scale.h"
#include "browser/file_list_ctrl.h"
#include "browser/folder_tree_ctrl.h"
#include "browser_fixture.h"
#include "gui_fixture.h"
#include "platform/qt/app_message_event.h"
#include "skin/skin_check_button.h"

namespace quorva {
namespace {

SourceEnvironment NoDrives() {
    SourceEnvironment env;
    env.removableVolumes = [] { return std::vector<std::string>{}; };
    return env;
}

class FilerTest : public ::testing::TestWithParam<double> {
  protected:
    void SetUp() override { scale = std::make_unique<test::ScaleScope>(GetParam()); }
    void TearDown() override { scale.reset(); }
    int S(double design) const { return Scaled(design, GetParam()); }

    test::SettingsScope settings;
    test::TempFolder dir;
    std::unique_ptr<test::ScaleScope> scale;
};

TEST_P(FilerTest, LaysOutItsChildrenAtTheScale) {
    CFilerContainerDlg browser(nullptr, NoDrives());
    browser.resize(S(452), S(630));
    browser.show();
    EXPECT_EQ(browser.Tree()->geometry(), QRect(S(4), S(26), S(217), S(630) - S(30)));
    EXPECT_EQ(browser.List()->geometry(), QRect(S(224), S(26), S(224), S(630) - S(30)));
    const int buttonX[5] = {7, 62, 117, 209, 264};
    for (int k = 0; k < 5; ++k) {
        CSkinCheckButton* button = browser.FilterButton(k);
        EXPECT_TRUE(button->isVisible());
        EXPECT_EQ(button->ControlId(), 38700 + k);
        // The mark lies on its place, 12 s square at (x, 8 s).
        const QRect mark(button->mapTo(&browser, button->MarkRect().topLeft()),
                         button->MarkRect().size());
        EXPECT_EQ(mark, QRect(S(buttonX[k]), S(8), S(12), S(12))) << k;
        if (k < 4) {
            EXPECT_LT(button->geometry().right(), S(buttonX[k + 1])) << k;
        }
    }
    EXPECT_FALSE(browser.PathLine()->isVisible());
    EXPECT_LE(browser.Layout().labels[4].Right(), browser.Layout().count.x);
}

TEST_P(FilerTest, ZoomHintHidesTheControlsAndShowsTheHint) {
    test::MakeCard(dir / "card");
    CFilerContainerDlg browser(nullptr, NoDrives());
    browser.resize(S(452), S(630));
    browser.show();
    browser.LoadSource(dir / "card", kSourceDrive);
    browser.SetZoomHint(true);
    EXPECT_FALSE(browser.Tree()->isVisible());
    EXPECT_FALSE(browser.List()->isVisible());
    for (int k = 0; k < 5; ++k)
        EXPECT_FALSE(browser.FilterButton(k)->isVisible());
    const QImage face = test::Render(browser);
    const BoxRect box = ZoomHintTextBox(browser.width(), browser.height(), GetParam());
    const QRect hint(box.x, box.y, box.width, box.height);
    EXPECT_GT(test::CountColourNear(face, hint, Qt::white, 40), S(10) * S(10) / 4);
    EXPECT_FALSE(test::HasColourNear(face, QRect(0, 0, S(40), S(40)),
                                     CFilerContainerDlg::BackgroundColour(), 0));

    browser.SetZoomHint(false);
    EXPECT_TRUE(browser.Tree()->isVisible());
    EXPECT_TRUE(browser.List()->isVisible());
    EXPECT_TRUE(browser.FilterButton(0)->isVisible());
    const QImage normal = test::Render(browser);
    EXPECT_EQ(QColor(normal.pixel(S(2), S(300))), CFilerContainerDlg::BackgroundColour());
    EXPECT_EQ(QColor(normal.pixel(0, S(300))), CFilerContainerDlg::FrameColour());
    // The count in white at the top right.
    const BoxRect count = browser.Layout().count;
    EXPECT_TRUE(test::HasColourNear(normal, QRect(count.x, count.y, count.width, count.height),
                                    Qt::white, 40));
}

TEST_P(FilerTest, ClearSourceEmptiesEverything) {
    test::MakeCard(dir / "card");
    CFilerContainerDlg browser(nullptr, NoDrives());
    browser.LoadSource(dir / "card", kSourceDrive);
    ASSERT_GT(browser.RowCount(), 0);
    EXPECT_EQ(browser.PathText(), dir / "card/Normal/240131_0001");
    browser.SelectRecordingRow(1, false);
    browser.ClearSource();
    EXPECT_EQ(browser.Tree()->topLevelItemCount(), 0);
    EXPECT_EQ(browser.RowCount(), 0);
    EXPECT_TRUE(browser.Catalogue().Catalogue().empty());
    EXPECT_TRUE(browser.Catalogue().GroupEntries().empty());
    EXPECT_EQ(browser.PathText(), "");
    EXPECT_EQ(browser.CurrentIndex(), -1);
    EXPECT_EQ(browser.CountText(), QStringLiteral("0個"));
    EXPECT_EQ(browser.Watcher().WatchedPath(), "");
}

TEST_P(FilerTest, AFileSourceListsItsMovie) {
    const std::string movie = dir / ("clips/" + test::Name("AG__", "240131", 7));
    test::WriteMovie(movie);
    CFilerContainerDlg browser(nullptr, NoDrives());
    EXPECT_EQ(browser.LoadSource(movie, kSourceFile), 1);
    EXPECT_EQ(browser.Tree()->topLevelItemCount(), 0);
    EXPECT_EQ(browser.PathText(), movie);
    EXPECT_EQ(browser.Watcher().WatchedPath(), movie);
    // A movie without its header lists nothing.
    const std::string bad = dir / ("clips/" + test::Name("A___", "240131", 8));
    test::WriteFile(bad, "not a movie");
    EXPECT_EQ(browser.LoadSource(bad, kSourceFile), 0);
}

INSTANTIATE_TEST_SUITE_P(Scales, FilerTest, ::testing::Values(1.0, 2.0));

TEST(FilerScale, ANewScaleTakesEffectAtTheNextLayout) {
    test::SettingsScope settings;
    test::TempFolder dir;
    test::MakeCard(dir / "card");
    CFilerContainerDlg browser(nullptr, NoDrives());
    browser.resize(452, 630);
    browser.show();
    browser.LoadSource(dir / "card", kSourceDrive);
    CFileListCtrl* list = browser.List();
    EXPECT_EQ(list->visualItemRect(list->topLevelItem(0)).height(), 20);
    {
        test::ScaleScope twice(2.0);
        browser.resize(904, 1260);
        QCoreApplication::processEvents();
        EXPECT_EQ(browser.Tree()->geometry(), QRect(8, 52, 434, 1200));
        EXPECT_EQ(list->visualItemRect(list->topLevelItem(0)).height(), 40);
        EXPECT_EQ(browser.Tree()->Badge(6).size(), QSize(78, 52));
    }
}

class SourceWatchTest : public ::testing::Test {
  protected:
    test::SettingsScope settings;
    test::TempFolder dir;
};

TEST_F(SourceWatchTest, RemovingTheSourcePostsSourceRemovedOnce) {
    test::MakeCard(dir / "backup");
    test::MessageRecorder owner;
    CFilerContainerDlg browser(nullptr, NoDrives(), std::chrono::milliseconds(5));
    browser.SetMessageTarget(&owner);
    browser.LoadSource(dir / "backup", kSourceFolder);
    EXPECT_EQ(browser.Watcher().WatchedPath(), dir / "backup");
    EXPECT_FALSE(test::WaitFor([&] { return !owner.ids.empty(); }, 100)) << "still there";

    std::filesystem::remove_all(dir / "backup");
    ASSERT_TRUE(test::WaitFor([&] { return !owner.ids.empty(); }));
    EXPECT_EQ(owner.ids, (std::vector<uint32_t>{WM_APP_SOURCE_REMOVED}));
    EXPECT_TRUE(browser.Watcher().Vanished());
    EXPECT_EQ(browser.Watcher().WatchedPath(), "");
    test::WaitFor([] { return false; }, 100);
    EXPECT_EQ(owner.ids.size(), 1u) << "reported once";
}

// A main window stand-in that records the application messages it receives.
class OwnerWidget : public QWidget {
  public:
    std::vector<uint32_t> ids;

  protected:
    bool event(QEvent* event) override {
        if (event->type() == AppMessageEvent::EventType()) {
            ids.push_back(static_cast<AppMessageEvent*>(event)->id());
            return true;
        }
        return QWidget::event(event);
    }
};

TEST_F(SourceWatchTest, TheMessageGoesToTheParentByDefault) {
    test::MakeCard(dir / "card");
    OwnerWidget owner;
    auto* browser = new CFilerContainerDlg(&owner, NoDrives(), std::chrono::milliseconds(5));
    EXPECT_EQ(browser->MessageTarget(), &owner);
    browser->LoadSource(dir / "card", kSourceDrive);
    std::filesystem::remove_all(dir / "card");
    ASSERT_TRUE(test::WaitFor([&] { return !owner.ids.empty(); }));
    EXPECT_EQ(owner.ids, (std::vector<uint32_t>{WM_APP_SOURCE_REMOVED}));
}

TEST_F(SourceWatchTest, ANewSourceIsWatchedInsteadOfTheOld) {
    test::MakeCard(dir / "one");
    test::MakeCard(dir / "two");
    test::MessageRecorder owner;
    CFilerContainerDlg browser(nullptr, NoDrives(), std::chrono::milliseconds(5));
    browser.SetMessageTarget(&owner);
    browser.LoadSource(dir / "one", kSourceFolder);
    browser.LoadSource(dir / "two", kSourceFolder);
    std::filesystem::remove_all(dir / "one");
    EXPECT_FALSE(test::WaitFor([&] { return !owner.ids.empty(); }, 150));
    browser.ClearSource();
    std::filesystem::remove_all(dir / "two");
    EXPECT_FALSE(test::WaitFor([&] { return !owner.ids.empty(); }, 150)) << "nothing watched";
}

}  // namespace
}  // namespace quorva
