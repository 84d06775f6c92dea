// The GPS track of recordings read from their drive-data files: segments per recording and
// per stretch with a fix, UTC times with their tenths, speeds, and files that are damaged.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>

#include "container/gps_track.h"
#include "container_fixtures.h"
#include "recordings/recording_name.h"

namespace quorva {
namespace {

using test::Bytes;
using test::RecordRecipe;

// A record at the time digits (YYMMDDhhmmss), with a fix unless status says otherwise.
RecordRecipe At(const std::string& time, char status = 'A') {
    RecordRecipe r;
    r.time = time;
    r.status = status;
    return r;
}

// Records every 100 ms from hh:mm:ss.first tenths on: n records, status by predicate.
std::vector<Bytes> Drive(int n, int firstTenth, const std::function<bool(int)>& fix,
                         const std::string& day = "240131", int hour = 8, int minute = 30,
                         int second = 15) {
    std::vector<Bytes> out;
    for (int i = 0; i < n; ++i) {
        const int tenths = firstTenth + i;
        char time[16];
        std::snprintf(time, sizeof time, "%s%02d%02d%02d", day.c_str(), hour, minute,
                      second + tenths / 10);
        RecordRecipe r = At(time, fix(i) ? 'A' : 'V');
        char lat[16];
        std::snprintf(lat, sizeof lat, "3539.%04d", 1000 + i);
        r.latitude = lat;
        out.push_back(test::MakeRecord(r));
    }
    return out;
}

class GpsTrackTest : public ::testing::Test {
  protected:
    GpsTrackTest() : tz_("Asia/Tokyo") {}
    // A recording whose drive-data file holds the block (no movie is needed).
    std::string Recording(const std::string& name, const Bytes& block) {
        const std::string movie = dir_ / name;
        test::WriteFile(DriveDataPath(movie), block);
        return movie;
    }
    test::ScopedTz tz_;
    test::TempDir dir_;
};

TEST_F(GpsTrackTest, OneSegmentPerRecordingSplitWhereTheFixIsLost) {
    // The first recording loses its fix for records 10..14, the second has none at its start,
    // the third none at all.
    const std::string a =
        Recording("A___-240131-083015-000001M.MOV",
                  test::MakeBlock(Drive(30, 0, [](int i) { return i < 10 || i >= 15; })));
    const std::string b = Recording("A___-240131-083045-000002M.MOV",
                                    test::MakeBlock(Drive(
                                        20, 0, [](int i) { return i >= 8; }, "240131", 8, 30, 45)));
    const std::string c = Recording("A___-240131-083105-000003M.MOV",
                                    test::MakeBlock(Drive(10, 0, [](int) { return false; })));
    std::vector<std::pair<uint64_t, int64_t>> progress;
    GpsTrackOptions options;
    options.progress = [&](uintptr_t w, intptr_t l) { progress.emplace_back(w, l); };
    const GpsTrackResult result = GatherGpsTrack({a, b, c}, options);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.track.name, "A___-240131-083015-000001M");
    ASSERT_EQ(result.track.segments.size(), 3u);
    EXPECT_EQ(result.track.segments[0].size(), 10u);
    EXPECT_EQ(result.track.segments[1].size(), 15u);
    EXPECT_EQ(result.track.segments[2].size(), 12u);
    EXPECT_EQ(result.track.PointCount(), 37u);
    EXPECT_EQ(progress, (std::vector<std::pair<uint64_t, int64_t>>{{1, 3}, {2, 3}, {3, 3}}));

    // Positions and speeds as decoded; times in UTC (Tokyo is 9 hours ahead), in order.
    const GpsTrackPoint& p = result.track.segments[1][0];
    EXPECT_NEAR(p.latitude, 35 + 39.1015 / 60, 1e-9);
    EXPECT_NEAR(p.longitude, 139 + 45.6789 / 60, 1e-9);
    EXPECT_DOUBLE_EQ(p.speedKmh, 45.0);
    EXPECT_EQ(FormatUtcTime(p.unixMs), "2024-01-30T23:30:16.500Z");
    int64_t before = -1;
    for (const GpsTrackSegment& s : result.track.segments) {
        for (const GpsTrackPoint& q : s) {
            EXPECT_GT(q.unixMs, before);
            before = q.unixMs;
        }
    }
}

TEST_F(GpsTrackTest, TheTenthsOfASecondFollowTheRecordsOfThatSecond) {
    // A recording that starts 0.6 s into its first second: those records are the last four
    // of that second; the correction (+3 s) moves every time.
    std::vector<Bytes> records;
    for (int i = 0; i < 14; ++i) {
        RecordRecipe r = At(i < 4 ? "240131083015" : "240131083016");
        r.correction = "+03";
        records.push_back(test::MakeRecord(r));
    }
    const std::string movie = Recording("A___-240131-083015-000001M.MOV", test::MakeBlock(records));
    GpsTrack track;
    ASSERT_TRUE(AppendRecordingTrack(movie, track));
    ASSERT_EQ(track.segments.size(), 1u);
    const GpsTrackSegment& s = track.segments[0];
    EXPECT_EQ(FormatUtcTime(s[0].unixMs), "2024-01-30T23:30:18.600Z");
    EXPECT_EQ(FormatUtcTime(s[3].unixMs), "2024-01-30T23:30:18.900Z");
    EXPECT_EQ(FormatUtcTime(s[4].unixMs), "2024-01-30T23:30:19.000Z");
    EXPECT_EQ(FormatUtcTime(s[13].unixMs), "2024-01-30T23:30:19.900Z");
}

TEST_F(GpsTrackTest, RecordsWithoutAUsablePositionSpeedOrTime) {
    std::vector<Bytes> records;
    RecordRecipe blankPosition = At("240131083015");
    blankPosition.latitude = "         ";  // a fix without digits is no position
    records.push_back(test::MakeRecord(blankPosition));
    RecordRecipe outOfRange = At("240131083015");
    outOfRange.latitude = "9530.0000";  // 95.5 degrees
    records.push_back(test::MakeRecord(outOfRange));
    RecordRecipe noSpeed = At("240131083015");
    noSpeed.speed = "    ";
    records.push_back(test::MakeRecord(noSpeed));
    RecordRecipe noTime = At("            ");
    records.push_back(test::MakeRecord(noTime));
    const std::string movie = Recording("A___-240131-083015-000001M.MOV", test::MakeBlock(records));
    GpsTrack track;
    ASSERT_TRUE(AppendRecordingTrack(movie, track));
    ASSERT_EQ(track.segments.size(), 1u);
    ASSERT_EQ(track.segments[0].size(), 2u);
    EXPECT_FALSE(track.segments[0][0].HasSpeed());
    EXPECT_TRUE(track.segments[0][0].HasTime());
    EXPECT_TRUE(track.segments[0][1].HasSpeed());
    EXPECT_FALSE(track.segments[0][1].HasTime());
}

TEST_F(GpsTrackTest, DamagedOrMissingDriveDataAndCancel) {
    const std::string good = Recording("A___-240131-083015-000001M.MOV",
                                       test::MakeBlock(Drive(10, 0, [](int) { return true; })));
    // A count far beyond the records, a block cut in its header, noise, no file at all.
    Bytes longCount = test::MakeBlock(Drive(5, 0, [](int) { return true; }), 60000);
    const std::string counted = Recording("A___-240131-083016-000002M.MOV", longCount);
    Bytes cut = test::MakeBlock(Drive(5, 0, [](int) { return true; }));
    cut.resize(20);
    const std::string cutShort = Recording("A___-240131-083017-000003M.MOV", cut);
    const std::string noise = Recording("A___-240131-083018-000004M.MOV", Bytes(5000, 0x41));
    const std::string missing = (dir_ / "A___-240131-083019-000005M.MOV");

    const GpsTrackResult result = GatherGpsTrack({good, counted, cutShort, noise, missing});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.track.PointCount(), 10u + 5u);
    EXPECT_EQ(result.unreadable, 3);

    EXPECT_EQ(GatherGpsTrack({missing}).status, GpsTrackStatus::kNoPositions);
    EXPECT_EQ(GatherGpsTrack({}).status, GpsTrackStatus::kNoRecordings);
    std::atomic<bool> running{false};
    GpsTrackOptions options;
    options.running = &running;
    EXPECT_EQ(GatherGpsTrack({good}, options).status, GpsTrackStatus::kCancelled);
}

TEST(GpsTrackNames, FileNameAndTimeText) {
    EXPECT_EQ(GpxFileName("/card/Normal/A___-240131-083015-000001M.MOV"),
              "A___-240131-083015-000001M.gpx");
    EXPECT_EQ(FormatUtcTime(0), "1970-01-01T00:00:00.000Z");
    EXPECT_EQ(FormatUtcTime(1706743815250), "2024-01-31T23:30:15.250Z");
}

}  // namespace
}  // namespace quorva
