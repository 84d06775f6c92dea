// Two-camera playback with off-screen outputs (1080p30 main camera, 720p 27.5 fps sub
// camera): 60 s at rate code 1 with the presenter's counts, and CPU per second of playback at
// rate codes 2 and 4. QUORVA_BENCH_SECONDS shortens the runs.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_player_movies.h"
#include "player/offscreen_players.h"

namespace quorva {
namespace {

double Seconds(double normal) {
    const char* s = std::getenv("QUORVA_BENCH_SECONDS");
    return s && *s ? std::atof(s) : normal;
}

void BM_TwoCameraPlayback(benchmark::State& state) {
    const std::string movie = bench::BenchMovie();
    bench::BenchMovie(true);
    const int rateCode = static_cast<int>(state.range(0));
    // The movie lasts 60 s: at rate 2 it ends after 30 s of playback, at rate 4 after 15.
    const double seconds = Seconds(rateCode == 1 ? 60.0 : 14.0);
    PlaybackReport r;
    for (auto _ : state) {
        OffscreenPlayers players(2);
        std::string error;
        if (!players.Open(movie, &error) || !players.SubOpen()) {
            state.SkipWithError(error.empty() ? "the sub camera did not open" : error.c_str());
            return;
        }
        players.SeekAndWait(0);
        r = players.Play(rateCode, seconds);
    }
    state.counters["presented"] = static_cast<double>(r.presented);
    state.counters["late"] = static_cast<double>(r.late);
    state.counters["late_pct"] = r.presented ? 100.0 * r.late / r.presented : 0.0;
    state.counters["dropped"] = static_cast<double>(r.dropped);
    state.counters["max_late_ms"] = r.maxLateMs;
    state.counters["max_camera_offset_frames"] = r.maxCameraOffsetFrames;
    state.counters["cpu_s"] = r.cpuSeconds;
    state.counters["cpu_per_s"] = r.wallSeconds > 0 ? r.cpuSeconds / r.wallSeconds : 0.0;
    state.counters["wall_s"] = r.wallSeconds;
}

BENCHMARK(BM_TwoCameraPlayback)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace quorva

BENCHMARK_MAIN();
