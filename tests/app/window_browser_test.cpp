// The main window with its file browser: the start-up source fills the tree and the list,
// the source dialog changes the source, the folder-selected step fills the list, the
// filters and the button states that follow the list.
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "appcore/settings_store.h"
#include "appcore/ui_text.h"
#include "browser/folder_tree_ctrl.h"
#include "skin/skin_button.h"
#include "window_fixture.h"

namespace quorva::test {
namespace {

namespace fs = std::filesystem;

class BrowserWindowTest : public WindowTest {
  protected:
    // A card with two runs of recordings on two days.
    std::string MakeCard() {
        const std::string card = MakeFolder("card");
        for (const char* name :
             {"A__S-240518-091230-000101M.MOV", "A__S-240518-091233-000102M.MOV",
              "AG__-240518-091236-000103M.MOV", "A__S-240519-101000-000104M.MOV"})
            WriteMovie(card + "/Normal/" + name);
        fs::create_directories(card + "/_NData");
        return card;
    }
    std::vector<const GroupNode*> Groups(const CquorvaDlg& w) {
        std::vector<const GroupNode*> groups;
        std::function<void(const GroupNode&)> walk = [&](const GroupNode& n) {
            if (n.isGroup) groups.push_back(&n);
            for (const auto& c : n.children)
                walk(*c);
        };
        for (const auto& root : w.Browser()->Catalogue().Tree().Roots())
            walk(*root);
        return groups;
    }
};

TEST_F(BrowserWindowTest, TheStartUpCardFillsTheTreeAndTheListAndSelectsTheFirstRow) {
    MainWindowOptions options;
    options.commandLineSource = MakeCard();
    auto w = StartWindow(std::move(options));
    ASSERT_GT(w->Browser()->RowCount(), 0);
    EXPECT_GE(Groups(*w).size(), 2u);
    EXPECT_EQ(w->Browser()->CurrentIndex(), 0);
    EXPECT_EQ(w->Browser()->SourceKind(), 1);
    // The buttons follow the list: the first of several rows is current.
    EXPECT_TRUE(w->Button(ID_OPEN_SOURCE)->isEnabled());
    EXPECT_EQ(w->Button(ID_PLAY_NEXT)->isEnabled(), w->Browser()->RowCount() > 1);
    EXPECT_FALSE(w->Button(ID_PLAY_PREV)->isEnabled());
    EXPECT_TRUE(w->Button(ID_SAVE_JOINED)->isEnabled()) << "a card source";
    EXPECT_TRUE(w->Button(ID_EXPORT_CSV)->isEnabled());
    EXPECT_FALSE(w->Button(ID_PLAY_STOP)->isEnabled());
}

TEST_F(BrowserWindowTest, TheFolderSelectedStepFillsTheListOrGoesToTheRoad) {
    MainWindowOptions options;
    options.commandLineSource = MakeCard();
    auto w = StartWindow(std::move(options));
    const auto groups = Groups(*w);
    ASSERT_GE(groups.size(), 2u);
    const GroupNode* last = groups.back();
    PostAppMessage(w.get(), WM_APP_FOLDER_SELECTED, last->serial, 1);
    Deliver(w.get());
    ASSERT_GT(w->Browser()->RowCount(), 0);
    for (const RecordingEntry& e : w->Browser()->Rows())
        EXPECT_NE(std::string(e.path).find("240519"), std::string::npos) << e.path;
    EXPECT_EQ(w->Browser()->CurrentIndex(), 0);

    FakeRoad road;
    w->SetRoad(&road);
    PostAppMessage(w.get(), WM_APP_FOLDER_SELECTED, groups.front()->serial, 1);
    Deliver(w.get());
    EXPECT_THAT(road.messages, ::testing::ElementsAre(FakeRoad::Message{
                                   WM_APP_FOLDER_SELECTED, groups.front()->serial, 1}));
    // A row selection goes to the road's recording-selected step.
    w->Browser()->SelectRecordingRow(0, false);
    EXPECT_THAT(road.rows, ::testing::Contains(0));
    w->SetRoad(nullptr);
}

TEST_F(BrowserWindowTest, TheSourceDialogChangesTheSource) {
    const std::string card = MakeCard();
    const std::string folder = MakeFolder("backup");
    WriteMovie(folder + "/A__S-240601-120000-000201M.MOV");
    MakeFile("notes.txt");
    SourceChoice next;
    MainWindowOptions options;
    options.commandLineSource = card;
    options.sourceDialog = [&](QWidget*) { return next; };
    auto w = StartWindow(std::move(options));
    ASSERT_TRUE(w->CsvAllowed());

    // A folder without recordings: no CSV export.
    next = {2, MakeFolder("empty")};
    w->OnCommand(ID_OPEN_SOURCE);
    EXPECT_EQ(w->SourceKind(), 2);
    EXPECT_FALSE(w->CsvAllowed());
    EXPECT_FALSE(w->Button(ID_EXPORT_CSV)->isEnabled());

    // A folder of recordings: shown, with the CSV export as for a card.
    next = {2, folder + "/"};
    w->OnCommand(ID_OPEN_SOURCE);
    EXPECT_EQ(w->SourcePath(), folder);
    EXPECT_EQ(w->SourceKind(), 2);
    ASSERT_FALSE(w->Browser()->Catalogue().Tree().Roots().empty());
    EXPECT_EQ(w->Browser()->Catalogue().Tree().Roots().front()->text, "backup");
    EXPECT_TRUE(w->CsvAllowed());
    EXPECT_TRUE(w->Button(ID_EXPORT_CSV)->isEnabled());

    // Cancel, a path that does not exist, a file that is not a recording: the source stays.
    next = {};
    w->OnCommand(ID_OPEN_SOURCE);
    next = {2, Dir() + "/gone"};
    w->OnCommand(ID_OPEN_SOURCE);
    EXPECT_TRUE(shown_.empty());
    next = {3, Dir() + "/notes.txt"};
    w->OnCommand(ID_OPEN_SOURCE);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].first, UiText(96));
    EXPECT_EQ(shown_[0].second, "ERROR");
    EXPECT_EQ(w->SourcePath(), folder);

    // Back to the card: CSV export again.
    next = {1, card};
    w->OnCommand(ID_OPEN_SOURCE);
    EXPECT_EQ(w->SourceKind(), 1);
    EXPECT_TRUE(w->CsvAllowed());
}

TEST_F(BrowserWindowTest, AFilterEmptyingTheListLeavesOnlyTheSourceButton) {
    MainWindowOptions options;
    options.commandLineSource = MakeCard();
    auto w = StartWindow(std::move(options));
    ASSERT_GT(w->Browser()->RowCount(), 0);
    // Filter 0 hides the continuous recordings, filter 1 the impact ones.
    w->OnFilterCommand(0);
    w->OnFilterCommand(1);
    EXPECT_FALSE(w->Browser()->Filter(0));
    EXPECT_FALSE(w->Browser()->Filter(1));
    EXPECT_EQ(w->Browser()->RowCount(), 0);
    EXPECT_TRUE(w->Button(ID_OPEN_SOURCE)->isEnabled());
    EXPECT_FALSE(w->Button(ID_PLAY_NEXT)->isEnabled());
    EXPECT_FALSE(w->Button(ID_DELETE_FILES)->isEnabled());
}

}  // namespace
}  // namespace quorva::test
