// quorva-cli info, ada, csv and join: their answers and their failures.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "container_fixtures.h"
#include "recordings/recording_name.h"

namespace quorva {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

#ifdef QUORVA_CLI
struct Answer {
    bool ok = false;
    std::string out;
};
Answer Cli(const std::string& args) {
    Answer a;
    a.ok = test::RunCommand(std::string(QUORVA_CLI) + " " + args + " 2>/dev/null", &a.out);
    return a;
}
std::string Errors(const std::string& args) {
    std::string err;
    test::RunCommand(std::string(QUORVA_CLI) + " " + args + " 2>&1 >/dev/null", &err);
    return err;
}
bool Has(const std::string& json, const std::string& part) {
    return json.find(part) != std::string::npos;
}
// A run's exit code, standard output and standard error.
struct CliRun {
    int status = -1;
    std::string out, err;
};
CliRun RunCli(const std::string& args, const test::TempDir& dir) {
    CliRun r;
    const std::string out = dir / "cli.out", err = dir / "cli.err";
    const int raw = std::system(
        (std::string(QUORVA_CLI) + " " + args + " >'" + out + "' 2>'" + err + "'").c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const Bytes o = test::ReadFile(out), e = test::ReadFile(err);
    r.out.assign(o.begin(), o.end());
    r.err.assign(e.begin(), e.end());
    return r;
}
#endif

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef QUORVA_CLI
        GTEST_SKIP() << "quorva-cli is not built";
#endif
    }
    std::string Recording(int number, uint32_t frames, int records) {
        char name[64];
        std::snprintf(name, sizeof name, "A___-240131-0830%02d-%06dM.MOV", number, number);
        const std::string path = dir_ / name;
        test::MovieRecipe desc;
        desc.tracks[0].frames = frames;
        desc.tracks[0].timescale = 30;
        desc.tracks[0].delta = 1;
        test::WriteFile(path, test::MakeMovie(desc));
        if (records >= 0)
            test::WriteFile(DriveDataPath(path), test::MakeBlock(test::MakeRecords(records)));
        return path;
    }
    test::TempDir dir_;
};

#ifdef QUORVA_CLI
TEST_F(CliTest, InfoAnswersTheMovieFacts) {
    const Answer a = Cli("info '" + Recording(1, 90, -1) + "'");
    ASSERT_TRUE(a.ok);
    EXPECT_TRUE(Has(a.out, "\"width\":1920,\"height\":1080,\"frames\":90,\"fps\":30,")) << a.out;
    EXPECT_TRUE(Has(a.out, "\"duration_s\":3")) << a.out;
    EXPECT_TRUE(Has(a.out, "\"frame_ms\":33.33")) << a.out;
    EXPECT_FALSE(Cli("info '" + (dir_ / "missing.MOV") + "'").ok);
    EXPECT_FALSE(Cli("info").ok);
}

TEST_F(CliTest, HelpUsageAndExitCodes) {
    const CliRun help = RunCli("--help", dir_);
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"info", "frame", "play", "snapshot", "join", "csv", "ada"})
        EXPECT_TRUE(Has(help.out, std::string("  ") + command + " ")) << command;
    EXPECT_TRUE(help.err.empty());
    const CliRun none = RunCli("", dir_);
    EXPECT_EQ(none.status, 2);
    EXPECT_TRUE(Has(none.err, "usage: quorva-cli COMMAND"));
    EXPECT_EQ(RunCli("no-such-command", dir_).status, 2);
    // A command used wrongly shows its own usage.
    const CliRun wrong = RunCli("info", dir_);
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(Has(wrong.err, "usage: quorva-cli info MOVIE")) << wrong.err;
    const CliRun commandHelp = RunCli("frame --help", dir_);
    EXPECT_EQ(commandHelp.status, 0);
    EXPECT_TRUE(Has(commandHelp.out, "usage: quorva-cli frame MOVIE N OUT.png"));
    EXPECT_EQ(RunCli("frame x.MOV notanumber out.png", dir_).status, 2);
}

TEST_F(CliTest, ARefusedMovieSaysWhyAndExitsWithOne) {
    const Bytes good = test::MakeMovie(test::MovieRecipe{});
    test::MovieRecipe sound;
    sound.tracks = {test::TrackRecipe{false, 0, 0, 40, 48000, 1024, 6, 0}};
    const std::string text(good.begin(), good.end());
    const std::string udatAt = std::to_string(text.rfind("udat") - 4);
    struct Case {
        const char* name;
        Bytes bytes;
        std::string reason;
    } cases[] = {
        {"sound.MOV", test::MakeMovie(sound), "no video track"},
        {"cut.MOV", Bytes(good.begin(), good.begin() + 300), "moov box missing"},
        {"past.MOV", Bytes(good.begin(), good.end() - 20),
         "box at offset " + udatAt + " runs past the end of the file"},
    };
    for (const auto& c : cases) {
        test::WriteFile(dir_ / c.name, c.bytes);
        for (const std::string command : {"info", "frame", "play", "snapshot"}) {
            std::string args = command + " '" + (dir_ / c.name) + "'";
            if (command == "frame") args += " 0 '" + (dir_ / "f.png") + "'";
            if (command == "snapshot") args += " 0 '" + dir_.path().string() + "'";
            const CliRun r = RunCli(args, dir_);
            EXPECT_EQ(r.status, 1) << args;
            EXPECT_TRUE(Has(r.err, c.reason)) << args << ": " << r.err;
            EXPECT_TRUE(r.out.empty()) << args;
        }
    }
}

TEST_F(CliTest, AdaAnswersSamplesAndWithFramesTheIndex) {
    test::ScopedTz tz("UTC");
    const std::string movie = Recording(1, 30, 12);
    const std::string ada = DriveDataPath(movie);
    Answer a = Cli("ada '" + ada + "'");
    ASSERT_TRUE(a.ok);
    EXPECT_TRUE(Has(a.out,
                    "\"header\":{\"values\":[0.1,0.2,0.3,0.4],\"mode\":\"M\",\"version\":"
                    "\"010203\",\"a\":\"A\",\"b\":\"B\",\"timelapse\":\"N\"}"))
        << a.out;
    EXPECT_TRUE(Has(a.out, "\"period_ms\":100,\"records\":12,\"max_g\":1,\"trailer\":\"000123\""));
    EXPECT_TRUE(Has(a.out, "{\"index\":11,\"position\":1100,\"valid\":1,"));
    EXPECT_TRUE(Has(a.out, "\"time\":\"2024-01-31 08:30:16\""));
    EXPECT_TRUE(Has(a.out, "\"gps\":-1"));  // not linked before the index is built
    EXPECT_FALSE(Has(a.out, "frame_index"));

    a = Cli("ada --frames 8 --frame-ms 33.3667 '" + ada + "'");
    ASSERT_TRUE(a.ok);
    EXPECT_TRUE(Has(a.out, "\"frame_index\":[0,0,0,1,1,1,2,2]")) << a.out;
    EXPECT_TRUE(Has(a.out, "{\"index\":1,\"position\":2,\"valid\":1,"));
    EXPECT_TRUE(Has(a.out, "\"code_low\":1,\"gps\":6}"));  // G sample 11 shows GPS sample 6

    EXPECT_FALSE(Cli("ada --frames 8 '" + ada + "'").ok);
    test::WriteFile(dir_ / "plain.ADA", test::Bytes(300, 'x'));
    EXPECT_FALSE(Cli("ada '" + (dir_ / "plain.ADA") + "'").ok);
}

TEST_F(CliTest, JoinAnswersItsFilesOrFailsWithAMessage) {
    test::TempDir out;
    const std::string a = Recording(1, 30, 5), b = Recording(2, 30, 5);
    Answer r = Cli("join '" + out.path().string() + "' '" + a + "' '" + b + "'");
    ASSERT_TRUE(r.ok);
    const std::string movie = out / fs::path(a).filename().string();
    EXPECT_TRUE(
        Has(r.out, "\"movie\":\"" + movie + "\",\"data\":\"" + DriveDataPath(movie) + "\""));
    // It exists now; only --replace writes it again.
    EXPECT_FALSE(Cli("join '" + out.path().string() + "' '" + a + "'").ok);
    EXPECT_TRUE(Cli("join --replace '" + out.path().string() + "' '" + a + "'").ok);

    test::TempDir out2;
    const std::string noData = Recording(3, 30, -1);
    r = Cli("join '" + out2.path().string() + "' '" + a + "' '" + noData + "'");
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(Has(r.out, "\"data\":null"));

    const std::string err =
        Errors("join '" + out2.path().string() + "' '" + (dir_ / "gone.MOV") + "'");
    EXPECT_TRUE(Has(err, "動画の連結に失敗しました。")) << err;
    EXPECT_FALSE(Cli("join '" + out2.path().string() + "' '" + (dir_ / "gone.MOV") + "'").ok);
}

TEST_F(CliTest, CsvWritesTheListOfTheSource) {
    test::ScopedTz tz("UTC");
    Recording(1, 30, 3);
    Recording(2, 30, -1);
    test::TempDir out;
    const Answer a = Cli("csv '" + dir_.path().string() + "' '" + out.path().string() + "'");
    ASSERT_TRUE(a.ok);
    EXPECT_TRUE(Has(a.out, "\"path\":\"" + (out / "Dv_20240131_083001.csv") + "\",\"rows\":2"))
        << a.out;
    const auto bytes = test::ReadFile(out / "Dv_20240131_083001.csv");
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_TRUE(Has(
        text,
        "A___-240131-083001-000001M.MOV,2024/01/31,08:30:01,00:00:01,常時,FHD,30.0fps,0MB\r\n"));
    EXPECT_TRUE(Has(text, "A___-240131-083002-000002M.MOV,-,-,-,-,-,fps,0MB\r\n"));
    const std::string err =
        Errors("csv '" + out.path().string() + "' '" + out.path().string() + "'");
    EXPECT_TRUE(Has(err, "動画ファイルがありません。")) << err;
}
#endif

}  // namespace
}  // namespace quorva
