// Fuzzes the MOV box reader with the accessors and the frame-duration search, and the
// join's merge and writer on what it parsed: a movie written back out must parse again
// to the same facts.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "container/big_endian.h"
#include "container/drive_data_store.h"
#include "container/movie_merge.h"
#include "container/movie_writer.h"
#include "container/mp4_movie.h"
#include "fuzz_files.h"

using namespace quorva;

namespace {

struct Facts {
    int width, height;
    int64_t frames;
    size_t boxes[kBoxKindCount];
    bool operator==(const Facts& o) const {
        if (width != o.width || height != o.height || frames != o.frames) return false;
        for (int k = 0; k < kBoxKindCount; ++k)
            if (boxes[k] != o.boxes[k]) return false;
        return true;
    }
};

// The samples the first time-to-sample table gives: a fact of the tables alone (the frame
// count also depends on where the samples' data lies, which writing a tree back without
// placing its media data again may move).
int64_t TableSamples(const sMP4MOVIE& m) {
    const MovieBox* stts = m.First(kBoxStts);
    if (!stts || !stts->HasCopy() || stts->payload.size() < 8) return -1;
    const uint8_t* p = stts->payload.data();
    const uint64_t n = std::min<uint64_t>(ReadBe32(p + 4), (stts->payload.size() - 8) / 8);
    int64_t sum = 0;
    for (uint64_t i = 0; i < n; ++i)
        sum += ReadBe32(p + 8 + 8 * i);
    return sum;
}

Facts FactsOf(const sMP4MOVIE& m) {
    FrameCount(m);  // the video track's frames, read for what they may break
    Facts f{VideoSize(m).width, VideoSize(m).height, TableSamples(m), {}};
    for (int k = 0; k < kBoxKindCount; ++k)
        f.boxes[k] = m.Boxes(static_cast<MovieBoxKind>(k)).size();
    return f;
}

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = fuzz::ScratchFolder() + "/input.MOV";
    static const std::string output = fuzz::ScratchFolder() + "/output.MOV";
    fuzz::WriteScratch(input, data, size);

    FrameDurationInfo duration;
    ReadFrameDuration(input, duration);

    auto movie = OpenMovie(input, size % 2 == 0, false);
    if (!movie) return 0;
    const Facts facts = FactsOf(*movie);
    FramesPerSecond(*movie);

    // Written back as it is, the movie parses again to the same facts.
    if (!movie->root.leaf) {
        OutputFile out;
        Check(out.Create(output), "create output");
        const bool written = WriteMovie(movie->root, out);
        Check(out.Close() || !written, "close output");
        if (written) {
            auto again = OpenMovie(output);
            Check(again != nullptr, "a written movie opens");
            Check(FactsOf(*again) == facts, "a written movie keeps its facts");
        }
    }

    // Joined with itself.
    auto second = OpenMovie(input);
    Check(second != nullptr, "the same file opens twice");
    if (CanStartJoin(*movie) && MergeMovie(*movie, *second) && PlaceMediaData(*movie)) {
        OutputFile out;
        Check(out.Create(output), "create output");
        if (WriteMovie(movie->root, out) && out.Close()) {
            auto joined = OpenMovie(output);
            Check(joined != nullptr, "a joined movie opens");
            if (facts.frames >= 0 && TableSamples(*joined) >= 0)
                Check(TableSamples(*joined) <= 2 * facts.frames, "joined frames");
        }
    }
    return 0;
}
