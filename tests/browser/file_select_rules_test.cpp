#include "browser/file_select_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorva {
namespace {

constexpr uint64_t kMiB = 1048576;

// n recordings of the given movie size (MiB), with small partners.
std::vector<RecordingEntry> Recordings(int n, uint64_t movieMb = 10, int from = 1) {
    std::vector<RecordingEntry> out;
    for (int i = 0; i < n; ++i) {
        RecordingEntry e;
        char name[64];
        std::snprintf(name, sizeof name, "/card/Normal/A___-240131-0830%02d-%06dM.MOV", i % 60,
                      from + i);
        e.path = name;
        e.movieSize = movieMb * kMiB;
        e.subSize = kMiB / 2;
        e.dataSize = 20000;
        out.push_back(e);
    }
    return out;
}

std::string Ticks(const FileSelection& s) {
    std::string out;
    for (int r = 0; r < s.RowCount(); ++r)
        out += s.Ticked(r) ? 'x' : '.';
    return out;
}

// Clicks on rows (in order) and the ticks that follow, in join and in delete mode.
struct ClickCase {
    FileSelectMode mode;
    std::vector<int> clicks;
    std::string ticks;
};

TEST(FileSelection, ClicksKeepTheJoinTicksOneBlock) {
    const FileSelectMode J = FileSelectMode::kJoin;
    const FileSelectMode D = FileSelectMode::kDelete;
    const ClickCase cases[] = {
        {J, {2}, "..x....."},
        {J, {2, 6}, "..xxxxx."},           // a tick after the block ticks the rows between
        {J, {2, 6, 4}, "..xx...."},        // unticking inside unticks the rest of the block
        {J, {5, 1}, ".xxxxx.."},           // a tick before the block
        {J, {2, 6, 2}, "...xxxx."},        // the block's first row alone
        {J, {2, 6, 6}, "..xxxx.."},        // its last row alone
        {J, {2, 2}, "........"},           // the only tick taken back
        {J, {3, 4, 5, 0}, "xxxxxx.."},     // grown one by one, then to the front
        {D, {2, 6}, "..x...x."},           // delete mode: any rows
        {D, {2, 6, 4, 4, 2}, "......x."},  // ... each flipped alone
    };
    for (const ClickCase& c : cases) {
        FileSelection s;
        ASSERT_TRUE(s.Prepare(c.mode, Recordings(8), {}));
        for (int row : c.clicks)
            s.Click(row);
        std::string clicks;
        for (int row : c.clicks)
            clicks += std::to_string(row) + " ";
        EXPECT_EQ(Ticks(s), c.ticks) << (c.mode == J ? "join " : "delete ") << clicks;
        // The block is the ticked rows' span in join mode.
        if (c.mode == J && s.TickedCount() > 0) {
            EXPECT_EQ(s.BlockEnd() - s.BlockFirst(), s.TickedCount());
        }
    }
}

TEST(FileSelection, TotalsAndTheRefusalsOfOk) {
    // 600 MB and 500 MB movies: 1100 MB and too big for a join.
    std::vector<RecordingEntry> group = Recordings(1, 600);
    std::vector<RecordingEntry> more = Recordings(1, 500, 2);
    group.insert(group.end(), more.begin(), more.end());
    for (RecordingEntry& e : group)
        e.subSize = e.dataSize = 0;
    FileSelection join;
    join.Prepare(FileSelectMode::kJoin, group, {});
    EXPECT_FALSE(join.OkEnabled());
    EXPECT_EQ(join.Confirm(nullptr), FileSelectAnswer::kNothing);
    join.Click(0);
    EXPECT_EQ(join.TotalText(), "600 MB");
    EXPECT_FALSE(join.TooBig());
    join.Click(1);
    EXPECT_EQ(join.TotalText(), "1100 MB");
    EXPECT_TRUE(join.TooBig());
    std::vector<RecordingEntry> result;
    EXPECT_EQ(join.Confirm(&result), FileSelectAnswer::kTooBig);
    EXPECT_TRUE(result.empty());

    // Delete mode knows no limits.
    FileSelection del;
    del.Prepare(FileSelectMode::kDelete, group, {});
    del.Click(0);
    del.Click(1);
    EXPECT_EQ(del.Confirm(&result), FileSelectAnswer::kAccept);
    ASSERT_EQ(result.size(), 2u);
    EXPECT_EQ(result[1].path, group[1].path);

    // 99 small recordings may be joined, 100 are too many.
    FileSelection many;
    many.Prepare(FileSelectMode::kJoin, Recordings(100, 1), {});
    many.Click(0);
    many.Click(98);
    EXPECT_EQ(many.Confirm(&result), FileSelectAnswer::kAccept);
    EXPECT_EQ(result.size(), 99u);
    many.Click(99);
    EXPECT_TRUE(many.TooMany());
    EXPECT_EQ(many.Confirm(&result), FileSelectAnswer::kTooMany);
    // The sizes count each in whole MiB: 100 x (1 + 0 + 0) MB is not too big.
    EXPECT_FALSE(many.TooBig());
    EXPECT_EQ(many.TotalText(), "151 MB");  // 100 x 1.5 MiB and the drive data
}

TEST(FileSelection, SwitchesFillTheRowsAgain) {
    const std::vector<RecordingEntry> group = Recordings(3);
    const std::vector<RecordingEntry> all = Recordings(7, 10, 100);
    FileSelection s;
    s.Prepare(FileSelectMode::kDelete, group, all);
    s.Click(1);
    s.SetShowAll(true);
    EXPECT_EQ(s.RowCount(), 7);
    EXPECT_EQ(Ticks(s), ".......") << "show-all keeps no earlier ticks";
    s.SetSelectAllShown(true);
    EXPECT_EQ(Ticks(s), "xxxxxxx");
    s.SetShowAll(false);
    EXPECT_EQ(Ticks(s), "xxx") << "select-all-shown stays on for the new rows";
    s.SetSelectAllShown(false);
    EXPECT_EQ(Ticks(s), "...");
    EXPECT_FALSE(s.OkEnabled());
}

TEST(FileSelection, JoinModeOffersMoviesAndEveryModeAtMost1500) {
    std::vector<RecordingEntry> group = Recordings(3);
    group[1].path = "/card/_NData/A___-240131-083001-000002D.ADA";
    FileSelection join;
    EXPECT_TRUE(join.Prepare(FileSelectMode::kJoin, group, {}));
    ASSERT_EQ(join.RowCount(), 2);
    EXPECT_EQ(join.Rows()[1].path, group[2].path);

    FileSelection big;
    EXPECT_FALSE(big.Prepare(FileSelectMode::kDelete, Recordings(3), Recordings(1501)));
    big.SetShowAll(true);
    EXPECT_EQ(big.RowCount(), 1500);
    EXPECT_FALSE(big.Prepare(FileSelectMode::kJoin, Recordings(1600), {}));
    EXPECT_EQ(big.RowCount(), 1500);
    EXPECT_TRUE(big.Prepare(FileSelectMode::kJoin, Recordings(1500), {}));
}

TEST(FileSelection, SizeTexts) {
    EXPECT_EQ(FileSelection::SizeText(0), "0 MB");
    EXPECT_EQ(FileSelection::SizeText(kMiB - 1), "0 MB");
    EXPECT_EQ(FileSelection::SizeText(5 * kMiB + 7), "5 MB");
    EXPECT_EQ(FileSelection::SizeText(uint64_t{5000} * 1024 * kMiB), "5120000 MB");
}

}  // namespace
}  // namespace quorva
