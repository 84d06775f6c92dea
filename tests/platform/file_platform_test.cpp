#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/file_attributes.h"
#include "platform/file_reading.h"
#include "platform/qt/trash.h"
#include "platform/qt/volumes.h"

namespace quorva::platform {
namespace {

namespace fs = std::filesystem;

class PlatformFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quorva-platform-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string At(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& name, size_t size) const {
        std::ofstream(At(name), std::ios::binary) << std::string(size, 'x');
    }
    fs::path dir_;
};

TEST_F(PlatformFileTest, ReadFolderTellsFoldersFilesAndLinks) {
    Write("file", 3);
    fs::create_directories(At("sub"));
    fs::create_directory_symlink(At("sub"), At("link-to-sub"));
    fs::create_symlink(At("missing"), At("dangling"));
    std::vector<FolderItem> items;
    ASSERT_TRUE(ReadFolder(dir_.string(), items));
    std::map<std::string, std::pair<bool, bool>> seen;
    for (const auto& i : items)
        seen[i.name] = {i.isDirectory, i.isRegularFile};
    EXPECT_EQ(seen.size(), 4u);  // no "." or ".."
    EXPECT_EQ(seen["file"], std::make_pair(false, true));
    EXPECT_EQ(seen["sub"], std::make_pair(true, false));
    EXPECT_EQ(seen["link-to-sub"], std::make_pair(true, false));
    EXPECT_EQ(seen["dangling"], std::make_pair(false, false));
    EXPECT_FALSE(ReadFolder(At("missing"), items));
    EXPECT_FALSE(ReadFolder(At("file"), items));
}

TEST_F(PlatformFileTest, FileHeadsOfEveryKindOfEntry) {
    Write("big", 300);
    Write("small", 100);
    ASSERT_EQ(::mkfifo(At("pipe").c_str(), 0600), 0);
    fs::create_directories(At("folder"));
    const FolderHandle folder(dir_.string());
    ASSERT_TRUE(folder.valid());
    char buf[260];
    for (bool knownRegular : {false, true}) {
        for (bool wantSize : {false, true}) {
            SCOPED_TRACE(::testing::Message() << knownRegular << wantSize);
            auto big = folder.ReadFileHead("big", buf, sizeof buf, 260, knownRegular, wantSize);
            ASSERT_TRUE(big);
            EXPECT_TRUE(big->regular);
            EXPECT_EQ(big->bytesRead, 260u);
            if (big->sizeKnown) {
                EXPECT_EQ(big->size, 300u);
            }
            if (wantSize) {
                EXPECT_TRUE(big->sizeKnown);
            }
            auto small = folder.ReadFileHead("small", buf, sizeof buf, 260, knownRegular, wantSize);
            ASSERT_TRUE(small);
            EXPECT_EQ(small->bytesRead, 0u);
            // A pipe never blocks and is never taken for a movie.
            auto pipe = folder.ReadFileHead("pipe", buf, sizeof buf, 260, knownRegular, wantSize);
            ASSERT_TRUE(pipe);
            EXPECT_EQ(pipe->bytesRead, 0u);
            if (!knownRegular) {
                EXPECT_FALSE(pipe->regular);
            }
            auto dir = folder.ReadFileHead("folder", buf, sizeof buf, 260, knownRegular, wantSize);
            EXPECT_TRUE(!dir || dir->bytesRead == 0u);
        }
    }
    EXPECT_FALSE(folder.ReadFileHead("missing", buf, sizeof buf, 260));
    EXPECT_FALSE(folder.ReadFileHead("../big", buf, sizeof buf, 260));  // one component only
    EXPECT_EQ(folder.RegularFileSize("big"), 300u);
    EXPECT_FALSE(folder.RegularFileSize("folder"));
    EXPECT_FALSE(folder.RegularFileSize("pipe"));
    EXPECT_EQ(RegularFileSize(At("small")), 100u);
    auto head = ReadFileHead(At("big"), buf, 8, 8);
    ASSERT_TRUE(head);
    EXPECT_EQ(head->size, 300u);
    EXPECT_FALSE(FolderHandle(At("missing")).valid());
}

TEST_F(PlatformFileTest, HiddenAttributeIsANoOpOffFat) {
    Write("settings.ini", 10);
    if (IsOnFatFileSystem(At("settings.ini"))) GTEST_SKIP() << "temporary folder is on FAT";
    EXPECT_TRUE(SetHiddenAttribute(At("settings.ini")));
    EXPECT_FALSE(SetHiddenAttribute(At("missing.ini")));
}

TEST_F(PlatformFileTest, TrashTakesTheFileAway) {
    // A trash of our own, on the same file system as the file.
    const std::string data = At("xdg-data");
    fs::create_directories(data);
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    Write("A___-240131-080000-000010M.MOV", 5);
    ASSERT_TRUE(MoveToTrash(At("A___-240131-080000-000010M.MOV")));
    EXPECT_FALSE(fs::exists(At("A___-240131-080000-000010M.MOV")));
    EXPECT_FALSE(MoveToTrash(At("missing.MOV")));
    EXPECT_FALSE(MoveToTrash(""));
}

TEST_F(PlatformFileTest, VolumesOfPaths) {
    EXPECT_EQ(VolumeRootOf("/"), "/");
    EXPECT_TRUE(IsVolumeRoot("/"));
    EXPECT_EQ(VolumeRootOf(At("missing")), "");
    EXPECT_FALSE(VolumeRootOf(dir_.string()).empty());
    for (const std::string& root : RemovableVolumeRoots()) {
        EXPECT_NE(root, "/");
        EXPECT_TRUE(IsVolumeRoot(root)) << root;
    }
}

}  // namespace
}  // namespace quorva::platform
