// The MOV box reader: the tree, the per-type lists, the accessors, and damaged files.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "container/big_endian.h"
#include "container/known_box_types.h"
#include "container/mp4_movie.h"
#include "container_fixtures.h"
#include "platform/mapped_file.h"

namespace quorva {
namespace {

using test::Bytes;
using test::TestBox;

std::unique_ptr<sMP4MOVIE> OpenBytes(const test::TempDir& dir, const Bytes& bytes,
                                     const std::string& name = "m.MOV") {
    test::WriteFile(dir / name, bytes);
    return OpenMovie(dir / name);
}

TEST(KnownBoxTypes, HoldsTheStoredSetAndNothingElse) {
    EXPECT_EQ(KnownTypeCount(), 167u);  // 168 entries, "xml " twice
    for (const char* t : {"moov", "mdat", "stts", "udat", "ICAT", "jP  ", "xml ", "url "})
        EXPECT_TRUE(IsKnownBoxType(reinterpret_cast<const uint8_t*>(t))) << t;
    for (const char* t : {"wide", "MOOV", "avc1", "mp4a", "\0\0\0\0", "ilst"})
        EXPECT_FALSE(IsKnownBoxType(reinterpret_cast<const uint8_t*>(t))) << t;
}

TEST(MappedFile, ViewsStartAtTheRequestedOffsetAndEndAtTheFileEnd) {
    test::TempDir dir;
    Bytes data(3 * MappedFile::Granularity() + 100);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 13);
    test::WriteFile(dir / "f", data);
    MappedFile f;
    ASSERT_TRUE(f.Open(dir / "f"));
    EXPECT_EQ(f.Size(), data.size());
    struct Case {
        uint64_t offset, length, expect;
    } cases[] = {
        {0, 10, 10},
        {MappedFile::Granularity() + 7, 300, 300},
        {data.size() - 5, 1000, 5},  // cut at the end
        {data.size(), 1, 0},         // past the end
        {10, 0, 0},
    };
    for (const auto& c : cases) {
        MappedView v = f.MapRange(c.offset, c.length);
        ASSERT_EQ(v.size(), c.expect) << c.offset;
        if (c.expect) {
            EXPECT_EQ(0, std::memcmp(v.data(), data.data() + c.offset, c.expect));
        }
    }
}

TEST(MappedFile, OneViewAtATime) {
    test::TempDir dir;
    test::WriteFile(dir / "f", Bytes(100, 1));
    MappedFile f;
    ASSERT_TRUE(f.Open(dir / "f"));
    MappedView a = f.MapRange(0, 10);
    ASSERT_TRUE(a);
    EXPECT_FALSE(f.MapRange(0, 10));
    a.Unmap();
    EXPECT_TRUE(f.MapRange(0, 10));
}

TEST(MappedFile, AFileThatShrinksOrVanishesWhileOpenFailsCleanly) {
    test::TempDir dir;
    test::WriteFile(dir / "f", Bytes(100000, 7));
    MappedFile f;
    ASSERT_TRUE(f.Open(dir / "f"));
    std::filesystem::resize_file(dir / "f", 10);
    EXPECT_FALSE(f.MapRange(50000, 100));
    EXPECT_EQ(f.MapRange(0, 100).size(), 10u);
    std::filesystem::remove(dir / "f");
    EXPECT_EQ(f.MapRange(0, 100).size(), 10u);  // the open file stays readable
    EXPECT_FALSE(f.Open(dir / "f"));
}

TEST(MovieReader, RecorderMovieListsItsBoxesAndAnswersTheAccessors) {
    test::TempDir dir;
    test::MovieRecipe desc;
    desc.tracks = {test::TrackRecipe{true, 1920, 1080, 1800, 30000, 1001, 40, 15},
                   test::TrackRecipe{false, 0, 0, 2813, 48000, 1024, 12, 0}};
    auto movie = OpenBytes(dir, test::MakeMovie(desc));
    ASSERT_TRUE(movie);
    const int counts[kBoxKindCount] = {1, 2, 2, 2, 1, 2, 1, 2, 2, 2};
    for (int k = 0; k < kBoxKindCount; ++k)
        EXPECT_EQ(movie->Boxes(static_cast<MovieBoxKind>(k)).size(), static_cast<size_t>(counts[k]))
            << MovieBoxKindType(static_cast<MovieBoxKind>(k));
    const VideoDimensions d = VideoSize(*movie);
    EXPECT_EQ(d.width, 1920);
    EXPECT_EQ(d.height, 1080);
    EXPECT_EQ(FrameCount(*movie), 1800);
    EXPECT_NEAR(FramesPerSecond(*movie), 29.97, 0.01);

    // Root children in file order; mdat never copied; containers hold no copy.
    ASSERT_EQ(movie->root.children.size(), 4u);
    EXPECT_EQ(movie->root.children[0].Type(), "ftyp");
    const MovieBox* mdat = movie->First(kBoxMdat);
    EXPECT_EQ(mdat->copiedSize, 0u);
    EXPECT_TRUE(mdat->payload.empty());
    EXPECT_EQ(mdat->size, 1800u * 40 + 2813u * 12);
    const MovieBox& moov = movie->root.children[2];
    EXPECT_EQ(moov.Type(), "moov");
    EXPECT_EQ(moov.leaf, 0);
    EXPECT_TRUE(moov.payload.empty());
    EXPECT_EQ(moov.depth, 1);
    const MovieBox* stts = movie->First(kBoxStts);
    EXPECT_EQ(stts->leaf, 1);
    EXPECT_EQ(stts->copiedSize, stts->size);
    EXPECT_EQ(stts->depth, 6);
    // The recorder's own box keeps its drive-data block.
    const MovieBox& udat = movie->root.children[3];
    EXPECT_EQ(udat.Type(), "udat");
    EXPECT_EQ(udat.recordCount, 3);
    EXPECT_EQ(udat.recordByteLength, 3u * 124);
    // The lists are in pre-order: the video track's boxes first.
    EXPECT_EQ(ReadBe32(movie->Boxes(kBoxStsz)[0]->payload.data() + 8), 1800u);
    EXPECT_EQ(ReadBe32(movie->Boxes(kBoxStsz)[1]->payload.data() + 8), 2813u);
}

TEST(MovieReader, TwoVideoTracksAreListedInTrackOrderAndTheFirstAnswers) {
    test::TempDir dir;
    test::MovieRecipe desc;
    desc.tracks = {test::TrackRecipe{true, 640, 360, 10}, test::TrackRecipe{true, 1280, 720, 20}};
    auto movie = OpenBytes(dir, test::MakeMovie(desc));
    ASSERT_TRUE(movie);
    ASSERT_EQ(movie->Boxes(kBoxStsz).size(), 2u);
    EXPECT_EQ(ReadBe32(movie->Boxes(kBoxStsz)[1]->payload.data() + 8), 20u);
    EXPECT_EQ(VideoSize(*movie).height, 360);
    EXPECT_EQ(FrameCount(*movie), 10);
}

TEST(MovieReader, FrameCountSumsEveryTimeToSampleEntry) {
    test::TempDir dir;
    Bytes stts = {0, 0, 0, 0};
    test::PutBe32(stts, 2);
    for (uint32_t v : {100u, 1001u, 50u, 1001u})
        test::PutBe32(stts, v);
    const TestBox stbl{"stbl", {}, {TestBox{"stts", stts}}};
    const TestBox trak{"trak", {}, {TestBox{"mdia", {}, {TestBox{"minf", {}, {stbl}}}}}};
    // (A byte of media data for each sample: no file holds more samples than bytes.)
    const Bytes file = test::Serialize(std::vector<TestBox>{TestBox{"ftyp", Bytes(8, 'q')},
                                                            TestBox{"moov", {}, {trak}},
                                                            TestBox{"mdat", Bytes(150, 7)}});
    auto movie = OpenBytes(dir, file);
    ASSERT_TRUE(movie);
    EXPECT_EQ(FrameCount(*movie), 150);
    EXPECT_EQ(VideoSize(*movie).width, -1);
    EXPECT_EQ(FramesPerSecond(*movie), -1.0f);
}

TEST(MovieReader, UnknownFirstBoxMakesTheRootALeaf) {
    test::TempDir dir;
    for (bool copy : {false, true}) {
        test::WriteFile(dir / "x", test::Serialize(TestBox{"junk", Bytes(40, 1)}));
        auto movie = OpenMovie(dir / "x", copy);
        ASSERT_TRUE(movie);
        EXPECT_EQ(movie->root.leaf, 1);
        EXPECT_TRUE(movie->root.children.empty());
        for (int k = 0; k < kBoxKindCount; ++k)
            EXPECT_TRUE(movie->Boxes(static_cast<MovieBoxKind>(k)).empty());
        EXPECT_EQ(FrameCount(*movie), -1);
        EXPECT_EQ(VideoSize(*movie).height, -1);
        EXPECT_EQ(FramesPerSecond(*movie), -1.0f);
    }
}

TEST(MovieReader, PayloadStartingWithAKnownTypeIsAContainer) {
    test::TempDir dir;
    // "free" whose payload looks like boxes is walked; a payload that does not is copied.
    const Bytes file = test::Serialize(std::vector<TestBox>{
        TestBox{"ftyp", Bytes(8, 'q')}, TestBox{"free", {}, {TestBox{"skip", Bytes(4, 9)}}},
        TestBox{"skip", Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9}}});
    auto movie = OpenBytes(dir, file);
    ASSERT_TRUE(movie);
    ASSERT_EQ(movie->root.children.size(), 3u);
    const MovieBox& free = movie->root.children[1];
    EXPECT_EQ(free.leaf, 0);
    ASSERT_EQ(free.children.size(), 1u);
    EXPECT_EQ(free.children[0].payload, (Bytes{9, 9, 9, 9}));
    EXPECT_EQ(movie->root.children[2].payload.size(), 9u);
}

TEST(MovieReader, WideBoxAfterFtypDoesNotHideTheMovie) {
    test::TempDir dir;
    test::MovieRecipe desc;
    desc.wideAfterFtyp = true;
    auto movie = OpenBytes(dir, test::MakeMovie(desc));
    ASSERT_TRUE(movie);
    ASSERT_GE(movie->root.children.size(), 3u);
    EXPECT_EQ(movie->root.children[1].Type(), "wide");
    EXPECT_EQ(movie->root.children[1].leaf, 1);
    EXPECT_EQ(FrameCount(*movie), 30);
    EXPECT_EQ(VideoSize(*movie).width, 1920);
}

TEST(MovieReader, WellFormedUnknownBoxesAreSkippedAtEveryLevel) {
    test::TempDir dir;
    Bytes stts = {0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0, 1};
    const TestBox stbl{"stbl", {}, {TestBox{"abcd", Bytes(3, 0)}, TestBox{"stts", stts}}};
    const TestBox trak{"trak", {}, {TestBox{"mdia", {}, {TestBox{"minf", {}, {stbl}}}}}};
    // An unknown box first in "moov", another between known ones, and bytes that are no box
    // at the end of "moov" (they end its walk).
    const Bytes file = test::Serialize(std::vector<TestBox>{
        TestBox{"ftyp", Bytes(8, 'q')},
        TestBox{"moov",
                {},
                {TestBox{"PRIV", Bytes(8, 0xEE)}, TestBox{"udta", Bytes(4, 0)},
                 TestBox{"abcd", Bytes(8, 0)}, trak, TestBox{"zzzz", Bytes(2, 0), {}, 0xFFFF}}}});
    auto movie = OpenBytes(dir, file);
    ASSERT_TRUE(movie);
    const MovieBox& moov = movie->root.children[1];
    EXPECT_EQ(moov.leaf, 0);
    ASSERT_EQ(moov.children.size(), 4u);
    EXPECT_EQ(moov.children[0].Type(), "PRIV");
    EXPECT_EQ(moov.children[0].payload, Bytes(8, 0xEE));
    EXPECT_EQ(moov.children[2].leaf, 1);
    EXPECT_EQ(FrameCount(*movie), 5);
}

// Damaged files: every one fails the open (and nothing is left counted).
TEST(MovieReader, DamagedFilesFailTheOpen) {
    test::TempDir dir;
    const Bytes good = test::MakeMovie(test::MovieRecipe{});
    struct Case {
        const char* what;
        Bytes bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"shorter than a box header", Bytes{0, 0, 0, 8, 'f', 't'}});
    {
        // Size 0 (to the end) is the last top-level box's only; inside a box it is damage.
        TestBox moov{"moov", {}, {TestBox{"mvhd", Bytes(8, 0), {}, 0}}};
        cases.push_back({"box size 0 inside a box", test::Serialize(std::vector<TestBox>{
                                                        TestBox{"ftyp", Bytes(8, 'q')}, moov})});
    }
    for (uint32_t size : {1u, 4u, 7u}) {
        Bytes b = test::Serialize(std::vector<TestBox>{TestBox{"ftyp", Bytes(8, 'q')}});
        test::PutBe32(b, size);
        test::PutBytes(b, "moov");
        b.resize(b.size() + 16, 0);
        cases.push_back({"box size below 8", b});
    }
    cases.push_back({"box past the end of the file", Bytes(good.begin(), good.end() - 20)});
    {
        TestBox moov{"moov", {}, {TestBox{"trak", Bytes(4, 0), {}, 1000}}};
        cases.push_back({"child larger than its box",
                         test::Serialize(std::vector<TestBox>{TestBox{"ftyp", Bytes(8, 'q')}, moov,
                                                              TestBox{"free", Bytes(2000, 0)}})});
    }
    {
        TestBox moov{"moov", Bytes(0), {TestBox{"mvhd", Bytes(40, 0)}}, 0xFFFFFFF0};
        cases.push_back({"oversized box", test::Serialize(std::vector<TestBox>{moov})});
    }
    {
        // Boxes nested deeper than any movie.
        TestBox inner{"free", Bytes(4, 0)};
        for (int i = 0; i < 100; ++i)
            inner = TestBox{"free", {}, {inner}};
        cases.push_back({"nesting too deep", test::Serialize(std::vector<TestBox>{inner})});
    }
    ResetBoxCounters();
    for (const auto& c : cases) {
        test::WriteFile(dir / "bad.MOV", c.bytes);
        EXPECT_EQ(OpenMovie(dir / "bad.MOV"), nullptr) << c.what;
        EXPECT_EQ(LiveBoxCount(), 0) << c.what;
    }
    EXPECT_EQ(OpenMovie(dir / "missing.MOV"), nullptr);
    EXPECT_EQ(OpenMovie(dir.path().string()), nullptr);  // a folder
}

TEST(MovieReader, TruncatedAtEveryLengthNeverCrashes) {
    test::TempDir dir;
    test::MovieRecipe desc;
    desc.tracks[0].frames = 4;
    const Bytes good = test::MakeMovie(desc);
    int opened = 0;
    test::WriteFile(dir / "t.MOV", good);
    for (size_t len = good.size() - 1; len + 1 > 0; --len) {
        std::filesystem::resize_file(dir / "t.MOV", len);
        auto movie = OpenMovie(dir / "t.MOV");
        if (!movie) continue;
        ++opened;
        // Whatever opened answers from complete boxes only.
        const int64_t frames = FrameCount(*movie);
        EXPECT_TRUE(frames == -1 || frames == 4) << len;
    }
    EXPECT_GT(opened, 0);
}

TEST(MovieReader, TeardownReportsProgressFromAboutATenthToAll) {
    test::TempDir dir;
    test::WriteFile(dir / "m.MOV", test::MakeMovie(test::MovieRecipe{}));
    ResetBoxCounters();
    std::vector<std::pair<uintptr_t, intptr_t>> reports;
    auto movie = OpenMovie(dir / "m.MOV", true, true,
                           [&](uintptr_t w, intptr_t l) { reports.emplace_back(w, l); });
    ASSERT_TRUE(movie);
    const int64_t nodes = LiveBoxCount();
    EXPECT_EQ(LastParseBoxCount(), nodes);
    EXPECT_GT(nodes, 20);
    CloseMovie(std::move(movie));
    EXPECT_EQ(LiveBoxCount(), 0);
    ASSERT_EQ(reports.size(), static_cast<size_t>(nodes));
    const auto total = static_cast<intptr_t>(static_cast<float>(nodes) * 1.1f);
    EXPECT_EQ(reports.front().second, total);
    EXPECT_EQ(reports.front().first,
              static_cast<uintptr_t>(static_cast<float>(nodes) * 1.1f - nodes + 1));
    EXPECT_EQ(reports.back().first, static_cast<uintptr_t>(total));
    for (size_t i = 1; i < reports.size(); ++i)
        EXPECT_GE(reports[i].first, reports[i - 1].first);

    // Without the progress switch nothing is reported.
    reports.clear();
    movie = OpenMovie(dir / "m.MOV", true, false,
                      [&](uintptr_t w, intptr_t l) { reports.emplace_back(w, l); });
    CloseMovie(std::move(movie));
    EXPECT_TRUE(reports.empty());
}

}  // namespace
}  // namespace quorva
