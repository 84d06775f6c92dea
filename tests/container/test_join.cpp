// The join: merged tables and durations, drive data, and the output's safety rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "container/big_endian.h"
#include "container/join_drive_data.h"
#include "container/join_recordings.h"
#include "container/movie_merge.h"
#include "container/movie_writer.h"
#include "container/video_track.h"
#include "container_fixtures.h"
#include "platform/output_file.h"
#include "recordings/recording_name.h"

namespace quorva {
namespace {

using test::Bytes;
namespace fs = std::filesystem;

class JoinTest : public ::testing::Test {
  protected:
    // A recording of `frames` video frames (and audio) with `records` drive-data records.
    RecordingEntry Recording(int number, uint32_t frames, int records = -1, bool wide = false,
                             bool co64 = false) {
        char name[64];
        std::snprintf(name, sizeof name, "A___-240131-08%02d00-%06dM.MOV", number % 60, number);
        RecordingEntry e;
        e.path = src_ / name;
        test::WriteFile(e.path, test::MakeMovie(Recipe(number, frames, wide, co64)));
        e.movieSize = fs::file_size(e.path);
        if (records >= 0) {
            test::WriteFile(DriveDataPath(e.path), test::MakeBlock(test::MakeRecords(records)));
            e.dataSize = fs::file_size(DriveDataPath(e.path));
        }
        return e;
    }
    static test::MovieRecipe Recipe(int number, uint32_t frames, bool wide = false,
                                    bool co64 = false) {
        test::MovieRecipe desc;
        desc.wideAfterFtyp = wide;
        desc.co64 = co64;
        desc.tracks = {test::TrackRecipe{true, 1280, 720, frames, 30000, 1001,
                                         50 + static_cast<uint32_t>(number), 30},
                       test::TrackRecipe{false, 0, 0, frames * 3 / 2, 48000, 1024, 20, 0}};
        return desc;
    }
    JoinOptions Options() {
        JoinOptions o;
        o.syncToDisk = false;
        o.progress = [this](uintptr_t w, intptr_t l) { progress_.emplace_back(w, l); };
        return o;
    }
    static uint32_t Be(const MovieBox* b, size_t at) { return ReadBe32(b->payload.data() + at); }

    test::TempDir src_, out_;
    std::vector<std::pair<uintptr_t, intptr_t>> progress_;
};

TEST_F(JoinTest, ThreeRecordingsMergeTablesDurationsAndDriveData) {
    std::vector<RecordingEntry> sel = {Recording(1, 600, 600), Recording(2, 600, 600),
                                       Recording(3, 599, 600)};
    std::vector<std::unique_ptr<sMP4MOVIE>> inputs;
    for (const auto& e : sel)
        inputs.push_back(OpenMovie(e.path));
    bool marked = false;
    JoinOptions o = Options();
    o.markJoined = [&](bool on) { marked = on; };
    const JoinResult r = JoinRecordings(sel, out_.path().string(), o);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_TRUE(marked);
    EXPECT_EQ(r.moviePath, out_ / fs::path(sel[0].path).filename().string());
    EXPECT_EQ(r.dataPath, DriveDataPath(r.moviePath));

    auto joined = OpenMovie(r.moviePath);
    ASSERT_TRUE(joined);
    EXPECT_EQ(FrameCount(*joined), 1799);
    const MovieBox* stts = joined->First(kBoxStts);
    EXPECT_EQ(Be(stts, 4), 1u);  // one entry, as the recorder writes
    EXPECT_EQ(Be(stts, 8), 1799u);
    // Sync samples of the second recording move behind the first one's 600 frames.
    const MovieBox* stss = joined->First(kBoxStss);
    EXPECT_EQ(Be(stss, 4), 60u);
    EXPECT_EQ(Be(stss, 8 + 4 * 20), 601u);
    EXPECT_EQ(Be(stss, 8 + 4 * 21), 631u);
    // Chunk offsets: the second's grow by the first's media data, the third's by both.
    const uint64_t media1 = inputs[0]->First(kBoxMdat)->size;
    const uint64_t media2 = inputs[1]->First(kBoxMdat)->size;
    const MovieBox* stco = joined->First(kBoxStco);
    ASSERT_EQ(Be(stco, 4), 1799u);
    EXPECT_EQ(Be(stco, 8 + 4 * 600), Be(inputs[1]->First(kBoxStco), 8) + media1);
    EXPECT_EQ(Be(stco, 8 + 4 * 1200), Be(inputs[2]->First(kBoxStco), 8) + media1 + media2);
    EXPECT_EQ(joined->First(kBoxMdat)->size, media1 + media2 + inputs[2]->First(kBoxMdat)->size);
    EXPECT_EQ(Be(joined->First(kBoxStsz), 8), 1799u);
    // Durations add up (movie time scale 1000, media time scale 30000).
    auto sum = [&](MovieBoxKind k, size_t index, size_t at) {
        uint32_t s = 0;
        for (const auto& m : inputs)
            s += Be(m->Boxes(k)[index], at);
        return s;
    };
    EXPECT_EQ(Be(joined->First(kBoxMvhd), 16), sum(kBoxMvhd, 0, 16));
    EXPECT_EQ(Be(joined->Boxes(kBoxTkhd)[1], 20), sum(kBoxTkhd, 1, 20));
    EXPECT_EQ(Be(joined->Boxes(kBoxElst)[0], 8), sum(kBoxElst, 0, 8));
    EXPECT_EQ(Be(joined->Boxes(kBoxMdhd)[0], 16), 1799u * 1001);
    EXPECT_EQ(FrameCount(*joined), 1799);
    // The audio track is joined too.
    EXPECT_EQ(Be(joined->Boxes(kBoxStts)[1], 8), 900u + 900 + 898);

    // The media data are the inputs' media data one after the other.
    const Bytes out = test::ReadFile(r.moviePath);
    const MovieBox* mdat = joined->First(kBoxMdat);
    size_t at = mdat->offset;
    for (const auto& m : inputs) {
        const Bytes in = test::ReadFile(*m->path);
        const MovieBox* md = m->First(kBoxMdat);
        ASSERT_TRUE(std::equal(in.begin() + static_cast<long>(md->offset),
                               in.begin() + static_cast<long>(md->offset + md->size),
                               out.begin() + static_cast<long>(at)));
        at += md->size;
    }
    // The udat box is the first recording's own.
    EXPECT_EQ(joined->root.children.back().payload, inputs[0]->root.children.back().payload);

    // 600 + 602 + 602 drive-data records.
    JoinDriveData data;
    ASSERT_TRUE(ReadJoinDriveData(r.dataPath, data));
    EXPECT_EQ(data.count, 1804u);
    const Bytes ada = test::ReadFile(r.dataPath);
    EXPECT_EQ(ReadBe16(ada.data() + 32), 1804);
    EXPECT_EQ(std::string(ada.end() - 6, ada.end()), "CSMEND");
    // The two copies after the second recording's records are its last record.
    const size_t rec = 124;
    EXPECT_TRUE(std::equal(ada.begin() + 34 + static_cast<long>(rec * 1199),
                           ada.begin() + 34 + static_cast<long>(rec * 1200),
                           ada.begin() + 34 + static_cast<long>(rec * 1201)));
    // Progress ends at n of n and never leaves a temporary file.
    ASSERT_FALSE(progress_.empty());
    EXPECT_EQ(progress_.back(), (std::pair<uintptr_t, intptr_t>(3, 3)));
    EXPECT_EQ(std::distance(fs::directory_iterator(out_.path()), fs::directory_iterator()), 2);
}

TEST_F(JoinTest, OneRecordingIsCopiedWithItsTables) {
    std::vector<RecordingEntry> sel = {Recording(1, 90, 30)};
    const JoinResult r = JoinRecordings(sel, out_.path().string(), Options());
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(test::ReadFile(r.moviePath), test::ReadFile(sel[0].path));
    JoinDriveData data;
    ASSERT_TRUE(ReadJoinDriveData(r.dataPath, data));
    EXPECT_EQ(data.count, 30u);
}

TEST_F(JoinTest, AMovieCopiedWithAWideBoxJoinsToo) {
    std::vector<RecordingEntry> sel = {Recording(1, 30, 10, true), Recording(2, 30, 10, true)};
    const JoinResult r = JoinRecordings(sel, out_.path().string(), Options());
    ASSERT_TRUE(r.ok()) << r.error;
    auto joined = OpenMovie(r.moviePath);
    ASSERT_TRUE(joined);
    EXPECT_EQ(joined->root.children[1].Type(), "wide");
    EXPECT_EQ(FrameCount(*joined), 60);
}

TEST_F(JoinTest, DriveDataOnlyWhenEveryRecordingHasIt) {
    struct Case {
        const char* what;
        std::vector<int> records;  // -1: no drive-data file
        int64_t expected;          // -1: no file written
    } cases[] = {
        {"second without drive data", {10, -1, 10}, -1},
        {"first without drive data", {-1, 10}, -1},
        {"a further recording without records adds nothing", {10, 0, 5}, 10 + 0 + 7},
        {"uncounted records are read to the end tag", {10, 4}, 10 + 6},
    };
    int number = 1;
    for (const auto& c : cases) {
        test::TempDir out;
        std::vector<RecordingEntry> sel;
        for (int recs : c.records)
            sel.push_back(Recording(number++, 30, recs));
        if (std::string(c.what).find("uncounted") != std::string::npos) {
            test::WriteFile(DriveDataPath(sel[1].path),
                            test::MakeBlock(test::MakeRecords(4), 0xFFFF));
        }
        const JoinResult r = JoinRecordings(sel, out.path().string(), Options());
        ASSERT_TRUE(r.ok()) << c.what << ": " << r.error;
        if (c.expected < 0) {
            EXPECT_EQ(r.dataPath, "") << c.what;
            EXPECT_FALSE(fs::exists(DriveDataPath(r.moviePath))) << c.what;
        } else {
            JoinDriveData data;
            ASSERT_TRUE(ReadJoinDriveData(r.dataPath, data)) << c.what;
            EXPECT_EQ(data.count, static_cast<uint64_t>(c.expected)) << c.what;
        }
    }
}

TEST_F(JoinTest, ManyRecordsAreCountedAfterTheEndTag) {
    test::TempDir dir;
    JoinDriveData data;
    data.count = 70000;
    data.records.assign(124u * 70000, 'r');
    ASSERT_TRUE(WriteDriveData(dir / "x.ADA", data));
    const Bytes ada = test::ReadFile(dir / "x.ADA");
    EXPECT_EQ(ReadBe16(ada.data() + 32), 0xFFFF);
    EXPECT_EQ(ReadBe32(ada.data() + ada.size() - 4), 70000u);
    JoinDriveData back;
    ASSERT_TRUE(ReadJoinDriveData(dir / "x.ADA", back));
    EXPECT_EQ(back.count, 70000u);
}

TEST_F(JoinTest, AnExistingOutputIsReplacedOnlyWhenAllowedAndComplete) {
    std::vector<RecordingEntry> sel = {Recording(1, 30, 10), Recording(2, 30, 10)};
    const std::string output = JoinOutputPath(sel, out_.path().string());
    test::WriteFile(output, Bytes(100, 'o'));
    test::WriteFile(DriveDataPath(output), Bytes(50, 'd'));
    JoinResult r = JoinRecordings(sel, out_.path().string(), Options());
    EXPECT_EQ(r.status, JoinStatus::kOutputExists);
    EXPECT_EQ(test::ReadFile(output), Bytes(100, 'o'));

    // A failing join (the second movie is damaged) keeps the old file.
    JoinOptions o = Options();
    o.replaceExisting = true;
    const Bytes second = test::ReadFile(sel[1].path);
    test::WriteFile(sel[1].path, Bytes(second.begin(), second.begin() + 200));
    r = JoinRecordings(sel, out_.path().string(), o);
    EXPECT_EQ(r.status, JoinStatus::kOpenFailed);
    EXPECT_EQ(test::ReadFile(output), Bytes(100, 'o'));
    EXPECT_EQ(test::ReadFile(DriveDataPath(output)), Bytes(50, 'd'));

    test::WriteFile(sel[1].path, second);
    r = JoinRecordings(sel, out_.path().string(), o);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(FrameCount(*OpenMovie(output)), 60);
    JoinDriveData data;
    ASSERT_TRUE(ReadJoinDriveData(DriveDataPath(output), data));
    EXPECT_EQ(data.count, 22u);
    EXPECT_EQ(std::distance(fs::directory_iterator(out_.path()), fs::directory_iterator()), 2);
}

TEST_F(JoinTest, FailuresLeaveNoOutputBehind) {
    struct Case {
        const char* what;
        JoinStatus status;
    } cases[] = {
        {"different picture size", JoinStatus::kMergeFailed},
        {"damaged second movie", JoinStatus::kOpenFailed},
        {"missing second movie", JoinStatus::kOpenFailed},
        {"no free space", JoinStatus::kNoSpace},
        {"output folder missing", JoinStatus::kWriteFailed},
    };
    int number = 1;
    for (const auto& c : cases) {
        const std::string what = c.what;
        std::vector<RecordingEntry> sel = {Recording(number, 30, 10),
                                           Recording(number + 1, 30, 10)};
        number += 2;
        JoinOptions o = Options();
        std::string folder = out_.path().string();
        if (what == "different picture size") {
            test::MovieRecipe desc;
            desc.tracks = {test::TrackRecipe{true, 1920, 1080, 30},
                           test::TrackRecipe{false, 0, 0, 45}};
            test::WriteFile(sel[1].path, test::MakeMovie(desc));
        } else if (what == "damaged second movie") {
            test::WriteFile(sel[1].path, Bytes{0, 0, 0, 0, 'm', 'o', 'o', 'v'});
        } else if (what == "missing second movie") {
            fs::remove(sel[1].path);
        } else if (what == "no free space") {
            o.freeSpace = [&](const std::string&) { return sel[0].movieSize + sel[1].movieSize; };
        } else {
            folder = out_ / "not-there";
        }
        bool marked = true;
        o.markJoined = [&](bool on) { marked = on; };
        const JoinResult r = JoinRecordings(sel, folder, o);
        EXPECT_EQ(r.status, c.status) << what << ": " << r.error;
        EXPECT_FALSE(r.error.empty()) << what;
        EXPECT_FALSE(marked) << what;
        EXPECT_TRUE(fs::is_empty(out_.path())) << what;
    }
}

TEST_F(JoinTest, CancelWritesNothing) {
    std::vector<RecordingEntry> sel = {Recording(1, 30, 10), Recording(2, 30, 10),
                                       Recording(3, 30, 10)};
    for (int stopAfter : {0, 1, 2, 3, 5, 8}) {
        std::atomic<bool> running{true};
        JoinOptions o = Options();
        o.running = &running;
        int reports = 0;
        o.progress = [&](uintptr_t, intptr_t) {
            if (++reports > stopAfter) running = false;
        };
        const JoinResult r = JoinRecordings(sel, out_.path().string(), o);
        EXPECT_EQ(r.status, JoinStatus::kCancelled) << stopAfter;
        EXPECT_TRUE(fs::is_empty(out_.path())) << stopAfter;
    }
}

TEST_F(JoinTest, TheOutputMayNotReplaceARecordingBeingJoined) {
    std::vector<RecordingEntry> sel = {Recording(1, 30, 10), Recording(2, 30, 10)};
    const Bytes before = test::ReadFile(sel[0].path);
    JoinOptions o = Options();
    o.replaceExisting = true;
    const JoinResult r = JoinRecordings(sel, src_.path().string(), o);
    EXPECT_EQ(r.status, JoinStatus::kOverwritesInput);
    EXPECT_EQ(test::ReadFile(sel[0].path), before);
}

TEST_F(JoinTest, ARecordingThatVanishesBeforeTheWriteFailsIt) {
    const RecordingEntry a = Recording(1, 30, 10), b = Recording(2, 30, 10);
    for (bool truncate : {false, true}) {
        JoinContext context;
        ASSERT_TRUE(context.JoinOpen(a.path));
        ASSERT_TRUE(context.JoinAppend(b.path));
        const Bytes kept = test::ReadFile(b.path);
        if (truncate)
            fs::resize_file(b.path, 100);
        else
            fs::remove(b.path);
        EXPECT_FALSE(context.WriteMovieFile(out_ / "x.MOV", nullptr, false)) << truncate;
        EXPECT_FALSE(context.Error().empty());
        test::WriteFile(b.path, kept);
    }
}

TEST_F(JoinTest, LayoutsThatCannotBeJoinedAreRefusedBeforeAnythingChanges) {
    RecordingEntry a = Recording(1, 30, 10);
    test::MovieRecipe desc;
    desc.tracks = {test::TrackRecipe{true, 1280, 720, 30, 30000, 1001, 51, 30}};  // no audio
    RecordingEntry b = Recording(2, 30, 10);
    test::WriteFile(b.path, test::MakeMovie(desc));
    auto ma = OpenMovie(a.path);
    auto mb = OpenMovie(b.path);
    const Bytes stcoBefore = ma->First(kBoxStco)->payload;
    std::string why;
    EXPECT_FALSE(MergeMovie(*ma, *mb, &why));
    EXPECT_EQ(why, "different track counts");
    EXPECT_EQ(ma->First(kBoxStco)->payload, stcoBefore);
    EXPECT_EQ(ma->First(kBoxMdat)->next, nullptr);
}

// The chunk offset table of track k ("stco" or "co64") and its entries.
struct ChunkTable {
    std::string type;
    std::vector<uint64_t> offsets;
};
ChunkTable Chunks(const sMP4MOVIE& m, size_t k) {
    ChunkTable t;
    size_t seen = 0;
    for (const MovieBox& top : m.root.children) {
        if (!top.Is("moov")) continue;
        for (const MovieBox& trak : top.children) {
            if (!trak.Is("trak") || seen++ != k) continue;
            const MovieBox* stbl = &trak;
            for (const char* step : {"mdia", "minf", "stbl"})
                for (const MovieBox& c : stbl->children)
                    if (c.Is(step)) {
                        stbl = &c;
                        break;
                    }
            for (const MovieBox& c : stbl->children) {
                if (!c.Is("stco") && !c.Is("co64")) continue;
                t.type = std::string(c.Type());
                const size_t width = c.Is("co64") ? 8 : 4;
                const uint32_t n = ReadBe32(c.payload.data() + 4);
                for (uint32_t i = 0; i < n; ++i) {
                    const uint8_t* e = c.payload.data() + 8 + width * i;
                    t.offsets.push_back(width == 8 ? ReadBe64(e) : ReadBe32(e));
                }
            }
        }
    }
    return t;
}

TEST_F(JoinTest, RecordingsWith64BitChunkOffsetsJoin) {
    std::vector<RecordingEntry> sel = {Recording(1, 30, -1, false, true),
                                       Recording(2, 40, -1, false, true)};
    const JoinResult r = JoinRecordings(sel, out_.path().string(), Options());
    ASSERT_TRUE(r.ok()) << r.error;
    auto joined = OpenMovie(r.moviePath);
    ASSERT_TRUE(joined);
    VideoTrack track;
    ASSERT_TRUE(ReadVideoTrack(*joined, track));
    EXPECT_EQ(track.FrameCount(), 70);
    EXPECT_FALSE(track.cutShort);
    // Every chunk points at its own sample: sample i of a recording starts with i x 7.
    const Bytes bytes = test::ReadFile(r.moviePath);
    const ChunkTable video = Chunks(*joined, 0);
    EXPECT_EQ(video.type, "co64");
    ASSERT_EQ(video.offsets.size(), 70u);
    for (size_t j = 0; j < 70; ++j) {
        const uint32_t i = j < 30 ? static_cast<uint32_t>(j) : static_cast<uint32_t>(j - 30);
        ASSERT_LT(video.offsets[j], bytes.size());
        EXPECT_EQ(bytes[video.offsets[j]], static_cast<uint8_t>(i * 7)) << j;
    }
}

TEST_F(JoinTest, FragmentedOrCutShortRecordingsAreRefusedWithAReason) {
    struct Case {
        const char* what;
        bool first;  // the damaged recording comes first
        JoinStatus status;
        const char* reason;
    } cases[] = {
        {"fragmented second", false, JoinStatus::kMergeFailed,
         "fragmented movies cannot be joined"},
        {"fragmented first", true, JoinStatus::kOpenFailed, "fragmented movies cannot be joined"},
        {"cut short second", false, JoinStatus::kOpenFailed, "the movie is cut short"},
    };
    int number = 1;
    for (const auto& c : cases) {
        std::vector<RecordingEntry> sel = {Recording(number, 30), Recording(number + 1, 30)};
        number += 2;
        const std::string damaged = sel[c.first ? 0 : 1].path;
        if (std::string(c.what).find("fragmented") != std::string::npos) {
            test::WriteFile(damaged, test::MakeFragmentedMovie(2, 15, true));
        } else {
            test::MovieRecipe desc = Recipe(number, 30);
            desc.moovFirst = true;
            const Bytes whole = test::MakeMovie(desc);
            test::WriteFile(damaged, Bytes(whole.begin(), whole.end() - 100));
        }
        const JoinResult r = JoinRecordings(sel, out_.path().string(), Options());
        EXPECT_EQ(r.status, c.status) << c.what << ": " << r.error;
        EXPECT_NE(r.error.find(c.reason), std::string::npos) << c.what << ": " << r.error;
        EXPECT_TRUE(fs::is_empty(out_.path())) << c.what;
    }
}

// A movie whose media data passes 4 GiB: a sparse hole after its samples.
std::string WriteMovieOver4GiB(const std::string& path, const test::MovieRecipe& recipe) {
    test::MovieRecipe desc = recipe;
    desc.mdat64 = true;
    Bytes bytes = test::MakeMovie(desc);
    const std::string text(bytes.begin(), bytes.end());
    const size_t mdat = text.find("mdat") - 4;
    const uint64_t size = ReadBe64(bytes.data() + mdat + 8);
    const uint64_t hole = (4ull << 30) + 4096;
    WriteBe64(bytes.data() + mdat + 8, size + hole);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(mdat + size));
    out.seekp(static_cast<std::streamoff>(mdat + size + hole));
    out.write(reinterpret_cast<const char*>(bytes.data() + mdat + size),
              static_cast<std::streamsize>(bytes.size() - mdat - size));
    return out ? path : "";
}

TEST_F(JoinTest, PastFourGiBTheOffsetsAndTheMediaDataGet64Bits) {
    const std::string big = WriteMovieOver4GiB(src_ / "big.MOV", Recipe(1, 30));
    ASSERT_FALSE(big.empty());
    auto a = OpenMovie(big);
    ASSERT_TRUE(a);
    const RecordingEntry second = Recording(2, 40);
    auto b = OpenMovie(second.path);
    ASSERT_TRUE(b);
    const ChunkTable before = Chunks(*b, 0);
    const uint64_t bMedia = b->First(kBoxMdat)->offset;
    const MovieBox* mdat = a->First(kBoxMdat);
    const uint64_t aEnd = mdat->offset + mdat->size;
    std::string why;
    ASSERT_TRUE(MergeMovie(*a, *b, &why)) << why;
    ASSERT_TRUE(PlaceMediaData(*a, &why)) << why;
    for (size_t k : {0u, 1u}) {
        const ChunkTable t = Chunks(*a, k);
        EXPECT_EQ(t.type, "co64") << k;
    }
    const ChunkTable video = Chunks(*a, 0);
    ASSERT_EQ(video.offsets.size(), 70u);
    // B's chunks follow A's media data, which begins where it did.
    for (size_t j = 0; j < 40; ++j)
        EXPECT_EQ(video.offsets[30 + j], aEnd + (before.offsets[j] - bMedia)) << j;
    EXPECT_GT(video.offsets[30], 0xFFFFFFFFull);
    EXPECT_EQ(OutputBoxSize(*mdat), mdat->outputSize + 16);
    EXPECT_EQ(BoxHeaderSize(0xFFFFFFF7ull), 8u);
    EXPECT_EQ(BoxHeaderSize(0xFFFFFFF8ull), 16u);

    // The header of such a box: size 1, the type, then the 64-bit size.
    OutputFile out;
    ASSERT_TRUE(out.Create(out_ / "header"));
    ASSERT_TRUE(WriteBoxHeader(out, "mdat", mdat->outputSize));
    ASSERT_TRUE(WriteBoxHeader(out, "free", 0));
    ASSERT_TRUE(out.Close());
    const Bytes header = test::ReadFile(out_ / "header");
    ASSERT_EQ(header.size(), 24u);
    EXPECT_EQ(ReadBe32(header.data()), 1u);
    EXPECT_EQ(std::string(header.begin() + 4, header.begin() + 8), "mdat");
    EXPECT_EQ(ReadBe64(header.data() + 8), mdat->outputSize + 16);
    EXPECT_EQ(ReadBe32(header.data() + 16), 8u);
}

}  // namespace
}  // namespace quorva
