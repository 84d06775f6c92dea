// JSON shapes shared by the recording commands of quorva-cli (names, scan, list).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "cli/json_writer.h"
#include "recordings/recording_entry.h"
#include "recordings/source_catalogue.h"

namespace quorva::cli {

// {"path","id","class_char","movie_size","sub_size","data_size"}; class_char is a one-letter
// string, "" for none; sizes of -1 (group entries) are written as -1.
inline void WriteEntryJson(JsonWriter& json, const RecordingEntry& e) {
    auto size = [&](const char* key, uint64_t value) {
        if (value == UINT64_MAX)
            json.Field(key, int64_t{-1});
        else
            json.Field(key, value);
    };
    json.BeginObject();
    json.Field("path", e.path);
    json.Field("id", static_cast<int64_t>(e.id));
    const char letter[2] = {static_cast<char>(e.classChar), '\0'};
    json.Field("class_char", e.classChar > 0 && e.classChar < 128 ? letter : "");
    size("movie_size", e.movieSize);
    size("sub_size", e.subSize);
    size("data_size", e.dataSize);
    json.EndObject();
}

// "--kind 1|2|3" or, without it, 2 for a folder and 3 for a file; 0 with a message when the
// source cannot be used.
inline int SourceKindFor(const std::string& path, const std::string& kindArg, const char* cmd) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        std::fprintf(stderr, "%s: no such file or folder: %s\n", cmd, path.c_str());
        return 0;
    }
    if (!kindArg.empty()) {
        if (kindArg != "1" && kindArg != "2" && kindArg != "3") {
            std::fprintf(stderr, "%s: --kind must be 1, 2 or 3\n", cmd);
            return 0;
        }
        const int kind = kindArg[0] - '0';
        const bool folder = std::filesystem::is_directory(status);
        if (folder != (kind != kSourceFile)) {
            std::fprintf(stderr, "%s: kind %d needs %s: %s\n", cmd, kind,
                         kind == kSourceFile ? "a file" : "a folder", path.c_str());
            return 0;
        }
        return kind;
    }
    return std::filesystem::is_directory(status) ? kSourceFolder : kSourceFile;
}

// The arguments of the source commands: one SOURCE and the options given (each takes a
// value). Answers 0, or the exit code after a message on stderr.
struct SourceArgs {
    std::string source;
    int kind = 0;
    std::map<std::string, std::string> options;
};
inline int ParseSourceArgs(const std::vector<std::string>& args,
                           std::initializer_list<const char*> optionNames, const char* cmd,
                           SourceArgs& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        bool option = false;
        for (const char* name : optionNames) {
            if (args[i] == name && i + 1 < args.size()) {
                out.options[name] = args[++i];
                option = true;
                break;
            }
        }
        if (option) continue;
        if (out.source.empty() && args[i].rfind("--", 0) != 0) {
            out.source = args[i];
        } else {
            std::fprintf(stderr, "%s: unexpected argument '%s'\n", cmd, args[i].c_str());
            return 2;
        }
    }
    if (out.source.empty()) {
        std::fprintf(stderr, "%s: give a SOURCE\n", cmd);
        return 2;
    }
    out.kind = SourceKindFor(out.source, out.options["--kind"], cmd);
    return out.kind == 0 ? 1 : 0;
}

// The command line has no removable drives to look for: --kind 1 makes a folder a card.
inline SourceEnvironment CliSourceEnvironment() {
    SourceEnvironment env;
    env.removableVolumes = [] { return std::vector<std::string>{}; };
    return env;
}

}  // namespace quorva::cli
