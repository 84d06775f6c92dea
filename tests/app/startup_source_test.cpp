// The start-up source: the command line first, then the removable drives from the last to
// the first, the stored folder and the stored recording; and whether the viewer ran from a
// removed source. On a fake file system.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/own_drive.h"
#include "app/startup_source.h"

namespace quorva {
namespace {

struct FakeDisk {
    std::set<std::string> files;
    std::set<std::string> folders;
    std::vector<std::string> drives;
    std::map<std::string, std::string> settings;

    StartupEnvironment Environment() {
        StartupEnvironment env;
        env.removableVolumes = [this] { return drives; };
        env.exists = [this](const std::string& p) { return files.count(p) || folders.count(p); };
        env.isDirectory = [this](const std::string& p) { return folders.count(p) != 0; };
        env.readSetting = [this](const std::string& section, const std::string& key) {
            auto it = settings.find(section + "/" + key);
            return it == settings.end() ? std::string() : it->second;
        };
        env.workingDirectory = "/home/user";
        return env;
    }
};

const char* kMovie = "/data/Normal/A__S-240518-091230-000101M.MOV";

FakeDisk Disk() {
    FakeDisk d;
    d.folders = {"/plain",
                 "/media/card",
                 "/media/card/Normal",
                 "/media/other",
                 "/data",
                 "/data/Normal",
                 "/backup",
                 "/home/user/cards/copy",
                 "/home/user/cards/copy/Video"};
    d.files = {kMovie, "/data/notes.txt"};
    return d;
}

TEST(StartupSource, TheSourceDialogsChoiceFollowsTheCommandLinesRule) {
    FakeDisk d = Disk();
    d.drives = {"/media/card"};
    const StartupEnvironment env = d.Environment();
    struct Row {
        int chosen;
        const char* path;
        std::string expected;
        int kind;
    };
    const Row rows[] = {
        {2, "/plain/", "/plain", 2},  // a plain folder stays a folder
        {2, "/data", "/data", 1},     // a folder in a card's layout is a card
        {2, "cards/copy", "/home/user/cards/copy", 1},
        {1, "/media/card", "/media/card", 1},
        {1, "/media/other", "/media/other", 1},  // a chosen drive stays a card
        {3, kMovie, kMovie, 3},
        {2, kMovie, kMovie, 3},  // the path decides, as on the command line
        {3, "/data/notes.txt", "", 0},
        {2, "/gone", "", 0},
        {0, "/plain", "", 0},
        {2, "", "", 0},
    };
    for (const Row& r : rows) {
        const StartupSource s = ChosenSource(r.chosen, r.path, env);
        EXPECT_EQ(s.path, r.expected) << r.chosen << " " << r.path;
        EXPECT_EQ(s.kind, r.kind) << r.chosen << " " << r.path;
    }
    EXPECT_EQ(ChosenSource(3, "/data/notes.txt", env).rejectedReason, "not a recording");
    EXPECT_EQ(ChosenSource(2, "/gone", env).rejectedReason, "no such file or folder");
}

TEST(StartupSource, TheCommandLineComesFirst) {
    FakeDisk d = Disk();
    d.drives = {"/media/card"};
    d.settings["SOURCE/FOLDER"] = "/backup";
    const StartupEnvironment env = d.Environment();
    struct Row {
        const char* argument;
        std::string path;
        int kind;
    };
    const Row rows[] = {
        {"/plain", "/plain", 2},                     // a plain folder
        {"/plain/", "/plain", 2},                    // without its trailing separator
        {"/data", "/data", 1},                       // a folder holding a card's folders
        {"/media/card", "/media/card", 1},           // a removable drive's mount point
        {"cards/copy", "/home/user/cards/copy", 1},  // a copy of a card (relative path)
        {kMovie, kMovie, 3},                         // one recording
        {"/data/./Normal/../Normal/A__S-240518-091230-000101M.MOV", kMovie, 3},
    };
    for (const Row& r : rows) {
        const StartupSource s = ChooseStartupSource(r.argument, env);
        EXPECT_EQ(s.path, r.path) << r.argument;
        EXPECT_EQ(s.kind, r.kind) << r.argument;
        EXPECT_TRUE(s.rejectedPath.empty()) << r.argument;
    }
}

TEST(StartupSource, AnUnusableArgumentIsReportedAndTheUsualChoiceFollows) {
    FakeDisk d = Disk();
    d.settings["SOURCE/FOLDER"] = "/backup";
    const StartupEnvironment env = d.Environment();
    StartupSource s = ChooseStartupSource("/data/notes.txt", env);
    EXPECT_EQ(s.rejectedPath, "/data/notes.txt");
    EXPECT_EQ(s.path, "/backup");
    EXPECT_EQ(s.kind, 2);
    s = ChooseStartupSource("missing", env);
    EXPECT_EQ(s.rejectedPath, "/home/user/missing");
    EXPECT_FALSE(s.rejectedReason.empty());
    EXPECT_EQ(s.kind, 2);
}

TEST(StartupSource, DrivesThenStoredFolderThenStoredFile) {
    FakeDisk d = Disk();
    d.drives = {"/media/card", "/media/other", "/media/gone"};
    d.settings["SOURCE/FOLDER"] = "/backup";
    d.settings["SOURCE/FILE"] = kMovie;
    // The last drive that exists wins.
    StartupSource s = ChooseStartupSource("", d.Environment());
    EXPECT_EQ(s.path, "/media/other");
    EXPECT_EQ(s.kind, 1);
    d.drives.clear();
    s = ChooseStartupSource("", d.Environment());
    EXPECT_EQ(s.path, "/backup");
    EXPECT_EQ(s.kind, 2);
    d.settings["SOURCE/FOLDER"] = "/gone";
    s = ChooseStartupSource("", d.Environment());
    EXPECT_EQ(s.path, kMovie);
    EXPECT_EQ(s.kind, 3);
    // A stored file that is not a recording is not opened.
    d.settings["SOURCE/FILE"] = "/data/notes.txt";
    s = ChooseStartupSource("", d.Environment());
    EXPECT_EQ(s.kind, 0);
    EXPECT_TRUE(s.path.empty());
}

TEST(OwnDrive, OnlyTheRemovalOfTheProgramsOwnVolumeEndsIt) {
    std::set<std::string> mounted = {"/media/card"};
    std::set<std::string> present = {"/media/card/quorva"};
    DriveProbe probe;
    probe.volumeRootOf = [](const std::string&) { return std::string(); };
    probe.isVolumeRoot = [&](const std::string& p) { return mounted.count(p) != 0; };
    probe.exists = [&](const std::string& p) { return present.count(p) != 0; };
    const std::string program = "/media/card/quorva";
    // Another source was removed.
    EXPECT_FALSE(ProgramRanFromRemovedSource("/media/card", "/media/other", program, probe));
    // A folder on the program's (still mounted) volume was removed.
    EXPECT_FALSE(ProgramRanFromRemovedSource("/media/card", "/media/card", program, probe));
    // Nothing is known about the source's volume.
    EXPECT_FALSE(ProgramRanFromRemovedSource("/media/card", "", program, probe));
    // The root file system is never removed.
    EXPECT_FALSE(ProgramRanFromRemovedSource("/", "/", "/usr/bin/quorva", probe));
    // The card the program runs from went away.
    mounted.clear();
    EXPECT_TRUE(ProgramRanFromRemovedSource("/media/card", "/media/card", program, probe));
    // Still mounted there, but the program's file is no longer reachable.
    mounted = {"/media/card"};
    present.clear();
    EXPECT_TRUE(ProgramRanFromRemovedSource("/media/card", "/media/card", program, probe));
}

}  // namespace
}  // namespace quorva
