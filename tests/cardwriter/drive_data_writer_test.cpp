// Drive-data records and blocks are written byte for byte in the recorder's format.
#include "cardwriter/drive_data_writer.h"

#include <gtest/gtest.h>

#include "movie_probe.h"
#include "temp_dir.h"

namespace quorva::cardwriter {
namespace {

std::string Field(const std::array<uint8_t, kDriveRecordSize>& r, size_t offset, size_t n) {
    return std::string(reinterpret_cast<const char*>(r.data() + offset), n);
}

TEST(DriveDataWriter, EncodesEveryFieldAtItsOffset) {
    DriveRecord in;
    in.latitude = 35.0 + 39.1234 / 60.0;
    in.longitude = 139.0 + 46.0260 / 60.0;
    in.speed = 45;
    in.time = {2024, 1, 31, 8, 30, 15};
    in.timeCorrection = 9;
    in.voltage = 125;
    in.g[0] = 12;
    in.g[1] = -980;
    in.g[2] = 1500;
    in.axis = 'Y';
    in.manualMark = in.emergencyMark = in.parkingMark = true;
    in.status = 3;
    in.codes = 0x5A;
    const auto r = EncodeDriveRecord(in);
    EXPECT_EQ(r[5], 'A');
    EXPECT_EQ(Field(r, 6, 9), "3539.1234");
    EXPECT_NE(r[15], 0);
    EXPECT_EQ(Field(r, 16, 10), "13946.0260");
    EXPECT_NE(r[26], 0);
    EXPECT_EQ(Field(r, 27, 4), "0045");
    EXPECT_EQ(Field(r, 31, 12), "240131083015");
    EXPECT_EQ(Field(r, 44, 3), "+09");
    EXPECT_EQ(Field(r, 48, 3), "125");
    EXPECT_EQ(Field(r, 57, 15), "+0012-0980+1500");
    EXPECT_EQ(r[72], 'D');
    EXPECT_EQ(r[73], 'Y');
    EXPECT_EQ(r[75], 'D');
    EXPECT_EQ(r[76], 'D');
    EXPECT_EQ(r[122], 3);
    EXPECT_EQ(r[123], 0x5A);
    // Bytes 2..4 never read "@CS", which would make a reader take the record for a
    // further header.
    EXPECT_NE(Field(r, 2, 3), "@CS");

    // No fix, no position, no speed, no voltage, no correction; south and west.
    DriveRecord blank;
    blank.fix = false;
    blank.positionKnown = false;
    blank.speed = -1;
    const auto b = EncodeDriveRecord(blank);
    EXPECT_EQ(b[5], 'V');
    EXPECT_EQ(Field(b, 6, 21), std::string(21, ' '));
    EXPECT_EQ(Field(b, 27, 4), "    ");
    EXPECT_EQ(b[44], '*');
    EXPECT_EQ(Field(b, 48, 3), "   ");
    EXPECT_EQ(b[72], ' ');
    EXPECT_EQ(b[75], ' ');
    EXPECT_EQ(b[76], ' ');
    DriveRecord south;
    south.latitude = -33.8688;
    south.longitude = -70.6693;
    const auto s = EncodeDriveRecord(south);
    EXPECT_EQ(s[15], 0);
    EXPECT_EQ(s[26], 0);
    EXPECT_EQ(Field(s, 6, 9), "3352.1280");
}

TEST(DriveDataWriter, WritesDegreesAndMinutes) {
    struct Case {
        double degrees;
        int width;
        const char* text;
    } cases[] = {
        {35.6520567, 9, "3539.1234"}, {139.767125, 10, "13946.0275"},   {0.0, 9, "0000.0000"},
        {-35.5, 9, "3530.0000"},      {139.99999999, 10, "14000.0000"}, {5.25, 10, "00515.0000"}};
    for (const Case& c : cases)
        EXPECT_EQ(DegreesMinutes(c.degrees, c.width), c.text) << c.degrees;
}

TEST(DriveDataWriter, FramesTheRecordsWithTagsCountAndTrailer) {
    DriveDataFile file;
    file.records.resize(3);
    file.records[1].speed = 7;
    const auto block = BuildDriveDataBlock(file);
    ASSERT_EQ(block.size(), 34u + 3 * 124 + 6 + 6);
    const std::string text(block.begin(), block.end());
    EXPECT_EQ(text.substr(0, 6), "CSMDAT");
    EXPECT_EQ(text.substr(6, 26), "0600060009001000M010502J1 ");
    EXPECT_EQ(block[32], 0);
    EXPECT_EQ(block[33], 3);
    EXPECT_EQ(text.substr(34 + 124 + 27, 4), "0007");
    EXPECT_EQ(text.substr(34 + 3 * 124, 12), "CSMEND240401");

    struct Variant {
        int count;
        bool endTag;
        const char* trailer;
        size_t size;
        uint16_t written;
        const char* tail;
    } variants[] = {{0xFFFF, true, "240401", 34 + 372 + 12, 0xFFFF, "CSMEND240401"},
                    {0, true, "      ", 34 + 372 + 12, 0, "CSMEND      "},
                    {70000, false, "", 34 + 372, 0xFFFF, ""},
                    {-1, true, "12", 34 + 372 + 12, 3, "CSMEND12    "}};
    for (const Variant& v : variants) {
        DriveDataFile f = file;
        f.countOverride = v.count;
        f.endTag = v.endTag;
        f.trailer = v.trailer;
        const auto b = BuildDriveDataBlock(f);
        ASSERT_EQ(b.size(), v.size) << v.count;
        EXPECT_EQ(b[32] << 8 | b[33], v.written) << v.count;
        EXPECT_EQ(std::string(b.begin() + 34 + 372, b.end()), v.tail) << v.count;
    }
}

TEST(DriveDataWriter, WritesTheFileOrReportsWhyNot) {
    test::TempDir dir;
    DriveDataFile file;
    file.records.resize(2);
    std::string error;
    ASSERT_TRUE(WriteDriveDataFile(dir / "x.ADA", file, &error)) << error;
    EXPECT_EQ(test::ReadAll(dir / "x.ADA"), BuildDriveDataBlock(file));
    EXPECT_FALSE(WriteDriveDataFile(dir / "missing/x.ADA", file, &error));
    EXPECT_NE(error.find("missing/x.ADA"), std::string::npos);
}

}  // namespace
}  // namespace quorva::cardwriter
