#include "appcore/settings_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorva {
namespace {

namespace fs = std::filesystem;

class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quorva-settings-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        SetSettingsDirectory(dir_.string());
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string FileText() const {
        std::ifstream in(dir_ / "Default_Folder.ini", std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void WriteFileText(const std::string& text) const {
        std::ofstream(dir_ / "Default_Folder.ini", std::ios::binary) << text;
    }

    fs::path dir_;
};

TEST_F(SettingsStoreTest, FirstRunWritesTheThreeDisplayDefaultsOnce) {
    EXPECT_EQ(SettingsFilePath(), (dir_ / "Default_Folder.ini").string());
    EXPECT_EQ(ReadSetting("DISPLAY", "ASPECT"), "");  // no file yet
    ASSERT_TRUE(WriteFirstRunDefaults());
    EXPECT_EQ(FileText(), "[DISPLAY]\nINFOCHECK=31\nASPECT=on\nVOLUME=65535\n");
    EXPECT_EQ(ReadSetting("DISPLAY", "VOLUME"), "65535");
    EXPECT_FALSE(WriteFirstRunDefaults());  // the file exists now
    ASSERT_TRUE(WriteSetting("DISPLAY", "ASPECT", "off"));
    EXPECT_FALSE(WriteFirstRunDefaults());
    EXPECT_EQ(ReadSetting("DISPLAY", "ASPECT"), "off");
}

TEST_F(SettingsStoreTest, MissingKeySectionOrFileReadsEmpty) {
    EXPECT_EQ(ReadSetting("SOURCE", "FOLDER"), "");
    ASSERT_TRUE(WriteSetting("SOURCE", "FOLDER", "/media/card"));
    EXPECT_EQ(ReadSetting("SOURCE", "FILE"), "");
    EXPECT_EQ(ReadSetting("FOLDERPATH", "FOLDER"), "");
    EXPECT_EQ(ReadSetting("SOURCE", "FOLDER"), "/media/card");
}

TEST_F(SettingsStoreTest, WritesReplaceInPlaceAndKeepTheRestOfTheFile) {
    WriteFileText(
        "; kept comment\r\n[display]\r\naspect = off\r\nVOLUME=100\r\n\r\n[SOURCE]\r\nFILE=x\r\n");
    EXPECT_EQ(ReadSetting("DISPLAY", "ASPECT"), "off");  // names ignore case, blanks trimmed
    ASSERT_TRUE(WriteSetting("DISPLAY", "ASPECT", "on"));
    ASSERT_TRUE(WriteSetting("DISPLAY", "SCALEX", "1.500000"));
    ASSERT_TRUE(WriteSetting("FOLDERPATH", "CSV_FOLDER", "/home/u/csv"));
    EXPECT_EQ(FileText(),
              "; kept comment\r\n[display]\r\nASPECT=on\r\nVOLUME=100\r\nSCALEX=1.500000\r\n\r\n"
              "[SOURCE]\r\nFILE=x\r\n[FOLDERPATH]\r\nCSV_FOLDER=/home/u/csv\r\n");
    EXPECT_EQ(ReadSetting("SOURCE", "FILE"), "x");
    EXPECT_EQ(ReadSetting("DISPLAY", "VOLUME"), "100");
}

TEST_F(SettingsStoreTest, ValuesAreCutTo259CharactersNeverInsideACharacter) {
    const std::string ascii(300, 'a');
    ASSERT_TRUE(WriteSetting("SOURCE", "FOLDER", ascii));
    EXPECT_EQ(ReadSetting("SOURCE", "FOLDER"), std::string(259, 'a'));

    std::string kana;
    for (int i = 0; i < 300; ++i)
        kana += "\xE3\x81\x82";  // "あ", three bytes each
    ASSERT_TRUE(WriteSetting("SOURCE", "FILE", kana));
    EXPECT_EQ(ReadSetting("SOURCE", "FILE"), kana.substr(0, 259 * 3));
    ASSERT_TRUE(WriteSetting("SOURCE", "SD", std::string(259, 'b')));
    EXPECT_EQ(ReadSetting("SOURCE", "SD"), std::string(259, 'b'));
}

TEST_F(SettingsStoreTest, QuotedValuesAndByteOrderMarkAreRead) {
    WriteFileText("\xEF\xBB\xBF[SOURCE]\nFOLDER=\"/a b/\"\nSD='x'\n");
    EXPECT_EQ(ReadSetting("SOURCE", "FOLDER"), "/a b/");
    EXPECT_EQ(ReadSetting("SOURCE", "SD"), "x");
    ASSERT_TRUE(WriteSetting("SOURCE", "SELECT", "SD"));
    EXPECT_EQ(FileText().substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(ReadSetting("SOURCE", "SELECT"), "SD");
}

TEST_F(SettingsStoreTest, RefusesWhatWouldChangeOtherKeys) {
    ASSERT_TRUE(WriteSetting("SOURCE", "FOLDER", "/ok"));
    const std::string before = FileText();
    EXPECT_FALSE(WriteSetting("SOURCE", "FOLDER", "/evil\n[DISPLAY]\nASPECT=off"));
    EXPECT_FALSE(WriteSetting("SOURCE", "KEY=X", "v"));
    EXPECT_FALSE(WriteSetting("SOU]RCE", "K", "v"));
    EXPECT_FALSE(WriteSetting("", "K", "v"));
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(ReadSetting("DISPLAY", "ASPECT"), "");
}

TEST_F(SettingsStoreTest, FailedWriteReportsFalse) {
    SetSettingsDirectory((dir_ / "missing-folder").string());
    EXPECT_FALSE(WriteSetting("DISPLAY", "VOLUME", "1"));
    EXPECT_EQ(ReadSetting("DISPLAY", "VOLUME"), "");
}

TEST_F(SettingsStoreTest, EachWorkingDirectoryHasItsOwnFile) {
    ASSERT_TRUE(WriteFirstRunDefaults());
    const fs::path other = dir_ / "other";
    fs::create_directories(other);
    SetSettingsDirectory(other.string() + "/");
    EXPECT_EQ(SettingsFilePath(), (other / "Default_Folder.ini").string());
    EXPECT_EQ(ReadSetting("DISPLAY", "ASPECT"), "");
    EXPECT_TRUE(WriteFirstRunDefaults());
    EXPECT_TRUE(fs::exists(other / "Default_Folder.ini"));
}

}  // namespace
}  // namespace quorva
