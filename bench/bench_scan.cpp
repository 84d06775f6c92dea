// Scanning a recorder card of 5000 recordings (layout 0, normal and parking halves, many
// runs, tiny movies with a valid header, drive-data files beside them), warm cache:
//   BM_Floor                 list the same folders, open and read 8 bytes of every movie
//   BM_FloorWithSizes        the floor plus the movie's and the drive-data file's sizes
//   BM_ScanAndSelectFirstGroup   ScanSource (kind 1) + SelectFirstGroup
//   BM_ListAllRecordings     ListAllRecordings of the card
//   BM_NameMatcher/BM_NameRegex  the name test alone, hand-written and std::regex
// Goal: the scan and the listing each within 1.5 times the floor.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "recordings/name_pattern.h"
#include "recordings/recording_name.h"
#include "recordings/source_catalogue.h"

namespace fs = std::filesystem;
using namespace quorva;

namespace {

constexpr int kRecordings = 5000;

// The card lives in a temporary folder, or in QUORVA_BENCH_CARD when that is set: there it
// is made once and kept, so that a profiler sees the scans only.
struct Card {
    std::string root;
    bool keep = false;
    std::vector<std::string> names;  // every movie name, for the name benchmarks

    Card() {
        if (const char* kept = std::getenv("QUORVA_BENCH_CARD"); kept && *kept) {
            root = kept;
            keep = true;
        } else {
            root = (fs::temp_directory_path() / ("quorva-bench-card-" + std::to_string(::getpid())))
                       .string();
        }
        const bool existing = keep && fs::exists(root + "/Normal");
        if (!existing) fs::remove_all(root);
        for (const char* folder : {"Normal", "_NData", "Parking", "_PData"})
            fs::create_directories(root + "/" + folder);
        std::mt19937 rng(5000);
        std::uniform_int_distribution<int> runLength(1, 60);
        std::string movie(300, '\0');
        movie.replace(0, 12,
                      std::string("\0\0\0\x18"
                                  "ftypqt  ",
                                  12));
        int number = 1, day = 0, made = 0;
        while (made < kRecordings) {
            const bool parking = (rng() % 5) < 2;  // about 40% parking runs
            const int length = std::min(runLength(rng), kRecordings - made);
            for (int i = 0; i < length; ++i, ++number, ++made) {
                const char* prefix = parking ? (rng() % 10 == 0 ? "PG__" : "P___")
                                             : (rng() % 10 == 0 ? "AG__" : "A___");
                std::string name(prefix);
                if (i == 0) name[3] = 'S';
                char rest[64];
                std::snprintf(rest, sizeof rest, "-2401%02d-%02d%02d%02d-%06d", 1 + day % 28,
                              (i / 60) % 24, i % 60, 0, number % 1000000);
                const std::string stem = name + rest;
                const std::string half = parking ? "Parking" : "Normal";
                const std::string data = parking ? "_PData" : "_NData";
                names.push_back(stem + "M.MOV");
                if (existing) continue;
                std::ofstream(root + "/" + half + "/" + stem + "M.MOV", std::ios::binary)
                    .write(movie.data(), static_cast<std::streamsize>(movie.size()));
                std::ofstream(root + "/" + data + "/" + stem + "D.ADA", std::ios::binary)
                    << "drive data";
            }
            if (rng() % 8 == 0) ++day;
        }
    }
    ~Card() {
        if (!keep) fs::remove_all(root);
    }
};

Card& TheCard() {
    static Card card;
    return card;
}

// The floor: what any scan of the card has to do at least. With sizes, it also asks for
// the movie's size and the drive-data file's size, as every listed recording needs them
// (a reference figure, not the goal's floor).
void ListAndRead(const std::string& folder, int depth, int64_t& movies, bool sizes = false) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> subfolders;
    while (dirent* e = ::readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        const std::string path = folder + "/" + e->d_name;
        if (e->d_type == DT_DIR) {
            subfolders.push_back(path);
            continue;
        }
        const size_t n = std::char_traits<char>::length(e->d_name);
        if (n < 4 || std::string_view(e->d_name + n - 4) != ".MOV") continue;
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        char head[8];
        if (::read(fd, head, sizeof head) == 8) ++movies;
        if (sizes) {
            struct stat st {};
            ::fstat(fd, &st);
            std::string data = path;
            data.replace(data.size() - 5, 5, "D.ADA");
            data.replace(data.rfind('/') - (data[data.rfind('/') - 1] == 'g' ? 7 : 6),
                         data[data.rfind('/') - 1] == 'g' ? 7 : 6,
                         data[data.rfind('/') - 1] == 'g' ? "_PData" : "_NData");
            ::stat(data.c_str(), &st);
        }
        ::close(fd);
    }
    ::closedir(dir);
    if (depth < 3) {
        for (const std::string& s : subfolders)
            ListAndRead(s, depth + 1, movies, sizes);
    }
}

void BM_Floor(benchmark::State& state) {
    const Card& card = TheCard();
    int64_t movies = 0;
    for (auto _ : state) {
        movies = 0;
        ListAndRead(card.root, 0, movies);
        benchmark::DoNotOptimize(movies);
    }
    state.counters["movies"] = static_cast<double>(movies);
}

void BM_FloorWithSizes(benchmark::State& state) {
    const Card& card = TheCard();
    int64_t movies = 0;
    for (auto _ : state) {
        movies = 0;
        ListAndRead(card.root, 0, movies, true);
        benchmark::DoNotOptimize(movies);
    }
    state.counters["movies"] = static_cast<double>(movies);
}

SourceEnvironment NoDrives() {
    SourceEnvironment env;
    env.removableVolumes = [] { return std::vector<std::string>{}; };
    return env;
}

void BM_ScanAndSelectFirstGroup(benchmark::State& state) {
    const Card& card = TheCard();
    size_t nodes = 0, catalogue = 0;
    for (auto _ : state) {
        SourceCatalogue catalogueOfCard(NoDrives());
        catalogueOfCard.ScanSource(card.root, kSourceDrive);
        catalogueOfCard.SelectFirstGroup();
        nodes = catalogueOfCard.Tree().NodeCount();
        catalogue = catalogueOfCard.Catalogue().size();
        benchmark::DoNotOptimize(nodes);
    }
    state.counters["tree_nodes"] = static_cast<double>(nodes);
    state.counters["catalogue"] = static_cast<double>(catalogue);
}

void BM_ListAllRecordings(benchmark::State& state) {
    const Card& card = TheCard();
    SourceCatalogue catalogueOfCard(NoDrives());
    catalogueOfCard.ScanSource(card.root, kSourceDrive);
    size_t listed = 0;
    for (auto _ : state) {
        listed = catalogueOfCard.ListAllRecordings().size();
        benchmark::DoNotOptimize(listed);
    }
    state.counters["recordings"] = static_cast<double>(listed);
}

void BM_NameMatcher(benchmark::State& state) {
    const Card& card = TheCard();
    for (auto _ : state) {
        int n = 0;
        for (const std::string& name : card.names)
            n += SearchNamePattern(name, NamePattern::kMainCamera);
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(card.names.size()));
}

void BM_NameRegex(benchmark::State& state) {
    const Card& card = TheCard();
    for (auto _ : state) {
        int n = 0;
        for (const std::string& name : card.names)
            n += SearchNamePatternRegex(name, NamePattern::kMainCamera);
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(card.names.size()));
}

}  // namespace

BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorWithSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanAndSelectFirstGroup)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListAllRecordings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NameMatcher)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NameRegex)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
