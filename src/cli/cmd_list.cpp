// quorva-cli list [--kind 1|2|3] SOURCE: every main-camera recording of the source.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/json_writer.h"
#include "cli/recording_json.h"
#include "recordings/source_catalogue.h"

namespace quorva::cli {
namespace {

int List(const std::vector<std::string>& args) {
    SourceArgs a;
    if (int rc = ParseSourceArgs(args, {"--kind"}, "list", a)) return rc;
    SourceCatalogue catalogue(CliSourceEnvironment());
    catalogue.ScanSource(a.source, a.kind);
    JsonWriter json;
    json.BeginArray();
    for (const RecordingEntry& e : catalogue.ListAllRecordings())
        WriteEntryJson(json, e);
    json.EndArray();
    std::printf("%s\n", json.str().c_str());
    return 0;
}

const CliCommand kList("list", "[--kind 1|2|3] SOURCE", List);

}  // namespace
}  // namespace quorva::cli
