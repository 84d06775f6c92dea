// quorva-cli frame, play and snapshot on recorder movies: their answers and files.
#include <QImage>

#include <array>
#include <cstdio>
#include <filesystem>

#include "player/snapshot_naming.h"
#include "player_fixture.h"

namespace quorva::testing {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

CliRun RunCli(const std::string& args) {
    CliRun r;
    const std::string cmd = std::string(QUORVA_CLI_PATH) + " " + args + " 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buffer;
    while (size_t n = fread(buffer.data(), 1, buffer.size(), p))
        r.out.append(buffer.data(), n);
    r.status = pclose(p);
    return r;
}

class CliPlayer : public ::testing::Test {
  protected:
    void SetUp() override {
        main_ = WriteStampedMovie(folder, "AG__-240131-083015-000123M.MOV", 90, {30, 1}, 15, 0, 320,
                                  180);
        WriteStampedMovie(folder, "AG__-240131-083015-000123S.MOV", 82, {55, 2}, 11, 1, 256, 144);
    }
    TempFolder folder;
    std::string main_;
};

TEST_F(CliPlayer, FrameWritesThePictureAtNativeSize) {
    const std::string png = folder.File("f.png");
    const CliRun r = RunCli("frame " + main_ + " 47 " + png);
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"position\":47,\"width\":320,\"height\":180}\n");
    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    image = image.convertToFormat(QImage::Format_RGB32);
    auto stamp = cardwriter::ReadFrameStamp(image.constBits(), image.width(), image.height(),
                                            image.bytesPerLine(), cardwriter::StampPixels::kBgra32);
    ASSERT_TRUE(stamp);
    EXPECT_EQ(stamp->frame, 47);
    EXPECT_NE(RunCli("frame " + folder.File("none.MOV") + " 1 " + png).status, 0);
    EXPECT_NE(RunCli("frame " + main_ + " x " + png).status, 0);
}

TEST_F(CliPlayer, ASnapshotThatCannotBeWrittenFailsTheCommand) {
    const std::string shots = folder.File("shots");
    std::filesystem::create_directory(shots);
    const std::string mainShot = SnapshotMainPath(shots, SnapshotBaseName(main_), 10);
    // The sub camera's file name is taken by a folder: its picture cannot be written.
    std::filesystem::create_directory(SnapshotSubPath(mainShot));
    const CliRun r = RunCli("snapshot " + main_ + " 10 " + shots);
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(mainShot));
    EXPECT_NE(r.out.find(mainShot), std::string::npos) << r.out;
}

TEST_F(CliPlayer, SnapshotNamesBothCameras) {
    const std::string shots = folder.File("shots");
    std::filesystem::create_directory(shots);
    const CliRun r = RunCli("snapshot " + main_ + " 30 " + shots);
    ASSERT_EQ(r.status, 0);
    const std::string m = shots + "/240131-083015-M-000030.jpg";
    const std::string s = shots + "/240131-083015-S-000030.jpg";
    EXPECT_EQ(r.out, "{\"files\":[\"" + m + "\",\"" + s + "\"]}\n");
    EXPECT_EQ(QImage(QString::fromStdString(m)).size(), QSize(320, 180));
    EXPECT_EQ(QImage(QString::fromStdString(s)).size(), QSize(256, 144));
    EXPECT_NE(RunCli("snapshot " + main_ + " 30 " + folder.File("missing")).status, 0);
}

TEST_F(CliPlayer, PlayReportsThePresenter) {
    const CliRun r = RunCli("play --rate 4 --seconds 20 " + main_);
    ASSERT_EQ(r.status, 0);
    for (const char* key : {"\"presented\":", "\"late\":", "\"dropped\":", "\"sub_dropped\":",
                            "\"max_late_ms\":", "\"max_camera_offset_frames\":", "\"cpu_s\":"})
        EXPECT_NE(r.out.find(key), std::string::npos) << key;
    EXPECT_NE(r.out.find("\"ended\":true"), std::string::npos) << r.out;
    EXPECT_NE(RunCli("play --rate").status, 0);
}

}  // namespace
}  // namespace quorva::testing
