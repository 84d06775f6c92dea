// Seek to an exact frame, 100 random targets in the one-minute 1080p30 movie: latency of the
// player slot (Seek until the picture is on the off-screen output) against the floor of a
// bare libav loop (seek to the key frame before the target, decode up to it). Counters:
// p50_ms, p95_ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "bench_player_movies.h"
#include "player/ffmpeg_movie.h"
#include "player/offscreen_players.h"

namespace quorva {
namespace {

std::vector<int64_t> Targets() {
    std::mt19937 random(20240131);
    std::uniform_int_distribution<int64_t> pick(0, 1799);
    std::vector<int64_t> t(100);
    for (auto& v : t)
        v = pick(random);
    return t;
}

void Report(benchmark::State& state, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    state.counters["p50_ms"] = ms[ms.size() / 2];
    state.counters["p95_ms"] = ms[ms.size() * 95 / 100];
    state.counters["max_ms"] = ms.back();
}

void BM_SlotExactSeek(benchmark::State& state) {
    const std::string movie = bench::BenchMovie();
    OffscreenPlayers players(1, static_cast<int>(state.range(0)));
    std::string error;
    if (!players.Open(movie, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    PlayerSlot& slot = players.slot(0);
    std::vector<double> ms;
    for (auto _ : state) {
        for (int64_t target : Targets()) {
            const auto start = std::chrono::steady_clock::now();
            slot.ops->Seek(slot, target);
            if (!WaitForPicture(slot, 20000) || CurrentPicture(slot)->position != target) {
                state.SkipWithError("the seek did not land on its frame");
                return;
            }
            ms.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
        }
    }
    Report(state, ms);
}

void BM_BareLibavSeek(benchmark::State& state) {
    const std::string movie = bench::BenchMovie();
    FfmpegMovie m;
    std::string error;
    if (!m.Open(movie, static_cast<int>(state.range(0)), false, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::vector<double> ms;
    for (auto _ : state) {
        for (int64_t target : Targets()) {
            const auto start = std::chrono::steady_clock::now();
            m.SeekToKeyFrameBefore(target);
            int64_t pos = -1;
            bool key = false;
            while (pos < target && m.NextFrame(&pos, &key) == FfmpegMovie::ReadResult::kFrame) {
            }
            ms.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
        }
    }
    Report(state, ms);
}

BENCHMARK(BM_SlotExactSeek)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_BareLibavSeek)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace quorva

BENCHMARK_MAIN();
