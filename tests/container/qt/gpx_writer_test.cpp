// The GPX file of a track, read back with Qt's XML reader against the GPX 1.1 rules it uses;
// the export's existing file, cancel and failures leave no partial file; quorva-cli gpx.
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>

#include "container/qt/gpx_writer.h"
#include "container_fixtures.h"
#include "gpx_check.h"
#include "recordings/recording_name.h"

namespace quorva {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

// Records every 100 ms from 08:30:start local; the fix is lost for records 10..14.
Bytes DriveWithAGap(int n, int start = 15) {
    std::vector<Bytes> records;
    for (int i = 0; i < n; ++i) {
        test::RecordRecipe r;
        char time[16];
        std::snprintf(time, sizeof time, "2401310830%02d", start + i / 10);
        r.time = time;
        r.status = i >= 10 && i < 15 ? 'V' : 'A';
        if (i % 4 == 3) r.speed = "    ";
        records.push_back(test::MakeRecord(r));
    }
    return test::MakeBlock(records);
}

std::vector<std::string> Files(const fs::path& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        out.push_back(e.path().filename().string());
    return out;
}

class GpxTest : public ::testing::Test {
  protected:
    GpxTest() : tz_("UTC") {
        fs::create_directories(dir_ / "out");
        movie_ = dir_ / "A___-240131-083015-000001M.MOV";
        test::WriteFile(DriveDataPath(movie_), DriveWithAGap(30));
    }
    test::ScopedTz tz_;
    test::TempDir dir_;
    std::string movie_;
};

TEST_F(GpxTest, TheFileKeepsTheGpx11Rules) {
    GpsTrack track;
    track.name = "drive <1> & more";
    track.segments = {{{35.5, 139.25, 36.0, 1706689815000}, {-89.9999999, -179.5, -1.0, -1}},
                      {{0.0, 0.0, 0.0, 1706689816000}}};
    const std::string path = dir_ / "out/track.gpx";
    std::string error;
    ASSERT_TRUE(WriteGpx(path, track, &error)) << error;
    const test::GpxCheck c = test::CheckGpx(path);
    ASSERT_TRUE(c.valid) << c.problem;
    EXPECT_EQ(c.tracks, 1);
    EXPECT_EQ(c.trackName, track.name);
    EXPECT_EQ(c.segmentPoints, (std::vector<int>{2, 1}));
    EXPECT_EQ(c.timed, 2);
    EXPECT_EQ(c.speeds, 2) << "36 km/h and 0 km/h; none for the point without a speed";
    EXPECT_EQ(c.firstTime, "2024-01-31T08:30:15.000Z");
    EXPECT_DOUBLE_EQ(c.firstLatitude, 35.5);
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("<gpxtpx:speed>10.00</gpxtpx:speed>"), std::string::npos)
        << "36 km/h is 10 m/s";
    EXPECT_EQ(text.find("<ele>"), std::string::npos);
}

TEST_F(GpxTest, ExportOfRecordingsSplitWhereTheFixIsLost) {
    const std::string path = dir_ / "out/drive.gpx";
    std::vector<std::pair<uint64_t, int64_t>> progress;
    GpxExportOptions options;
    options.progress = [&](uintptr_t w, intptr_t l) { progress.emplace_back(w, l); };
    const GpxExportResult result = ExportGpx({movie_}, path, options);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.points, 25u);
    EXPECT_EQ(result.segments, 2u);
    EXPECT_EQ(progress.back(), (std::pair<uint64_t, int64_t>{1, 1}));
    const test::GpxCheck c = test::CheckGpx(path);
    ASSERT_TRUE(c.valid) << c.problem;
    EXPECT_EQ(c.segmentPoints, (std::vector<int>{10, 15}));
    EXPECT_EQ(c.trackName, "A___-240131-083015-000001M");
    EXPECT_EQ(c.firstTime, "2024-01-31T08:30:15.000Z");
    EXPECT_EQ(c.speeds, 25 - 6);
}

TEST_F(GpxTest, NothingIsLeftBehindByARefusedCancelledOrFailedExport) {
    const std::string path = dir_ / "out/drive.gpx";
    test::WriteFile(path, Bytes{'o', 'l', 'd'});
    // An existing file stays unless replacing it was allowed.
    EXPECT_EQ(ExportGpx({movie_}, path).status, GpxExportStatus::kExists);
    EXPECT_EQ(test::ReadFile(path), (Bytes{'o', 'l', 'd'}));
    // A cancel keeps the old file and leaves no other.
    std::atomic<bool> running{false};
    GpxExportOptions cancelled;
    cancelled.running = &running;
    cancelled.replaceExisting = true;
    EXPECT_EQ(ExportGpx({movie_}, path, cancelled).status, GpxExportStatus::kCancelled);
    EXPECT_EQ(test::ReadFile(path), (Bytes{'o', 'l', 'd'}));
    // No positions: nothing written.
    const std::string parked = dir_ / "P___-240131-090000-000002M.MOV";
    const std::string nothing = dir_ / "out/parked.gpx";
    EXPECT_EQ(ExportGpx({parked}, nothing).status, GpxExportStatus::kNoPositions);
    // A folder that does not exist.
    const GpxExportResult failed = ExportGpx({movie_}, dir_ / "gone/drive.gpx");
    EXPECT_EQ(failed.status, GpxExportStatus::kWriteFailed);
    EXPECT_FALSE(failed.error.empty());
    EXPECT_EQ(Files(dir_.path() / "out"), std::vector<std::string>{"drive.gpx"});
    // Replacing is allowed: the complete new file takes the old one's place.
    GpxExportOptions replace;
    replace.replaceExisting = true;
    ASSERT_TRUE(ExportGpx({movie_}, path, replace).ok());
    EXPECT_TRUE(test::CheckGpx(path).valid);
    EXPECT_EQ(Files(dir_.path() / "out"), std::vector<std::string>{"drive.gpx"});
}

#ifdef QUORVA_CLI
TEST_F(GpxTest, CommandLineAnswersPathPointsAndSegments) {
    const std::string out = dir_ / "out/cli.gpx";
    const std::string second = dir_ / "A___-240131-083045-000002M.MOV";
    test::WriteFile(DriveDataPath(second), DriveWithAGap(30, 45));
    std::string answer;
    ASSERT_TRUE(test::RunCommand(
        std::string(QUORVA_CLI) + " gpx " + out + " " + movie_ + " " + second + " 2>/dev/null",
        &answer));
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(answer)).object();
    EXPECT_EQ(json.keys(), (QStringList{"path", "points", "segments"}));
    EXPECT_EQ(json.value("path").toString().toStdString(), out);
    EXPECT_EQ(json.value("points").toInt(), 50);
    EXPECT_EQ(json.value("segments").toInt(), 4);
    const test::GpxCheck c = test::CheckGpx(out);
    EXPECT_TRUE(c.valid) << c.problem;
    EXPECT_EQ(c.points, 50);
    // No positions and no arguments fail without a file.
    const std::string none = dir_ / "out/none.gpx";
    EXPECT_FALSE(test::RunCommand(std::string(QUORVA_CLI) + " gpx " + none + " " +
                                  (dir_ / "P___-240131-090000-000002M.MOV") + " 2>/dev/null"));
    EXPECT_FALSE(fs::exists(none));
    EXPECT_FALSE(test::RunCommand(std::string(QUORVA_CLI) + " gpx " + none + " 2>/dev/null"));
}
#endif

}  // namespace
}  // namespace quorva
