// How the main window is wired to the recording road: the playback keys from wherever the
// keyboard is, a folder source opened on its first group, a source change in the source
// dialog, and the file browser as the road sees it (silent tree selection, the next sibling,
// the rows kept in step).
#include <QTest>

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

#include "app/cquorva_playback_browser.h"
#include "app/cquorva_road.h"
#include "browser/file_list_ctrl.h"
#include "browser/folder_tree_ctrl.h"
#include "panels/gsensor_dlg.h"
#include "panels/info_dlg.h"
#include "road/playback_timers.h"
#include "skin/skin_button.h"
#include "skin/skin_slider.h"
#include "window_fixture.h"

namespace quorva::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using Key = RoadSeam::Key;

class WindowRoadTest : public WindowTest {
  protected:
    // Two runs of recordings straight in one folder (a backup folder, not a card).
    std::string MakeFolderSource() {
        const std::string folder = MakeFolder("backup");
        for (const char* name : {"A__S-240518-091230-000101M.MOV", "AG__-240518-091233-000102M.MOV",
                                 "A__S-240518-101000-000103M.MOV", "AM__-240518-101003-000104M.MOV",
                                 "A___-240518-101006-000105M.MOV"})
            WriteMovie(folder + "/" + name);
        return folder;
    }
    CquorvaDlg* window_ = nullptr;  // the window a dialog stand-in looks at
    std::unique_ptr<CquorvaDlg> StartOn(const std::string& source) {
        MainWindowOptions options;
        options.commandLineSource = source;
        return StartWindow(std::move(options));
    }
};

TEST_F(WindowRoadTest, PlaybackKeysReachTheRoadWhereverTheKeyboardIs) {
    auto w = StartOn(MakeFolderSource());
    FakeRoad road;
    w->SetRoad(&road);
    QTest::keyClick(w.get(), Qt::Key_Space);
    QTest::keyClick(w.get(), Qt::Key_Left);
    QTest::keyClick(w.get(), Qt::Key_Right);
    QTest::keyClick(w.get(), Qt::Key_Home);
    EXPECT_THAT(road.keys,
                ElementsAre(Key::kPlayPause, Key::kStepBack, Key::kStepForward, Key::kHome));

    // The list would take them for itself: Home would select and open its first row.
    road.keys.clear();
    CFileListCtrl* list = w->Browser()->List();
    ASSERT_GE(list->RowCount(), 2);
    w->Browser()->SelectRecordingRow(1, false);
    road.rows.clear();
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Space);
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_THAT(road.keys, ElementsAre(Key::kHome, Key::kPlayPause, Key::kStepForward));
    EXPECT_TRUE(road.rows.empty()) << "no other recording was chosen";
    EXPECT_EQ(list->SelectedRow(), 1);

    // In the tree the arrows stay the tree's; with a modifier nothing is the road's; the
    // window stays deaf to Enter and Escape.
    road.keys.clear();
    QTest::keyClick(w->Browser()->Tree(), Qt::Key_Left);
    QTest::keyClick(w->Browser()->Tree(), Qt::Key_Space);
    QTest::keyClick(w.get(), Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_Return);
    QTest::keyClick(w.get(), Qt::Key_Escape);
    EXPECT_THAT(road.keys, ElementsAre(Key::kPlayPause));
    EXPECT_TRUE(w->isVisible());
    w->SetRoad(nullptr);
}

TEST_F(WindowRoadTest, AFolderSourceOpensOnItsFirstGroup) {
    auto w = StartOn(MakeFolderSource());
    ASSERT_EQ(w->SourceKind(), 2);
    const GroupNode* root = w->Browser()->Catalogue().Tree().Roots().front().get();
    ASSERT_GE(root->children.size(), 2u);
    const GroupNode* first = root->children.front().get();
    ASSERT_TRUE(first->isGroup);
    // The group's recordings are listed and the first one is chosen.
    EXPECT_EQ(w->Browser()->Tree()->SelectedSerial(), first->serial);
    ASSERT_EQ(w->Browser()->RowCount(), 2);
    EXPECT_NE(w->Browser()->Rows()[0].path.find("091230"), std::string::npos);
    EXPECT_EQ(w->Browser()->CurrentIndex(), 0);
}

TEST_F(WindowRoadTest, TheBrowserAsTheRoadSeesIt) {
    auto w = StartOn(MakeFolderSource());
    FakeRoad road;
    w->SetRoad(&road);
    std::vector<RecordingEntry> rows;
    std::recursive_mutex cache;
    CquorvaPlaybackBrowser browser(*w->Browser(), w->Players(), rows);
    browser.SetCacheMutex(&cache);
    const GroupNode* root = w->Browser()->Catalogue().Tree().Roots().front().get();
    const uint64_t first = root->children[0]->serial;
    const uint64_t second = root->children[1]->serial;

    EXPECT_EQ(browser.SelectedFolder(), first);
    EXPECT_EQ(browser.NextSibling(first), second);
    EXPECT_EQ(browser.NextSibling(second), 0u);
    EXPECT_EQ(browser.NextSibling(root->serial), 0u);
    EXPECT_EQ(browser.NextSibling(987654), 0u);

    // Loading a folder fills the list and the road's rows with it.
    EXPECT_TRUE(browser.LoadFolder(second));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].path, w->Browser()->Rows()[2].path);
    EXPECT_FALSE(browser.LoadFolder(987654));

    // A silent selection is not reported; a reported one comes back as the folder message.
    browser.SelectFolder(first, false);
    Deliver(w.get());
    EXPECT_EQ(browser.SelectedFolder(), first);
    EXPECT_TRUE(road.messages.empty());
    browser.SelectFolder(second, true);
    Deliver(w.get());
    EXPECT_THAT(road.messages, ElementsAre(FakeRoad::Message{WM_APP_FOLDER_SELECTED, second, 1}));

    // A kind filter: the rows follow the list (the manual recording goes with filter 2).
    browser.ToggleKindFilter(2);
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.size(), static_cast<size_t>(w->Browser()->RowCount()));
    browser.ToggleKindFilter(2);
    EXPECT_EQ(rows.size(), 3u);
    browser.ToggleKindFilter(5);  // accepted, changes nothing
    EXPECT_EQ(rows.size(), 3u);
    w->SetRoad(nullptr);
}

TEST_F(WindowRoadTest, TheWindowsOwnRoadKeepsToTheListWhenTheSourceGoes) {
    const std::string folder = MakeFolderSource();
    MainWindowOptions options;
    options.commandLineSource = folder;
    options.programPath = "/usr/bin/quorva";
    options.drives = DriveProbe{};
    options.drives->volumeRootOf = [folder](const std::string& path) {
        return path.rfind(folder, 0) == 0 ? folder : std::string("/");
    };
    options.drives->isVolumeRoot = [](const std::string&) { return false; };
    options.drives->exists = [](const std::string&) { return true; };
    ownRoad_ = true;
    auto w = MakeWindow(std::move(options));
    w->Initialize();
    w->show();
    Deliver(w.get());
    ASSERT_NE(w->OwnRoad(), nullptr);
    EXPECT_EQ(w->Road(), w->OwnRoad());
    // The first row was chosen: the road opens it and, once the player is ready, reads
    // its drive data and starts.
    PlaybackController& road = w->OwnRoad()->Controller();
    EXPECT_EQ(road.CurrentIndex(), 0);
    ASSERT_TRUE(QTest::qWaitFor([] { return FakePlayer::Get().Count("Open 0") > 0; }, 10000));
    w->OnMovieMessage(WM_APP_PLAYER_READY, 0, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return road.Started(); }, 10000));
    EXPECT_TRUE(w->Button(ID_PLAY_NEXT)->isEnabled());

    PostAppMessage(w.get(), WM_APP_SOURCE_REMOVED);
    Deliver(w.get());
    EXPECT_FALSE(w->ShutDown());
    EXPECT_EQ(w->Browser()->RowCount(), 0);
    EXPECT_EQ(w->OwnRoad()->Controller().CurrentIndex(), -1);
    // An empty list: of the bottom buttons only the source button works.
    for (int i = 0; i < kBottomButtonCount; ++i)
        EXPECT_EQ(w->Button(ID_PLAY_STOP + i)->isEnabled(), ID_PLAY_STOP + i == ID_OPEN_SOURCE)
            << i;
    EXPECT_TRUE(shown_.empty()) << "nothing to report";
}

TEST_F(WindowRoadTest, ASourceChangeResetsTheViewAndOpensTheNewSourceAsTheCommandLineDoes) {
    // The first source: a folder of recordings; the second: a copy of a card, chosen in the
    // dialog as a folder (the command line opens such a folder as the card it is).
    const std::string first = MakeFolderSource();
    const std::string card = MakeFolder("copy-of-card");
    for (const char* name : {"A__S-240601-120000-000201M.MOV", "A__S-240601-120003-000202M.MOV",
                             "A__S-240602-080000-000203M.MOV"})
        WriteMovie(card + "/Normal/" + name);
    MakeFolder("copy-of-card/_NData");

    bool dialogSeen = false;
    MainWindowOptions options;
    options.commandLineSource = first;
    options.sourceDialog = [&](QWidget*) {
        dialogSeen = true;
        // While the dialog is open the view is reset, and nothing opens behind it.
        CquorvaDlg& w = *window_;
        const int opens = FakePlayer::Get().Count("Open 0");
        QTest::qWait(kOpenDelayMs + 200);
        EXPECT_EQ(FakePlayer::Get().Count("Open 0"), opens) << "a recording opened behind";
        EXPECT_FALSE(w.SlotOpen(0));
        EXPECT_FALSE(w.SlotOpen(1));
        EXPECT_FALSE(w.OwnRoad()->Controller().Started());
        EXPECT_EQ(w.OwnRoad()->Controller().CurrentIndex(), -1);
        EXPECT_FALSE(w.Graph()->CurvesOn());
        EXPECT_EQ(w.Info()->State().position, -1);
        EXPECT_EQ(w.Info()->State().g[0], -5.0);
        EXPECT_EQ(w.SeekSlider()->RangeMax(), 0);
        return SourceChoice{2, card + "/"};
    };
    ownRoad_ = true;
    auto w = MakeWindow(std::move(options));
    window_ = w.get();
    w->Initialize();
    w->show();
    Deliver(w.get());
    PlaybackController& road = w->OwnRoad()->Controller();
    ASSERT_TRUE(QTest::qWaitFor([] { return FakePlayer::Get().Count("Open 0") > 0; }, 10000));
    w->OnMovieMessage(WM_APP_PLAYER_READY, 0, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return road.Started(); }, 10000));
    ASSERT_TRUE(w->Graph()->CurvesOn());

    const int opensBefore = FakePlayer::Get().Count("Open 0");
    w->OnCommand(ID_OPEN_SOURCE);
    ASSERT_TRUE(dialogSeen);

    // The new source, as the command line would have opened it: a card, its first group
    // selected, its first recording chosen and opening.
    EXPECT_EQ(w->SourcePath(), card);
    EXPECT_EQ(w->SourceKind(), 1);
    const GroupNode* node = w->Browser()->Catalogue().SelectedNode();
    ASSERT_NE(node, nullptr);
    EXPECT_TRUE(node->isGroup);
    EXPECT_EQ(w->Browser()->Tree()->SelectedSerial(), node->serial);
    ASSERT_GE(w->Browser()->RowCount(), 1);
    EXPECT_NE(w->Browser()->Rows()[0].path.find("120000"), std::string::npos);
    EXPECT_EQ(w->Browser()->CurrentIndex(), 0);
    EXPECT_EQ(road.CurrentIndex(), 0);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return FakePlayer::Get().Count("Open 0") > opensBefore; }, 10000));
    w->OnMovieMessage(WM_APP_PLAYER_READY, 0, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return road.Started(); }, 10000));
    EXPECT_EQ(road.Cursor(), 0);  // waiting at its start
    EXPECT_TRUE(w->Button(ID_PLAY_PAUSE)->isEnabled());
    EXPECT_TRUE(w->CsvAllowed());
    EXPECT_TRUE(shown_.empty());
    window_ = nullptr;
}

}  // namespace
}  // namespace quorva::test
