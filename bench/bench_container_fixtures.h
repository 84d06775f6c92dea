// Files for the container benchmarks, written once by the recorder-card writer and kept in
// a temporary folder between runs (QUORVA_BENCH_DIR chooses another folder).
#pragma once

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cardwriter/card_writer.h"
#include "cardwriter/drive_data_writer.h"
#include "cardwriter/movie_writer.h"
#include "recordings/recording_entry.h"
#include "recordings/recording_name.h"

namespace quorva::bench {

inline std::string ContainerBenchFolder() {
    const char* dir = std::getenv("QUORVA_BENCH_DIR");
    std::string folder = std::string(dir && *dir ? dir : "/tmp/quorva-bench") + "/container";
    std::filesystem::create_directories(folder);
    return folder;
}

inline bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && st.st_size > 0;
}

// A one-minute recording: 30 frames per second with sound (the tables of a real one).
// big: 1920 x 1080 at a high bit rate; else 320 x 180.
inline std::string OneMinuteMovie(bool big) {
    const std::string path =
        ContainerBenchFolder() + (big ? "/minute-1080p.MOV" : "/minute-180p.MOV");
    if (Exists(path)) return path;
    cardwriter::QuietCodecLogs();
    cardwriter::MovieRecipe desc;
    desc.width = big ? 1920 : 320;
    desc.height = big ? 1080 : 180;
    desc.frames = 1800;
    desc.gop = 30;
    desc.audio = true;
    desc.crf = big ? 4 : 23;
    desc.preset = "ultrafast";
    std::fprintf(stderr, "writing %s (once)...\n", path.c_str());
    std::string error;
    if (!cardwriter::WriteMovie(path + ".tmp", desc, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
        std::exit(1);
    }
    std::filesystem::rename(path + ".tmp", path);
    return path;
}

// A drive-data file of n records (one per 100 ms) along a short drive.
inline cardwriter::DriveDataFile DriveData(int n) {
    cardwriter::DriveDataFile file;
    cardwriter::CivilTime t{2024, 1, 31, 8, 30, 0};
    for (int i = 0; i < n; ++i) {
        cardwriter::DriveRecord r;
        r.latitude = 35.68 + i * 1e-5;
        r.longitude = 139.76 + i * 1e-5;
        r.speed = 40 + i % 20;
        r.time = cardwriter::AddSeconds(t, i / 10);
        r.voltage = 120 + i % 10;
        r.g[0] = (i * 37) % 900 - 450;
        r.g[1] = (i * 11) % 300 - 150;
        r.g[2] = 1000 + i % 50;
        file.records.push_back(r);
    }
    return file;
}

// n recordings named by the grammar in folder (movie copies of source, each with a
// 600-record drive-data file beside it), as RecordingEntry values.
inline std::vector<RecordingEntry> Recordings(const std::string& folder, const std::string& source,
                                              int n) {
    namespace fs = std::filesystem;
    fs::create_directories(folder);
    std::vector<RecordingEntry> entries;
    std::vector<uint8_t> data;
    for (int i = 0; i < n; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "A___-240131-%02d%02d00-%06dM.MOV", 8 + i / 60 % 12,
                      i % 60, i + 1);
        RecordingEntry e;
        e.path = folder + "/" + name;
        if (!Exists(e.path)) {
            if (!source.empty())
                fs::copy_file(source, e.path, fs::copy_options::overwrite_existing);
            std::string error;
            fs::create_directories(fs::path(DriveDataPath(e.path)).parent_path());
            if (!cardwriter::WriteDriveDataFile(DriveDataPath(e.path), DriveData(600), &error)) {
                std::fprintf(stderr, "cannot write drive data: %s\n", error.c_str());
                std::exit(1);
            }
        }
        std::error_code ec;
        e.movieSize = fs::file_size(e.path, ec);
        e.dataSize = fs::file_size(DriveDataPath(e.path), ec);
        e.id = i;
        entries.push_back(e);
    }
    return entries;
}

}  // namespace quorva::bench
