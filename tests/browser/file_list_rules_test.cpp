#include "browser/file_list_rules.h"

#include <gtest/gtest.h>

#include "browser_fixture.h"
#include "recordings/recording_name.h"

namespace quorva {
namespace {

using test::FileNames;
using test::Name;

RecordingEntry Entry(const std::string& name) {
    RecordingEntry e;
    e.path = "/card/Normal/" + name;
    e.classChar = ClassCharOf(e.path);
    return e;
}

std::vector<RecordingEntry> Catalogue() {
    std::vector<RecordingEntry> out;
    int n = 1;
    for (const char* prefix : {"A___", "AG__", "AM__", "T___", "TG__", "P___", "PG__", "P_T_"})
        out.push_back(Entry(Name(prefix, "240131", n++)));
    return out;
}

std::vector<std::string> Prefixes(const std::vector<RecordingEntry>& rows) {
    std::vector<std::string> out;
    for (const std::string& name : FileNames(rows))
        out.push_back(name.substr(0, 4));
    return out;
}

struct FilterCase {
    KindFilter filter;
    std::vector<std::string> listed;
};

TEST(FileListRules, KindFiltersChooseTheRowsInCatalogueOrder) {
    const FilterCase cases[] = {
        {{false, false, false, false, false}, {}},
        {kAllKindsShown, {"A___", "AG__", "AM__", "T___", "TG__", "P___", "PG__", "P_T_"}},
        {{true, false, false, false, false}, {"A___", "T___"}},
        {{false, true, false, false, false}, {"AG__", "TG__"}},
        {{false, false, true, false, false}, {"AM__"}},
        {{false, false, false, true, false}, {"P___", "P_T_"}},
        {{false, false, false, false, true}, {"PG__"}},
        {{true, true, false, false, false}, {"A___", "AG__", "T___", "TG__"}},
    };
    for (const FilterCase& c : cases) {
        EXPECT_EQ(Prefixes(FilterRows(Catalogue(), c.filter)), c.listed);
    }
}

TEST(FileListRules, HeaderColumnOneSortsByClassKeepingOrderWithinAClass) {
    std::vector<RecordingEntry> rows;
    int n = 1;
    for (const char* prefix : {"T___", "P___", "A___", "__T_", "AG__", "PG__", "TG__", "AM__"})
        rows.push_back(Entry(Name(prefix, "240131", n++)));
    std::vector<RecordingEntry> unchanged = rows;
    SortRowsByColumn(unchanged, 0);
    EXPECT_EQ(FileNames(unchanged), FileNames(rows));
    SortRowsByColumn(unchanged, -1);
    EXPECT_EQ(FileNames(unchanged), FileNames(rows));

    SortRowsByColumn(rows, 1);
    // 'A' before 'P' before 'T' before '_'.
    EXPECT_EQ(Prefixes(rows), (std::vector<std::string>{"A___", "AG__", "AM__", "P___", "PG__",
                                                        "T___", "TG__", "__T_"}));
}

TEST(FileListRules, ImpactRowsAndTheirColours) {
    EXPECT_TRUE(IsImpactRow("/x/" + Name("AG__", "240131", 1)));
    EXPECT_TRUE(IsImpactRow(Name("TG__", "240131", 1)));
    EXPECT_TRUE(IsImpactRow(Name("PG__", "240131", 1)));
    EXPECT_FALSE(IsImpactRow(Name("AM__", "240131", 1)));
    EXPECT_FALSE(IsImpactRow(Name("_G__", "240131", 1)));
    EXPECT_FALSE(IsImpactRow("G"));
    EXPECT_FALSE(IsImpactRow(""));

    EXPECT_EQ(RowBackground(false, false), (RgbColour{255, 255, 255}));
    EXPECT_EQ(RowBackground(true, false), (RgbColour{204, 255, 255}));
    EXPECT_EQ(RowBackground(false, true), (RgbColour{178, 178, 178}));
    EXPECT_EQ(RowBackground(true, true), (RgbColour{142, 178, 178}));
}

TEST(FileListRules, CountText) {
    EXPECT_EQ(RecordingCountText(0), "0個");
    EXPECT_EQ(RecordingCountText(12), "12個");
    EXPECT_EQ(RecordingCountText(1000), "1000個");
}

TEST(FileListRules, HeaderGradientCoversTheItemOnceFromDarkToLight) {
    for (int h : {1, 20, 44, 509, 510, 600, 777}) {
        const std::vector<HeaderBand> bands = HeaderGradientBands(h);
        std::vector<int> cover(static_cast<size_t>(h), 0);
        int lastGrey = 0;
        for (const HeaderBand& band : bands) {
            ASSERT_GE(band.top, 0);
            ASSERT_LE(band.top + band.height, h);
            for (int y = band.top; y < band.top + band.height; ++y)
                ++cover[static_cast<size_t>(y)];
            EXPECT_GE(band.grey, lastGrey) << "bands come from the bottom up, getting lighter";
            lastGrey = band.grey;
        }
        for (int y = 0; y < h; ++y)
            EXPECT_EQ(cover[static_cast<size_t>(y)], 1) << "h " << h << " y " << y;
        ASSERT_FALSE(bands.empty());
        EXPECT_EQ(bands.back().grey, 204) << "top";
        EXPECT_EQ(bands.front().grey, (h >= 510 ? h / 255 : 1) * 141 / h + 63) << "bottom";
    }
    // One-pixel bands below 510 pixels, wider ones above.
    EXPECT_EQ(HeaderGradientBands(20).size(), 20u);
    EXPECT_EQ(HeaderGradientBands(20)[0].grey, 70);
    EXPECT_EQ(HeaderGradientBands(600).front().height, 2);
    EXPECT_TRUE(HeaderGradientBands(0).empty());
}

TEST(FileListRules, PreviewPopupLeftOfTheRowAndAboveTheListBottom) {
    const BoxRect list{500, 100, 224, 400};  // bottom 500
    // Right edge on the list's left edge, centred on the row.
    EXPECT_EQ(PreviewPopupRect(list, {500, 200, 224, 20}, 220, 123), (BoxRect{280, 149, 220, 123}));
    // Near the top it may reach above the list.
    EXPECT_EQ(PreviewPopupRect(list, {500, 100, 224, 20}, 220, 123).y, 49);
    // Near the bottom it ends at the list's bottom.
    EXPECT_EQ(PreviewPopupRect(list, {500, 470, 224, 20}, 220, 123), (BoxRect{280, 377, 220, 123}));
}

}  // namespace
}  // namespace quorva
