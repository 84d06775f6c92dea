// Live scrubbing's seek rule and the slider tip's time text.
#include <gtest/gtest.h>

#include <tuple>

#include "road/elapsed_time_text.h"
#include "road/playback_scrub.h"

namespace quorva {
namespace {

TEST(ScrubSeeksTest, OneSeekInFlightAndTheLatestWaitingTargetWins) {
    ScrubSeeks seeks;
    EXPECT_TRUE(seeks.Request(100, 0));  // nothing in flight: at once
    EXPECT_TRUE(seeks.InFlight());
    EXPECT_FALSE(seeks.Request(120, 10));
    EXPECT_FALSE(seeks.Request(140, 20));  // replaces 120
    EXPECT_EQ(seeks.Waiting(), 140);
    EXPECT_EQ(seeks.Next(false, 30), -1);  // still in flight
    EXPECT_EQ(seeks.Next(true, 40), 140);  // the picture came: the latest target goes
    EXPECT_EQ(seeks.LastIssued(), 140);
    EXPECT_EQ(seeks.Next(true, 50), -1);  // nothing waits
    EXPECT_FALSE(seeks.InFlight());
    EXPECT_FALSE(seeks.Request(140, 60));  // the picture shown already
    EXPECT_TRUE(seeks.Request(150, 70));
    // Back to the target in flight: the one waiting is dropped.
    EXPECT_FALSE(seeks.Request(160, 80));
    EXPECT_FALSE(seeks.Request(150, 90));
    EXPECT_EQ(seeks.Waiting(), -1);
    EXPECT_EQ(seeks.Next(true, 100), -1);
    // Settled by a new move: the move's own target goes at once.
    EXPECT_TRUE(seeks.Request(170, 110));
    EXPECT_FALSE(seeks.Request(175, 115));
    seeks.Settle();
    EXPECT_TRUE(seeks.Request(180, 120));
    EXPECT_EQ(seeks.Waiting(), -1);
}

TEST(ScrubSeeksTest, APictureThatNeverComesStopsNothingForLong) {
    ScrubSeeks seeks;
    ASSERT_TRUE(seeks.Request(10, 1000));
    EXPECT_FALSE(seeks.Request(20, 1000 + kScrubSeekLimitMs - 1));
    EXPECT_EQ(seeks.Next(false, 1000 + kScrubSeekLimitMs - 1), -1);
    EXPECT_EQ(seeks.Next(false, 1000 + kScrubSeekLimitMs), 20);
    EXPECT_TRUE(seeks.Request(30, 1000 + 3 * kScrubSeekLimitMs));  // the limit passed again
    seeks.Reset();
    EXPECT_FALSE(seeks.InFlight());
    EXPECT_EQ(seeks.LastIssued(), -1);
    EXPECT_TRUE(seeks.Request(30, 0));  // a new drag seeks even to the last target
    EXPECT_FALSE(seeks.Request(-1, 0));
}

TEST(ElapsedTimeTextTest, MinutesAndSecondsWithHoursFromAnHourOn) {
    const std::tuple<int64_t, int64_t, const char*> cases[] = {
        {12'000, 60'000, "0:12 / 1:00"},
        {0, 0, "0:00 / 0:00"},
        {999, 59'999, "0:00 / 0:59"},
        {-500, 60'000, "0:00 / 1:00"},
        {600'000, 3'599'999, "10:00 / 59:59"},
        {3'723'000, 5'400'000, "1:02:03 / 1:30:00"},
        {5'000, 3'600'000, "0:00:05 / 1:00:00"},
    };
    for (const auto& [elapsed, total, text] : cases)
        EXPECT_EQ(ElapsedTimeText(elapsed, total), text) << elapsed << " / " << total;
}

}  // namespace
}  // namespace quorva
