// Movie facts (picture size, frame count, frame rate) of 500 one-minute movies: our box
// reader against libavformat's open and stream-info probe, in the same process; and the
// video track's reading alone.
#include <benchmark/benchmark.h>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

#include "bench_container_fixtures.h"
#include "container/mp4_movie.h"
#include "container/video_track.h"

namespace quorva::bench {
namespace {

const std::vector<RecordingEntry>& Movies() {
    static const std::vector<RecordingEntry> movies =
        Recordings(ContainerBenchFolder() + "/facts", OneMinuteMovie(false), 500);
    return movies;
}

void BM_BoxReaderFacts(benchmark::State& state) {
    const auto& movies = Movies();
    int64_t frames = 0;
    for (auto _ : state) {
        for (const auto& e : movies) {
            auto m = OpenMovie(e.path, true, false);
            if (!m) {
                state.SkipWithError("a movie did not open");
                return;
            }
            const VideoDimensions d = VideoSize(*m);
            frames += FrameCount(*m) + d.width + d.height;
            benchmark::DoNotOptimize(FramesPerSecond(*m));
            CloseMovie(std::move(m));
        }
    }
    benchmark::DoNotOptimize(frames);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(movies.size()));
    state.counters["us_per_movie"] = benchmark::Counter(
        static_cast<double>(state.iterations() * movies.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_BoxReaderFacts)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The video track's own facts (its frames from the sample tables) of movies parsed once:
// what reading a movie costs beyond the box tree.
void BM_VideoTrackOfParsedMovies(benchmark::State& state) {
    const auto& movies = Movies();
    std::vector<std::unique_ptr<sMP4MOVIE>> parsed;
    for (const auto& e : movies)
        parsed.push_back(OpenMovie(e.path, true, false));
    int64_t frames = 0;
    for (auto _ : state) {
        for (const auto& m : parsed) {
            VideoTrack track;
            if (!m || !ReadVideoTrack(*m, track)) {
                state.SkipWithError("a movie has no video track");
                return;
            }
            frames += track.FrameCount();
        }
    }
    benchmark::DoNotOptimize(frames);
    state.counters["us_per_movie"] = benchmark::Counter(
        static_cast<double>(state.iterations() * movies.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_VideoTrackOfParsedMovies)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_AvformatFacts(benchmark::State& state) {
    av_log_set_level(AV_LOG_QUIET);
    const auto& movies = Movies();
    int64_t frames = 0;
    for (auto _ : state) {
        for (const auto& e : movies) {
            AVFormatContext* ctx = nullptr;
            if (avformat_open_input(&ctx, e.path.c_str(), nullptr, nullptr) < 0) {
                state.SkipWithError("avformat_open_input failed");
                return;
            }
            if (avformat_find_stream_info(ctx, nullptr) < 0) {
                avformat_close_input(&ctx);
                state.SkipWithError("avformat_find_stream_info failed");
                return;
            }
            const int v = av_find_best_stream(ctx, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
            if (v >= 0) {
                const AVStream* s = ctx->streams[v];
                frames += s->nb_frames + s->codecpar->width + s->codecpar->height;
                benchmark::DoNotOptimize(av_q2d(s->avg_frame_rate));
            }
            avformat_close_input(&ctx);
        }
    }
    benchmark::DoNotOptimize(frames);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(movies.size()));
    state.counters["us_per_movie"] = benchmark::Counter(
        static_cast<double>(state.iterations() * movies.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_AvformatFacts)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace quorva::bench

BENCHMARK_MAIN();
