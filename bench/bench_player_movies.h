// Movies for the player benchmarks, written once by the recorder-card writer and kept in the
// temporary folder between runs (QUORVA_BENCH_DIR chooses another folder).
#pragma once

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "cardwriter/card_writer.h"
#include "cardwriter/movie_writer.h"

namespace quorva::bench {

inline std::string BenchFolder() {
    const char* dir = std::getenv("QUORVA_BENCH_DIR");
    std::string folder = dir && *dir ? dir : "/tmp/quorva-bench";
    mkdir(folder.c_str(), 0755);
    return folder;
}

// The main camera: 1920 x 1080, 30 frames per second, a key frame every second, 60 s, with
// sound. The sub camera beside it: 1280 x 720 at 27.5 frames per second.
inline std::string BenchMovie(bool sub = false) {
    const std::string folder = BenchFolder();
    const std::string path =
        folder + (sub ? "/AG__-240131-083015-000123S.MOV" : "/AG__-240131-083015-000123M.MOV");
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && st.st_size > 0) return path;
    cardwriter::QuietCodecLogs();
    cardwriter::MovieRecipe desc;
    desc.width = sub ? 1280 : 1920;
    desc.height = sub ? 720 : 1080;
    desc.rate = sub ? cardwriter::FrameRate{55, 2} : cardwriter::FrameRate{30, 1};
    desc.frames = sub ? 1650 : 1800;
    desc.gop = sub ? 28 : 30;
    desc.camera = sub ? 1 : 0;
    desc.audio = !sub;
    desc.crf = 23;
    desc.preset = "veryfast";
    std::fprintf(stderr, "writing %s (once)...\n", path.c_str());
    std::string error;
    if (!cardwriter::WriteMovie(path, desc, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
        std::remove(path.c_str());
        std::exit(1);
    }
    return path;
}

}  // namespace quorva::bench
