// Drive-data decoding: records per second of the block decoder (a one-minute file and a
// long joined one), and the group track (ReadGpsTrack) of 1000 recordings.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_container_fixtures.h"
#include "container/drive_data_store.h"
#include "container/player_slot_data.h"

namespace quorva::bench {
namespace {

void BM_DecodeBlock(benchmark::State& state) {
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    const int records = static_cast<int>(state.range(0));
    const std::vector<uint8_t> block = cardwriter::BuildDriveDataBlock(DriveData(records));
    DriveDataStore store;
    store.SetPath("/card/_NData/A___-240131-083000-000001D.ADA");
    for (auto _ : state) {
        // The bytes after "CSMDAT", as the tag search hands them over.
        const int n = store.DecodeBlock(block.data() + 6, block.size() - 6);
        if (n != records) {
            state.SkipWithError("wrong record count");
            return;
        }
        benchmark::DoNotOptimize(store.Gps().data());
    }
    state.SetItemsProcessed(state.iterations() * records);
}
BENCHMARK(BM_DecodeBlock)->Arg(600)->Arg(36000)->Unit(benchmark::kMicrosecond);

// Load from the file, as the player does: tag search, decoding, frame index.
void BM_LoadAndIndex(benchmark::State& state) {
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    const std::string folder = ContainerBenchFolder() + "/load";
    const auto entries = Recordings(folder, "", 1);
    const std::string drivePath = DriveDataPath(entries[0].path);
    for (auto _ : state) {
        DriveDataStore store;
        store.SetFrameDuration(33.3667f);
        if (!store.Load(drivePath) || !store.BuildFrameIndex(1800)) {
            state.SkipWithError("load failed");
            return;
        }
        benchmark::DoNotOptimize(store.MaxG());
    }
    state.SetItemsProcessed(state.iterations() * 600);
}
BENCHMARK(BM_LoadAndIndex)->Unit(benchmark::kMicrosecond);

void BM_ReadGpsTrack1000(benchmark::State& state) {
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    const auto entries = Recordings(ContainerBenchFolder() + "/track", "", 1000);
    std::vector<GpsSample> track;
    for (auto _ : state) {
        track.clear();
        if (!ReadGpsTrack(entries, track) || track.size() != 600000u) {
            state.SkipWithError("track incomplete");
            return;
        }
        benchmark::DoNotOptimize(track.data());
    }
    state.SetItemsProcessed(state.iterations() * 600000);
}
BENCHMARK(BM_ReadGpsTrack1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorva::bench

BENCHMARK_MAIN();
