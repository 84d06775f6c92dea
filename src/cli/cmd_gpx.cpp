// quorva-cli gpx OUT.gpx MOVIE...: writes the GPS track of the movies, in the given order, as
// one GPX 1.1 file (one track, one segment per recording, split where the fix is lost),
// replacing OUT.gpx. Answers {"path","points","segments"}.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/json_writer.h"
#include "container/qt/gpx_writer.h"

namespace quorva::cli {
namespace {

int Gpx(const std::vector<std::string>& args) {
    for (const auto& a : args) {
        if (a.rfind("--", 0) == 0) {
            std::fprintf(stderr, "gpx: unexpected argument '%s'\n", a.c_str());
            return 2;
        }
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "gpx: give OUT.gpx and at least one MOVIE\n");
        return 2;
    }
    const std::vector<std::string> movies(args.begin() + 1, args.end());
    GpxExportOptions options;
    options.replaceExisting = true;
    const GpxExportResult result = ExportGpx(movies, args[0], options);
    switch (result.status) {
        case GpxExportStatus::kDone:
            break;
        case GpxExportStatus::kNoPositions:
            std::fprintf(stderr, "gpx: the recordings hold no GPS position with a fix\n");
            return 1;
        default:
            std::fprintf(stderr, "gpx: cannot write %s%s%s\n", args[0].c_str(),
                         result.error.empty() ? "" : ": ", result.error.c_str());
            return 1;
    }
    JsonWriter json;
    json.BeginObject();
    json.Field("path", result.path);
    json.Field("points", static_cast<uint64_t>(result.points));
    json.Field("segments", static_cast<uint64_t>(result.segments));
    json.EndObject();
    std::printf("%s\n", json.str().c_str());
    return 0;
}

const CliCommand kGpx("gpx", "OUT.gpx MOVIE...", Gpx);

}  // namespace
}  // namespace quorva::cli
