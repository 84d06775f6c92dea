// quorva-cli frame MOVIE N OUT.png: the picture of frame N at its native size.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/json_writer.h"
#include "player/offscreen_players.h"
#include "player/snapshot_writer.h"

namespace quorva::cli {
namespace {

bool ParseFrameNumber(const std::string& text, int64_t& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || v < 0) return false;
    out = v;
    return true;
}

int Frame(const std::vector<std::string>& args) {
    int64_t n = 0;
    if (args.size() != 3 || !ParseFrameNumber(args[1], n)) {
        std::fprintf(stderr, "frame: usage: frame MOVIE N OUT.png (N a frame number from 0)\n");
        return 2;
    }
    OffscreenPlayers players(1);
    std::string error;
    if (!players.Open(args[0], &error)) {
        std::fprintf(stderr, "frame: %s: %s\n", args[0].c_str(), error.c_str());
        return 1;
    }
    PlayerSlot& slot = players.slot(0);
    if (!players.SeekAndWait(n)) {
        std::fprintf(stderr, "frame: frame %lld could not be decoded\n", static_cast<long long>(n));
        return 1;
    }
    const FramePtr picture = CurrentPicture(slot);
    if (!picture || !WritePng(*picture, args[2])) {
        std::fprintf(stderr, "frame: cannot write %s\n", args[2].c_str());
        return 1;
    }
    JsonWriter json;
    json.BeginObject();
    json.Field("position", static_cast<int64_t>(slot.ops->GetPosition(slot)));
    json.Field("width", picture->width);
    json.Field("height", picture->height);
    json.EndObject();
    std::printf("%s\n", json.str().c_str());
    return 0;
}

const CliCommand kFrame("frame",
                        "MOVIE N OUT.png\n      writes frame N of the movie at its native size; "
                        "answers {\"position\",\"width\",\"height\"}",
                        Frame);

}  // namespace
}  // namespace quorva::cli
