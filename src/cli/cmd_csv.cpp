// quorva-cli csv [--kind 1|2|3] SOURCE OUTDIR: writes the CSV list of every main-camera
// recording of the source into OUTDIR (replacing a list of the same name).
#include <cstdio>
#include <string>
#include <vector>

#include "appcore/ui_text.h"
#include "cli/cli_command.h"
#include "cli/json_writer.h"
#include "cli/recording_json.h"
#include "container/csv_export.h"
#include "recordings/source_catalogue.h"

namespace quorva::cli {
namespace {

int Csv(const std::vector<std::string>& args) {
    std::string kindArg;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--kind" && i + 1 < args.size()) {
            kindArg = args[++i];
        } else if (args[i].rfind("--", 0) != 0) {
            positional.push_back(args[i]);
        } else {
            std::fprintf(stderr, "csv: unexpected argument '%s'\n", args[i].c_str());
            return 2;
        }
    }
    if (positional.size() != 2) {
        std::fprintf(stderr, "csv: give SOURCE and OUTDIR\n");
        return 2;
    }
    const std::string& source = positional[0];
    const std::string& outDir = positional[1];
    const int kind = SourceKindFor(source, kindArg, "csv");
    if (kind == 0) return 1;
    SourceEnvironment env;
    env.removableVolumes = [] { return std::vector<std::string>{}; };
    SourceCatalogue catalogue(env);
    catalogue.ScanSource(source, kind);
    const std::vector<RecordingEntry> list = catalogue.ListAllRecordings();
    CsvExportOptions options;
    options.replaceExisting = true;
    const CsvExportResult result = ExportCsv(list, outDir, options);
    if (!result.ok()) {
        const int text = CsvStatusText(result.status);
        std::fprintf(stderr, "csv: %s%s%s\n", text ? UiText(text).c_str() : "failed",
                     result.path.empty() ? "" : " ", result.path.c_str());
        return 1;
    }
    JsonWriter json;
    json.BeginObject();
    json.Field("path", result.path);
    json.Field("rows", static_cast<uint64_t>(result.rows));
    json.EndObject();
    std::printf("%s\n", json.str().c_str());
    return 0;
}

const CliCommand kCsv("csv", "[--kind 1|2|3] SOURCE OUTDIR", Csv);

}  // namespace
}  // namespace quorva::cli
