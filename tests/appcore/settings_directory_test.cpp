#include "appcore/settings_directory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace quorva {
namespace {

namespace fs = std::filesystem;

TEST(SettingsDirectoryTest, HomeStartsUseTheConfigFolderAndOthersTheWorkingDirectory) {
    struct Case {
        SettingsPlace place;
        const char* expected;
    };
    const Case cases[] = {
        // Started from the desktop: the working directory is the home folder.
        {{"", "/home/ann", "/home/ann", ""}, "/home/ann/.config/quorva"},
        {{"", "/home/ann/", "/home/ann", ""}, "/home/ann/.config/quorva"},
        {{"", "/home/ann", "/home/ann", "/home/ann/cfg"}, "/home/ann/cfg/quorva"},
        {{"", "/home/ann", "/home/ann", "relative/cfg"}, "/home/ann/.config/quorva"},
        // Started anywhere else: that folder, as the viewer always did.
        {{"", "/media/ann/CARD", "/home/ann", "/home/ann/cfg"}, "/media/ann/CARD"},
        {{"", "/home/ann/cards", "/home/ann", ""}, "/home/ann/cards"},
        {{"", "/", "", ""}, "/"},
        // Named outright; a relative name is taken from the working directory.
        {{"/srv/quorva", "/home/ann", "/home/ann", ""}, "/srv/quorva"},
        {{"conf", "/home/ann/work", "/home/ann", ""}, "/home/ann/work/conf"},
        {{"../conf", "/home/ann/work", "/home/ann", ""}, "/home/ann/conf"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingsDirectoryFor(c.place), c.expected)
            << c.place.namedDirectory << " | " << c.place.workingDirectory << " | " << c.place.home
            << " | " << c.place.configHome;
}

TEST(SettingsDirectoryTest, TheHomeFolderIsRecognisedThroughALink) {
    const fs::path root = fs::temp_directory_path() / ("quorva-home-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "real");
    fs::create_directory_symlink(root / "real", root / "link");
    EXPECT_EQ(SettingsDirectoryFor({"", (root / "link").string(), (root / "real").string(), ""}),
              (root / "real" / ".config" / "quorva").string());
    // The place of this process comes from its working directory and environment.
    const fs::path before = fs::current_path();
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    fs::current_path(root / "real");
    setenv("HOME", (root / "real").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "xdg").c_str(), 1);
    const std::string directory = SettingsDirectoryFor(CurrentSettingsPlace(""));
    EXPECT_EQ(directory, (root / "xdg" / "quorva").string());
    EXPECT_TRUE(MakeSettingsDirectory(directory));
    EXPECT_TRUE(fs::is_directory(directory));
    // A folder that cannot be made (a file stands in the way) is reported.
    std::ofstream(root / "file") << "x";
    EXPECT_FALSE(MakeSettingsDirectory((root / "file" / "quorva").string()));
    fs::current_path(before);
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(root);
}

}  // namespace
}  // namespace quorva
