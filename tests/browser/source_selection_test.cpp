#include "browser/source_selection.h"

#include <gtest/gtest.h>

#include "appcore/settings_store.h"
#include "browser_fixture.h"

namespace quorva {
namespace {

class SourceSelectionTest : public ::testing::Test {
  protected:
    test::SettingsScope settings;
};

TEST(SourceSelectionRules, StoredSelectChoosesTheRow) {
    const std::pair<const char*, int> cases[] = {
        {"SD", kSourceRowDrive}, {"FOLDER", kSourceRowFolder}, {"FILE", kSourceRowFile},
        {"", kSourceRowDrive},   {"folder", kSourceRowDrive},  {"DVD", kSourceRowDrive}};
    for (const auto& [select, row] : cases)
        EXPECT_EQ(RowForStoredSelect(select), row) << select;
    EXPECT_EQ(SourceKindOfRow(kSourceRowDrive), 1);
    EXPECT_EQ(SourceKindOfRow(kSourceRowFolder), 2);
    EXPECT_EQ(SourceKindOfRow(kSourceRowFile), 3);
    EXPECT_EQ(SourceKindOfRow(39003), 0);
}

TEST_F(SourceSelectionTest, WithoutDrivesTheCardRowKeepsOkDisabled) {
    WriteSetting("SOURCE", "SELECT", "FOLDER");
    WriteSetting("SOURCE", "FOLDER", "/media/backup");
    SourceSelection sel;
    sel.SetDrives({});
    sel.Load();
    EXPECT_EQ(sel.Row(), kSourceRowFolder);
    EXPECT_EQ(sel.FolderPath(), "/media/backup");
    EXPECT_TRUE(sel.OkEnabled());
    sel.SelectRow(kSourceRowDrive);
    EXPECT_EQ(sel.Kind(), 1);
    EXPECT_FALSE(sel.OkEnabled());
    EXPECT_FALSE(sel.Commit());
    EXPECT_EQ(ReadSetting("SOURCE", "SELECT"), "FOLDER") << "nothing written";
    sel.SelectRow(12345);
    EXPECT_EQ(sel.Row(), kSourceRowDrive) << "an unknown row is ignored";
}

TEST_F(SourceSelectionTest, StoredFileRowWithoutAFileOpensWithOkDisabled) {
    WriteSetting("SOURCE", "SELECT", "FILE");
    SourceSelection sel;
    sel.Load();
    EXPECT_EQ(sel.Row(), kSourceRowFile);
    EXPECT_FALSE(sel.OkEnabled());
}

TEST_F(SourceSelectionTest, AFileThatIsNotARecordingIsRefused) {
    const std::string kept = "/media/x/" + test::Name("A___", "240131", 10);
    WriteSetting("SOURCE", "FILE", kept);
    SourceSelection sel;
    sel.Load();
    EXPECT_FALSE(sel.ChooseFile("/media/x/clip.mov"));
    EXPECT_EQ(sel.FilePath(), kept);
    EXPECT_EQ(sel.Row(), kSourceRowDrive);
    const std::string chosen = "/media/y/" + test::Name("PG__", "240130", 3);
    EXPECT_TRUE(sel.ChooseFile(chosen));
    EXPECT_EQ(sel.FilePath(), chosen);
    EXPECT_EQ(sel.Row(), kSourceRowFile);
    EXPECT_TRUE(sel.ChooseFile("")) << "a cancelled dialog";
    EXPECT_EQ(sel.FilePath(), chosen);
}

TEST_F(SourceSelectionTest, CommitWritesTheChosenRowOnly) {
    WriteSetting("SOURCE", "FILE", "/old/" + test::Name("A___", "240131", 10));
    WriteSetting("SOURCE", "SD", "/media/old-card");
    SourceSelection sel;
    sel.SetDrives({"/media/a", "/media/b"});
    sel.Load();
    sel.ChooseFolder("/home/user/backup");
    EXPECT_EQ(sel.Kind(), 2);
    EXPECT_EQ(sel.ChosenPath(), "/home/user/backup");
    ASSERT_TRUE(sel.Commit());
    EXPECT_EQ(ReadSetting("SOURCE", "SELECT"), "FOLDER");
    EXPECT_EQ(ReadSetting("SOURCE", "FOLDER"), "/home/user/backup");
    EXPECT_EQ(ReadSetting("SOURCE", "SD"), "/media/old-card") << "untouched";

    sel.ChooseFolder("");
    EXPECT_EQ(sel.FolderPath(), "/home/user/backup") << "a cancelled chooser";
}

TEST_F(SourceSelectionTest, DrivesSelectTheLastAndAChosenOneBecomesTheDriveText) {
    SourceSelection sel;
    sel.SetDrives({"/media/a", "/media/b"});
    sel.Load();
    EXPECT_EQ(sel.DriveIndex(), 1);
    EXPECT_TRUE(sel.OkEnabled());
    EXPECT_EQ(sel.ChosenPath(), "/media/b");
    sel.SelectRow(kSourceRowFile);
    sel.ChooseDrive(0);
    EXPECT_EQ(sel.Row(), kSourceRowDrive);
    EXPECT_EQ(sel.DriveText(), "/media/a");
    sel.ChooseDrive(2);
    EXPECT_EQ(sel.DriveIndex(), 0) << "an index outside the list is ignored";
    ASSERT_TRUE(sel.Commit());
    EXPECT_EQ(ReadSetting("SOURCE", "SELECT"), "SD");
    EXPECT_EQ(ReadSetting("SOURCE", "SD"), "/media/a");
}

}  // namespace
}  // namespace quorva
