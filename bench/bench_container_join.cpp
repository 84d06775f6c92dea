// The join of ten one-minute 1080p recordings: our join against cp of the same bytes (as
// ten files and as one) and against ffmpeg's concat demuxer with stream copy.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "bench_container_fixtures.h"
#include "container/join_recordings.h"

namespace quorva::bench {
namespace {

namespace fs = std::filesystem;

const std::vector<RecordingEntry>& Inputs() {
    static const std::vector<RecordingEntry> inputs =
        Recordings(ContainerBenchFolder() + "/join-src", OneMinuteMovie(true), 10);
    return inputs;
}

int64_t InputBytes() {
    int64_t n = 0;
    for (const auto& e : Inputs())
        n += static_cast<int64_t>(e.movieSize);
    return n;
}

std::string FreshOutput() {
    const std::string out = ContainerBenchFolder() + "/join-out";
    fs::remove_all(out);
    fs::create_directories(out);
    return out;
}

void Join(benchmark::State& state, bool sync) {
    const auto& inputs = Inputs();
    for (auto _ : state) {
        state.PauseTiming();
        const std::string out = FreshOutput();
        state.ResumeTiming();
        JoinOptions o;
        o.syncToDisk = sync;
        const JoinResult r = JoinRecordings(inputs, out, o);
        if (!r.ok()) {
            state.SkipWithError(r.error.c_str());
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * InputBytes());
}
void BM_Join(benchmark::State& state) {
    Join(state, false);
}
void BM_JoinSynced(benchmark::State& state) {
    Join(state, true);
}
BENCHMARK(BM_Join)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_JoinSynced)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void Copy(benchmark::State& state, bool sync) {
    std::string command = "cp";
    for (const auto& e : Inputs())
        command += " '" + e.path + "'";
    for (auto _ : state) {
        state.PauseTiming();
        const std::string out = FreshOutput();
        state.ResumeTiming();
        const std::string run =
            command + " '" + out + "/'" + (sync ? " && sync -f '" + out + "'" : "");
        if (std::system(run.c_str()) != 0) {
            state.SkipWithError("cp failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * InputBytes());
}
void BM_Cp(benchmark::State& state) {
    Copy(state, false);
}
void BM_CpSynced(benchmark::State& state) {
    Copy(state, true);
}
BENCHMARK(BM_Cp)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_CpSynced)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The same bytes as one file (a join writes one file; the file system grows one file more
// slowly than it writes ten).
void BM_CpOneFile(benchmark::State& state) {
    const std::string one = ContainerBenchFolder() + "/join-one-file.bin";
    if (!Exists(one)) {
        std::string cat = "cat";
        for (const auto& e : Inputs())
            cat += " '" + e.path + "'";
        if (std::system((cat + " > '" + one + "'").c_str()) != 0) {
            state.SkipWithError("cat failed");
            return;
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        const std::string out = FreshOutput();
        state.ResumeTiming();
        if (std::system(("cp '" + one + "' '" + out + "/'").c_str()) != 0) {
            state.SkipWithError("cp failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * InputBytes());
}
BENCHMARK(BM_CpOneFile)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_FfmpegConcatCopy(benchmark::State& state) {
    const std::string list = ContainerBenchFolder() + "/join-list.txt";
    {
        std::ofstream f(list);
        for (const auto& e : Inputs())
            f << "file '" << e.path << "'\n";
    }
    for (auto _ : state) {
        state.PauseTiming();
        const std::string out = FreshOutput();
        state.ResumeTiming();
        const std::string run = "ffmpeg -nostdin -v error -f concat -safe 0 -i '" + list +
                                "' -c copy -y '" + out + "/joined.MOV'";
        if (std::system(run.c_str()) != 0) {
            state.SkipWithError("ffmpeg failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * InputBytes());
}
BENCHMARK(BM_FfmpegConcatCopy)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
}  // namespace quorva::bench

BENCHMARK_MAIN();
