#include "app/startup_source.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "appcore/settings_store.h"
#include "platform/qt/volumes.h"
#include "recordings/recording_name.h"
#include "recordings/source_catalogue.h"

namespace quorva {

namespace fs = std::filesystem;

StartupEnvironment DefaultStartupEnvironment() {
    StartupEnvironment env;
    env.removableVolumes = [] { return platform::RemovableVolumeRoots(); };
    env.exists = [](const std::string& p) {
        std::error_code ec;
        return fs::exists(fs::u8path(p), ec);
    };
    env.isDirectory = [](const std::string& p) {
        std::error_code ec;
        return fs::is_directory(fs::u8path(p), ec);
    };
    env.readSetting = [](const std::string& section, const std::string& key) {
        return ReadSetting(section, key);
    };
    std::error_code ec;
    env.workingDirectory = fs::current_path(ec).string();
    return env;
}

std::string NormalisedSourcePath(const std::string& path, const std::string& workingDirectory) {
    if (path.empty()) return path;
    fs::path p = fs::u8path(path);
    if (p.is_relative() && !workingDirectory.empty()) p = fs::u8path(workingDirectory) / p;
    std::string text = p.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

int SourceKindOfPath(const std::string& path, const StartupEnvironment& env) {
    if (path.empty() || !env.exists(path)) return kSourceNone;
    if (env.isDirectory(path)) {
        const std::vector<std::string> drives = env.removableVolumes();
        if (std::find(drives.begin(), drives.end(), path) != drives.end()) return kSourceDrive;
        for (int layout = 0; layout < 2; ++layout) {
            const Layout& l = LayoutAt(layout);
            if (env.exists(JoinPath(path, l.normal.movie.folder)) ||
                env.exists(JoinPath(path, l.parking.movie.folder)))
                return kSourceDrive;
        }
        return kSourceFolder;
    }
    return IsRecordingName(path) ? kSourceFile : kSourceNone;
}

StartupSource ChooseStartupSource(const std::string& commandLinePath,
                                  const StartupEnvironment& env) {
    StartupSource source;
    if (!commandLinePath.empty()) {
        const std::string path = NormalisedSourcePath(commandLinePath, env.workingDirectory);
        const int kind = SourceKindOfPath(path, env);
        if (kind != kSourceNone) {
            source.path = path;
            source.kind = kind;
            return source;
        }
        source.rejectedPath = path;
        source.rejectedReason =
            env.exists(path) ? "not a recording, folder or card" : "no such file or folder";
    }
    const std::vector<std::string> drives = env.removableVolumes();
    for (auto it = drives.rbegin(); it != drives.rend(); ++it) {
        if (!it->empty() && env.exists(*it)) {
            source.path = *it;
            source.kind = kSourceDrive;
            return source;
        }
    }
    const std::string folder = env.readSetting("SOURCE", "FOLDER");
    if (!folder.empty() && env.exists(folder)) {
        source.path = folder;
        source.kind = kSourceFolder;
        return source;
    }
    const std::string file = env.readSetting("SOURCE", "FILE");
    if (!file.empty() && env.exists(file) && IsRecordingName(file)) {
        source.path = file;
        source.kind = kSourceFile;
    }
    return source;
}

StartupSource ChosenSource(int chosenKind, const std::string& path, const StartupEnvironment& env) {
    StartupSource source;
    if (chosenKind < kSourceDrive || chosenKind > kSourceFile || path.empty()) return source;
    const std::string normal = NormalisedSourcePath(path, env.workingDirectory);
    int kind = SourceKindOfPath(normal, env);
    // A drive the user picked as the card is one, whatever it holds.
    if (chosenKind == kSourceDrive && kind == kSourceFolder) kind = kSourceDrive;
    if (kind == kSourceNone) {
        source.rejectedPath = normal;
        source.rejectedReason = env.exists(normal) ? "not a recording" : "no such file or folder";
        return source;
    }
    source.path = normal;
    source.kind = kind;
    return source;
}

}  // namespace quorva
