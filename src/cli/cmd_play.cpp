// quorva-cli play [--rate CODE] [--seconds S] MOVIE: plays the main camera's movie and its
// sub camera partner (when there is one) with off-screen outputs and reports what the
// presenter did.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/json_writer.h"
#include "player/offscreen_players.h"

namespace quorva::cli {
namespace {

int Play(const std::vector<std::string>& args) {
    int rate = 1;
    double seconds = 10.0;
    std::string movie;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        char* end = nullptr;
        if (a == "--rate" && i + 1 < args.size()) {
            rate = static_cast<int>(std::strtol(args[++i].c_str(), &end, 10));
            if (*end != '\0') {
                std::fprintf(stderr, "play: --rate takes a rate code (1, 2, 4, -1, -2, -4)\n");
                return 2;
            }
        } else if (a == "--seconds" && i + 1 < args.size()) {
            seconds = std::strtod(args[++i].c_str(), &end);
            if (*end != '\0' || !(seconds > 0.0)) {
                std::fprintf(stderr, "play: --seconds takes a positive number\n");
                return 2;
            }
        } else if (movie.empty() && !a.empty() && a[0] != '-') {
            movie = a;
        } else {
            std::fprintf(stderr, "play: unexpected argument '%s'\n", a.c_str());
            return 2;
        }
    }
    if (movie.empty()) {
        std::fprintf(stderr, "play: usage: play [--rate CODE] [--seconds S] MOVIE\n");
        return 2;
    }
    OffscreenPlayers players(2);
    std::string error;
    if (!players.Open(movie, &error)) {
        std::fprintf(stderr, "play: %s: %s\n", movie.c_str(), error.c_str());
        return 1;
    }
    if (!players.SeekAndWait(0)) {
        std::fprintf(stderr, "play: the first frame could not be decoded\n");
        return 1;
    }
    const PlaybackReport r = players.Play(rate, seconds);
    JsonWriter json;
    json.BeginObject();
    json.Field("presented", r.presented);
    json.Field("late", r.late);
    json.Field("dropped", r.dropped);
    json.Field("sub_dropped", r.subDropped);
    json.Field("max_late_ms", r.maxLateMs);
    json.Field("max_camera_offset_frames", r.maxCameraOffsetFrames);
    json.Field("cpu_s", r.cpuSeconds);
    json.Field("ended", r.ended);
    json.Field("media_s", r.mediaSeconds);
    json.Field("wall_s", r.wallSeconds);
    json.EndObject();
    std::printf("%s\n", json.str().c_str());
    return 0;
}

const CliCommand kPlay(
    "play",
    "[--rate CODE] [--seconds S] MOVIE\n"
    "      plays both cameras off-screen; answers {\"presented\",\"late\",\"dropped\",\n"
    "      \"sub_dropped\",\"max_late_ms\",\"max_camera_offset_frames\",\"cpu_s\",\"ended\",\n"
    "      \"media_s\",\"wall_s\"}: \"dropped\" counts the main camera's frames, \"sub_dropped\"\n"
    "      the sub camera's (with those it left out to give the main camera room)",
    Play);

}  // namespace
}  // namespace quorva::cli
