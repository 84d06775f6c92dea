// Checks against the independent tools: our movie facts against ffprobe, and joined movies
// decoded by ffmpeg (no error, every frame there and in order). Skipped without the tools.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "container/drive_data_store.h"
#include "container/join_recordings.h"
#include "container/mp4_movie.h"
#include "container_fixtures.h"
#include "peer_movies.h"
#include "recordings/recording_name.h"

#ifdef QUORVA_HAVE_CARDWRITER
#include "cardwriter/card_writer.h"
#include "cardwriter/frame_stamp.h"
#include "cardwriter/movie_writer.h"
#endif

namespace quorva {
namespace {

namespace fs = std::filesystem;

#ifdef QUORVA_HAVE_CARDWRITER

// ffprobe's facts, the quoting and the rate fractions are the peer table's own.
using peers::Quote;
using peers::Rate;
std::map<std::string, std::string> Probe(const std::string& movie) {
    return peers::ProbeVideo(movie);
}

#ifdef QUORVA_CLI
// A number field of a flat JSON answer.
double JsonNumber(const std::string& json, const std::string& key) {
    const auto at = json.find("\"" + key + "\":");
    if (at == std::string::npos) return -1e300;
    return std::stod(json.substr(at + key.size() + 3));
}
#endif

struct Info {
    int width = -1, height = -1;
    int64_t frames = -1;
    double fps = -1;
};

// Our facts, through quorva-cli info when it is built, else through the library.
Info OurInfo(const std::string& movie) {
    Info info;
#ifdef QUORVA_CLI
    std::string out;
    if (!test::RunCommand(std::string(QUORVA_CLI) + " info " + Quote(movie), &out)) return info;
    info.width = static_cast<int>(JsonNumber(out, "width"));
    info.height = static_cast<int>(JsonNumber(out, "height"));
    info.frames = static_cast<int64_t>(JsonNumber(out, "frames"));
    info.fps = JsonNumber(out, "fps");
#else
    auto m = OpenMovie(movie);
    if (!m) return info;
    info.width = VideoSize(*m).width;
    info.height = VideoSize(*m).height;
    info.frames = FrameCount(*m);
    info.fps = FramesPerSecond(*m);
#endif
    return info;
}

void ExpectAgreesWithFfprobe(const std::string& movie) {
    const auto peer = Probe(movie);
    ASSERT_FALSE(peer.empty()) << movie;
    const Info ours = OurInfo(movie);
    EXPECT_EQ(ours.width, std::stoi(peer.at("width"))) << movie;
    EXPECT_EQ(ours.height, std::stoi(peer.at("height"))) << movie;
    EXPECT_EQ(ours.frames, std::stoll(peer.at("nb_read_frames"))) << movie;
    EXPECT_NEAR(ours.fps, Rate(peer.at("avg_frame_rate")), 0.01) << movie;
}

bool HaveTools() {
    return test::HaveTool("ffprobe") && test::HaveTool("ffmpeg");
}

std::string WriteMovie(const std::string& path, int w, int h, cardwriter::FrameRate rate,
                       int frames, bool audio, cardwriter::MovieQuirks quirks = {}) {
    cardwriter::MovieRecipe desc;
    desc.width = w;
    desc.height = h;
    desc.rate = rate;
    desc.frames = frames;
    desc.audio = audio;
    desc.quirks = quirks;
    std::string error;
    EXPECT_TRUE(cardwriter::WriteMovie(path, desc, &error)) << error;
    return path;
}

// ffmpeg's error lines while decoding the whole movie ("" when it decodes cleanly).
std::string DecodeErrors(const std::string& movie) {
    std::string out;
    test::RunCommand("ffmpeg -nostdin -v error -i " + Quote(movie) + " -f null - 2>&1", &out);
    return out;
}

// The frame stamps of every decoded picture, in presentation order.
std::vector<cardwriter::FrameStamp> DecodedStamps(const std::string& movie, int w, int h) {
    std::vector<cardwriter::FrameStamp> stamps;
    FILE* p = popen(("ffmpeg -nostdin -v error -i " + Quote(movie) +
                     " -map 0:v:0 -f rawvideo -pix_fmt gray - 2>/dev/null")
                        .c_str(),
                    "r");
    if (!p) return stamps;
    std::vector<uint8_t> picture(static_cast<size_t>(w) * h);
    while (fread(picture.data(), 1, picture.size(), p) == picture.size()) {
        const auto s = cardwriter::ReadFrameStamp(picture.data(), w, h, w);
        stamps.push_back(s.value_or(cardwriter::FrameStamp{-1, -1}));
    }
    pclose(p);
    return stamps;
}

#endif

TEST(Peers, InfoAgreesWithFfprobe) {
#ifndef QUORVA_HAVE_CARDWRITER
    GTEST_SKIP() << "no card writer";
#else
    if (!HaveTools()) GTEST_SKIP() << "no ffprobe";
    test::TempDir dir;
    struct Case {
        int w, h;
        cardwriter::FrameRate rate;
        int frames;
        bool audio;
        cardwriter::MovieQuirks quirks;
    } cases[] = {
        {640, 360, {30, 1}, 60, true, {}},
        {1280, 720, {30000, 1001}, 45, true, {}},
        {320, 180, {55, 2}, 40, false, {}},
        {352, 288, {15, 1}, 20, false, {true, false, false, -1}},  // wide box
        {640, 480, {25, 1}, 30, true, {false, true, false, -1}},   // split time-to-sample
        {480, 270, {24, 1}, 24, true, {false, false, true, -1}},   // movie box first
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string path = WriteMovie(dir / ("m" + std::to_string(n++) + ".MOV"), c.w, c.h,
                                            c.rate, c.frames, c.audio, c.quirks);
        ExpectAgreesWithFfprobe(path);
    }
#endif
}

TEST(Peers, JoinedCardRecordingsDecodeCompletelyAndInOrder) {
#ifndef QUORVA_HAVE_CARDWRITER
    GTEST_SKIP() << "no card writer";
#else
    if (!HaveTools()) GTEST_SKIP() << "no ffmpeg";
    test::TempDir card, out;
    cardwriter::QuietCodecLogs();
    cardwriter::CardRecipe desc;
    desc.root = card.path().string();
    desc.runs = 1;
    desc.perRun = 3;
    desc.seconds = 2.0;
    desc.extras = false;
    desc.sub = false;
    const cardwriter::CardResult written = cardwriter::WriteDemoCard(desc);
    ASSERT_TRUE(written.ok) << written.error;
    ASSERT_EQ(written.recordings.size(), 3u);

    std::vector<RecordingEntry> selected;
    int frames = 0, records = 0;
    std::vector<cardwriter::FrameStamp> expected;
    for (const auto& r : written.recordings) {
        RecordingEntry e;
        e.path = r.movie;
        e.movieSize = fs::file_size(r.movie);
        selected.push_back(e);
        for (int i = 0; i < r.frames; ++i)
            expected.push_back({0, i});
        frames += r.frames;
        records += r.records + (selected.size() > 1 ? 2 : 0);
    }
    JoinOptions options;
    options.syncToDisk = false;
    const JoinResult result = JoinRecordings(selected, out.path().string(), options);
    ASSERT_TRUE(result.ok()) << result.error;

    EXPECT_EQ(DecodeErrors(result.moviePath), "");
    const auto peer = Probe(result.moviePath);
    EXPECT_EQ(std::stoi(peer.at("nb_read_frames")), frames);
    ExpectAgreesWithFfprobe(result.moviePath);
    EXPECT_EQ(DecodedStamps(result.moviePath, desc.width, desc.height), expected);

    DriveDataStore data;
    ASSERT_TRUE(data.Load(result.dataPath));
    EXPECT_EQ(data.RecordCount(), records);
#endif
}

TEST(Peers, JoinedMoviesWithCommonToolQuirksDecode) {
#ifndef QUORVA_HAVE_CARDWRITER
    GTEST_SKIP() << "no card writer";
#else
    if (!HaveTools()) GTEST_SKIP() << "no ffmpeg";
    struct Case {
        const char* what;
        cardwriter::MovieQuirks quirks;
    } cases[] = {
        {"wide box", {true, false, false, -1}},
        {"split time-to-sample", {false, true, false, -1}},
        {"movie box first", {false, false, true, -1}},
    };
    for (const auto& c : cases) {
        test::TempDir src, out;
        std::vector<RecordingEntry> selected;
        std::vector<cardwriter::FrameStamp> expected;
        for (int i = 0; i < 3; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "A___-240131-0830%02d-%06dM.MOV", i * 2, 10 + i);
            RecordingEntry e;
            e.path = WriteMovie(src / name, 320, 240, {30, 1}, 20 + 5 * i, true, c.quirks);
            selected.push_back(e);
            for (int f = 0; f < 20 + 5 * i; ++f)
                expected.push_back({0, f});
        }
        JoinOptions options;
        options.syncToDisk = false;
        const JoinResult result = JoinRecordings(selected, out.path().string(), options);
        ASSERT_TRUE(result.ok()) << c.what << ": " << result.error;
        EXPECT_EQ(DecodeErrors(result.moviePath), "") << c.what;
        EXPECT_EQ(DecodedStamps(result.moviePath, 320, 240), expected) << c.what;
        ExpectAgreesWithFfprobe(result.moviePath);
        EXPECT_EQ(result.dataPath, "") << c.what;  // no drive data beside these movies
    }
#endif
}

TEST(Peers, JoinedFfmpegMoviesWithBFramesDecodeInTimeOrder) {
#ifndef QUORVA_HAVE_CARDWRITER
    GTEST_SKIP() << "no card writer";
#else
    if (!HaveTools()) GTEST_SKIP() << "no ffmpeg";
    // ffmpeg's own MOV output: a "wide" box, B-frames (composition offsets), AAC sound.
    test::TempDir src, out;
    std::vector<RecordingEntry> selected;
    for (int i = 0; i < 2; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "A___-240131-08300%d-00000%dM.MOV", i, i + 1);
        RecordingEntry e;
        e.path = src / name;
        ASSERT_TRUE(test::RunCommand(
            "ffmpeg -nostdin -v error -f lavfi -i testsrc=size=320x240:rate=30 -f lavfi -i "
            "sine=frequency=440 -t " +
            std::to_string(2 + i) + " -c:v libx264 -bf 2 -g 15 -c:a aac -shortest " +
            Quote(e.path)));
        selected.push_back(e);
    }
    JoinOptions options;
    options.syncToDisk = false;
    const JoinResult result = JoinRecordings(selected, out.path().string(), options);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(DecodeErrors(result.moviePath), "");
    ExpectAgreesWithFfprobe(result.moviePath);
    EXPECT_EQ(OurInfo(result.moviePath).frames, 150);
    // Presentation times run on without a step back or a gap.
    std::string times;
    ASSERT_TRUE(
        test::RunCommand("ffprobe -v error -select_streams v:0 -show_entries frame=pts_time "
                         "-of default=nw=1:nk=1 " +
                             Quote(result.moviePath),
                         &times));
    std::istringstream lines(times);
    std::vector<double> pts;
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) pts.push_back(std::stod(line));
    ASSERT_EQ(pts.size(), 150u);
    for (size_t i = 1; i < pts.size(); ++i)
        EXPECT_NEAR(pts[i] - pts[i - 1], 1.0 / 30, 1e-3) << i;
#endif
}

}  // namespace
}  // namespace quorva
