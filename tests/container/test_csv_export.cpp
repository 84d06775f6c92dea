// The CSV list of recordings: rows, the fallback row, the file and its cancellation.
#include <gtest/gtest.h>

#include <filesystem>

#include "appcore/ui_text.h"
#include "container/csv_export.h"
#include "container_fixtures.h"
#include "recordings/recording_name.h"

namespace quorva {
namespace {

using test::Bytes;
namespace fs = std::filesystem;

class CsvTest : public ::testing::Test {
  protected:
    CsvTest() : tz_("Asia/Tokyo") {}
    // A recording with a video track of the given height, frames and rate.
    std::string Recording(const std::string& name, int height, uint32_t frames, uint32_t timescale,
                          uint32_t delta, bool withData = true) {
        const std::string path = dir_ / name;
        test::MovieRecipe desc;
        desc.tracks = {
            test::TrackRecipe{true, height * 16 / 9, height, frames, timescale, delta, 8, 30}};
        test::WriteFile(path, test::MakeMovie(desc));
        if (withData) test::WriteFile(DriveDataPath(path), test::MakeBlock(test::MakeRecords(3)));
        return path;
    }
    test::ScopedTz tz_;
    test::TempDir dir_;
};

TEST_F(CsvTest, RowsOfRecordings) {
    struct Case {
        const char* name;
        int height;
        uint32_t frames, timescale, delta;
        const char* expectedStart;
    } cases[] = {
        {"A___-240131-083015-000123M.MOV", 1080, 1800, 30000, 1001,
         "A___-240131-083015-000123M.MOV,2024/01/31,08:30:15,00:01:00,常時,FHD,30.0fps,"},
        {"T___-240131-090000-000124M.MOV", 720, 60, 15, 1,
         "T___-240131-090000-000124M.MOV,2024/01/"
         "31,09:00:00,00:01:00,常時タイムラプス,HD,タイムラプス,"},
        {"AG__-240201-235959-000125M.MOV", 1296, 30 * 3725, 30, 1,
         "AG__-240201-235959-000125M.MOV,2024/02/01,23:59:59,01:02:05,衝撃,3M,30.0fps,"},
        {"PG__-240202-000001-000126M.MOV", 540, 300, 30, 1,
         "PG__-240202-000001-000126M.MOV,2024/02/02,00:00:01,00:00:10,駐車衝撃,,30.0fps,"},
        {"AM__-240202-000001-000127M.MOV", 360, 25, 25, 1,
         "AM__-240202-000001-000127M.MOV,2024/02/02,00:00:01,00:00:01,マニュアル,SD,25.0fps,"},
        {"A___-240202-000001-000128M.MOV", 1440, 10, 10, 1,
         "A___-240202-000001-000128M.MOV,2024/02/02,00:00:01,00:00:01,常時,WQHD,10.0fps,"},
    };
    for (const auto& c : cases) {
        const std::string path = Recording(c.name, c.height, c.frames, c.timescale, c.delta);
        const std::string row = CsvRow(path);
        EXPECT_EQ(row.rfind(c.expectedStart, 0), 0u) << row;
        const std::string mib = std::to_string(fs::file_size(path) / 1048576) + "MB\r\n";
        EXPECT_EQ(row.substr(row.size() - mib.size()), mib) << row;
        EXPECT_EQ(std::count(row.begin(), row.end(), ','), 7) << row;
    }
}

TEST_F(CsvTest, FallbackRowWhenTheFactsCannotBeRead) {
    const std::string name = "A___-240131-083015-000123M.MOV";
    const std::string fallback = name + ",-,-,-,-,-,fps,0MB\r\n";
    // No drive-data file.
    std::string path = Recording(name, 1080, 30, 30, 1, false);
    EXPECT_EQ(CsvRow(path), fallback);
    // Drive data, but the movie cannot be parsed.
    test::WriteFile(DriveDataPath(path), test::MakeBlock(test::MakeRecords(1)));
    test::WriteFile(path, Bytes(100, 'x'));
    EXPECT_EQ(CsvRow(path), fallback);
    // The player is not ready.
    path = Recording(name, 1080, 30, 30, 1);
    CsvRowOptions notReady;
    notReady.playerReady = [] { return false; };
    EXPECT_EQ(CsvRow(path, notReady), fallback);
    EXPECT_NE(CsvRow(path), fallback);
}

TEST_F(CsvTest, FileNamedAfterTheFirstRecordingWithHeaderLineAndRows) {
    test::TempDir out;
    std::vector<RecordingEntry> list(3);
    list[0].path = Recording("A___-240131-083015-000123M.MOV", 1080, 30, 30, 1);
    list[1].path = Recording("A___-240305-101010-000200M.MOV", 720, 30, 30, 1);
    list[2].path = Recording("A___-240306-101010-000201M.MOV", 720, 30, 30, 1, false);
    std::vector<std::pair<uintptr_t, intptr_t>> progress;
    CsvExportOptions o;
    o.progress = [&](uintptr_t w, intptr_t l) { progress.emplace_back(w, l); };
    const CsvExportResult r = ExportCsv(list, out.path().string(), o);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.path, out / "Dv_20240131_083015.csv");
    EXPECT_EQ(r.rows, 3u);
    const Bytes file = test::ReadFile(r.path);
    const std::string text(file.begin(), file.end());
    EXPECT_EQ(CsvHeaderLine(),
              "ファイル名,日付,開始時刻,録画時間,録画トリガー,録画サイズ,フレームレート,"
              "データサイズ\r\n");
    EXPECT_EQ(text,
              CsvHeaderLine() + CsvRow(list[0].path) + CsvRow(list[1].path) + CsvRow(list[2].path));
    const std::vector<std::pair<uintptr_t, intptr_t>> expected = {{0, 3}, {1, 3}, {2, 3}, {3, 3}};
    EXPECT_EQ(progress, expected);

    // It exists now: replaced only when allowed.
    EXPECT_EQ(ExportCsv(list, out.path().string(), {}).status, CsvStatus::kExists);
    CsvExportOptions replace;
    replace.replaceExisting = true;
    EXPECT_TRUE(ExportCsv(list, out.path().string(), replace).ok());
}

TEST_F(CsvTest, CancelKeepsTheLinesWritten) {
    test::TempDir out;
    std::vector<RecordingEntry> list(4);
    for (int i = 0; i < 4; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "A___-240131-083015-%06dM.MOV", i + 1);
        list[static_cast<size_t>(i)].path = Recording(name, 720, 30, 30, 1);
    }
    std::atomic<bool> running{true};
    CsvExportOptions o;
    o.running = &running;
    o.progress = [&](uintptr_t w, intptr_t) {
        if (w == 1) running = false;
    };
    const CsvExportResult r = ExportCsv(list, out.path().string(), o);
    EXPECT_EQ(r.status, CsvStatus::kCancelled);
    EXPECT_EQ(r.rows, 2u);
    const Bytes file = test::ReadFile(r.path);
    EXPECT_EQ(std::string(file.begin(), file.end()),
              CsvHeaderLine() + CsvRow(list[0].path) + CsvRow(list[1].path));
}

TEST_F(CsvTest, ErrorsOfTheExport) {
    EXPECT_EQ(ExportCsv({}, dir_.path().string(), {}).status, CsvStatus::kEmptyList);
    EXPECT_EQ(CsvStatusText(CsvStatus::kEmptyList), 99);
    std::vector<RecordingEntry> list(1);
    list[0].path = Recording("A___-240131-083015-000123M.MOV", 720, 30, 30, 1);
    const CsvExportResult r = ExportCsv(list, (dir_ / "no-such-folder"), {});
    EXPECT_EQ(r.status, CsvStatus::kCreateFailed);
    EXPECT_EQ(CsvStatusText(r.status), 93);
}

}  // namespace
}  // namespace quorva
