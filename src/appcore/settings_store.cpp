#include "appcore/settings_store.h"

#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>

#include "appcore/ini_document.h"
#include "platform/file_attributes.h"
#include "platform/process.h"

namespace quorva {

namespace {

constexpr size_t kMaxValueCharacters = 259;  // a value is read into 260 characters

struct SettingsLocation {
    std::mutex mutex;
    std::optional<std::string> directory;
    std::string current;
};

SettingsLocation& Location() {
    static SettingsLocation location;
    return location;
}

// The whole file, or nullopt when it does not exist or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return std::move(text).str();
}

// Cuts a UTF-8 value to its first 259 characters, never inside a character.
std::string CutValue(std::string value) {
    size_t characters = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        if ((c & 0xC0) == 0x80) continue;  // continuation byte
        if (characters == kMaxValueCharacters) {
            value.resize(i);
            break;
        }
        ++characters;
    }
    return value;
}

// Writes the text beside the file and moves it into place, so that a failed write never
// leaves a half-written settings file.
bool ReplaceFile(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".tmp" + std::to_string(platform::CurrentProcessId());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

}  // namespace

void SetSettingsDirectory(std::string directory) {
    SettingsLocation& location = Location();
    std::lock_guard lock(location.mutex);
    while (directory.size() > 1 && directory.back() == '/')
        directory.pop_back();
    location.directory = std::move(directory);
}

const std::string& SettingsDirectory() {
    SettingsLocation& location = Location();
    std::lock_guard lock(location.mutex);
    if (!location.directory) {
        // Captured once: a later change of working directory does not move the file.
        std::error_code ec;
        const std::filesystem::path cwd = std::filesystem::current_path(ec);
        location.directory = ec ? std::string(".") : cwd.string();
    }
    location.current = *location.directory;
    return location.current;
}

std::string SettingsFilePath() {
    const std::string& directory = SettingsDirectory();
    if (!directory.empty() && directory.back() == '/') return directory + "Default_Folder.ini";
    return directory + "/Default_Folder.ini";
}

std::string ReadSetting(std::string_view section, std::string_view key) {
    const std::optional<std::string> text = ReadWholeFile(SettingsFilePath());
    if (!text) return "";
    std::optional<std::string> value = IniDocument::Parse(*text).Get(section, key);
    return value ? CutValue(std::move(*value)) : std::string();
}

bool WriteSetting(std::string_view section, std::string_view key, std::string_view value) {
    // A line break or a bracket in a name would change other keys of the file.
    if (!IsStorableIniName(section) || !IsStorableIniName(key) || !IsStorableIniValue(value))
        return false;
    const std::string path = SettingsFilePath();
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    std::optional<std::string> text = ReadWholeFile(path);
    if (exists && !text) return false;  // never replace a file that could not be read
    IniDocument doc = IniDocument::Parse(text ? *text : std::string());
    doc.Set(section, key, value);
    if (!ReplaceFile(path, doc.Serialize())) return false;
    platform::SetHiddenAttribute(path);
    return true;
}

bool WriteFirstRunDefaults() {
    std::error_code ec;
    if (std::filesystem::exists(SettingsFilePath(), ec) || ec) return false;
    WriteSetting("DISPLAY", "INFOCHECK", "31");
    WriteSetting("DISPLAY", "ASPECT", "on");
    WriteSetting("DISPLAY", "VOLUME", "65535");
    return true;
}

}  // namespace quorva
