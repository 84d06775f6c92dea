// make_peer_movies [FOLDER]: makes the table of ffmpeg-written movies for a test run (the
// ctest fixture "peer_movies"), unless the folder holds them already; without a folder, the
// suites' own (QUORVA_PEER_MOVIES, else the build's).
#include <cstdio>
#include <string>

#include "peer_movies.h"

int main(int argc, char** argv) {
    using namespace quorva::peers;
    const std::string folder = argc > 1 ? argv[1] : PeerMovieFolder();
    if (!HaveTool("ffmpeg") || !HaveTool("ffprobe")) {
        std::fprintf(stderr, "make_peer_movies: ffmpeg and ffprobe are needed\n");
        return 1;
    }
    std::string error;
    if (HoldsPeerMovies(folder)) {
        std::printf("make_peer_movies: %s holds them already\n", folder.c_str());
        return 0;
    }
    if (!MakePeerMovies(folder, &error)) {
        std::fprintf(stderr, "make_peer_movies: %s\n", error.c_str());
        return 1;
    }
    std::printf("make_peer_movies: %zu movies in %s\n", PeerMovieTable().size(), folder.c_str());
    return 0;
}
