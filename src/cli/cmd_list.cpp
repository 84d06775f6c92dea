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
    std::string kindArg, source;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--kind" && i + 1 < args.size()) {
            kindArg = args[++i];
        } else if (source.empty() && args[i].rfind("--", 0) != 0) {
            source = args[i];
        } else {
            std::fprintf(stderr, "list: unexpected argument '%s'\n", args[i].c_str());
            return 2;
        }
    }
    if (source.empty()) {
        std::fprintf(stderr, "list: give a SOURCE\n");
        return 2;
    }
    const int kind = SourceKindFor(source, kindArg, "list");
    if (kind == 0) return 1;
    SourceEnvironment env;
    env.removableVolumes = [] { return std::vector<std::string>{}; };
    SourceCatalogue catalogue(env);
    catalogue.ScanSource(source, kind);
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
