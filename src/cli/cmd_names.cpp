// quorva-cli names [--layout 0|1] PATH...: what the viewer derives from each recording name.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/json_writer.h"
#include "recordings/recording_name.h"

namespace quorva::cli {
namespace {

int Names(const std::vector<std::string>& args) {
    std::vector<std::string> paths;
    int layout = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--layout") {
            if (i + 1 >= args.size() || (args[i + 1] != "0" && args[i + 1] != "1")) {
                std::fprintf(stderr, "names: --layout must be 0 or 1\n");
                return 2;
            }
            layout = args[++i][0] - '0';
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.empty()) {
        std::fprintf(stderr, "names: give at least one PATH\n");
        return 2;
    }
    SetCurrentLayout(layout);
    for (const std::string& path : paths) {
        uint32_t flags = 0;
        KindFlags(path, flags);
        JsonWriter json;
        json.BeginObject();
        json.Field("name", FileNameOf(path));
        json.Field("valid", IsRecordingName(path));
        json.Field("main", IsMainRecordingName(path));
        json.Field("kind_flags", static_cast<int64_t>(flags));
        json.Field("trigger", TriggerLabel(path));
        json.Field("display", ListDisplayName(path));
        json.Field("data_path", DriveDataPath(path));
        json.Field("sub_path", SubCameraPath(path));
        json.Field("time", FormatSystemTime(RecordingTimeFromName(path)));
        json.Field("file_number", FileNumberOf(path));
        json.EndObject();
        std::printf("%s\n", json.str().c_str());
    }
    return 0;
}

const CliCommand kNames("names", "[--layout 0|1] PATH...", Names);

}  // namespace
}  // namespace quorva::cli
