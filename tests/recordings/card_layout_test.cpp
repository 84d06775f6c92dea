#include <gtest/gtest.h>

#include <vector>

#include "card_fixture.h"
#include "recordings/recording_name.h"

namespace quorva {
namespace {

using namespace quorva::testing;

TEST(DetectLayoutTest, FindsTheLayoutByItsNormalFolder) {
    const struct {
        std::vector<std::string> folders;
        int layout;
        bool present;
    } cases[] = {
        {{}, 0, false},
        {{"Normal", "Parking"}, 0, true},
        {{"Video", "Parking", "_VData"}, 1, true},
        {{"Parking"}, 0, true},  // recorder folders, but no normal folder
        {{"Video"}, 1, true},
        {{"Other"}, 0, false},
    };
    for (const auto& c : cases) {
        TempFolder card;
        for (const auto& f : c.folders)
            fs::create_directories(card / f);
        SetCurrentLayout(1 - c.layout);
        const LayoutDetection d = DetectLayout(card.str());
        EXPECT_EQ(d.layout, c.layout) << ::testing::PrintToString(c.folders);
        EXPECT_EQ(d.recorderFolders, c.present) << ::testing::PrintToString(c.folders);
        EXPECT_EQ(CurrentLayout(), c.layout);
    }
    SetCurrentLayout(0);
}

// Deletion with the volume root and the trash replaced by fakes.
class DeleteRecordingTest : public ::testing::Test {
  protected:
    RecordingFileOps Ops(const std::string& volumeRoot) {
        RecordingFileOps ops;
        ops.volumeRoot = [volumeRoot](const std::string&) { return volumeRoot; };
        ops.moveToTrash = [this](const std::string& p) {
            trashed.push_back(p);
            if (p == refuseTrash) return false;
            fs::remove(p);
            return true;
        };
        ops.setHidden = [this](const std::string& p) {
            hidden.push_back(p);
            return true;
        };
        return ops;
    }
    std::vector<std::string> trashed, hidden;
    std::string refuseTrash;
};

TEST_F(DeleteRecordingTest, RetiresOnACardInsteadOfDeleting) {
    TempFolder card;
    const std::string name = Name("A___", "240131", 10);
    WriteMovie(card / ("Normal/" + name));
    WriteFile(card / "_NData/A___-240131-080000-000010D.ADA");
    fs::create_directories(card / "Parking");
    ASSERT_TRUE(DeleteRecording(card / ("Normal/" + name), Ops(card.str())));
    EXPECT_TRUE(fs::exists(card / "Normal/A___-240131-080000-000010M.DMY"));
    EXPECT_TRUE(fs::exists(card / "_NData/A___-240131-080000-000010D.TDA"));
    EXPECT_FALSE(fs::exists(card / ("Normal/" + name)));
    EXPECT_EQ(hidden, (std::vector<std::string>{card / ("Normal/" + name),
                                                card / "_NData/A___-240131-080000-000010D.ADA"}));
    EXPECT_TRUE(trashed.empty());
}

TEST_F(DeleteRecordingTest, ParkingHalfComesFromTheName) {
    TempFolder card;
    fs::create_directories(card / "Video");
    const std::string name = Name("__T_", "240131", 11);
    WriteMovie(card / ("Parking/" + name));
    WriteFile(card / "_PData/__T_-240131-080000-000011D.ADA");
    ASSERT_TRUE(DeleteRecording(card / ("Parking/" + name), Ops(card.str())));
    EXPECT_EQ(CurrentLayout(), 1);
    EXPECT_TRUE(fs::exists(card / "Parking/__T_-240131-080000-000011M.DMY"));
    EXPECT_TRUE(fs::exists(card / "_PData/__T_-240131-080000-000011D.TDA"));
    SetCurrentLayout(0);
}

TEST_F(DeleteRecordingTest, RetiringFailsWithoutRenamingWhatItMustNot) {
    TempFolder card;
    fs::create_directories(card / "Normal");
    const std::string name = Name("A___", "240131", 12);
    // Not in one of the layout's folders.
    WriteMovie(card / ("Backup/" + name));
    EXPECT_FALSE(DeleteRecording(card / ("Backup/" + name), Ops(card.str())));
    EXPECT_TRUE(fs::exists(card / ("Backup/" + name)));
    // The retired name is taken already.
    WriteMovie(card / ("Normal/" + name));
    WriteMovie(card / "Normal/A___-240131-080000-000012M.DMY");
    EXPECT_FALSE(DeleteRecording(card / ("Normal/" + name), Ops(card.str())));
    EXPECT_TRUE(fs::exists(card / ("Normal/" + name)));
    // The movie retires, then the missing data file fails the operation.
    const std::string other = Name("A___", "240131", 13);
    WriteMovie(card / ("Normal/" + other));
    EXPECT_FALSE(DeleteRecording(card / ("Normal/" + other), Ops(card.str())));
    EXPECT_TRUE(fs::exists(card / "Normal/A___-240131-080000-000013M.DMY"));
    EXPECT_TRUE(trashed.empty());
}

TEST_F(DeleteRecordingTest, ElsewhereMovesTheRecordingAndItsPartnersToTheTrash) {
    TempFolder disk;
    const std::string main = disk / ("Backup/Main/" + Name("A___", "240131", 20));
    const std::string sub = disk / ("Backup/Sub_/" + Name("A___", "240131", 20, 'S'));
    const std::string data = disk / "Backup/Main/A___-240131-080000-000020D.ADA";
    WriteMovie(main);
    WriteMovie(sub);
    WriteFile(data);
    ASSERT_TRUE(DeleteRecording(main, Ops(disk.str())));
    EXPECT_EQ(trashed, (std::vector<std::string>{main, sub, data}));
    EXPECT_FALSE(fs::exists(main) || fs::exists(sub) || fs::exists(data));

    // A sub-camera file goes alone; a partner that is missing is not attempted.
    trashed.clear();
    const std::string lone = disk / ("Backup/Sub_/" + Name("A___", "240131", 21, 'S'));
    WriteMovie(lone);
    ASSERT_TRUE(DeleteRecording(lone, Ops(disk.str())));
    EXPECT_EQ(trashed, (std::vector<std::string>{lone}));

    // One refused deletion makes the whole operation fail.
    trashed.clear();
    const std::string third = disk / ("Backup/Main/" + Name("A___", "240131", 22));
    WriteMovie(third);
    WriteMovie(SubCameraPath(third));
    refuseTrash = SubCameraPath(third);
    EXPECT_FALSE(DeleteRecording(third, Ops(disk.str())));
    EXPECT_EQ(trashed.size(), 2u);
}

TEST_F(DeleteRecordingTest, ARecordingNameOnACardOutsideItsFoldersIsNotTrashed) {
    // With recorder folders present, only the card rule applies to a recording name.
    TempFolder card;
    fs::create_directories(card / "Normal");
    const std::string clip = card / "clip.mov";
    WriteMovie(clip);
    EXPECT_TRUE(DeleteRecording(clip, Ops(card.str())));  // not a recording: trash
    EXPECT_EQ(trashed, (std::vector<std::string>{clip}));
}

}  // namespace
}  // namespace quorva
