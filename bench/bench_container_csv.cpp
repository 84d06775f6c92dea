// CSV export of a 2000-recording card: the rows of a listed card, and the whole command
// (scan, listing of all recordings, export).
#include <benchmark/benchmark.h>

#include "bench_container_fixtures.h"
#include "container/csv_export.h"
#include "recordings/source_catalogue.h"

namespace quorva::bench {
namespace {

// A card of 2000 one-minute recordings in the recorder's layout ("Normal", "_NData").
std::string Card() {
    static const std::string root = [] {
        const std::string r = ContainerBenchFolder() + "/card2000";
        // The drive data go to "_NData", as the path rule gives for a card.
        Recordings(r + "/Normal", OneMinuteMovie(false), 2000);
        return r;
    }();
    return root;
}

std::vector<RecordingEntry> List() {
    SourceEnvironment env;
    env.removableVolumes = [] { return std::vector<std::string>{}; };
    SourceCatalogue catalogue(env);
    catalogue.ScanSource(Card(), kSourceDrive);
    return catalogue.ListAllRecordings();
}

void BM_ExportCsvRows(benchmark::State& state) {
    const auto list = List();
    if (list.size() != 2000u) {
        state.SkipWithError("card incomplete");
        return;
    }
    const std::string out = ContainerBenchFolder() + "/csv-out";
    std::filesystem::create_directories(out);
    for (auto _ : state) {
        CsvExportOptions o;
        o.replaceExisting = true;
        const CsvExportResult r = ExportCsv(list, out, o);
        if (!r.ok() || r.rows != 2000u) {
            state.SkipWithError("export failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_ExportCsvRows)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_ScanListAndExport(benchmark::State& state) {
    const std::string out = ContainerBenchFolder() + "/csv-out";
    std::filesystem::create_directories(out);
    for (auto _ : state) {
        const auto list = List();
        CsvExportOptions o;
        o.replaceExisting = true;
        if (!ExportCsv(list, out, o).ok()) {
            state.SkipWithError("export failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_ScanListAndExport)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
}  // namespace quorva::bench

BENCHMARK_MAIN();
