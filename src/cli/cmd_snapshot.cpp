// quorva-cli snapshot MOVIE N FOLDER: the snapshots of both cameras at frame N, named as the
// viewer names them.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/json_writer.h"
#include "player/offscreen_players.h"
#include "player/snapshot_naming.h"

namespace quorva::cli {
namespace {

int Snapshot(const std::vector<std::string>& args) {
    char* end = nullptr;
    const long long n = args.size() == 3 ? std::strtoll(args[1].c_str(), &end, 10) : -1;
    if (args.size() != 3 || *end != '\0' || n < 0) {
        std::fprintf(stderr, "snapshot: usage: snapshot MOVIE N FOLDER (N a frame number)\n");
        return 2;
    }
    const std::string& movie = args[0];
    const std::string& folder = args[2];
    OffscreenPlayers players(2);
    std::string error;
    if (!players.Open(movie, &error)) {
        std::fprintf(stderr, "snapshot: %s: %s\n", movie.c_str(), error.c_str());
        return 1;
    }
    if (!players.SeekAndWait(n)) {
        std::fprintf(stderr, "snapshot: frame %lld could not be decoded\n", n);
        return 1;
    }
    PlayerGroup& g = players.group();
    // Each slot that shows a picture takes part (an empty overlay is the test).
    bool shows[2] = {false, false};
    for (int i = 0; i < 2; ++i)
        shows[i] = g.slot[i].valid && g.slot[i].ops->ShowOverlayText(g.slot[i], "") == 1;
    const int position = g.slot[0].ops->GetPosition(g.slot[0]);
    const std::string mainPath =
        SnapshotMainPath(folder, SnapshotBaseName(movie), position < 0 ? -1 : position);
    const std::string paths[2] = {mainPath, SnapshotSubPath(mainPath)};
    std::vector<std::string> saved;
    int failed = 0;
    for (int i = 0; i < 2; ++i) {
        if (shows[i]) {
            if (g.slot[i].ops->SaveSnapshot(g.slot[i], paths[i]) == 1) {
                saved.push_back(paths[i]);
            } else {
                std::fprintf(stderr, "snapshot: %s could not be written\n", paths[i].c_str());
                ++failed;
            }
        }
        if (g.slot[i].valid) g.slot[i].ops->ClearOverlay(g.slot[i]);
    }
    if (saved.empty()) {
        std::fprintf(stderr, "snapshot: the pictures could not be saved in %s\n", folder.c_str());
        return 1;
    }
    JsonWriter json;
    json.BeginObject();
    json.Key("files").BeginArray();
    for (const std::string& p : saved)
        json.String(p);
    json.EndArray();
    json.EndObject();
    std::printf("%s\n", json.str().c_str());
    // A camera whose picture was not written fails the command (the other's file stays).
    return failed == 0 ? 0 : 1;
}

const CliCommand kSnapshot("snapshot",
                           "MOVIE N FOLDER\n      saves both cameras' JPEG snapshots at frame N; "
                           "answers {\"files\":[...]}",
                           Snapshot);

}  // namespace
}  // namespace quorva::cli
