// Scanning a recorder card of 5000 recordings (layout 0, normal and parking halves, many
// runs, tiny movies with a valid header, drive-data files beside them), warm cache:
//   BM_Floor                 list the same folders, open and read 8 bytes of every movie
//   BM_FloorWithSizes        the fewest calls that also give what a listed entry needs: each
//                            movie opened in its open folder, 260 bytes read, its size from
//                            the end offset, and the drive-data file's status (a reference
//                            figure, not the goal's floor)
//   BM_ScanAndSelectFirstGroup   ScanSource (kind 1) + SelectFirstGroup
//   BM_ListAllRecordings     ListAllRecordings of the card
//   BM_*ToFloor              the same operations each timed right after a run of the floor;
//                            the counter "ratio" is the median of the per-round ratios of
//                            CPU times, steadier than two medians on a shared machine
//   BM_NameMatcher/BM_NameRegex  the name test alone, hand-written and std::regex
// Goal: the scan and the listing each within 1.5 times the floor.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
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

// The floor: what any scan of the card has to do at least.
void ListAndRead(const std::string& folder, int depth, int64_t& movies) {
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
        ::close(fd);
    }
    ::closedir(dir);
    if (depth < 3) {
        for (const std::string& s : subfolders)
            ListAndRead(s, depth + 1, movies);
    }
}

// The floor with the sizes, in as few calls as a listing of this card can make.
void ListAndReadWithSizes(const std::string& folder, int depth, int64_t& movies) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const size_t slash = folder.rfind('/');
    const std::string last = folder.substr(slash + 1);
    std::string data = folder;
    if (last == "Normal" || last == "Parking")
        data = folder.substr(0, slash + 1) + (last == "Normal" ? "_NData" : "_PData");
    const int dataFd = ::open(data.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    std::vector<std::string> subfolders;
    while (dirent* e = ::readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        if (e->d_type == DT_DIR) {
            subfolders.push_back(folder + "/" + e->d_name);
            continue;
        }
        const size_t n = std::char_traits<char>::length(e->d_name);
        if (n < 5 || std::string_view(e->d_name + n - 4) != ".MOV") continue;
        const int fd = ::openat(::dirfd(dir), e->d_name, O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        char head[260];
        if (::read(fd, head, sizeof head) == sizeof head) ++movies;
        benchmark::DoNotOptimize(::lseek(fd, 0, SEEK_END));
        ::close(fd);
        char dataName[256];
        std::memcpy(dataName, e->d_name, n - 5);
        std::memcpy(dataName + n - 5, "D.ADA", 6);
        struct stat st {};
        benchmark::DoNotOptimize(::fstatat(dataFd, dataName, &st, 0));
    }
    ::closedir(dir);
    if (dataFd >= 0) ::close(dataFd);
    if (depth < 3) {
        for (const std::string& s : subfolders)
            ListAndReadWithSizes(s, depth + 1, movies);
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
        ListAndReadWithSizes(card.root, 0, movies);
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

double ThreadCpuSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Each round runs the floor and then the operation; "ratio" is the median round's ratio.
template <typename Operation>
void RatioToFloor(benchmark::State& state, Operation operation) {
    const Card& card = TheCard();
    std::vector<double> ratios;
    for (auto _ : state) {
        int64_t movies = 0;
        const double start = ThreadCpuSeconds();
        ListAndRead(card.root, 0, movies);
        const double floorDone = ThreadCpuSeconds();
        benchmark::DoNotOptimize(operation());
        const double done = ThreadCpuSeconds();
        ratios.push_back((done - floorDone) / (floorDone - start));
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["ratio"] = ratios.empty() ? 0.0 : ratios[ratios.size() / 2];
}

void BM_ScanAndSelectFirstGroupToFloor(benchmark::State& state) {
    RatioToFloor(state, [&] {
        SourceCatalogue catalogueOfCard(NoDrives());
        catalogueOfCard.ScanSource(TheCard().root, kSourceDrive);
        catalogueOfCard.SelectFirstGroup();
        return catalogueOfCard.Catalogue().size();
    });
}

void BM_ListAllRecordingsToFloor(benchmark::State& state) {
    SourceCatalogue catalogueOfCard(NoDrives());
    catalogueOfCard.ScanSource(TheCard().root, kSourceDrive);
    RatioToFloor(state, [&] { return catalogueOfCard.ListAllRecordings().size(); });
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
BENCHMARK(BM_ScanAndSelectFirstGroupToFloor)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ListAllRecordingsToFloor)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_NameMatcher)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NameRegex)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
