// quorva-cli join [--replace] OUTDIR MOVIE...: joins the movies in the given order into one
// movie (named after the first) with one drive-data file in OUTDIR.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "appcore/ui_text.h"
#include "cli/cli_command.h"
#include "cli/json_writer.h"
#include "container/join_recordings.h"
#include "recordings/recording_name.h"

namespace quorva::cli {
namespace {

uint64_t SizeOr0(const std::string& path) {
    std::error_code ec;
    const auto n = std::filesystem::file_size(path, ec);
    return ec ? 0 : static_cast<uint64_t>(n);
}

int Join(const std::vector<std::string>& args) {
    bool replace = false;
    std::vector<std::string> positional;
    for (const auto& a : args) {
        if (a == "--replace")
            replace = true;
        else if (a.rfind("--", 0) == 0) {
            std::fprintf(stderr, "join: unexpected argument '%s'\n", a.c_str());
            return 2;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() < 2) {
        std::fprintf(stderr, "join: give OUTDIR and at least one MOVIE\n");
        return 2;
    }
    std::vector<RecordingEntry> selected;
    for (size_t i = 1; i < positional.size(); ++i) {
        RecordingEntry e;
        e.path = positional[i];
        e.movieSize = SizeOr0(e.path);
        e.subSize = SizeOr0(SubCameraPath(e.path));
        e.dataSize = SizeOr0(DriveDataPath(e.path));
        selected.push_back(std::move(e));
    }
    JoinOptions options;
    options.replaceExisting = replace;
    const JoinResult result = JoinRecordings(selected, positional[0], options);
    if (!result.ok()) {
        std::fprintf(stderr, "join: %s (%s)\n", UiText(92).c_str(), result.error.c_str());
        return 1;
    }
    JsonWriter json;
    json.BeginObject();
    json.Field("movie", result.moviePath);
    json.Key("data");
    result.dataPath.empty() ? json.Null() : json.String(result.dataPath);
    json.EndObject();
    std::printf("%s\n", json.str().c_str());
    return 0;
}

const CliCommand kJoin("join", "[--replace] OUTDIR MOVIE...", Join);

}  // namespace
}  // namespace quorva::cli
