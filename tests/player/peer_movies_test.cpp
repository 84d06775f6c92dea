// Movies from other tools, checked against ffprobe and ffmpeg: info answers their facts,
// frame N is ffmpeg's frame N (also turned upright, past a cut, at any picture size), and
// playing ends at the movie's own duration.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

#include "container/video_track.h"
#include "peer_movies.h"
#include "player/offscreen_players.h"

namespace quorva::testing {
namespace {

using peers::PeerFrames;

// A number field of a flat JSON answer (NaN when absent).
double JsonNumber(const std::string& json, const std::string& key) {
    const auto at = json.find("\"" + key + "\":");
    if (at == std::string::npos) return std::nan("");
    return std::stod(json.substr(at + key.size() + 3));
}

// Mean absolute difference of the colour bytes of our picture and one of ffmpeg's (over
// every pixel of small pictures, over an even grid of some 250,000 of large ones).
double MeanDifference(const VideoFrame& ours, const std::vector<uint8_t>& theirs) {
    const int step = std::max(
        1, static_cast<int>(std::sqrt(static_cast<double>(ours.width) * ours.height / 250000.0)));
    uint64_t sum = 0, count = 0;
    for (int y = 0; y < ours.height; y += step) {
        const uint8_t* a = ours.Row(y);
        const uint8_t* b = theirs.data() + static_cast<size_t>(y) * ours.width * 4;
        for (int x = 0; x < ours.width; x += step) {
            for (int c = 0; c < 3; ++c)
                sum += static_cast<uint64_t>(std::abs(int(a[4 * x + c]) - int(b[4 * x + c])));
            count += 3;
        }
    }
    return static_cast<double>(sum) / static_cast<double>(count);
}

class PeerMovie : public ::testing::TestWithParam<std::string> {
  protected:
    static void SetUpTestSuite() {
        if (!peers::HaveTool("ffmpeg") || !peers::HaveTool("ffprobe")) return;
        std::string error;
        made_ = peers::EnsurePeerMovies(&error);
        if (!made_) ADD_FAILURE() << error;
    }
    void SetUp() override {
        if (!peers::HaveTool("ffmpeg") || !peers::HaveTool("ffprobe"))
            GTEST_SKIP() << "ffmpeg and ffprobe are the oracle";
        ASSERT_TRUE(made_);
        path_ = peers::PeerMoviePath(GetParam());
        peer_ = peers::ProbeVideo(path_);
        ASSERT_TRUE(peer_.count("nb_read_frames")) << path_;
        frames_ = std::stoll(peer_.at("nb_read_frames"));
        ASSERT_GT(frames_, 0);
    }
    static inline bool made_ = false;
    std::string path_;
    std::map<std::string, std::string> peer_;
    int64_t frames_ = 0;
};

// quorva-cli info's answer (where the tool is built; the sanitizer build answers from the
// library the tool uses).
std::string Info(const std::string& path) {
#ifdef QUORVA_CLI_PATH
    std::string out;
    EXPECT_TRUE(
        peers::RunCommand(std::string(QUORVA_CLI_PATH) + " info " + peers::Quote(path), &out))
        << out;
    return out;
#else
    VideoTrack track;
    if (!ReadMovieVideoTrack(path, track)) return "";
    return "{\"width\":" + std::to_string(track.width) +
           ",\"height\":" + std::to_string(track.height) +
           ",\"frames\":" + std::to_string(track.FrameCount()) +
           ",\"fps\":" + std::to_string(track.FramesPerSecond()) +
           ",\"rotation\":" + std::to_string(track.rotation) + "}";
#endif
}

// info answers ffprobe's facts, and frame N is ffmpeg's frame N.
TEST_P(PeerMovie, AgreesWithFfprobeAndFfmpeg) {
    const std::string out = Info(path_);
    EXPECT_EQ(JsonNumber(out, "width"), std::stoi(peer_.at("width"))) << out;
    EXPECT_EQ(JsonNumber(out, "height"), std::stoi(peer_.at("height"))) << out;
    EXPECT_EQ(JsonNumber(out, "frames"), frames_) << out;
    EXPECT_NEAR(JsonNumber(out, "fps"), peers::Rate(peer_.at("avg_frame_rate")), 0.01) << out;
    // ffprobe names the matrix's turn counter-clockwise; we answer the clockwise turn that
    // shows the picture upright.
    const int turn = peer_.count("rotation") ? std::stoi(peer_.at("rotation")) : 0;
    EXPECT_EQ(JsonNumber(out, "rotation"), ((-turn) % 360 + 360) % 360) << out;

    // Frames 0, 1, either side of the first key frame after them, the middle, the last.
    std::set<int64_t> targets = {0, 1, frames_ / 2, frames_ - 1};
    const std::vector<bool> keys = peers::KeyFrames(path_);
    for (size_t k = 2; k < keys.size(); ++k) {
        if (keys[k]) {
            targets.insert({static_cast<int64_t>(k) - 1, static_cast<int64_t>(k)});
            break;
        }
    }
    std::vector<int64_t> wanted;
    for (int64_t t : targets)
        for (int64_t n : {t - 1, t, t + 1})
            if (n >= 0 && n < frames_) wanted.push_back(n);
    PeerFrames peer;
    std::string error;
    ASSERT_TRUE(peers::DecodeFrames(path_, wanted, peer, &error)) << error;

    OffscreenPlayers players(1);
    ASSERT_TRUE(players.Open(path_, &error)) << error;
    PlayerSlot& slot = players.slot(0);
    ASSERT_EQ(slot.ops->GetDuration(slot), frames_);
    auto check = [&](int64_t target, int64_t expected) {
        SCOPED_TRACE("frame " + std::to_string(target));
        ASSERT_TRUE(players.SeekAndWait(target));
        EXPECT_EQ(slot.ops->GetPosition(slot), expected);
        const FramePtr picture = CurrentPicture(slot);
        ASSERT_TRUE(picture);
        ASSERT_EQ(picture->width, peer.width);
        ASSERT_EQ(picture->height, peer.height);
        ASSERT_TRUE(peer.pictures.count(expected));
        const double same = MeanDifference(*picture, peer.pictures.at(expected));
        EXPECT_LT(same, 2.5);
        for (int64_t n : {expected - 1, expected + 1}) {
            if (!peer.pictures.count(n)) continue;
            EXPECT_LT(same, 0.5 * MeanDifference(*picture, peer.pictures.at(n))) << n;
        }
    };
    for (int64_t t : targets)
        if (t >= 0 && t < frames_) check(t, t);
    // A frame past the end shows the last one and answers its position.
    check(frames_ + 10, frames_ - 1);
}

TEST_P(PeerMovie, PlayEndsAtTheMoviesOwnDuration) {
    const double shown = peers::ShownSeconds(path_);
    ASSERT_GT(shown, 0.0);
    OffscreenPlayers players(1);
    std::string error;
    ASSERT_TRUE(players.Open(path_, &error)) << error;
    // Twice the normal rate (every frame still shown) keeps the run short.
    const PlaybackReport r = players.Play(2, shown / 2 + 10.0);
    EXPECT_TRUE(r.ended);
    EXPECT_NEAR(r.mediaSeconds, shown, 0.05 * shown);
    EXPECT_GT(r.presented + r.dropped, 0);
}

// One movie of the table, made (once) and checked against ffmpeg.
class PeerMovieForm : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!peers::HaveTool("ffmpeg") || !peers::HaveTool("ffprobe"))
            GTEST_SKIP() << "ffmpeg and ffprobe are the oracle";
        std::string error;
        ASSERT_TRUE(peers::EnsurePeerMovies(&error)) << error;
    }
};

TEST_F(PeerMovieForm, FrameStepReachesEveryFrameOfAVariableRate) {
    const std::string path = peers::PeerMoviePath("vfr_30_then_15.mp4");
    const int64_t frames = std::stoll(peers::ProbeVideo(path).at("nb_read_frames"));
    std::vector<int64_t> all;
    for (int64_t n = 0; n < frames; ++n)
        all.push_back(n);
    PeerFrames peer;
    std::string error;
    ASSERT_TRUE(peers::DecodeFrames(path, all, peer, &error)) << error;
    OffscreenPlayers players(1);
    ASSERT_TRUE(players.Open(path, &error)) << error;
    PlayerSlot& slot = players.slot(0);
    ASSERT_TRUE(players.SeekAndWait(0));
    const FrameTimeline& timeline = slot.engine->Timeline();
    EXPECT_FALSE(timeline.IsConstant());
    for (int64_t n = 0; n < frames; ++n) {
        if (n > 0) {
            ASSERT_TRUE(StepFrame(slot)) << n;
        }
        EXPECT_EQ(slot.ops->GetPosition(slot), n);
        const FramePtr picture = CurrentPicture(slot);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->position, n);
        EXPECT_DOUBLE_EQ(picture->mediaMs, timeline.StartMs(n));
        EXPECT_LT(MeanDifference(*picture, peer.pictures.at(n)), 2.5) << n;
    }
    EXPECT_FALSE(StepFrame(slot));  // the last frame
    // From 30 to 15 frames a second: frame 36 starts 1.2 s in, frame 37 a fifteenth later.
    EXPECT_NEAR(timeline.StartMs(36), 1200.0, 0.01);
    EXPECT_NEAR(timeline.StartMs(37) - timeline.StartMs(36), 1000.0 / 15, 0.01);
}

TEST_F(PeerMovieForm, SnapshotsOfATurnedMovieAreUpright) {
    const std::string path = peers::PeerMoviePath("rotation_90.mp4");
    OffscreenPlayers players(1);
    std::string error;
    ASSERT_TRUE(players.Open(path, &error)) << error;
    ASSERT_TRUE(players.SeekAndWait(12));
    PlayerSlot& slot = players.slot(0);
    int w = 0, h = 0;
    ASSERT_EQ(slot.ops->GetVideoSize(slot, &w, &h), 1);
    EXPECT_EQ(w, 180);
    EXPECT_EQ(h, 320);
    const std::string shot = ::testing::TempDir() + "quorva-turned.jpg";
    ASSERT_EQ(slot.ops->SaveSnapshot(slot, shot), 1);
    const QImage image(QString::fromStdString(shot));
    EXPECT_EQ(image.width(), 180);
    EXPECT_EQ(image.height(), 320);
    std::filesystem::remove(shot);
}

std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const auto& m : peers::PeerMovieTable())
        names.push_back(m.name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(Ffmpeg, PeerMovie, ::testing::ValuesIn(Names()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
}  // namespace quorva::testing
