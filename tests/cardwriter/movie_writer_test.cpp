// Movies are written in the recorder's box layout, decode cleanly with FFmpeg, carry the
// frame count, size and rate that ffprobe reports, and every decoded picture's stamp is
// its frame number.
#include "cardwriter/movie_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cardwriter/card_writer.h"
#include "cardwriter/drive_data_writer.h"
#include "movie_probe.h"
#include "temp_dir.h"

#ifdef QUORVA_HAVE_CONTAINER
#include "container/known_box_types.h"
#endif

namespace quorva::cardwriter {
namespace {

using test::Box;
using test::U32At;

class MovieWriterTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { QuietCodecLogs(); }
    test::TempDir dir;
};

std::vector<std::string> TypesOf(const std::vector<Box>& boxes) {
    std::vector<std::string> t;
    for (const Box& b : boxes)
        t.push_back(b.type);
    return t;
}

// The entries of a table box (stts, stss, stsc, stsz, stco): the count after the full
// box header (after the sample size for stsz), then entries of `width` words.
std::vector<uint32_t> TableOf(const std::vector<uint8_t>& f, const Box& b, int width) {
    const uint64_t payload = b.offset + 8;
    const uint64_t head = b.type == "stsz" ? 8 : 4;
    const uint32_t count = U32At(f, payload + head);
    EXPECT_EQ(b.size, 8 + head + 4 + uint64_t{count} * width * 4) << b.type << " size";
    std::vector<uint32_t> v;
    for (uint64_t i = 0; i < uint64_t{count} * width; ++i)
        v.push_back(U32At(f, payload + head + 4 + 4 * i));
    return v;
}

TEST_F(MovieWriterTest, LaysOutBoxesAsTheRecorderDoes) {
    DriveDataFile data;
    data.records.resize(4);
    MovieRecipe desc;
    desc.width = 160;
    desc.height = 96;
    desc.frames = 40;
    desc.gop = 15;
    desc.udat = BuildDriveDataBlock(data);
    MovieFacts facts;
    std::string error;
    const std::string path = dir / "layout.MOV";
    ASSERT_TRUE(WriteMovie(path, desc, &error, &facts)) << error;
    EXPECT_EQ(facts.frames, 40);
    EXPECT_EQ(facts.keyFrames, 3);

    const auto f = test::ReadAll(path);
    const auto root = test::WalkBoxes(f);
    ASSERT_TRUE(root);
    ASSERT_EQ(TypesOf(root->children), (std::vector<std::string>{"ftyp", "mdat", "moov"}));
    EXPECT_EQ(root->children[0].size, 20u);
    const Box& mdat = root->children[1];
    const Box& moov = root->children[2];
    ASSERT_EQ(TypesOf(moov.children), (std::vector<std::string>{"mvhd", "trak", "trak", "udat"}));

    // The movie header runs on the video clock: 40 frames of 1000 units at 30000 per second.
    const uint64_t mvhd = moov.children[0].offset + 8;
    EXPECT_EQ(U32At(f, mvhd + 12), 30000u);
    EXPECT_EQ(U32At(f, mvhd + 16), 40000u);

    // The drive-data block is the "udat" payload, byte for byte.
    const Box& udat = moov.children[3];
    EXPECT_TRUE(std::equal(desc.udat.begin(), desc.udat.end(), f.begin() + long(udat.offset + 8)));
    EXPECT_EQ(udat.size, desc.udat.size() + 8);

    std::vector<std::pair<uint32_t, uint32_t>> samples;  // offset, size over both tracks
    for (int t = 0; t < 2; ++t) {
        const Box& trak = moov.children[size_t(1 + t)];
        const bool video = t == 0;
        const Box* stbl = trak.Find("mdia/minf/stbl");
        ASSERT_TRUE(stbl && trak.Find("tkhd") && trak.Find("edts/elst") && trak.Find("mdia/mdhd") &&
                    trak.Find("mdia/hdlr") && trak.Find("mdia/minf/dinf/dref"));
        EXPECT_TRUE(trak.Find(video ? "mdia/minf/vmhd" : "mdia/minf/smhd"));
        EXPECT_EQ(TypesOf(stbl->children),
                  video ? (std::vector<std::string>{"stsd", "stts", "stss", "stsc", "stsz", "stco"})
                        : (std::vector<std::string>{"stsd", "stts", "stsc", "stsz", "stco"}));
        const Box& stsd = *stbl->Find("stsd");
        const std::string entry(reinterpret_cast<const char*>(&f[stsd.offset + 20]), 4);
        EXPECT_EQ(entry, video ? "avc1" : "mp4a");
        const auto stts = TableOf(f, *stbl->Find("stts"), 2);
        ASSERT_EQ(stts.size(), 2u) << "one time-to-sample entry";
        const auto stsc = TableOf(f, *stbl->Find("stsc"), 3);
        EXPECT_EQ(stsc, (std::vector<uint32_t>{1, 1, 1})) << "one sample per chunk";
        const auto sizes = TableOf(f, *stbl->Find("stsz"), 1);
        const auto offsets = TableOf(f, *stbl->Find("stco"), 1);
        ASSERT_EQ(sizes.size(), stts[0]);
        ASSERT_EQ(offsets.size(), stts[0]);
        for (size_t i = 0; i < sizes.size(); ++i)
            samples.emplace_back(offsets[i], sizes[i]);
        if (video) {
            EXPECT_EQ(stts, (std::vector<uint32_t>{40, 1000}));
            EXPECT_EQ(TableOf(f, *stbl->Find("stss"), 1), (std::vector<uint32_t>{1, 16, 31}));
            // The first visual sample entry's size, where readers look for it.
            EXPECT_EQ(f[stsd.offset + 8 + 40] << 8 | f[stsd.offset + 8 + 41], 160);
            EXPECT_EQ(f[stsd.offset + 8 + 42] << 8 | f[stsd.offset + 8 + 43], 96);
        } else {
            EXPECT_EQ(stts[1], 1024u);
            // Sound never outlasts the pictures: 40 frames at 30 fps hold 64000 samples.
            EXPECT_LE(stts[0] * 1024, 64000u);
            EXPECT_GE(stts[0] * 1024, 64000u - 2048);
        }
    }
    // The samples of both tracks tile the media data exactly, video first.
    std::sort(samples.begin(), samples.end());
    uint64_t at = mdat.offset + 8;
    for (auto [offset, size] : samples) {
        EXPECT_EQ(offset, at);
        at += size;
    }
    EXPECT_EQ(at, mdat.offset + mdat.size);
    EXPECT_EQ(samples.front().first,
              U32At(f, moov.children[1].Find("mdia/minf/stbl/stco")->offset + 16));

#ifdef QUORVA_HAVE_CONTAINER
    // A reader tells containers from leaves by a known box type at payload bytes 4..7:
    // every box written must be seen as what it is.
    for (const Box* b : root->All("moov")) {
        std::vector<const Box*> stack{b};
        while (!stack.empty()) {
            const Box* x = stack.back();
            stack.pop_back();
            const bool known = x->size > 12 && IsKnownBoxType(&f[x->offset + 12]);
            EXPECT_EQ(known, !x->children.empty()) << x->type;
            for (const Box& c : x->children)
                stack.push_back(&c);
        }
    }
    EXPECT_FALSE(IsKnownBoxType(&f[mdat.offset + 12])) << "media data must not look like boxes";
#endif
}

TEST_F(MovieWriterTest, DecodesCleanlyWithStampedFramesAtEveryRate) {
    if (!test::HaveFfmpeg()) GTEST_SKIP() << "ffmpeg/ffprobe not installed";
    struct Case {
        const char* rate;
        int w, h, frames, gop, camera;
        bool audio;
        const char* probedRate;
    } cases[] = {{"30", 640, 360, 45, 15, 0, true, "30/1"},
                 {"27.5", 320, 180, 41, 15, 1, false, "55/2"},
                 {"15", 320, 180, 20, 7, 1, false, "15/1"},
                 {"30000/1001", 176, 144, 31, 10, 0, true, "30000/1001"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        MovieRecipe desc;
        ASSERT_TRUE(ParseFrameRate(c.rate, desc.rate));
        desc.width = c.w;
        desc.height = c.h;
        desc.frames = c.frames;
        desc.gop = c.gop;
        desc.camera = c.camera;
        desc.audio = c.audio;
        const std::string path = dir / (std::string("rate-") + std::to_string(c.frames) + ".MOV");
        std::string error;
        ASSERT_TRUE(WriteMovie(path, desc, &error)) << error;

        EXPECT_EQ(test::DecodeErrors(path), "");
        EXPECT_EQ(test::ProbeStream(path, 0, "width"), std::to_string(c.w));
        EXPECT_EQ(test::ProbeStream(path, 0, "height"), std::to_string(c.h));
        EXPECT_EQ(test::ProbeStream(path, 0, "nb_frames"), std::to_string(c.frames));
        EXPECT_EQ(test::ProbeStream(path, 0, "r_frame_rate"), c.probedRate);
        EXPECT_EQ(test::ProbeStream(path, 0, "has_b_frames"), "0");
        EXPECT_EQ(test::ProbeStream(path, 1, "codec_name"), c.audio ? "aac" : "");

        const auto decoded = test::DecodeStamps(path);
        ASSERT_EQ(decoded.error, "");
        ASSERT_EQ(decoded.stamps.size(), size_t(c.frames));
        EXPECT_EQ(decoded.keyFrames, (c.frames + c.gop - 1) / c.gop);
        for (int i = 0; i < c.frames; ++i) {
            ASSERT_TRUE(decoded.stamps[size_t(i)]) << "frame " << i;
            EXPECT_EQ(decoded.stamps[size_t(i)]->frame, i);
            EXPECT_EQ(decoded.stamps[size_t(i)]->camera, c.camera);
        }
    }
}

TEST_F(MovieWriterTest, QuirksMakeTheVariantsAskedFor) {
    auto write = [&](const std::string& name, const MovieQuirks& q) {
        MovieRecipe desc;
        desc.width = 160;
        desc.height = 96;
        desc.frames = 20;
        desc.quirks = q;
        desc.udat = {'C', 'S', 'M', 'D', 'A', 'T'};
        std::string error;
        EXPECT_TRUE(WriteMovie(dir / name, desc, &error)) << error;
        return test::ReadAll(dir / name);
    };
    MovieQuirks wide;
    wide.wideBox = true;
    const auto w = write("wide.MOV", wide);
    auto root = test::WalkBoxes(w);
    ASSERT_TRUE(root);
    EXPECT_EQ(TypesOf(root->children), (std::vector<std::string>{"ftyp", "wide", "mdat", "moov"}));

    MovieQuirks moovFirst;
    moovFirst.moovBeforeMdat = true;
    const auto m = write("moovfirst.MOV", moovFirst);
    root = test::WalkBoxes(m);
    ASSERT_TRUE(root);
    EXPECT_EQ(TypesOf(root->children), (std::vector<std::string>{"ftyp", "moov", "mdat"}));

    MovieQuirks split;
    split.splitTimeToSample = true;
    const auto s = write("split.MOV", split);
    root = test::WalkBoxes(s);
    ASSERT_TRUE(root);
    const Box* stts = root->Find("moov/trak/mdia/minf/stbl/stts");
    ASSERT_TRUE(stts);
    EXPECT_EQ(TableOf(s, *stts, 2), (std::vector<uint32_t>{10, 1000, 10, 1000}));

    MovieQuirks cut;
    cut.truncateTo = 1000;
    EXPECT_EQ(write("cut.MOV", cut).size(), 1000u);

    if (test::HaveFfmpeg()) {
        for (const char* name : {"wide.MOV", "moovfirst.MOV", "split.MOV"}) {
            EXPECT_EQ(test::DecodeErrors(dir / name), "") << name;
            const auto d = test::DecodeStamps(dir / name);
            ASSERT_EQ(d.stamps.size(), 20u) << name;
            EXPECT_TRUE(d.stamps[19] && d.stamps[19]->frame == 19) << name;
        }
    }
}

TEST_F(MovieWriterTest, RefusesBadRecipesWithoutLeavingAFile) {
    auto refused = [&](MovieRecipe desc, const std::string& path) {
        std::string error;
        const bool ok = WriteMovie(path, desc, &error);
        EXPECT_FALSE(ok);
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(std::filesystem::exists(path));
    };
    MovieRecipe odd;
    odd.width = 161;
    refused(odd, dir / "odd.MOV");
    MovieRecipe tiny;
    tiny.width = tiny.height = 8;
    refused(tiny, dir / "tiny.MOV");
    MovieRecipe none;
    none.frames = 0;
    refused(none, dir / "none.MOV");
    MovieRecipe fine;
    fine.frames = 2;
    refused(fine, dir / "no-such-folder/x.MOV");
}

TEST(FrameRate, ParsesDecimalsAndFractions) {
    struct Case {
        const char* text;
        bool ok;
        int num, den;
        uint32_t timescale, delta;
    } cases[] = {{"30", true, 30, 1, 30000, 1000},
                 {"27.5", true, 55, 2, 27500, 1000},
                 {"15", true, 15, 1, 15000, 1000},
                 {"29.97", true, 2997, 100, 29970, 1000},
                 {"30000/1001", true, 30000, 1001, 30000, 1001},
                 {"0", false, 0, 0, 0, 0},
                 {"-5", false, 0, 0, 0, 0},
                 {"abc", false, 0, 0, 0, 0},
                 {"30/0", false, 0, 0, 0, 0},
                 {"30x", false, 0, 0, 0, 0}};
    for (const Case& c : cases) {
        FrameRate r;
        EXPECT_EQ(ParseFrameRate(c.text, r), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(r.num, c.num) << c.text;
        EXPECT_EQ(r.den, c.den) << c.text;
        EXPECT_EQ(r.timescale(), c.timescale) << c.text;
        EXPECT_EQ(r.frameDelta(), c.delta) << c.text;
    }
}

}  // namespace
}  // namespace quorva::cardwriter
