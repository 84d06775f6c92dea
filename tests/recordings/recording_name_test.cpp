#include "recordings/recording_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "appcore/ui_text.h"

namespace quorva {
namespace {

class RecordingNameTest : public ::testing::Test {
  protected:
    void SetUp() override { SetCurrentLayout(0); }
    void TearDown() override { SetCurrentLayout(0); }
};

RecordingEntry Entry(std::string path, uint32_t attributes = 0, int classChar = 0) {
    RecordingEntry e;
    e.path = std::move(path);
    e.attributes = attributes;
    e.classChar = classChar;
    return e;
}

TEST_F(RecordingNameTest, ValidityByPatternAndKind) {
    const struct {
        const char* path;
        bool any, main;
    } cases[] = {
        {"AG__-240131-083015-000123M.MOV", true, true},
        {"/card/Normal/AG__-240131-083015-000123M.MOV", true, true},
        {"AG__-240131-083015-000123S.MOV", true, false},
        {"__O_-240131-083015-000123M.MOV", false, false},  // follows the pattern, no kind
        {"__T_-240131-083015-000123M.MOV", true, true},    // parking time-lapse
        {"_G__-240131-083015-000123M.MOV", false, false},
        {"PG__-240131-083015-000123M.MOV", true, true},
        {"TMRS-240131-083015-000123M.MOV", true, true},
        {"AG__-240131-083015-000123M.mov", false, false},     // the pattern's "MOV" is upper case
        {"AG__-240131-083015-000123MxMOV", true, true},       // '.' is the wildcard
        {"AG__-240131-083015-000123M.MOV.bak", true, true},   // a search, not a whole match
        {"AG__x240131-083015-000123M.MOV", false, false},     // position 4 must be '-'
        {"AG__-240131-083015-00012M.MOV", false, false},      // 29 characters
        {"AG__-240131-083015-0001234M.MOV", false, false},    // 31 characters
        {"A___-A___-240131-083015-000123M.MOV", true, true},  // the match lies further in
        {"AG__-24013\xE3\x81\x82-083015-000123M.MOV", false, false},
        {"\xE3\x81\x82G__-240131-083015-000123M.MOV", false, false},
        {"", false, false},
        {"AG__", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsRecordingName(c.path), c.any) << c.path;
        EXPECT_EQ(IsMainRecordingName(c.path), c.main) << c.path;
        if (std::string_view(c.path).find('/') == std::string_view::npos) {
            EXPECT_EQ(IsMainRecordingFileName(c.path), c.main) << c.path;
        }
    }
}

TEST_F(RecordingNameTest, MovExtensionIgnoringCase) {
    EXPECT_TRUE(IsMovPath("/a/x.MOV"));
    EXPECT_TRUE(IsMovPath("/a/x.mov"));
    EXPECT_TRUE(IsMovPath("x.MoV"));
    EXPECT_FALSE(IsMovPath("/a/x.MOVE"));
    EXPECT_FALSE(IsMovPath("/a.MOV/x"));
    EXPECT_FALSE(IsMovPath("/a/xMOV"));
    EXPECT_FALSE(IsMovPath("/a/x.ADA"));
}

TEST_F(RecordingNameTest, TimeFromNameIsLocalWallTime) {
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    SystemTime t = RecordingTimeFromName("/x/AG__-240131-083015-000123M.MOV");
    EXPECT_EQ(FormatSystemTime(t), "2024-01-31 08:30:15");
    EXPECT_EQ(t.dayOfWeek, 3);  // a Wednesday
    // Out-of-range fields roll over as mktime normalises them.
    EXPECT_EQ(FormatSystemTime(RecordingTimeFromName("A___-240230-246000-000001M.MOV")),
              "2024-03-02 01:00:00");
    EXPECT_EQ(FormatSystemTime(RecordingTimeFromName("A___-991231-235959-000001M.MOV")),
              "2099-12-31 23:59:59");

    // In a zone with daylight saving time the name's wall time is kept.
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    EXPECT_EQ(FormatSystemTime(RecordingTimeFromName("A___-240715-120000-000001M.MOV")),
              "2024-07-15 12:00:00");
    EXPECT_EQ(FormatSystemTime(RecordingTimeFromName("A___-240115-120000-000001M.MOV")),
              "2024-01-15 12:00:00");
    setenv("TZ", "UTC", 1);
    tzset();
}

TEST_F(RecordingNameTest, FileNumberAndClassChar) {
    EXPECT_EQ(FileNumberOf("AG__-240131-083015-000123M.MOV"), 123);
    EXPECT_EQ(FileNumberOf("/a/b/AG__-240131-083015-999999M.MOV"), 999999);
    EXPECT_EQ(FileNumberOf("short"), 0);
    EXPECT_EQ(ClassCharOf("AG__-240131-083015-000123M.MOV"), 'A');
    EXPECT_EQ(ClassCharOf("P_T_-240131-083015-000123M.MOV"), 'P');
    EXPECT_EQ(ClassCharOf("__T_-240131-083015-000123M.MOV"), '_');
    EXPECT_EQ(ClassCharOf("__O_-240131-083015-000123M.MOV"), 0);
    EXPECT_EQ(ClassCharOf("clip.mov"), 0);
}

TEST_F(RecordingNameTest, SubCameraPartner) {
    const std::pair<const char*, const char*> cases[] = {
        {"/d/Backup/Main/A___-240131-083015-000123M.MOV",
         "/d/Backup/Sub_/A___-240131-083015-000123S.MOV"},
        {"/d/Backup/main/A___-240131-083015-000123M.MOV",
         "/d/Backup/Sub_/A___-240131-083015-000123S.MOV"},
        {"/d/Backup/Sub_/A___-240131-083015-000123S.MOV",
         "/d/Backup/Main/A___-240131-083015-000123M.MOV"},
        {"/card/Normal/A___-240131-083015-000123M.MOV",
         "/card/Normal/A___-240131-083015-000123S.MOV"},
        {"/d/XMain/A___-240131-083015-000123M.MOV", "/d/XMain/A___-240131-083015-000123S.MOV"},
        {"Main/A___-240131-083015-000123M.MOV", "Sub_/A___-240131-083015-000123S.MOV"},
        {"/d/Main/clip.mov", "/d/Main/clip.mov"},
        {"x", "x"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(SubCameraPath(in), out) << in;
        EXPECT_EQ(SubCameraPath(out),
                  std::string(in) == out ? out : SubCameraPath(SubCameraPath(in)));
    }
    // Applying the rule twice returns the starting path.
    const std::string start = "/d/Backup/Main/A___-240131-083015-000123M.MOV";
    EXPECT_EQ(SubCameraPath(SubCameraPath(start)), start);
}

TEST_F(RecordingNameTest, DriveDataPathPerLayout) {
    const struct {
        int layout;
        const char* in;
        const char* out;
    } cases[] = {
        {0, "/media/card/Normal/A___-240131-083015-000123M.MOV",
         "/media/card/_NData/A___-240131-083015-000123D.ADA"},
        {0, "/media/card/normal/A___-240131-083015-000123M.MOV",
         "/media/card/_NData/A___-240131-083015-000123D.ADA"},
        {0, "/media/card/Parking/P___-240131-083015-000123M.MOV",
         "/media/card/_PData/P___-240131-083015-000123D.ADA"},
        {0, "/d/Backup/Main/A___-240131-083015-000123M.MOV",
         "/d/Backup/Main/A___-240131-083015-000123D.ADA"},
        {0, "/media/card/Video/A___-240131-083015-000123M.MOV",
         "/media/card/Video/A___-240131-083015-000123D.ADA"},
        {1, "/media/card/Video/A___-240131-083015-000123M.MOV",
         "/media/card/_VData/A___-240131-083015-000123D.ADA"},
        {1, "/media/card/Parking/P___-240131-083015-000123M.MOV",
         "/media/card/_PData/P___-240131-083015-000123D.ADA"},
        {0, "/d/MyNormal/A___-240131-083015-000123M.MOV",
         "/d/MyNormal/A___-240131-083015-000123D.ADA"},
        {0, "Normal/A___-240131-083015-000123M.MOV", "_NData/A___-240131-083015-000123D.ADA"},
    };
    for (const auto& c : cases) {
        SetCurrentLayout(c.layout);
        EXPECT_EQ(DriveDataPath(c.in), c.out) << c.in;
    }
}

TEST_F(RecordingNameTest, PartnerFoldersAgreeWithThePartnerPaths) {
    // Worked out once per folder, the partners must be where the path rules put them.
    const char* folders[] = {"/d/Backup/Main",
                             "/d/Backup/main",
                             "/d/Backup/Sub_",
                             "/d/Backup/SUB_",
                             "/card/Normal",
                             "/card/normal",
                             "/card/Parking",
                             "/card/Video",
                             "/card/_NData",
                             "/d/XMain",
                             "/d/MyNormal",
                             "Main",
                             "Normal",
                             "/",
                             "",
                             "/card"};
    const char* names[] = {"A___-240131-083015-000123M.MOV",
                           "A___-240131-083015-000123S.MOV",
                           "P___-240131-083015-000123M.MOV",
                           "A___-240131-083015-000123M.MOV.MOV",
                           "A___-240131-083015-000123M_copy.MOV",
                           "clip.mov",
                           "x.y.M.MOV",
                           "abcde"};
    std::string subName, dataName;
    for (int layout : {0, 1}) {
        SetCurrentLayout(layout);
        for (const char* folder : folders) {
            for (const char* name : names) {
                const std::string path = JoinPath(folder, name);
                const PartnerFolders partners = PartnerFoldersOf(FolderOf(path));
                const std::string sub = SubCameraPath(path);
                SubCameraName(name, subName);
                EXPECT_EQ(FolderOf(sub), partners.SubFolderFor(name)) << path;
                EXPECT_EQ(FileNameOf(sub), subName) << path;
                const std::string data = DriveDataPath(path);
                DriveDataName(name, dataName);
                EXPECT_EQ(FolderOf(data), partners.dataFolder) << path << " layout " << layout;
                EXPECT_EQ(FileNameOf(data), dataName) << path;
            }
        }
    }
}

TEST_F(RecordingNameTest, KindFlagsTable) {
    const std::pair<const char*, uint32_t> cases[] = {
        {"A___", kKindContinuous},
        {"T___", kKindContinuous},
        {"__T_", kKindContinuous},
        {"AM__", kKindContinuous | kKindManual},
        {"AG__", kKindContinuous | kKindImpact},
        {"PG__", kKindParkingImpact},
        {"P___", kKindParking},
        {"P_T_", kKindContinuous | kKindParking},
        {"PM__", kKindManual | kKindParking},
        {"_G__", kKindImpact},
        {"", 0},
    };
    for (const auto& [prefix, flags] : cases) {
        uint32_t f = 0;
        KindFlags(std::string("/x/") + prefix + "-240131-083015-000123M.MOV", f);
        EXPECT_EQ(f, flags) << prefix;
    }
    uint32_t group = 0;  // a group's badge ORs its recordings
    KindFlags("P_T_-240131-083015-000123M.MOV", group);
    KindFlags("PG__-240131-083015-000124M.MOV", group);
    EXPECT_EQ(group, kKindContinuous | kKindParking | kKindParkingImpact);
}

TEST_F(RecordingNameTest, KindFilter) {
    auto only = [](int k) {
        KindFilter f{};
        f[k] = true;
        return f;
    };
    const KindFilter all{true, true, true, true, true};
    const KindFilter none{};
    const struct {
        const char* prefix;
        bool cont, impact, manual, parking, parkingImpact;
    } cases[] = {
        {"A___", true, false, false, false, false}, {"T___", true, false, false, false, false},
        {"AG__", false, true, false, false, false}, {"TG__", false, true, false, false, false},
        {"AM__", false, false, true, false, false}, {"P___", false, false, false, true, false},
        {"PG__", false, false, false, false, true}, {"P_T_", false, false, false, true, false},
        {"__T_", false, false, false, true, false}, {"PM__", false, false, true, true, false},
        {"PGT_", false, false, false, false, true},
    };
    for (const auto& c : cases) {
        const std::string name = std::string(c.prefix) + "-240131-083015-000123M.MOV";
        EXPECT_EQ(MatchesKindFilter(name, only(kFilterContinuous)), c.cont) << name;
        EXPECT_EQ(MatchesKindFilter(name, only(kFilterImpact)), c.impact) << name;
        EXPECT_EQ(MatchesKindFilter(name, only(kFilterManual)), c.manual) << name;
        EXPECT_EQ(MatchesKindFilter(name, only(kFilterParking)), c.parking) << name;
        EXPECT_EQ(MatchesKindFilter(name, only(kFilterParkingImpact)), c.parkingImpact) << name;
        EXPECT_TRUE(MatchesKindFilter(name, all)) << name;
        EXPECT_FALSE(MatchesKindFilter(name, none)) << name;
    }
    // Impact of a continuous recording with only "continuous" on is not listed: the impact
    // switch decides.
    KindFilter contAndImpactOff{true, false, true, true, true};
    EXPECT_FALSE(MatchesKindFilter("AG__-240131-083015-000123M.MOV", contAndImpactOff));
}

TEST_F(RecordingNameTest, TriggerLabels) {
    ChooseLanguageSlotFor("ja_JP");
    const std::pair<const char*, std::string> cases[] = {
        {"AG__", UiText(164)},
        {"AGO_", UiText(164)},
        {"AM__", UiText(163)},
        {"A___", UiText(160)},
        {"A_T_", UiText(168)},
        {"A_O_", ""},
        {"A_R_", ""},
        {"PGT_", UiText(168) + "+" + UiText(164)},
        {"P_T_", UiText(168)},
        {"PG__", UiText(167)},
        {"P___", UiText(166)},
        {"PM__", ""},
        {"PMT_", ""},
        {"P_O_", ""},
        {"PGR_", ""},
        {"TG__", UiText(165) + "+" + UiText(164)},
        {"TM__", UiText(165) + "+" + UiText(163)},
        {"T___", UiText(165)},
        {"T_T_", UiText(165)},
        {"__T_", ""},
        {"_G__", ""},
    };
    for (const auto& [prefix, label] : cases)
        EXPECT_EQ(TriggerLabel(std::string("/x/") + prefix + "-240131-083015-000123M.MOV"), label)
            << prefix;
    EXPECT_EQ(UiText(160), "常時");
    EXPECT_EQ(TriggerLabel("A___-240131-083015-00012M.MOV"), "");  // 29 characters
    EXPECT_EQ(TriggerLabel(""), "");
}

TEST_F(RecordingNameTest, ListDisplayNames) {
    EXPECT_EQ(ListDisplayName("/x/AG__-240131-083015-000123M.MOV"), "AG__-083015-000123");
    EXPECT_EQ(ListDisplayName("/x/clip.final.mov"), "clip");
    EXPECT_EQ(ListDisplayName("/x/__O_-240131-083015-000123M.MOV"), "__O_-240131-083015-000123M");
    EXPECT_EQ(ListDisplayName("/x/noext"), "noext");
}

TEST_F(RecordingNameTest, Orderings) {
    const RecordingEntry a = Entry("/a/A___-240131-083015-000010M.MOV", 0, 'A');
    const RecordingEntry b = Entry("/z/AG__-240131-090000-000009M.MOV", 0, 'A');
    EXPECT_TRUE(FileNumberLess(b, a));
    EXPECT_FALSE(FileNumberLess(a, b));
    EXPECT_TRUE(NameLess(b, a));  // by the file name ('G' < '_'), not the folder
    EXPECT_FALSE(NameLess(a, b));

    const RecordingEntry video = Entry("/c/Video", kAttributeDirectory);
    const RecordingEntry parking = Entry("/c/Parking", kAttributeDirectory);
    SetLayoutFoldersFirst(false);
    EXPECT_TRUE(NameLess(parking, video));
    SetLayoutFoldersFirst(true);
    EXPECT_TRUE(NameLess(video, parking));
    EXPECT_FALSE(NameLess(parking, video));
    EXPECT_FALSE(NameLess(video, video));  // still a strict order
    SetLayoutFoldersFirst(false);

    std::vector<RecordingEntry> list = {Entry("/f/zz.txt"),
                                        Entry("/f/A___-240131-083015-000012M.MOV"),
                                        Entry("/f/sub", kAttributeDirectory),
                                        Entry("/f/A___-240131-083015-000010M.MOV"),
                                        Entry("/f/aa.txt"),
                                        Entry("/f/Main", kAttributeDirectory)};
    std::vector<RecordingEntry> catalogueOrder = list;
    SortCatalogueOrder(catalogueOrder);
    EXPECT_EQ(FileNameOf(catalogueOrder[0].path), "A___-240131-083015-000010M.MOV");
    EXPECT_EQ(FileNameOf(catalogueOrder[1].path), "A___-240131-083015-000012M.MOV");
    std::vector<RecordingEntry> listingOrder = list;
    SortListingOrder(listingOrder);
    std::vector<std::string> names;
    for (const auto& e : listingOrder)
        names.emplace_back(FileNameOf(e.path));
    EXPECT_EQ(names,
              (std::vector<std::string>{"Main", "sub", "A___-240131-083015-000010M.MOV",
                                        "A___-240131-083015-000012M.MOV", "aa.txt", "zz.txt"}));

    std::vector<RecordingEntry> rows = {Entry("1", 0, '_'), Entry("2", 0, 'T'), Entry("3", 0, 'A'),
                                        Entry("4", 0, 'P'), Entry("5", 0, 'A')};
    std::vector<RecordingEntry> byColumn0 = rows;
    std::stable_sort(byColumn0.begin(), byColumn0.end(),
                     [](const auto& x, const auto& y) { return ListColumnLess(0, x, y); });
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& x, const auto& y) { return ListColumnLess(1, x, y); });
    std::string order0, order1;
    for (const auto& e : byColumn0)
        order0 += e.path;
    for (const auto& e : rows)
        order1 += e.path;
    EXPECT_EQ(order0, "12345");
    EXPECT_EQ(order1, "35421");
}

TEST_F(RecordingNameTest, PathHelpers) {
    EXPECT_EQ(FileNameOf("/a/b/c.MOV"), "c.MOV");
    EXPECT_EQ(FileNameOf("c.MOV"), "c.MOV");
    EXPECT_EQ(FolderOf("/a/b/c.MOV"), "/a/b");
    EXPECT_EQ(FolderOf("/c.MOV"), "/");
    EXPECT_EQ(FolderOf("c.MOV"), "");
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(JoinPath("", "b"), "b");
    EXPECT_EQ(JoinPath("/", "b"), "/b");
}

}  // namespace
}  // namespace quorva
