// DriveDataStore: frame index and links, moves, searches, header/trailer/frame-duration reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <thread>

#include "container/drive_data_block.h"
#include "container/drive_data_store.h"
#include "container_fixtures.h"

namespace quorva {
namespace {

using test::Bytes;

constexpr const char* kDriveName = "A___-240131-083015-000123D.ADA";

class StoreTest : public ::testing::Test {
  protected:
    std::string Write(const Bytes& bytes, const std::string& name = kDriveName) {
        test::WriteFile(dir_ / name, bytes);
        return dir_ / name;
    }
    test::TempDir dir_;
};

TEST_F(StoreTest, FrameIndexAtThirtyFramesPerSecond) {
    DriveDataStore s;
    ASSERT_TRUE(s.Load(Write(test::MakeBlock(test::MakeRecords(20)))));
    s.SetFrameDuration(33.3667f);
    ASSERT_TRUE(s.BuildFrameIndex(60));
    const auto& g = s.GSensor();
    EXPECT_EQ(g[1].position, 2);  // 100 ms
    EXPECT_EQ(g[10].position, 29);
    ASSERT_EQ(s.FrameIndex().size(), 60u);
    EXPECT_EQ(s.FrameIndex()[0], &g[0]);
    EXPECT_EQ(s.FrameIndex()[1], &g[0]);
    EXPECT_EQ(s.FrameIndex()[2], &g[0]);
    EXPECT_EQ(s.FrameIndex()[3], &g[1]);
    // The cursor moves one sample per frame at most; past the samples the last one stays.
    EXPECT_EQ(s.FrameIndex()[59], &g[19]);
    EXPECT_EQ(s.SampleAtFrame(3), &g[1]);
    EXPECT_EQ(s.SampleAtFrame(60), nullptr);
    EXPECT_EQ(s.SampleAtFrame(-1), nullptr);
}

TEST_F(StoreTest, AtAVariableFrameRateEachRecordGoesToTheFrameShownAtItsTime) {
    DriveDataStore s;
    ASSERT_TRUE(s.Load(Write(test::MakeBlock(test::MakeRecords(10)))));
    s.SetFrameDuration(175.0f);  // the mean of the frames below
    // Frames start at 0, 50, 250 and 700 ms (the last one lasts 0.3 s).
    ASSERT_TRUE(s.BuildFrameIndex(4, {0.0, 50.0, 250.0, 700.0}));
    const auto& g = s.GSensor();
    const int expected[10] = {0, 1, 1, 2, 2, 2, 2, 3, 3, 3};  // records every 100 ms
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(g[k].position, expected[k]) << k;
    EXPECT_EQ(s.Gps()[3].position, 2);
    ASSERT_EQ(s.FrameIndex().size(), 4u);
    // A list that does not match the frame count is not a frame list: evenly spaced frames.
    ASSERT_TRUE(s.BuildFrameIndex(4, {0.0, 50.0}));
    EXPECT_EQ(g[1].position, 0);
    EXPECT_EQ(g[2].position, 1);
}

TEST_F(StoreTest, LinksAndMaximum) {
    DriveDataStore s;
    ASSERT_TRUE(s.Load(Write(test::MakeBlock(test::MakeRecords(20)))));
    s.SetFrameDuration(33.3667f);
    ASSERT_TRUE(s.BuildFrameIndex(300));
    const auto& g = s.GSensor();
    const auto& gps = s.Gps();
    for (int k = 0; k <= 4; ++k)
        EXPECT_EQ(g[k].linkedGps, &gps[0]) << k;
    EXPECT_EQ(g[10].linkedGps, &gps[6]);
    EXPECT_EQ(g[19].linkedGps, &gps[14]);  // the last one shows the sample five back
    for (size_t k = 0; k < gps.size(); ++k)
        EXPECT_EQ(gps[k].linkedG, &g[k]);
    double most = 0;
    for (const auto& x : g)
        most = std::max({most, std::fabs(x.g1), std::fabs(x.g2), std::fabs(x.g3)});
    EXPECT_DOUBLE_EQ(s.MaxG(), most);
    EXPECT_DOUBLE_EQ(s.MaxG(), 1.0);
}

TEST_F(StoreTest, BuildingTwiceGivesTheSameIndex) {
    DriveDataStore s;
    ASSERT_TRUE(s.Load(Write(test::MakeBlock(test::MakeRecords(30)))));
    s.SetFrameDuration(33.3667f);
    ASSERT_TRUE(s.BuildFrameIndex(90));
    const std::vector<const GSensorSample*> first = s.FrameIndex();
    const int pos = s.GSensor()[29].position;
    ASSERT_TRUE(s.BuildFrameIndex(90));
    EXPECT_EQ(s.FrameIndex(), first);
    EXPECT_EQ(s.GSensor()[29].position, pos);
}

TEST_F(StoreTest, NothingIsIndexedWithoutFramesDurationOrSamples) {
    DriveDataStore s;
    ASSERT_TRUE(s.Load(Write(test::MakeBlock(test::MakeRecords(5)))));
    EXPECT_FALSE(s.BuildFrameIndex(30));  // no frame duration
    s.SetFrameDuration(33.3f);
    EXPECT_FALSE(s.BuildFrameIndex(0));
    EXPECT_FALSE(s.BuildFrameIndex(uint64_t{1} << 40));  // more frames than any movie
    EXPECT_TRUE(s.FrameIndex().empty());
    EXPECT_EQ(s.GSensor()[1].position, 100);  // still in ms
    DriveDataStore empty;
    ASSERT_TRUE(empty.Load(Write(test::MakeBlock({}, 0), "B___-240131-083015-000124D.ADA")));
    empty.SetFrameDuration(33.3f);
    EXPECT_FALSE(empty.BuildFrameIndex(30));
}

TEST_F(StoreTest, MovesKeepTheLinks) {
    DriveDataStore s;
    ASSERT_TRUE(s.Load(Write(test::MakeBlock(test::MakeRecords(12)))));
    s.SetFrameDuration(33.3667f);
    ASSERT_TRUE(s.BuildFrameIndex(40));
    const GSensorSample* g10 = &s.GSensor()[10];

    DriveDataStore moved(std::move(s));
    EXPECT_EQ(&moved.GSensor()[10], g10);
    EXPECT_EQ(moved.GSensor()[10].linkedGps, &moved.Gps()[6]);
    EXPECT_EQ(moved.FrameIndex()[39], &moved.GSensor()[11]);
    EXPECT_TRUE(s.Gps().empty());

    DriveDataStore target;
    ASSERT_TRUE(target.Load(
        Write(test::MakeBlock(test::MakeRecords(3)), "B___-240131-083015-000124D.ADA")));
    EXPECT_TRUE(moved.MoveTo(target));
    EXPECT_EQ(target.RecordCount(), 12);
    EXPECT_EQ(&target.GSensor()[10], g10);
    EXPECT_EQ(target.Path(), dir_ / kDriveName);
    EXPECT_TRUE(target.IsLoaded());
    EXPECT_TRUE(moved.Gps().empty());
    EXPECT_TRUE(moved.Path().empty());
    EXPECT_FALSE(moved.IsLoaded());
    EXPECT_FALSE(moved.MoveTo(target));  // nothing left to move
    EXPECT_TRUE(target.Gps().empty());
}

TEST_F(StoreTest, AbortStopsASearchOnceAndIsCleared) {
    DriveDataStore s;
    ASSERT_TRUE(s.Open(Write(test::MakeBlock(test::MakeRecords(3)))));
    int calls = 0;
    auto count = [&](const uint8_t*, size_t) { return ++calls; };
    s.RequestAbort();
    EXPECT_FALSE(s.FindTag("CSMDAT", count));
    EXPECT_FALSE(s.AbortRequested());
    EXPECT_TRUE(s.FindTag("CSMDAT", count));
    EXPECT_EQ(calls, 1);
}

TEST_F(StoreTest, AFileThatShrinksOrVanishesWhileOpenFailsTheSearchCleanly) {
    const std::string path = Write(test::MakeBlock(test::MakeRecords(30)));
    DriveDataStore s;
    ASSERT_TRUE(s.Open(path));
    std::filesystem::remove(path);  // the open file stays readable
    EXPECT_TRUE(
        s.FindTag("CSMDAT", [&](const uint8_t* p, size_t n) { return s.DecodeBlock(p, n); }));
    EXPECT_EQ(s.RecordCount(), 30);
    const std::string again = Write(test::MakeBlock(test::MakeRecords(30)));
    ASSERT_TRUE(s.Open(again));
    std::filesystem::resize_file(again, 3);
    EXPECT_FALSE(s.FindTag("CSMDAT", [](const uint8_t*, size_t) { return 0; }));
    EXPECT_FALSE(s.FindBoxPath([](const uint8_t*, size_t) { return 0; }));
}

TEST_F(StoreTest, DecoderFailureFailsTheSearch) {
    DriveDataStore s;
    ASSERT_TRUE(s.Open(Write(test::MakeBlock(test::MakeRecords(3)))));
    EXPECT_FALSE(s.FindTag("CSMDAT", [](const uint8_t*, size_t) { return -1; }));
    EXPECT_FALSE(s.FindTag("NOPE", [](const uint8_t*, size_t) { return 0; }));
    // The end tag: the decoder sees the bytes after the six-byte tag.
    std::string after;
    EXPECT_TRUE(s.FindTag("CSMEND", [&](const uint8_t* p, size_t n) {
        after.assign(reinterpret_cast<const char*>(p), n);
        return 0;
    }));
    EXPECT_EQ(after, "000123");
}

TEST_F(StoreTest, HeaderAndTrailerOfARecordingsDriveData) {
    const std::string movie = dir_ / "A___-240131-083015-000123M.MOV";
    Write(test::MakeBlock(test::MakeRecords(2), -1, test::MakeHeader("1500250035004500", 'D')));
    DriveDataHeader h;
    ASSERT_TRUE(ReadHeader(movie, h));
    EXPECT_FLOAT_EQ(h.values[0], 1.5f);
    EXPECT_FLOAT_EQ(h.values[3], 4.5f);
    uint8_t trailer[8];
    ASSERT_TRUE(ReadTrailer(movie, trailer));
    EXPECT_EQ(0, std::memcmp(trailer, "000123\0\0", 8));
    EXPECT_FALSE(ReadHeader(dir_ / "A___-240131-083015-000999M.MOV", h));
    EXPECT_FALSE(ReadTrailer(dir_ / "A___-240131-083015-000999M.MOV", trailer));
}

TEST_F(StoreTest, FrameDurationFromTheMovieHeaderAndTimeToSample) {
    test::MovieRecipe desc;
    desc.tracks = {test::TrackRecipe{true, 1920, 1080, 1800, 30000, 1001, 40, 15},
                   test::TrackRecipe{false, 0, 0, 2813, 48000, 1024, 12, 0}};
    const std::string movie = Write(test::MakeMovie(desc), "A___-240131-083015-000123M.MOV");
    DriveDataStore scratch;
    ASSERT_TRUE(scratch.Load(Write(test::MakeBlock(test::MakeRecords(3)))));
    FrameDurationInfo info;
    ASSERT_TRUE(ReadFrameDuration(movie, scratch, info));
    EXPECT_NEAR(info.seconds, 60.06, 0.001);
    EXPECT_EQ(info.frames, 1800u);
    EXPECT_NEAR(info.frameMs, 33.3667, 0.001);
    EXPECT_FLOAT_EQ(scratch.FrameDuration(), info.frameMs);
    // The scratch store ends empty.
    EXPECT_TRUE(scratch.Gps().empty());
    EXPECT_FALSE(scratch.IsOpen());
    EXPECT_TRUE(scratch.Path().empty());
}

TEST_F(StoreTest, MvhdSearchSkipsMediaDataAndFailsOnBrokenSizes) {
    // Media data holding the bytes "mvhd" must be skipped by its size.
    test::MovieRecipe desc;
    Bytes movie = test::MakeMovie(desc);
    const std::string text(movie.begin(), movie.end());
    const size_t mdatAt = text.find("mdat") + 4;  // the media data payload
    ASSERT_LT(mdatAt, 100u);
    std::memcpy(movie.data() + mdatAt + 10, "mvhd\xFF\xFF\xFF\xFF", 8);
    FrameDurationInfo info;
    ASSERT_TRUE(ReadFrameDuration(Write(movie, "a.MOV"), info));
    EXPECT_NEAR(info.frameMs, 33.3667, 0.001);

    struct Case {
        const char* what;
        uint32_t mdatSize;
    } cases[] = {{"size 0", 0}, {"past the end", 0x7FFFFFFF}};
    for (const auto& c : cases) {
        Bytes broken = test::MakeMovie(desc);
        broken[mdatAt - 8] = static_cast<uint8_t>(c.mdatSize >> 24);
        broken[mdatAt - 7] = static_cast<uint8_t>(c.mdatSize >> 16);
        broken[mdatAt - 6] = static_cast<uint8_t>(c.mdatSize >> 8);
        broken[mdatAt - 5] = static_cast<uint8_t>(c.mdatSize);
        EXPECT_FALSE(ReadFrameDuration(Write(broken, "b.MOV"), info)) << c.what;
    }
    EXPECT_FALSE(ReadFrameDuration(dir_ / "missing.MOV", info));
}

TEST_F(StoreTest, BoxPathFindsTheFirstTracksTimeToSample) {
    test::MovieRecipe desc;
    desc.wideAfterFtyp = true;
    desc.tracks = {test::TrackRecipe{true, 640, 360, 25, 25, 1, 10, 5},
                   test::TrackRecipe{true, 640, 360, 99, 25, 1, 10, 5}};
    DriveDataStore s;
    ASSERT_TRUE(s.Open(Write(test::MakeMovie(desc), "c.MOV")));
    uint32_t firstCount = 0;
    ASSERT_TRUE(s.FindBoxPath([&](const uint8_t* p, size_t n) {
        if (n < 16) return -1;
        firstCount = ReadBe32(p + 8);
        return 0;
    }));
    EXPECT_EQ(firstCount, 25u);
}

TEST_F(StoreTest, SearchesRunOneAtATimeAcrossStores) {
    const std::string path = Write(test::MakeBlock(test::MakeRecords(3)));
    std::atomic<int> inside{0}, most{0};
    auto decoder = [&](const uint8_t*, size_t) {
        const int now = ++inside;
        most = std::max(most.load(), now);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        --inside;
        return 0;
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            DriveDataStore s;
            for (int i = 0; i < 5; ++i) {
                s.Open(path);
                s.FindTag("CSMDAT", decoder);
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(most.load(), 1);
}

}  // namespace
}  // namespace quorva
