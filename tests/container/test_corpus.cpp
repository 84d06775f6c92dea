// Public movies, malformed ones among them: the reader never crashes on them, and a movie it
// accepts has the picture size and frame count ffprobe reads (frames as the demuxer reads
// them: a damaged picture that the decoder drops is still a frame of the movie); a movie it
// refuses gives ffprobe no frame either.
#include <gtest/gtest.h>

#include <filesystem>

#include "container/video_track.h"
#include "corpus.h"
#include "peer_movies.h"

namespace quorva {
namespace {

TEST(Corpus, AcceptedMoviesAgreeWithFfprobeAndRefusedOnesHaveNoFrames) {
    const std::filesystem::path corpus = QUORVA_CORPUS_DIR;
    QUORVA_REQUIRE_CORPUS(corpus);
    if (!peers::HaveTool("ffprobe")) GTEST_SKIP() << "ffprobe is the oracle";
    int accepted = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (!entry.is_regular_file()) continue;
        const std::string path = entry.path().string();
        SCOPED_TRACE(path);
        std::string out;
        peers::RunCommand(
            "ffprobe -v quiet -select_streams v:0 -count_packets -count_frames "
            "-show_entries stream=width,height,nb_read_packets,nb_read_frames -of "
            "default=nw=1 " +
                peers::Quote(path),
            &out);
        auto field = [&](const std::string& key) {
            const auto at = out.find(key + "=");
            if (at == std::string::npos) return int64_t{-1};
            try {
                return static_cast<int64_t>(std::stoll(out.substr(at + key.size() + 1)));
            } catch (const std::exception&) {
                return int64_t{-1};  // N/A
            }
        };
        VideoTrack track;
        std::string why;
        if (!ReadMovieVideoTrack(path, track, &why)) {
            EXPECT_FALSE(why.empty());
            EXPECT_LE(field("nb_read_frames"), 0) << "refused: " << why;
            continue;
        }
        ++accepted;
        EXPECT_EQ(track.width, field("width"));
        EXPECT_EQ(track.height, field("height"));
        EXPECT_EQ(track.FrameCount(), field("nb_read_packets"));
    }
    EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace quorva
