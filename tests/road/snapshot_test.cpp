// The snapshot command's flow: the picture test, the pause, the folder, the question about an
// existing file, the captures and the messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "appcore/ui_text.h"
#include "road/playback_command_ids.h"
#include "road_fixture.h"

namespace quorva::test {
namespace {

namespace fs = std::filesystem;

class SnapshotTest : public RoadTest {
  protected:
    void SetUp() override {
        RoadTest::SetUp();
        folder = fs::temp_directory_path() /
                 ("road-snapshot-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        window.snapshotFolder = folder.string();
        OpenAndPlay(0);
        players.position = 456;
    }
    void TearDown() override { fs::remove_all(folder); }

    void Snapshot() { road->HandleCommand(command::ID_SNAPSHOT); }
    std::string MainFile() const { return (folder / "240131-083001-M-000456.jpg").string(); }
    std::string SubFile() const { return (folder / "240131-083001-S-000456.jpg").string(); }
    // The message that names the folder and the files written.
    std::string DoneMessage(std::vector<std::string> names) const {
        std::string text = UiText(44) + "\n\n" + folder.string();
        for (const std::string& name : names)
            text += "\n" + name;
        return text;
    }
    bool Saved(const std::string& key) const {
        for (const auto& [section, k, value] : settings)
            if (section == "FOLDERPATH" && k == key && value == folder.string()) return true;
        return false;
    }

    fs::path folder;
};

TEST_F(SnapshotTest, SavesBothCamerasAndRemembersTheFolder) {
    Snapshot();
    EXPECT_EQ(players.saved, (std::vector<std::string>{MainFile(), SubFile()}));
    EXPECT_EQ(players.State(0), kSlotPaused);  // the frame captured is the one on screen
    EXPECT_EQ(window.movieSizes[0], (PlayerSize{1920, 1080}));  // captured at native size
    EXPECT_EQ(window.messages, std::vector<std::string>{DoneMessage(
                                   {"240131-083001-M-000456.jpg", "240131-083001-S-000456.jpg"})});
    EXPECT_TRUE(Saved("SNAPSHOT_FOLDER"));
    EXPECT_TRUE(window.controlsEnabled);
    EXPECT_TRUE(window.picturePainting);
    EXPECT_EQ(players.CountCalls("ClearOverlay"), 2);
}

TEST_F(SnapshotTest, AnExistingFileIsOverwrittenOnlyWhenConfirmed) {
    std::ofstream(MainFile()) << "old";
    window.messageAnswer = 2;  // cancel
    Snapshot();
    EXPECT_EQ(window.messages, std::vector<std::string>{UiText(90)});
    EXPECT_TRUE(players.saved.empty());
    EXPECT_FALSE(Saved("SNAPSHOT_FOLDER"));

    window.messages.clear();
    window.messageAnswer = 1;
    Snapshot();
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[0], UiText(90));
    EXPECT_EQ(window.messages[1].rfind(UiText(44), 0), 0u);
    EXPECT_EQ(players.saved.size(), 2u);
}

TEST_F(SnapshotTest, FailuresAndRefusals) {
    // Every capture fails: the failure message, and the folder is not remembered.
    players.slot[0].saves = players.slot[1].saves = false;
    Snapshot();
    EXPECT_EQ(window.messages, std::vector<std::string>{UiText(98)});
    EXPECT_FALSE(Saved("SNAPSHOT_FOLDER"));

    // One camera failing still counts as done; the message names the one file written.
    window.messages.clear();
    players.slot[0].saves = true;
    Snapshot();
    EXPECT_EQ(window.messages,
              std::vector<std::string>{DoneMessage({"240131-083001-M-000456.jpg"})});

    // No folder chosen: nothing saved, nothing said, the controls back.
    window.messages.clear();
    players.saved.clear();
    window.snapshotFolder.clear();
    Snapshot();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(players.saved.empty());
    EXPECT_TRUE(window.controlsEnabled);

    // No slot shows a picture: the command does nothing at all.
    window.snapshotFolder = folder.string();
    players.slot[0].picture = players.slot[1].picture = false;
    players.ClearLog();
    Snapshot();
    EXPECT_TRUE(players.calls.empty());
    EXPECT_TRUE(window.messages.empty());
}

}  // namespace
}  // namespace quorva::test
