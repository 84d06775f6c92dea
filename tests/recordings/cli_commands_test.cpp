// Runs the built quorva-cli on small cards and checks its JSON answers.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "card_fixture.h"

namespace quorva {
namespace {

using namespace quorva::testing;

#ifdef QUORVA_CLI_PATH

struct CliRun {
    int status = -1;
    std::string out;
};

CliRun RunCli(const std::string& arguments) {
    CliRun run;
    const std::string command = "TZ=UTC " QUORVA_CLI_PATH " " + arguments + " 2>/dev/null";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        run.out.append(buf, n);
    run.status = ::pclose(pipe);
    return run;
}

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

TEST(CliCommandsTest, NamesAnswersOneObjectPerLine) {
    const CliRun run =
        RunCli("names --layout 1 /card/Video/AG__-240131-083015-000123M.MOV clip.mov");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "{\"name\":\"AG__-240131-083015-000123M.MOV\",\"valid\":true,\"main\":true,"
              "\"kind_flags\":5,\"trigger\":\"衝撃\",\"display\":\"AG__-083015-000123\","
              "\"data_path\":\"/card/_VData/AG__-240131-083015-000123D.ADA\","
              "\"sub_path\":\"/card/Video/AG__-240131-083015-000123S.MOV\","
              "\"time\":\"2024-01-31 08:30:15\",\"file_number\":123}\n"
              "{\"name\":\"clip.mov\",\"valid\":false,\"main\":false,\"kind_flags\":0,"
              "\"trigger\":\"\",\"display\":\"clip\",\"data_path\":\"cliD.ADA\","
              "\"sub_path\":\"clip.mov\",\"time\":\"1999-11-30 00:00:00\",\"file_number\":0}\n");
    EXPECT_NE(RunCli("names --layout 2 x").status, 0);
    EXPECT_NE(RunCli("names").status, 0);
}

TEST(CliCommandsTest, ScanShowsTheTreeAndTheFirstGroupsCatalogue) {
    TempFolder dir;
    const std::string card = dir / "card";
    for (int n : {10, 11})
        WriteMovie(card + "/Normal/" + Name("A___", "240131", n));
    WriteMovie(card + "/Normal/" + Name("A__S", "240131", 12), 400);
    WriteFile(card + "/_NData/A___-240131-080000-000010D.ADA", std::string(40, 'd'));
    WriteMovie(card + "/Parking/" + Name("PG__", "240130", 1));

    const CliRun run = RunCli("scan --kind 1 " + Quoted(card));
    ASSERT_EQ(run.status, 0);
    const std::string groups = "{\"text\":\"Normal\",\"badge\":1,\"path\":\"" + card +
                               "/Normal\",\"children\":["
                               "{\"text\":\"240131_0001\",\"badge\":1,\"path\":\"" +
                               card +
                               "/Normal/240131_0001\",\"children\":[]},"
                               "{\"text\":\"240131_0002\",\"badge\":1,\"path\":\"" +
                               card + "/Normal/240131_0002\",\"children\":[]}]}";
    EXPECT_EQ(
        run.out.rfind("{\"kind\":1,\"layout\":0,\"recorder_folders\":true,\"tree\":[" + groups, 0),
        0u)
        << run.out;
    EXPECT_NE(run.out.find("\"catalogue\":[{\"path\":\"" + card + "/Normal/" +
                           Name("A___", "240131", 10) +
                           "\",\"id\":0,\"class_char\":\"A\",\"movie_size\":300,\"sub_size\":0,"
                           "\"data_size\":40},{\"path\":\"" +
                           card + "/Normal/" + Name("A___", "240131", 11) + "\",\"id\":1,"),
              std::string::npos)
        << run.out;

    const CliRun second = RunCli("scan --kind 1 --select " + Quoted(card + "/Normal/240131_0002") +
                                 " " + Quoted(card));
    ASSERT_EQ(second.status, 0);
    EXPECT_NE(second.out.find("\"catalogue\":[{\"path\":\"" + card + "/Normal/" +
                              Name("A__S", "240131", 12) +
                              "\",\"id\":0,\"class_char\":\"A\","
                              "\"movie_size\":400,\"sub_size\":0,\"data_size\":0}]}"),
              std::string::npos)
        << second.out;
    EXPECT_NE(RunCli("scan --select " + Quoted(card + "/nothing") + " " + Quoted(card)).status, 0);
    EXPECT_NE(RunCli("scan " + Quoted(dir / "missing")).status, 0);
    EXPECT_NE(RunCli("scan --kind 3 " + Quoted(card)).status, 0);
}

TEST(CliCommandsTest, ListAndASingleFile) {
    TempFolder dir;
    const std::string folder = dir / "backup";
    WriteMovie(folder + "/" + Name("A___", "240131", 2));
    WriteMovie(folder + "/sub/" + Name("PG__", "240131", 1));
    WriteFile(folder + "/" + Name("A___", "240131", 3), "not a movie");
    const CliRun list = RunCli("list " + Quoted(folder));
    ASSERT_EQ(list.status, 0);
    const size_t sub = list.out.find("/sub/" + Name("PG__", "240131", 1));
    const size_t own = list.out.find("/" + Name("A___", "240131", 2));
    ASSERT_NE(sub, std::string::npos) << list.out;
    ASSERT_NE(own, std::string::npos) << list.out;
    EXPECT_LT(sub, own);
    EXPECT_EQ(list.out.find(Name("A___", "240131", 3)), std::string::npos);
    EXPECT_EQ(list.out.front(), '[');

    const CliRun file = RunCli("scan " + Quoted(folder + "/" + Name("A___", "240131", 2)));
    ASSERT_EQ(file.status, 0);
    EXPECT_EQ(file.out.rfind("{\"kind\":3,", 0), 0u);
    EXPECT_NE(file.out.find("\"tree\":[],\"catalogue\":[{\"path\":"), std::string::npos)
        << file.out;
}

#else
TEST(CliCommandsTest, NeedsTheCommandLineTool) {
    GTEST_SKIP() << "quorva-cli is not built";
}
#endif

}  // namespace
}  // namespace quorva
