// Decode throughput of a one-minute 1080p30 H.264 movie: the engine's decode path (with and
// without the conversion to 32-bit pixels) against `ffmpeg -benchmark -threads T -i M -an
// -f null -` with the same thread count. Both sides time the same work: decoding a movie
// already opened (the engine's Open and the tool's process start and input probe are
// outside the figure); the tool's frames are the movie's own frame count. Counters: fps
// (frames per second of wall time), frames.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench_player_movies.h"
#include "container/mp4_movie.h"
#include "player/ffmpeg_movie.h"

namespace quorva {
namespace {

void Decode(benchmark::State& state, bool convert) {
    const std::string movie = bench::BenchMovie();
    const int threads = static_cast<int>(state.range(0));
    auto pool = FramePool::Create();
    int64_t frames = 0;
    double seconds = 0.0;
    for (auto _ : state) {
        FfmpegMovie m;
        std::string error;
        if (!m.Open(movie, threads, false, &error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        int64_t pos = 0;
        bool key = false;
        while (m.NextFrame(&pos, &key) == FfmpegMovie::ReadResult::kFrame) {
            if (convert) benchmark::DoNotOptimize(m.ConvertCurrent(*pool));
            ++frames;
        }
        const double s =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        seconds += s;
        state.SetIterationTime(s);
    }
    state.counters["fps"] = frames / seconds;
    state.counters["frames"] = static_cast<double>(frames) / state.iterations();
}

void BM_EngineDecode(benchmark::State& state) {
    Decode(state, false);
}
void BM_EngineDecodeAndConvert(benchmark::State& state) {
    Decode(state, true);
}

// The frame count from the movie's own sample tables, read before any timing.
int64_t MovieFrameCount(const std::string& path) {
    auto movie = OpenMovie(path, true, false);
    if (!movie) return -1;
    const int64_t frames = FrameCount(*movie);
    CloseMovie(std::move(movie));
    return frames;
}

// The tool's own "-benchmark" real time ("bench: ... rtime=S"), which starts after the
// options are read and the input is opened and probed: the same work as the engine's loop
// above (decoding the opened movie), without the process start and the probe. -1 when the
// tool failed or gave no figure.
double FfmpegDecodeSeconds(const std::string& cmd) {
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return -1.0;
    double seconds = -1.0;
    char line[1024];
    while (std::fgets(line, sizeof line, p)) {
        const char* at = std::strstr(line, "rtime=");
        if (std::strncmp(line, "bench:", 6) == 0 && at) seconds = std::strtod(at + 6, nullptr);
    }
    return pclose(p) == 0 ? seconds : -1.0;
}

void BM_FfmpegTool(benchmark::State& state) {
    const std::string movie = bench::BenchMovie();
    const int64_t movieFrames = MovieFrameCount(movie);
    if (movieFrames <= 0) {
        state.SkipWithError("cannot read the movie's frame count");
        return;
    }
    const std::string cmd =
        "ffmpeg -nostdin -hide_banner -nostats -loglevel info -benchmark "
        "-threads " +
        std::to_string(state.range(0)) + " -i '" + movie + "' -an -f null - 2>&1";
    double seconds = 0.0;
    for (auto _ : state) {
        const double s = FfmpegDecodeSeconds(cmd);
        if (s <= 0.0) {
            state.SkipWithError("ffmpeg failed or printed no bench figure");
            return;
        }
        seconds += s;
        state.SetIterationTime(s);
    }
    state.counters["fps"] = static_cast<double>(movieFrames) * state.iterations() / seconds;
    state.counters["frames"] = static_cast<double>(movieFrames);
}

// The time column is the decoding alone (manual time) on every side.
BENCHMARK(BM_EngineDecode)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseManualTime();
BENCHMARK(BM_EngineDecodeAndConvert)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseManualTime();
BENCHMARK(BM_FfmpegTool)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseManualTime();

}  // namespace
}  // namespace quorva

BENCHMARK_MAIN();
