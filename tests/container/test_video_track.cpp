// The video track's own facts and frames: the track chosen, its time scale and tables, edit
// lists, variable frame rates, fragments, 64-bit boxes and chunk offsets, movies cut short,
// the display matrix, and the reasons a movie is refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "container/drive_data_store.h"
#include "container/video_track.h"
#include "container_fixtures.h"

namespace quorva {
namespace {

using test::Bytes;
using test::TestBox;
using test::TrackRecipe;

std::unique_ptr<sMP4MOVIE> OpenBytes(const test::TempDir& dir, const Bytes& bytes,
                                     const std::string& name = "m.MOV") {
    test::WriteFile(dir / name, bytes);
    return OpenMovie(dir / name);
}

TrackRecipe Video(uint32_t frames, uint32_t timescale = 25, uint32_t delta = 1) {
    return TrackRecipe{true, 640, 360, frames, timescale, delta, 10, 5};
}
TrackRecipe Audio(uint32_t frames) {
    return TrackRecipe{false, 0, 0, frames, 48000, 1024, 6, 0};
}

TEST(VideoTrack, TheVideoTrackAnswersWhateverTrackComesFirst) {
    test::TempDir dir;
    test::MovieRecipe desc;
    // Sound first and longer than the pictures: 3.2 s of sound, 2.4 s of pictures at 25 fps.
    desc.tracks = {Audio(150), Video(60)};
    auto movie = OpenBytes(dir, test::MakeMovie(desc));
    ASSERT_TRUE(movie);
    EXPECT_EQ(VideoSize(*movie).width, 640);
    EXPECT_EQ(FrameCount(*movie), 60);
    EXPECT_FLOAT_EQ(FramesPerSecond(*movie), 25.0f);
    FrameDurationInfo duration;
    ASSERT_TRUE(ReadFrameDuration(dir / "m.MOV", duration));
    EXPECT_FLOAT_EQ(duration.frameMs, 40.0f);
    EXPECT_FLOAT_EQ(duration.seconds, 2.4f);
    VideoTrack track;
    ASSERT_TRUE(ReadVideoTrack(*movie, track));
    EXPECT_EQ(track.trackId, 2u);
    EXPECT_EQ(track.timescale, 25u);
    EXPECT_EQ(track.codec, "avc1");
    EXPECT_TRUE(track.ConstantRate());
}

TEST(VideoTrack, RefusedMoviesSayWhy) {
    test::TempDir dir;
    struct Case {
        const char* what;
        Bytes bytes;
        std::string why;
    };
    std::vector<Case> cases;
    {
        test::MovieRecipe desc;
        desc.tracks = {Audio(40)};
        cases.push_back({"sound only", test::MakeMovie(desc), "no video track"});
    }
    const Bytes good = test::MakeMovie(test::MovieRecipe{});
    {
        // The recorder's layout cut inside its media data: no movie box is left.
        cases.push_back({"cut before the movie box", Bytes(good.begin(), good.begin() + 200),
                         "moov box missing (the movie is cut short)"});
    }
    {
        // The last box, "udat", cut: it now runs past the end of the file.
        const std::string text(good.begin(), good.end());
        const std::string at = std::to_string(text.rfind("udat") - 4);
        cases.push_back({"box past the end", Bytes(good.begin(), good.end() - 20),
                         "box at offset " + at + " runs past the end of the file"});
    }
    {
        test::MovieRecipe desc;
        desc.tracks[0].frames = 0;
        cases.push_back({"no samples", test::MakeMovie(desc), "the video track has no frames"});
    }
    cases.push_back({"not a movie", Bytes(400, 'x'), "moov box missing"});
    for (const auto& c : cases) {
        test::WriteFile(dir / "r.MOV", c.bytes);
        VideoTrack track;
        std::string why;
        EXPECT_FALSE(ReadMovieVideoTrack(dir / "r.MOV", track, &why)) << c.what;
        EXPECT_EQ(why, c.why) << c.what;
        EXPECT_EQ(track.FrameCount(), 0) << c.what;
    }
}

TEST(VideoTrack, SixtyFourBitSizesZeroSizeAndWideOffsetsAreRead) {
    test::TempDir dir;
    for (bool mdat64 : {false, true}) {
        for (bool co64 : {false, true}) {
            SCOPED_TRACE(std::to_string(mdat64) + std::to_string(co64));
            test::MovieRecipe desc;
            desc.tracks = {Video(30)};
            desc.mdat64 = mdat64;
            desc.co64 = co64;
            Bytes bytes = test::MakeMovie(desc);
            // The last top-level box ("udat") with size 0: it runs to the end of the file.
            const std::string text(bytes.begin(), bytes.end());
            const size_t udat = text.rfind("udat") - 4;
            std::fill_n(bytes.begin() + static_cast<long>(udat), 4, 0);
            auto movie = OpenBytes(dir, bytes);
            ASSERT_TRUE(movie);
            EXPECT_EQ(movie->First(kBoxMdat)->headerSize, mdat64 ? 16 : 8);
            EXPECT_EQ(movie->root.children.back().Type(), "udat");
            EXPECT_EQ(movie->root.children.back().size, bytes.size() - udat - 8);
            EXPECT_EQ(movie->root.children.back().recordCount, 3);
            VideoTrack track;
            ASSERT_TRUE(ReadVideoTrack(*movie, track));
            EXPECT_EQ(track.FrameCount(), 30);
            EXPECT_FALSE(track.cutShort);
        }
    }
}

TEST(VideoTrack, AMovieCutShortKeepsTheFramesWhoseDataIsInTheFile) {
    test::TempDir dir;
    for (bool co64 : {false, true}) {
        test::MovieRecipe desc;
        desc.tracks = {Video(50)};
        desc.moovFirst = true;
        desc.co64 = co64;
        const Bytes whole = test::MakeMovie(desc);
        // The media data (ten bytes a frame) ends the file; cut in the middle of frame 20.
        const size_t cut = whole.size() - 50 * 10 + 20 * 10 + 5;
        auto movie = OpenBytes(dir, Bytes(whole.begin(), whole.begin() + static_cast<long>(cut)));
        ASSERT_TRUE(movie);
        EXPECT_TRUE(movie->cutShort);
        EXPECT_EQ(FrameCount(*movie), 20);
        VideoTrack track;
        ASSERT_TRUE(ReadVideoTrack(*movie, track));
        EXPECT_TRUE(track.cutShort);
        EXPECT_EQ(track.samples, 50u);
        EXPECT_NEAR(track.Seconds(), 0.8, 1e-9);
    }
}

TEST(VideoTrack, TheEditListChoosesTheFramesShown) {
    test::TempDir dir;
    test::MovieRecipe desc;
    desc.movieTimescale = 1000;
    desc.tracks = {Video(50)};
    // The presentation starts 4 frames into the media (as a stream-copy cut writes), after
    // an empty edit of 0.5 s; the edit's length is the media's rest.
    desc.tracks[0].editMediaTime = 4;
    desc.tracks[0].emptyEdit = 500;
    auto movie = OpenBytes(dir, test::MakeMovie(desc));
    ASSERT_TRUE(movie);
    VideoTrack track;
    ASSERT_TRUE(ReadVideoTrack(*movie, track));
    // The edit covers 50 frames' length from media time 4: the 46 frames there are.
    EXPECT_EQ(track.FrameCount(), 46);
    EXPECT_EQ(track.frameTimes.front(), 0);
    EXPECT_EQ(track.frameTimes[1], 1);
    EXPECT_FALSE(track.keyFrames[0]);  // frame 4 of the media; sync samples are 0, 5, 10...
    EXPECT_TRUE(track.keyFrames[1]);
    EXPECT_FLOAT_EQ(FramesPerSecond(*movie), 25.0f);
}

TEST(VideoTrack, AVariableFrameRateKeepsEachFramesTime) {
    test::TempDir dir;
    test::MovieRecipe desc;
    TrackRecipe t = Video(45, 90000, 3000);  // 30 frames at 30 fps, then 15 at 15 fps
    t.deltas.assign(30, 3000);
    t.deltas.resize(45, 6000);
    desc.tracks = {t};
    auto movie = OpenBytes(dir, test::MakeMovie(desc));
    ASSERT_TRUE(movie);
    VideoTrack track;
    ASSERT_TRUE(ReadVideoTrack(*movie, track));
    EXPECT_FALSE(track.ConstantRate());
    ASSERT_EQ(track.FrameCount(), 45);
    const std::vector<double> ms = track.FrameTimesMs();
    EXPECT_NEAR(ms[29], 29 * 1000.0 / 30, 1e-9);
    EXPECT_NEAR(ms[30], 1000.0, 1e-9);
    EXPECT_NEAR(ms[44], 1000.0 + 14 * 1000.0 / 15, 1e-9);
    EXPECT_NEAR(track.Seconds(), 2.0, 1e-9);
    EXPECT_NEAR(track.FramesPerSecond(), 22.5, 1e-9);
}

TEST(VideoTrack, FragmentsGiveTheFramesTheirTimesAndKeyFrames) {
    test::TempDir dir;
    for (bool explicitDurations : {false, true}) {
        SCOPED_TRACE(explicitDurations);
        const Bytes bytes = test::MakeFragmentedMovie(4, 15, explicitDurations);
        auto movie = OpenBytes(dir, bytes);
        ASSERT_TRUE(movie);
        EXPECT_TRUE(IsFragmented(*movie));
        VideoTrack track;
        ASSERT_TRUE(ReadVideoTrack(*movie, track));
        EXPECT_TRUE(track.fragmented);
        EXPECT_EQ(track.width, 320);
        EXPECT_EQ(track.height, 240);
        ASSERT_EQ(track.FrameCount(), 60);
        EXPECT_NEAR(track.FramesPerSecond(), 30.0, 1e-9);
        EXPECT_NEAR(track.Seconds(), 2.0, 1e-9);
        EXPECT_TRUE(track.ConstantRate());
        for (int i = 0; i < 60; ++i) {
            EXPECT_EQ(track.keyFrames[i], i % 15 == 0) << i;
            EXPECT_EQ(track.frameTimes[i], 20 * i) << i;
        }
        // Cut inside the last fragment's data: its frames that are there stay.
        auto cut = OpenBytes(dir, Bytes(bytes.begin(), bytes.end() - 50 * 5 - 10), "cut.MOV");
        ASSERT_TRUE(cut);
        VideoTrack part;
        ASSERT_TRUE(ReadVideoTrack(*cut, part));
        EXPECT_EQ(part.FrameCount(), 60 - 6);
        EXPECT_TRUE(part.cutShort);
    }
}

TEST(VideoTrack, TheDisplayMatrixGivesTheClockwiseTurn) {
    struct Case {
        int32_t m[9];
        int turn;
    } cases[] = {
        {{0x10000, 0, 0, 0, 0x10000, 0, 0, 0, 0x40000000}, 0},
        {{0, 0x10000, 0, -0x10000, 0, 0, 1080 << 16, 0, 0x40000000}, 90},
        {{-0x10000, 0, 0, 0, -0x10000, 0, 1920 << 16, 1080 << 16, 0x40000000}, 180},
        {{0, -0x10000, 0, 0x10000, 0, 0, 0, 1920 << 16, 0x40000000}, 270},
        {{0, 0x20000, 0, -0x20000, 0, 0, 0, 0, 0x40000000}, 90},  // scaled
        {{0, 0, 0, 0, 0, 0, 0, 0, 0}, 0},                         // empty, as recorders write
    };
    for (const auto& c : cases)
        EXPECT_EQ(DisplayRotation(c.m), c.turn);
    test::TempDir dir;
    test::MovieRecipe desc;
    desc.tracks = {Video(10)};
    desc.tracks[0].rotation = 90;
    auto movie = OpenBytes(dir, test::MakeMovie(desc));
    ASSERT_TRUE(movie);
    VideoTrack track;
    ASSERT_TRUE(ReadVideoTrack(*movie, track));
    EXPECT_EQ(track.rotation, 90);
    EXPECT_EQ(track.width, 640);  // the size as stored
}

}  // namespace
}  // namespace quorva
