// Decode throughput of a one-minute 1080p30 H.264 movie: the engine's decode path (with and
// without the conversion to 32-bit pixels) against `ffmpeg -benchmark -threads T -i M -an
// -f null -` with the same thread count. Counters: fps (frames per second of wall time).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "bench_player_movies.h"
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
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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

void BM_FfmpegTool(benchmark::State& state) {
    const std::string movie = bench::BenchMovie();
    const std::string cmd = "ffmpeg -nostdin -loglevel error -benchmark -threads " +
                            std::to_string(state.range(0)) + " -i '" + movie +
                            "' -an -f null - 2>&1";
    double seconds = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        FILE* p = popen(cmd.c_str(), "r");
        if (!p) {
            state.SkipWithError("cannot run ffmpeg");
            return;
        }
        char line[512];
        while (std::fgets(line, sizeof line, p)) {
        }
        if (pclose(p) != 0) {
            state.SkipWithError("ffmpeg failed");
            return;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["fps"] = 1800.0 * state.iterations() / seconds;
}

BENCHMARK(BM_EngineDecode)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_EngineDecodeAndConvert)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_FfmpegTool)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace quorva

BENCHMARK_MAIN();
