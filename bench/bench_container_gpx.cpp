// The GPS track of a long drive: 100 one-minute recordings (600 drive-data records each,
// 60,000 points) gathered from their drive-data files, and written as a GPX file.
#include <benchmark/benchmark.h>

#include "bench_container_fixtures.h"
#include "container/gps_track.h"
#include "container/qt/gpx_writer.h"

namespace quorva::bench {
namespace {

constexpr int kRecordings = 100;

std::vector<std::string> Movies() {
    static const std::vector<std::string> movies = [] {
        std::vector<std::string> paths;
        // Only the drive-data files are read: no movie is written.
        for (const RecordingEntry& e :
             Recordings(ContainerBenchFolder() + "/gpx-drive", "", kRecordings))
            paths.push_back(e.path);
        return paths;
    }();
    return movies;
}

void BM_GatherTrack(benchmark::State& state) {
    const auto movies = Movies();
    for (auto _ : state) {
        const GpsTrackResult r = GatherGpsTrack(movies);
        if (!r.ok() || r.track.PointCount() != 600u * kRecordings) {
            state.SkipWithError("gather failed");
            return;
        }
        benchmark::DoNotOptimize(r.track.segments.data());
    }
    state.SetItemsProcessed(state.iterations() * 600 * kRecordings);
}
BENCHMARK(BM_GatherTrack)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ExportGpx(benchmark::State& state) {
    const auto movies = Movies();
    const std::string out = ContainerBenchFolder() + "/drive.gpx";
    for (auto _ : state) {
        GpxExportOptions o;
        o.replaceExisting = true;
        const GpxExportResult r = ExportGpx(movies, out, o);
        if (!r.ok()) {
            state.SkipWithError("export failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * 600 * kRecordings);
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(out));
}
BENCHMARK(BM_ExportGpx)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace quorva::bench

BENCHMARK_MAIN();
