#include "appcore/settings_directory.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace quorva {

namespace fs = std::filesystem;

namespace {

// Both name the same folder: the same file when both exist, else the same normal form.
bool SameDirectory(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code ec;
    if (fs::equivalent(a, b, ec) && !ec) return true;
    const fs::path na = fs::path(a).lexically_normal();
    const fs::path nb = fs::path(b).lexically_normal();
    auto trimmed = [](fs::path p) { return p.has_filename() ? p : p.parent_path(); };
    return trimmed(na) == trimmed(nb);
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::string SettingsDirectoryFor(const SettingsPlace& place) {
    if (!place.namedDirectory.empty()) {
        const fs::path named(place.namedDirectory);
        if (named.is_absolute() || place.workingDirectory.empty()) return named.string();
        return (fs::path(place.workingDirectory) / named).lexically_normal().string();
    }
    if (!SameDirectory(place.workingDirectory, place.home)) return place.workingDirectory;
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules say.
    const fs::path config = !place.configHome.empty() && fs::path(place.configHome).is_absolute()
                                ? fs::path(place.configHome)
                                : fs::path(place.home) / ".config";
    return (config / "quorva").string();
}

SettingsPlace CurrentSettingsPlace(const std::string& namedDirectory) {
    SettingsPlace place;
    place.namedDirectory = namedDirectory;
    std::error_code ec;
    place.workingDirectory = fs::current_path(ec).string();
    place.home = Environment("HOME");
    place.configHome = Environment("XDG_CONFIG_HOME");
    return place;
}

bool MakeSettingsDirectory(const std::string& directory) {
    if (directory.empty()) return false;
    std::error_code ec;
    fs::create_directories(directory, ec);
    return fs::is_directory(directory, ec);
}

}  // namespace quorva
