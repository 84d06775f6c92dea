// Decoding of drive-data blocks: header, GPS and G-sensor parts, counts and end tags.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "container/drive_data_block.h"
#include "container/drive_data_store.h"
#include "container_fixtures.h"

namespace quorva {
namespace {

using test::Bytes;
using test::MakeRecord;
using test::RecordRecipe;

constexpr const char* kDriveName = "A___-240131-083015-000123D.ADA";
constexpr const char* kTimeLapseName = "T___-240131-083015-000123D.ADA";

// Loads a block written to a drive-data file of the given name.
struct Loaded {
    test::TempDir dir;
    DriveDataStore store;
    bool ok = false;
};
std::unique_ptr<Loaded> LoadBlock(const Bytes& block, const char* name = kDriveName) {
    auto l = std::make_unique<Loaded>();
    test::WriteFile(l->dir / name, block);
    l->ok = l->store.Load(l->dir / name);
    return l;
}

TEST(DriveDataDecoding, CountAndEndTagDecideHowManyRecordsAreRead) {
    const auto three = test::MakeRecords(3);
    Bytes junk = MakeRecord(RecordRecipe{});  // a fourth record after the counted three
    struct Case {
        const char* what;
        Bytes block;
        int records;
    };
    std::vector<Case> cases;
    cases.push_back(
        {"0xFFFF then three records and the end tag", test::MakeBlock(three, 0xFFFF), 3});
    {
        auto four = three;
        four.push_back(junk);
        cases.push_back({"count 3 with a fourth record following", test::MakeBlock(four, 3), 3});
    }
    cases.push_back({"count 0", test::MakeBlock(three, 0), 0});
    cases.push_back({"0xFFFF without an end tag stops at the file end",
                     test::MakeBlock(three, 0xFFFF, test::MakeHeader(), false, ""), 3});
    cases.push_back({"count beyond the file reads the complete records",
                     test::MakeBlock(three, 500, test::MakeHeader(), false, ""), 3});
    {
        Bytes cut = test::MakeBlock(three, 3, test::MakeHeader(), false, "");
        cut.resize(cut.size() - 60);
        cases.push_back({"last record cut short", cut, 2});
    }
    for (const auto& c : cases) {
        auto l = LoadBlock(c.block);
        ASSERT_TRUE(l->ok) << c.what;
        EXPECT_TRUE(l->store.IsLoaded()) << c.what;
        EXPECT_EQ(l->store.RecordCount(), c.records) << c.what;
        EXPECT_EQ(l->store.Gps().size(), static_cast<size_t>(c.records)) << c.what;
        EXPECT_EQ(l->store.GSensor().size(), static_cast<size_t>(c.records)) << c.what;
        EXPECT_FALSE(l->store.IsOpen()) << c.what;  // the file is closed after the load
    }
}

TEST(DriveDataDecoding, FilesWithoutABlockFailToLoad) {
    test::TempDir dir;
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", {}},
        {"no tag", Bytes(500, 'x')},
        {"tag without a header", Bytes{'C', 'S', 'M', 'D', 'A', 'T', '0', '1'}},
    };
    for (const auto& [what, bytes] : cases) {
        test::WriteFile(dir / kDriveName, bytes);
        DriveDataStore s;
        EXPECT_FALSE(s.Load(dir / kDriveName)) << what;
        EXPECT_FALSE(s.IsLoaded()) << what;
        EXPECT_TRUE(s.Gps().empty()) << what;
    }
    DriveDataStore s;
    EXPECT_FALSE(s.Load(dir / "missing.ADA"));
}

TEST(DriveDataDecoding, TheBlockIsFoundWhereverItStarts) {
    Bytes file(1000, 'z');
    const Bytes block = test::MakeBlock(test::MakeRecords(2));
    file.insert(file.end(), block.begin(), block.end());
    auto l = LoadBlock(file);
    ASSERT_TRUE(l->ok);
    EXPECT_EQ(l->store.RecordCount(), 2);
}

TEST(DriveDataDecoding, HeaderValuesCountOnlyInModesMAndD) {
    struct Case {
        char mode;
        float v1;
    } cases[] = {{'M', 0.1f}, {'D', 0.1f}, {'N', -1.0f}, {'m', -1.0f}};
    for (const auto& c : cases) {
        auto l = LoadBlock(test::MakeBlock({}, 0, test::MakeHeader("0100020003000400", c.mode)));
        ASSERT_TRUE(l->ok);
        const DriveDataHeader& h = l->store.Header();
        EXPECT_FLOAT_EQ(h.values[0], c.v1) << c.mode;
        EXPECT_FLOAT_EQ(h.values[3], c.v1 < 0 ? -1.0f : 0.4f) << c.mode;
        EXPECT_EQ(h.mode, c.mode);
        EXPECT_EQ(std::string(h.version, 6), "010203");
        EXPECT_EQ(h.a, 'A');
        EXPECT_EQ(h.b, 'B');
        EXPECT_EQ(h.timeLapse, 'N');
    }
    auto l = LoadBlock(test::MakeBlock({}, 0), kTimeLapseName);
    EXPECT_EQ(l->store.Header().timeLapse, 'T');
    EXPECT_FLOAT_EQ(l->store.SamplePeriod(), 66.666664f);
}

TEST(DriveDataDecoding, ChainedHeadersReplaceTheValues) {
    Bytes data = test::MakeHeader("1000100010001000", 'M');
    data.resize(34, ' ');
    data[30] = '@';
    data[31] = 'C';
    data[32] = 'S';
    data[33] = 'M';
    const Bytes second = test::MakeHeader("2000200020002000", 'D', "090807");
    data.insert(data.end(), second.begin(), second.end());
    DriveDataHeader h;
    EXPECT_EQ(DecodeHeader(data.data(), data.size(), kDriveName, h), 52);
    EXPECT_FLOAT_EQ(h.values[0], 2.0f);
    EXPECT_EQ(std::string(h.version, 6), "090807");
    // The second header cut short: only the first is decoded.
    EXPECT_EQ(DecodeHeader(data.data(), data.size() - 1, kDriveName, h), 26);
    EXPECT_FLOAT_EQ(h.values[0], 1.0f);
    EXPECT_EQ(DecodeHeader(data.data(), 25, kDriveName, h), -1);
}

TEST(DriveDataDecoding, GpsFields) {
    test::ScopedTz tz("UTC");
    struct Case {
        const char* what;
        RecordRecipe desc;
        double lat, lng, speed;
        int valid;
    };
    RecordRecipe base;
    std::vector<Case> cases;
    cases.push_back({"north east", base, 35.652057, 139.0 + 45.6789 / 60, 45.0, 1});
    {
        RecordRecipe r = base;
        r.latSign = 0;
        r.lngSign = 0;
        r.status = 'V';
        cases.push_back(
            {"sign bytes 0 make it negative", r, -35.652057, -(139.0 + 45.6789 / 60), 45.0, 0});
    }
    {
        RecordRecipe r = base;
        r.latitude = "         ";
        r.longitude = "----------";
        r.speed = "    ";
        cases.push_back({"fields without digits", r, 720.0, 720.0, 32767.0, 1});
    }
    {
        RecordRecipe r = base;
        r.speed = " 7.5";
        r.latitude = "0000.0000";
        cases.push_back({"decimal speed, zero latitude", r, 0.0, 139.0 + 45.6789 / 60, 7.5, 1});
    }
    {
        RecordRecipe r = base;
        r.latitude = "999999999";
        r.longitude = "9999999999";
        cases.push_back({"out-of-range degrees", r, 9999999 + 99.0 / 60, 720.0, 45.0, 1});
    }
    for (const auto& c : cases) {
        const Bytes rec = MakeRecord(c.desc);
        const GpsSample s = DecodeGpsPart(rec.data(), 7, 100.0f);
        EXPECT_NEAR(s.latitude, c.lat, 1e-6) << c.what;
        EXPECT_NEAR(s.longitude, c.lng, 1e-6) << c.what;
        EXPECT_DOUBLE_EQ(s.speed, c.speed) << c.what;
        EXPECT_EQ(s.valid, c.valid) << c.what;
        EXPECT_EQ(s.index, 7);
        EXPECT_EQ(s.position, 700);
        EXPECT_EQ(s.direction, 0.0);
        EXPECT_EQ(s.linkedG, nullptr);
    }
}

TEST(DriveDataDecoding, LocalTimeWithAndWithoutCorrection) {
    for (const char* zone : {"UTC", "Asia/Tokyo", "America/New_York"}) {
        test::ScopedTz tz(zone);
        RecordRecipe r;
        r.time = "240131083015";
        SystemTime t = DecodeGpsPart(MakeRecord(r).data(), 0, 100.0f).time;
        EXPECT_EQ(FormatSystemTime(t), "2024-01-31 08:30:15") << zone;
        EXPECT_EQ(t.dayOfWeek, 3);  // a Wednesday
        r.correction = "+09";
        EXPECT_EQ(FormatSystemTime(DecodeGpsPart(MakeRecord(r).data(), 0, 100.0f).time),
                  "2024-01-31 08:30:24")
            << zone;
        r.correction = "-20";
        EXPECT_EQ(FormatSystemTime(DecodeRecordTime(MakeRecord(r).data())), "2024-01-31 08:29:55");
        r.time = "241231235959";
        r.correction = "+01";
        EXPECT_EQ(FormatSystemTime(DecodeRecordTime(MakeRecord(r).data())), "2025-01-01 00:00:00");
    }
}

TEST(DriveDataDecoding, TheTimeCacheGivesTheSameTimes) {
    test::ScopedTz tz("Europe/Berlin");
    RecordTimeCache cache;
    const auto recs = test::MakeRecords(40);
    RecordRecipe r;
    r.correction = "+05";
    auto withCorrection = MakeRecord(r);
    for (int round = 0; round < 2; ++round) {
        for (const auto& rec : recs)
            EXPECT_EQ(DecodeGpsPart(rec.data(), 0, 100.0f, &cache).time,
                      DecodeRecordTime(rec.data()));
        EXPECT_EQ(DecodeGpsPart(withCorrection.data(), 0, 100.0f, &cache).time,
                  DecodeRecordTime(withCorrection.data()));
    }
}

TEST(DriveDataDecoding, GSensorFields) {
    struct Case {
        const char* what;
        char e72, axis, e75, e76;
        int event, axisCode;
    } cases[] = {
        {"none", ' ', 'X', ' ', ' ', -1, 1},    {"72", 'D', 'Y', ' ', ' ', 5, 2},
        {"75 wins", 'D', 'Z', 'D', 'D', 6, 3},  {"76", ' ', 'Q', ' ', 'D', 7, 0},
        {"75 alone", ' ', 'x', 'D', ' ', 6, 0},
    };
    for (const auto& c : cases) {
        RecordRecipe r;
        r.event72 = c.e72;
        r.axis = c.axis;
        r.event75 = c.e75;
        r.event76 = c.e76;
        r.g1 = "+1234";
        r.g2 = "-0050";
        r.g3 = "  -12";
        r.status122 = 'S';
        r.code123 = 0xA7;
        const GSensorSample s = DecodeGSensorPart(MakeRecord(r).data(), 2, 66.666664f);
        EXPECT_EQ(s.eventCode, c.event) << c.what;
        EXPECT_EQ(s.axis, c.axisCode) << c.what;
        EXPECT_DOUBLE_EQ(s.g1, 1.234f) << c.what;
        EXPECT_DOUBLE_EQ(s.g2, -0.05f);
        EXPECT_DOUBLE_EQ(s.g3, -0.012f);
        EXPECT_EQ(s.status, 'S');
        EXPECT_EQ(s.codeHigh, 0xA);
        EXPECT_EQ(s.codeLow, 7);
        EXPECT_EQ(s.position, 133);  // (int)(2 x 66.666664)
        EXPECT_EQ(s.voltage, 0);
    }
}

TEST(DriveDataDecoding, VoltageComesFromTheNextRecord) {
    std::vector<Bytes> recs;
    for (const char* v : {"999", "   ", "125", "0 7"}) {
        RecordRecipe r;
        r.voltage = v;
        recs.push_back(MakeRecord(r));
    }
    auto l = LoadBlock(test::MakeBlock(recs));
    ASSERT_TRUE(l->ok);
    const auto& g = l->store.GSensor();
    ASSERT_EQ(g.size(), 4u);
    EXPECT_EQ(g[0].voltage, -1);  // record 1 holds spaces; record 0's 999 is never used
    EXPECT_EQ(g[1].voltage, 125);
    EXPECT_EQ(g[2].voltage, 0);  // atoi("0 7")
    EXPECT_EQ(g[3].voltage, 0);  // the last sample
}

TEST(DriveDataDecoding, NumberFieldsIgnoreTheProcessLocale) {
    const Bytes f1 = {' ', '1', '2', '.', '5'};
    EXPECT_DOUBLE_EQ(FieldAtof(f1.data(), f1.size()), 12.5);
    const Bytes f2 = {'+', '4', '5', 0, '9'};
    EXPECT_DOUBLE_EQ(FieldAtof(f2.data(), f2.size()), 45.0);  // stops at the NUL
    const Bytes f3 = {'a', 'b', 'c'};
    EXPECT_DOUBLE_EQ(FieldAtof(f3.data(), f3.size()), 0.0);
    const Bytes f4 = {'1', 'e', '9', '9', '9'};
    EXPECT_TRUE(std::isinf(FieldAtof(f4.data(), f4.size())));
    const Bytes i1 = {' ', '-', '2', '0', 'x'};
    EXPECT_EQ(FieldAtoi(i1.data(), i1.size()), -20);
}

}  // namespace
}  // namespace quorva
