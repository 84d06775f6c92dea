// A demo card has the recorder's folders and names, movies that decode and show their
// camera and frame, and drive data that follows the recording's name and kind.
#include "cardwriter/card_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "cardwriter/recording_drive.h"
#include "movie_probe.h"
#include "temp_dir.h"

#ifdef QUORVA_HAVE_RECORDING_NAMES
#include "recordings/recording_name.h"
#endif

namespace quorva::cardwriter {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Listing(const std::string& dir) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec))
        names.insert(e.path().filename().string());
    return names;
}

// The default card, written once for the suite (about a second).
class DemoCardTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        QuietCodecLogs();
        dir_ = new test::TempDir;
        CardRecipe desc;
        desc.root = dir_->path();
        card_ = new CardResult(WriteDemoCard(desc));
    }
    static void TearDownTestSuite() {
        delete card_;
        delete dir_;
    }
    static const CardResult& card() { return *card_; }
    static std::string root() { return dir_->path(); }

  private:
    static test::TempDir* dir_;
    static CardResult* card_;
};
test::TempDir* DemoCardTest::dir_ = nullptr;
CardResult* DemoCardTest::card_ = nullptr;

TEST_F(DemoCardTest, HasTheLayoutFoldersAndNamesByTheGrammar) {
    ASSERT_TRUE(card().ok) << card().error;
    EXPECT_EQ(Listing(root()), (std::set<std::string>{"Normal", "_NData", "Parking", "_PData"}));

    // Two runs of three (impact, manual among them), a time-lapse run, a parking run.
    const std::vector<std::string> letters = {"A__S", "AG__", "AM__", "A__S", "AG__",
                                              "A___", "T__S", "P__S", "PG__", "P_T_"};
    ASSERT_EQ(card().recordings.size(), letters.size());
    const std::regex mainName("[APT_][GM_][ORT_][S_]-[0-9]{6}-[0-9]{6}-[0-9]{6}M.MOV");
    std::map<std::string, std::set<std::string>> expected;
    for (size_t i = 0; i < letters.size(); ++i) {
        const RecordingFiles& r = card().recordings[i];
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.name.substr(0, 4), letters[i]);
        EXPECT_TRUE(std::regex_match(r.name, mainName));
        EXPECT_EQ(std::stoi(r.name.substr(19, 6)), 101 + int(i)) << "running file numbers";
        const bool parking = letters[i][0] == 'P';
        const std::string stem = r.name.substr(0, 25);
        EXPECT_EQ(r.movie, root() + (parking ? "/Parking/" : "/Normal/") + r.name);
        EXPECT_EQ(r.sub, root() + (parking ? "/Parking/" : "/Normal/") + stem + "S.MOV");
        EXPECT_EQ(r.data, root() + (parking ? "/_PData/" : "/_NData/") + stem + "D.ADA");
        expected[parking ? "Parking" : "Normal"].insert({stem + "M.MOV", stem + "S.MOV"});
        expected[parking ? "_PData" : "_NData"].insert(stem + "D.ADA");
#ifdef QUORVA_HAVE_RECORDING_NAMES
        SetCurrentLayout(0);
        EXPECT_TRUE(IsMainRecordingName(r.movie));
        EXPECT_TRUE(IsRecordingName(r.sub));
        EXPECT_FALSE(IsMainRecordingName(r.sub));
        EXPECT_EQ(SubCameraPath(r.movie), r.sub);
        EXPECT_EQ(DriveDataPath(r.movie), r.data);
#endif
    }
    for (const auto& [folder, names] : expected)
        EXPECT_EQ(Listing(root() + "/" + folder), names);

    // Consecutive recordings of a run start one length apart; runs start later.
    const auto& rec = card().recordings;
    EXPECT_EQ(SecondsOf(rec[1].plan.start) - SecondsOf(rec[0].plan.start), 3);
    EXPECT_EQ(SecondsOf(rec[2].plan.start) - SecondsOf(rec[1].plan.start), 3);
    EXPECT_GT(SecondsOf(rec[3].plan.start) - SecondsOf(rec[2].plan.start), 600);
    EXPECT_EQ(rec[0].name.substr(5, 13), "240518-091230");
}

// One decoded drive-data record (only what the checks below need).
struct Rec {
    char status;
    std::string lat, lng, speed, time, voltage;
    int g[3];
    char mark72, axis, mark75, mark76;
};

std::vector<Rec> Records(const std::vector<uint8_t>& f, size_t count) {
    std::vector<Rec> out;
    for (size_t i = 0; i < count; ++i) {
        const char* r = reinterpret_cast<const char*>(f.data() + 34 + 124 * i);
        Rec x{r[5], {r + 6, 9}, {r + 16, 10}, {r + 27, 4}, {r + 31, 12}, {r + 48, 3},
              {},   r[72],      r[73],        r[75],       r[76]};
        for (int a = 0; a < 3; ++a)
            x.g[a] = std::stoi(std::string(r + 57 + 5 * a, 5));
        out.push_back(x);
    }
    return out;
}

double Degrees(const std::string& field) {
    const double v = std::stod(field);
    return int(v) / 100 + std::fmod(v, 100.0) / 60.0;
}

TEST_F(DemoCardTest, DriveDataFollowsEachRecording) {
    ASSERT_TRUE(card().ok) << card().error;
    std::set<char> axes, marks;
    for (const RecordingFiles& r : card().recordings) {
        SCOPED_TRACE(r.name);
        const auto f = test::ReadAll(r.data);
        const bool timeLapse = r.name[0] == 'T' || r.name[2] == 'T';
        const bool parking = r.name[0] == 'P';
        const size_t n = timeLapse ? 45 : 30;  // 3 s at 66.666664 ms or 100 ms a record
        ASSERT_EQ(f.size(), 34 + 124 * n + 12);
        EXPECT_EQ(std::string(f.begin(), f.begin() + 6), "CSMDAT");
        EXPECT_EQ(f[32] << 8 | f[33], int(n));
        EXPECT_EQ(std::string(f.end() - 12, f.end()), "CSMEND240401");
        EXPECT_EQ(r.records, int(n));
        // The main movie carries the same block in its "udat" box.
        const auto movie = test::ReadAll(r.movie);
        EXPECT_NE(std::search(movie.begin(), movie.end(), f.begin(), f.end()), movie.end());

        const auto recs = Records(f, n);
        double lastLat = 0, lastLng = 0;
        for (size_t i = 0; i < n; ++i) {
            const Rec& x = recs[i];
            // Local time: the name's start plus the record's real time (1 s per
            // time-lapse record, 100 ms otherwise).
            const int64_t offset = timeLapse ? int64_t(i) : int64_t(i) / 10;
            EXPECT_EQ(x.time, RecordTime(AddSeconds(r.plan.start, offset))) << i;
            if (x.status == 'A') {
                const double lat = Degrees(x.lat), lng = Degrees(x.lng);
                EXPECT_TRUE(lat > 35.67 && lat < 35.70 && lng > 139.74 && lng < 139.77)
                    << lat << "," << lng;
                const int speed = std::stoi(x.speed);
                EXPECT_LE(speed, 60);
                if (parking) {
                    EXPECT_EQ(speed, 0);
                }
                if (lastLat != 0) {  // no jumps: at most 20 m per record (72 km/h at 1 s)
                    const double dy = (lat - lastLat) * 111320, dx = (lng - lastLng) * 90400;
                    EXPECT_LT(std::hypot(dx, dy), 20.0) << i;
                }
                lastLat = lat;
                lastLng = lng;
            } else {
                EXPECT_EQ(x.lat, std::string(9, ' '));
                EXPECT_EQ(x.speed, "    ");
            }
            if (parking)
                EXPECT_TRUE(std::isdigit(x.voltage[0]) && std::stoi(x.voltage) > 110) << i;
            else
                EXPECT_EQ(x.voltage, "   ");
            if (x.axis != ' ') axes.insert(x.axis);
            for (auto [c, m] : {std::pair{x.mark72, '5'}, {x.mark75, '6'}, {x.mark76, '7'}})
                if (c == 'D') marks.insert(m);
        }
        // The first recording of the day starts without a fix; all others have one.
        const auto noFix =
            std::count_if(recs.begin(), recs.end(), [](const Rec& x) { return x.status != 'A'; });
        EXPECT_EQ(noFix, &r == &card().recordings[0] ? 12 : 0);
        // Impacts show a G peak on the axis they mark.
        if (r.name[1] == 'G') {
            int peak = 0;
            for (const Rec& x : recs)
                if (x.axis != ' ') peak = std::max(peak, std::abs(x.g[x.axis - 'X']));
            EXPECT_GT(peak, 600) << "above the header threshold";
        }
    }
    EXPECT_EQ(axes, (std::set<char>{'X', 'Y', 'Z'}));
    EXPECT_EQ(marks, (std::set<char>{'5', '6', '7'}));
}

TEST_F(DemoCardTest, MoviesDecodeAndShowTheirCameraAndFrame) {
    ASSERT_TRUE(card().ok) << card().error;
    if (!test::HaveFfmpeg()) GTEST_SKIP() << "ffmpeg/ffprobe not installed";
    for (const RecordingFiles& r : card().recordings) {
        EXPECT_EQ(test::DecodeErrors(r.movie), "") << r.movie;
        EXPECT_EQ(test::DecodeErrors(r.sub), "") << r.sub;
    }
    const RecordingFiles& r = card().recordings[6];  // the time-lapse recording
    EXPECT_EQ(
        test::ProbeStream(r.movie, 0, "width") + "x" + test::ProbeStream(r.movie, 0, "height"),
        "640x360");
    EXPECT_EQ(test::ProbeStream(r.movie, 0, "nb_frames"), "90");
    EXPECT_EQ(test::ProbeStream(r.movie, 1, "codec_name"), "aac");
    EXPECT_EQ(test::ProbeStream(r.sub, 0, "width") + "x" + test::ProbeStream(r.sub, 0, "height"),
              "320x180");
    EXPECT_EQ(test::ProbeStream(r.sub, 0, "r_frame_rate"), "55/2");
    EXPECT_EQ(test::ProbeStream(r.sub, 1, "codec_name"), "") << "no sound in the sub camera";
    for (auto [path, camera, frames] : {std::tuple{r.movie, 0, 90}, {r.sub, 1, 83}}) {
        const auto d = test::DecodeStamps(path);
        ASSERT_EQ(d.stamps.size(), size_t(frames)) << path;
        for (int i = 0; i < frames; ++i) {
            ASSERT_TRUE(d.stamps[size_t(i)]) << path << " frame " << i;
            EXPECT_EQ(*d.stamps[size_t(i)], (FrameStamp{camera, i}));
        }
    }
}

TEST(CardWriter, WritesLayoutOneAndHonoursTheOptions) {
    QuietCodecLogs();
    test::TempDir dir;
    CardRecipe desc;
    desc.root = dir.path();
    desc.layout = 1;
    desc.runs = 1;
    desc.perRun = 2;
    desc.seconds = 1.0;
    desc.extras = false;
    desc.sub = false;
    desc.width = 320;
    desc.height = 180;
    const CardResult card = WriteDemoCard(desc);
    ASSERT_TRUE(card.ok) << card.error;
    EXPECT_EQ(Listing(dir.path()), (std::set<std::string>{"Video", "_VData", "Parking", "_PData"}));
    ASSERT_EQ(card.recordings.size(), 2u);
    EXPECT_EQ(Listing(dir / "Video"), (std::set<std::string>{"A__S-240518-091230-000101M.MOV",
                                                             "AG__-240518-091231-000102M.MOV"}));
    EXPECT_EQ(Listing(dir / "_VData"), (std::set<std::string>{"A__S-240518-091230-000101D.ADA",
                                                              "AG__-240518-091231-000102D.ADA"}));
    EXPECT_TRUE(Listing(dir / "Parking").empty());
    EXPECT_EQ(card.recordings[0].sub, "");
    EXPECT_EQ(card.recordings[0].frames, 30);
    EXPECT_EQ(card.recordings[0].records, 10);

    CardRecipe bad = desc;
    bad.layout = 2;
    EXPECT_FALSE(WriteDemoCard(bad).ok);
    bad = desc;
    bad.root = dir / "_VData/A__S-240518-091230-000101D.ADA";  // a file, not a folder
    const CardResult refused = WriteDemoCard(bad);
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.error.empty());
}

TEST(CardWriter, WritesABackupCopyWithMainAndSubFolders) {
    QuietCodecLogs();
    test::TempDir dir;
    CardRecipe desc;
    desc.root = dir.path();
    desc.backup = true;
    desc.runs = 1;
    desc.perRun = 1;
    desc.seconds = 0.5;
    desc.width = desc.subWidth = 160;
    desc.height = desc.subHeight = 96;
    const CardResult card = WriteDemoCard(desc);
    ASSERT_TRUE(card.ok) << card.error;
    EXPECT_EQ(Listing(dir.path()), (std::set<std::string>{"Main", "Sub_"}));
    ASSERT_EQ(card.recordings.size(), 5u);  // with the time-lapse and parking recordings
    std::set<std::string> main, sub;
    for (const RecordingFiles& r : card.recordings) {
        const std::string stem = r.name.substr(0, 25);
        EXPECT_EQ(r.movie, dir / ("Main/" + r.name));
        EXPECT_EQ(r.sub, dir / ("Sub_/" + stem + "S.MOV"));
        EXPECT_EQ(r.data, dir / ("Main/" + stem + "D.ADA")) << "drive data beside the movie";
        main.insert({r.name, stem + "D.ADA"});
        sub.insert(stem + "S.MOV");
#ifdef QUORVA_HAVE_RECORDING_NAMES
        SetCurrentLayout(0);
        EXPECT_EQ(SubCameraPath(r.movie), r.sub);
        EXPECT_EQ(SubCameraPath(r.sub), r.movie);
        EXPECT_EQ(DriveDataPath(r.movie), r.data);
#endif
    }
    EXPECT_EQ(Listing(dir / "Main"), main);
    EXPECT_EQ(Listing(dir / "Sub_"), sub);
}

#ifdef QUORVA_CLI_PATH
TEST(MakeDemoCardCommand, AnswersTheWrittenPathsAsJson) {
    test::TempDir dir;
    int rc = -1;
    const std::string out =
        test::Run(std::string(QUORVA_CLI_PATH) + " make-demo-card '" + dir.path() +
                      "' --runs 1 --per-run 2 --seconds 1 --size 320x180 --sub-size 160x90"
                      " --layout 1 2>/dev/null",
                  &rc);
    ASSERT_EQ(rc, 0) << out;
    EXPECT_NE(out.find("\"dir\":\"" + dir.path() + "\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"layout\":1"), std::string::npos) << out;
    // Two continuous recordings, the time-lapse one and three parking ones.
    size_t movies = 0;
    for (size_t at = out.find("\"movie\":\""); at != std::string::npos;
         at = out.find("\"movie\":\"", at + 1)) {
        ++movies;
        const size_t start = at + 9, end = out.find('"', start);
        EXPECT_TRUE(fs::exists(out.substr(start, end - start))) << out.substr(start, end - start);
    }
    EXPECT_EQ(movies, 6u);
    EXPECT_NE(out.find("\"kind\":\"parking-time-lapse\""), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "Video/A__S-240518-091230-000101S.MOV"));

    for (const char* args : {"", " --layout 3", " --size 33x20", " --runs", " --bogus"}) {
        test::Run(std::string(QUORVA_CLI_PATH) + " make-demo-card" +
                      (args[0] ? " '" + dir.path() + "/x'" : std::string()) + args + " 2>/dev/null",
                  &rc);
        EXPECT_NE(rc, 0) << args;
    }
    EXPECT_FALSE(fs::exists(dir / "x")) << "refused arguments write nothing";
}
#endif

}  // namespace
}  // namespace quorva::cardwriter
