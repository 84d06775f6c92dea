#include "recordings/source_catalogue.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <functional>

#include "card_fixture.h"
#include "recordings/recording_name.h"

namespace quorva {
namespace {

using namespace quorva::testing;

// A catalogue that sees no removable drives unless a test gives some.
SourceEnvironment NoDrives() {
    SourceEnvironment env;
    env.removableVolumes = [] { return std::vector<std::string>{}; };
    return env;
}

std::vector<std::string> Texts(const std::vector<std::unique_ptr<GroupNode>>& nodes) {
    std::vector<std::string> texts;
    for (const auto& n : nodes)
        texts.push_back(n->text);
    return texts;
}

std::vector<std::string> Names(const std::vector<RecordingEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& e : entries)
        names.emplace_back(FileNameOf(e.path));
    return names;
}

GroupNode* Child(const GroupNode* node, const std::string& text) {
    for (const auto& c : node->children) {
        if (c->text == text) return c.get();
    }
    return nullptr;
}

class SourceCatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override { SetCurrentLayout(0); }
    TempFolder dir;
    SourceCatalogue cat{NoDrives()};
};

TEST_F(SourceCatalogueTest, RunsAndRunStartsMakeGroups) {
    for (int n : {10, 11, 12})
        WriteMovie(dir / ("backup/" + Name("A___", "240131", n)));
    WriteMovie(dir / ("backup/" + Name("A__S", "240131", 13, 'M', "090000")));
    cat.ScanSource(dir / "backup", kSourceFolder);
    ASSERT_EQ(Texts(cat.Tree().Roots()), (std::vector<std::string>{"backup"}));
    const GroupNode* root = cat.Tree().Roots()[0].get();
    EXPECT_EQ(Texts(root->children), (std::vector<std::string>{"240131_0001", "240131_0002"}));
    EXPECT_EQ(cat.Tree().PathOf(root->children[1].get()), dir / "backup/240131_0002");
    EXPECT_EQ(cat.Tree().RootPath(), dir.str());
    EXPECT_TRUE(root->children[0]->isGroup);
    EXPECT_FALSE(root->isGroup);
    EXPECT_EQ(cat.GroupEntries().size(), 2u);
    EXPECT_EQ(cat.GroupEntries()[1].path,
              dir / ("backup/" + Name("A__S", "240131", 13, 'M', "090000")));
    EXPECT_EQ(cat.GroupEntries()[1].id, -1);
    EXPECT_EQ(cat.GroupEntries()[1].movieSize, UINT64_MAX);

    EXPECT_EQ(cat.FillFromNode(root->children[0].get()), 3);
    EXPECT_EQ(Names(cat.Catalogue()),
              (std::vector<std::string>{Name("A___", "240131", 10), Name("A___", "240131", 11),
                                        Name("A___", "240131", 12)}));
    for (size_t i = 0; i < cat.Catalogue().size(); ++i)
        EXPECT_EQ(cat.Catalogue()[i].id, int(i));
    EXPECT_EQ(cat.Catalogue()[0].classChar, 'A');
    EXPECT_EQ(cat.Catalogue()[0].movieSize, 300u);
    EXPECT_EQ(cat.ShownPath(), dir / "backup/240131_0001");
    ASSERT_EQ(cat.FillFromNode(cat.Tree().Roots()[0]->children[1].get()), 1);
}

TEST_F(SourceCatalogueTest, GapsDatesAndTheRunLimit) {
    WriteMovie(dir / ("f/" + Name("A___", "240131", 10)));
    WriteMovie(dir / ("f/" + Name("A___", "240131", 12)));  // gap: a new group
    WriteMovie(dir / ("f/" + Name("A___", "240201", 13)));  // the run goes on past midnight
    WriteMovie(dir / ("f/" + Name("A___", "240131", 50)));
    for (int n = 0; n < 201; ++n)
        WriteMovie(dir / ("f/" + Name("P___", "240202", 100 + n)));
    cat.ScanSource(dir / "f", kSourceFolder);
    const GroupNode* root = cat.Tree().Roots()[0].get();
    EXPECT_EQ(Texts(root->children),
              (std::vector<std::string>{"240131_0001", "240131_0002", "240131_0003", "240202_0001",
                                        "240202_0002"}));
    // A run continues across a date change: 000013 follows 000012 and keeps its group.
    EXPECT_EQ(cat.FillFromNode(Child(root, "240131_0002")), 2);
    EXPECT_EQ(cat.FillFromNode(Child(cat.Tree().Roots()[0].get(), "240202_0001")), 200);
    EXPECT_EQ(cat.FillFromNode(Child(cat.Tree().Roots()[0].get(), "240202_0002")), 1);
    EXPECT_EQ(FileNumberOf(cat.Catalogue()[0].path), 300);
}

TEST_F(SourceCatalogueTest, AFolderWithMainIsReadThroughMain) {
    WriteMovie(dir / ("b/" + Name("A___", "240131", 1)));
    WriteMovie(dir / ("b/Main/" + Name("A___", "240305", 7)));
    WriteMovie(dir / ("b/Sub_/" + Name("A___", "240305", 7, 'S')), 1000);
    WriteFile(dir / "b/Main/A___-240305-080000-000007D.ADA", std::string(77, 'd'));
    cat.ScanSource(dir / "b", kSourceFolder);
    const GroupNode* root = cat.Tree().Roots()[0].get();
    EXPECT_EQ(Texts(root->children), (std::vector<std::string>{"240305_0001"}));
    ASSERT_EQ(cat.FillFromNode(root->children[0].get()), 1);
    const RecordingEntry& e = cat.Catalogue()[0];
    EXPECT_EQ(e.path, dir / ("b/Main/" + Name("A___", "240305", 7)));
    EXPECT_EQ(e.subSize, 1000u);
    EXPECT_EQ(e.dataSize, 77u);
}

// A layout-1 card: folders for both halves and data folders beside them.
void MakeLayout1Card(const TempFolder& dir) {
    WriteMovie(dir / ("card/Video/" + Name("A___", "240131", 10)));
    WriteMovie(dir / ("card/Video/" + Name("AG__", "240131", 11)));
    WriteMovie(dir / ("card/Video/" + Name("A__S", "240131", 12)));
    WriteFile(dir / "card/_VData/A___-240131-080000-000010D.ADA", std::string(50, 'd'));
    WriteMovie(dir / ("card/Parking/" + Name("P___", "240130", 1)));
    WriteMovie(dir / ("card/Parking/" + Name("PG__", "240130", 2)));
    fs::create_directories(dir / "card/_PData");
}

TEST_F(SourceCatalogueTest, CardTreeHasLayoutFoldersFirstWithBadges) {
    MakeLayout1Card(dir);
    std::string noticed;
    SourceEnvironment env = NoDrives();
    env.onCardScanned = [&](const std::string& root) { noticed = root; };
    SourceCatalogue card(env);
    card.ScanSource(dir / "card/", kSourceDrive);
    EXPECT_EQ(card.Layout(), 1);
    EXPECT_TRUE(card.RecorderFolders());
    EXPECT_EQ(noticed, dir / "card");
    EXPECT_EQ(Texts(card.Tree().Roots()),
              (std::vector<std::string>{"Video", "Parking", "_PData", "_VData"}));
    const GroupNode* video = card.Tree().Roots()[0].get();
    EXPECT_EQ(video->badge, kKindContinuous | kKindImpact);
    EXPECT_EQ(Texts(video->children), (std::vector<std::string>{"240131_0001", "240131_0002"}));
    EXPECT_EQ(video->children[0]->badge, kKindContinuous | kKindImpact);
    EXPECT_EQ(video->children[1]->badge, kKindContinuous);
    const GroupNode* parking = card.Tree().Roots()[1].get();
    EXPECT_EQ(parking->badge, kKindParking | kKindParkingImpact);
    EXPECT_EQ(card.Tree().Roots()[2]->badge, 0u);
    // One entry per group (two in "Video", one in "Parking") and per folder node.
    EXPECT_EQ(card.GroupEntries().size(), 2u + 1u + 4u);

    ASSERT_TRUE(card.SelectFirstGroup());
    EXPECT_EQ(card.SelectedNode(), video->children[0].get());
    EXPECT_EQ(Names(card.Catalogue()),
              (std::vector<std::string>{Name("A___", "240131", 10), Name("AG__", "240131", 11)}));
    EXPECT_EQ(card.Catalogue()[0].dataSize, 50u);
    EXPECT_EQ(card.Catalogue()[1].dataSize, 0u);
    EXPECT_EQ(card.ShownPath(), dir / "card/Video/240131_0001");

    // Filling a layout folder rebuilds its groups; its own catalogue is empty.
    GroupNode* parkingNode = card.Tree().Roots()[1].get();
    EXPECT_EQ(card.FillFromNode(parkingNode), 0);
    EXPECT_EQ(Texts(parkingNode->children), (std::vector<std::string>{"240130_0001"}));
    EXPECT_EQ(parkingNode->children[0]->badge, kKindParking | kKindParkingImpact);
    EXPECT_TRUE(parkingNode->expanded);
    SetCurrentLayout(0);
}

TEST_F(SourceCatalogueTest, CardWithoutRecordingsGivesFolderNodesAndNoCatalogue) {
    WriteFile(dir / "card/Normal/readme.txt");
    WriteFile(dir / "card/Normal/A___-240131-080000-000010M.MOV", "too short");
    WriteMovie(dir / "card/Parking/clip.mov");
    WriteFile(dir / "card/DCIM/x.jpg");
    cat.ScanSource(dir / "card", kSourceDrive);
    EXPECT_EQ(Texts(cat.Tree().Roots()), (std::vector<std::string>{"DCIM", "Normal", "Parking"}));
    // "Normal" holds a main recording name, so it is a recording folder without groups.
    EXPECT_TRUE(cat.Tree().Roots()[1]->children.empty());
    ASSERT_TRUE(cat.SelectFirstGroup());
    EXPECT_EQ(cat.SelectedNode(), cat.Tree().Roots()[0].get());  // "DCIM" does not match
    EXPECT_TRUE(cat.Catalogue().empty());
}

TEST_F(SourceCatalogueTest, AGroupThatIsNotThereGivesAnEmptyCatalogue) {
    WriteMovie(dir / ("f/" + Name("A___", "240131", 1)));
    cat.ScanSource(dir / "f", kSourceFolder);
    GroupNode* root = cat.Tree().Roots()[0].get();
    GroupNode* stray = cat.Tree().Insert(root, "991231_0001", true);
    EXPECT_EQ(cat.FillFromNode(stray), 0);
    EXPECT_TRUE(cat.Catalogue().empty());
    EXPECT_EQ(cat.FillFromNode(nullptr), 0);
}

TEST_F(SourceCatalogueTest, SingleFileSource) {
    const std::string good = dir / ("f/" + Name("A___", "240131", 1));
    const std::string bad = dir / ("f/" + Name("A___", "240131", 2));
    WriteMovie(good);
    WriteFile(bad, std::string(400, 'x'));  // no "ftyp"
    cat.ScanSource(good, kSourceFile);
    ASSERT_EQ(cat.Catalogue().size(), 1u);
    EXPECT_EQ(cat.Catalogue()[0].path, good);
    EXPECT_EQ(cat.Tree().RootPath(), dir / "f");
    EXPECT_FALSE(cat.SelectFirstGroup());  // no tree
    EXPECT_EQ(cat.Catalogue().size(), 1u);
    EXPECT_EQ(cat.ListAllRecordings().size(), 1u);
    cat.ScanSource(bad, kSourceFile);
    EXPECT_TRUE(cat.Catalogue().empty());
    EXPECT_TRUE(cat.ListAllRecordings().empty());
}

TEST_F(SourceCatalogueTest, ListAllPutsSubFolderRecordingsFirst) {
    WriteMovie(dir / ("f/" + Name("A___", "240131", 5)));
    WriteMovie(dir / ("f/" + Name("A___", "240131", 1)));
    WriteMovie(dir / ("f/zsub/" + Name("A___", "240101", 9)));
    WriteMovie(dir / ("f/asub/" + Name("A___", "240101", 8)));
    WriteMovie(dir / ("f/asub/" + Name("A___", "240101", 3)));
    WriteMovie(dir / ("f/asub/" + Name("A___", "240101", 3, 'S')));  // sub camera: not listed
    WriteMovie(dir / "f/asub/clip.mov");
    WriteMovie(dir / ("f/a/b/" + Name("A___", "240101", 66)));
    WriteMovie(dir / ("f/a/b/c/" + Name("A___", "240101", 77)));
    WriteMovie(dir / ("f/a/b/c/d/" + Name("A___", "240101", 88)));  // below the depth limit
    cat.ScanSource(dir / "f", kSourceFolder);
    EXPECT_EQ(Names(cat.ListAllRecordings()),
              (std::vector<std::string>{Name("A___", "240101", 66), Name("A___", "240101", 77),
                                        Name("A___", "240101", 3), Name("A___", "240101", 8),
                                        Name("A___", "240101", 9), Name("A___", "240131", 1),
                                        Name("A___", "240131", 5)}));
}

TEST_F(SourceCatalogueTest, ListAllGivesIdsInVisitOrderAndThePartnersSizes) {
    const std::string card = dir / "card";
    WriteMovie(card + "/Normal/" + Name("A___", "240131", 20), 300);
    WriteMovie(card + "/Normal/" + Name("A___", "240131", 20, 'S'), 333);
    WriteFile(card + "/_NData/A___-240131-080000-000020D.ADA", std::string(11, 'd'));
    WriteMovie(card + "/Normal/" + Name("AG__", "240131", 10), 310);
    WriteMovie(card + "/Normal/" + Name("P___", "240131", 20), 312);
    WriteMovie(card + "/Normal/Main/" + Name("A___", "240131", 15), 320);
    WriteMovie(card + "/Normal/Sub_/" + Name("A___", "240131", 15, 'S'), 350);
    WriteMovie(card + "/Parking/" + Name("P___", "240131", 1), 340);
    WriteFile(card + "/_PData/P___-240131-080000-000001D.ADA", std::string(22, 'd'));
    WriteMovie(card + "/" + Name("T___", "240131", 50), 360);
    cat.ScanSource(card, kSourceDrive);
    // Folders before files, each folder's part by file number; ids in the order the
    // recordings were visited: a folder's subfolders first, then its own files by name.
    const struct {
        std::string path;
        int id;
        uint64_t movie, sub, data;
        int classChar;
    } expected[] = {
        {"Normal/" + Name("AG__", "240131", 10), 1, 310, 0, 0, 'A'},  // "AG" before "A_"
        {"Normal/Main/" + Name("A___", "240131", 15), 0, 320, 350, 0, 'A'},
        {"Normal/" + Name("A___", "240131", 20), 2, 300, 333, 11, 'A'},
        {"Normal/" + Name("P___", "240131", 20), 3, 312, 0, 0, 'P'},
        {"Parking/" + Name("P___", "240131", 1), 4, 340, 0, 22, 'P'},
        {Name("T___", "240131", 50), 5, 360, 0, 0, 'T'},
    };
    const std::vector<RecordingEntry> all = cat.ListAllRecordings();
    ASSERT_EQ(all.size(), std::size(expected));
    for (size_t i = 0; i < all.size(); ++i) {
        const auto& x = expected[i];
        EXPECT_EQ(all[i].path, card + "/" + x.path) << i;
        EXPECT_EQ(all[i].id, x.id) << x.path;
        EXPECT_EQ(all[i].movieSize, x.movie) << x.path;
        EXPECT_EQ(all[i].subSize, x.sub) << x.path;
        EXPECT_EQ(all[i].dataSize, x.data) << x.path;
        EXPECT_EQ(all[i].classChar, x.classChar) << x.path;
    }
}

TEST_F(SourceCatalogueTest, TreeStopsAt1500Nodes) {
    // A card whose 40 folders hold 40 one-recording groups each (gaps in the numbers)
    // would make 1 + 40 * 41 nodes.
    fs::create_directories(dir / "card/Normal");
    for (int i = 0; i < 40; ++i) {
        for (int g = 0; g < 40; ++g)
            WriteMovie(dir /
                       ("card/d" + std::to_string(100 + i) + "/" + Name("A___", "240131", 10 * g)));
    }
    cat.ScanSource(dir / "card", kSourceDrive);
    EXPECT_EQ(cat.Tree().NodeCount(), kMaxTreeNodes);
    size_t counted = 0;
    for (const auto& root : cat.Tree().Roots())
        counted += 1 + root->children.size();
    EXPECT_EQ(counted, kMaxTreeNodes);
    EXPECT_EQ(cat.Tree().Roots().size(), 1u + 37u);  // "Normal", then d100 .. d136
    // What is left after "Normal", 36 full folders and the last folder's own node.
    EXPECT_EQ(cat.Tree().Roots().back()->children.size(), kMaxTreeNodes - 1 - 36 * 41 - 1);
    // Refilling a node gives back its children's places first.
    GroupNode* first = cat.Tree().Roots()[1].get();
    EXPECT_EQ(cat.FillFromNode(first), 0);
    EXPECT_EQ(first->children.size(), 40u);
    EXPECT_EQ(cat.Tree().NodeCount(), kMaxTreeNodes);
}

TEST_F(SourceCatalogueTest, FoldersDeeperThanThreeAreNotEntered) {
    WriteMovie(dir / ("a/b/c/d/e/" + Name("A___", "240131", 1)));
    cat.ScanSource(dir / "a", kSourceFolder);
    GroupNode* node = cat.Tree().Roots()[0].get();
    for (const char* next : {"b", "c", "d"}) {
        cat.FillFromNode(node);
        node = Child(node, next);
        ASSERT_NE(node, nullptr) << next;
    }
    EXPECT_EQ(cat.Tree().DepthOf(node), 3);
    cat.FillFromNode(node);
    EXPECT_TRUE(node->children.empty());  // "e" lies at depth 4
    EXPECT_TRUE(cat.ListAllRecordings().empty());
}

TEST_F(SourceCatalogueTest, BadInputIsSkippedQuietly) {
    const std::string f = dir / "f";
    WriteMovie(f + "/" + Name("A___", "240131", 1));
    WriteMovie(f + "/" + Name("A___", "240131", 2), 259);                         // too short
    WriteMovie(f + "/A___-240131-080000-00003M.MOV");                             // 29 characters
    WriteMovie(f + "/A___-240131-080000-0000004M.MOV");                           // 31 characters
    WriteMovie(f + "/\xE3\x81\x82___-240131-080000-000005M.MOV");                 // non-ASCII
    WriteMovie(f + "/.A___-240131-080000-000006M.MOV");                           // hidden
    ASSERT_EQ(::mkfifo((f + "/" + Name("A___", "240131", 7)).c_str(), 0600), 0);  // never opened
    fs::create_symlink(f, f + "/loop");  // a symbolic-link loop
    fs::create_symlink(f + "/missing", f + "/" + Name("A___", "240131", 8));  // dangling
    fs::create_directories(f + "/" + Name("A___", "240131", 9));  // a folder with a movie name
    cat.ScanSource(f, kSourceFolder);
    GroupNode* root = cat.Tree().Roots()[0].get();
    EXPECT_EQ(Texts(root->children), (std::vector<std::string>{"240131_0001"}));
    EXPECT_EQ(cat.FillFromNode(root->children[0].get()), 1);
    // The link back to the folder itself is not walked again.
    EXPECT_EQ(Names(cat.ListAllRecordings()),
              (std::vector<std::string>{Name("A___", "240131", 1)}));

    // A source that is not there, or vanishes before the fill.
    cat.ScanSource(dir / "gone", kSourceFolder);
    EXPECT_TRUE(cat.SelectFirstGroup());
    EXPECT_TRUE(cat.Catalogue().empty());
    cat.ScanSource(f, kSourceFolder);
    fs::remove_all(f);
    EXPECT_EQ(cat.FillFromNode(cat.Tree().Roots()[0]->children[0].get()), 0);
    EXPECT_TRUE(cat.ListAllRecordings().empty());
    cat.ScanSource(dir / "gone", kSourceDrive);
    EXPECT_TRUE(cat.Tree().Roots().empty());
    EXPECT_FALSE(cat.SelectFirstGroup());
}

TEST_F(SourceCatalogueTest, UnreadableFolderContributesNothing) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    WriteMovie(dir / ("card/Normal/" + Name("A___", "240131", 1)));
    WriteMovie(dir / ("card/Parking/" + Name("P___", "240131", 2)));
    fs::permissions(dir / "card/Parking", fs::perms::none);
    cat.ScanSource(dir / "card", kSourceDrive);
    EXPECT_EQ(cat.ListAllRecordings().size(), 1u);
    fs::permissions(dir / "card/Parking", fs::perms::owner_all);
}

TEST_F(SourceCatalogueTest, InjectedProbeDecidesTheHeaderTest) {
    WriteFile(dir / ("f/" + Name("A___", "240131", 1)), "no header at all");
    WriteFile(dir / ("f/" + Name("A___", "240131", 2)), "no header either");
    int calls = 0;
    SourceEnvironment env = NoDrives();
    env.probe = [&](const std::string& p) {
        ++calls;
        return FileNumberOf(FileNameOf(p)) == 2;
    };
    SourceCatalogue probed(env);
    probed.ScanSource(dir / "f", kSourceFolder);
    ASSERT_TRUE(probed.SelectFirstGroup());
    ASSERT_EQ(probed.FillFromNode(probed.Tree().Roots()[0]->children[0].get()), 1);
    EXPECT_EQ(FileNumberOf(probed.Catalogue()[0].path), 2);
    EXPECT_EQ(probed.Catalogue()[0].movieSize, 16u);
    EXPECT_GT(calls, 0);
    const std::vector<RecordingEntry> all = probed.ListAllRecordings();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(FileNumberOf(all[0].path), 2);
    EXPECT_EQ(all[0].movieSize, 16u);
}

TEST_F(SourceCatalogueTest, ChooseStartSourceOrder) {
    WriteMovie(dir / ("folder/" + Name("A___", "240131", 1)));
    const std::string file = dir / ("file/" + Name("A___", "240131", 2));
    WriteMovie(file);
    WriteMovie(dir / ("card/Normal/" + Name("A___", "240131", 3)));

    EXPECT_FALSE(cat.ChooseStartSource("", ""));  // nothing stored, no drive
    ASSERT_TRUE(cat.ChooseStartSource("", file));
    EXPECT_EQ(cat.Kind(), kSourceFile);
    ASSERT_TRUE(cat.ChooseStartSource(dir / "folder", file));
    EXPECT_EQ(cat.Kind(), kSourceFolder);
    EXPECT_EQ(cat.SourcePath(), dir / "folder");

    SourceEnvironment env;
    env.removableVolumes = [&] {
        return std::vector<std::string>{dir / "card", dir / "no-such-drive"};
    };
    SourceCatalogue withDrives(env);
    ASSERT_TRUE(withDrives.ChooseStartSource(dir / "folder", file));  // the last drive that exists
    EXPECT_EQ(withDrives.Kind(), kSourceDrive);
    EXPECT_EQ(withDrives.SourcePath(), dir / "card");
    EXPECT_EQ(withDrives.Catalogue().size(), 1u);

    // neither exists as a recording
    EXPECT_FALSE(cat.ChooseStartSource(dir / "missing", dir / "file/clip.mov"));
}

TEST_F(SourceCatalogueTest, RemoveDeletedAndClearSource) {
    std::vector<RecordingEntry> list(4);
    list[0].path = "/a/1.MOV";
    list[1].path = "/a/2.MOV";
    list[2].path = "/b/1.MOV";
    list[3].path = "/a/3.MOV";
    std::vector<RecordingEntry> deleted(1);
    deleted[0].path = "/elsewhere/1.MOV";
    SourceCatalogue::RemoveDeleted(list, deleted);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"2.MOV", "3.MOV"}));

    WriteMovie(dir / ("f/" + Name("A___", "240131", 1)));
    cat.ScanSource(dir / "f", kSourceFolder);
    cat.SelectFirstGroup();
    cat.ClearSource();
    EXPECT_TRUE(cat.Tree().Roots().empty());
    EXPECT_EQ(cat.Tree().NodeCount(), 0u);
    EXPECT_TRUE(cat.GroupEntries().empty());
    EXPECT_TRUE(cat.Catalogue().empty());
    EXPECT_EQ(cat.SelectedNode(), nullptr);
    EXPECT_EQ(cat.ShownPath(), "");
}

}  // namespace
}  // namespace quorva
