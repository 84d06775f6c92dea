// The settings store: Default_Folder.ini in the settings directory (the working directory
// captured once at start). Every read and write goes to the file; nothing is cached.
#pragma once

#include <string>
#include <string_view>

namespace quorva {

// Captures the settings directory (normally the working directory at start-up).
void SetSettingsDirectory(std::string directory);
const std::string& SettingsDirectory();
std::string SettingsFilePath();

// The stored value (at most 259 characters), or "" when the key, section or file is absent.
std::string ReadSetting(std::string_view section, std::string_view key);
// Writes the value and marks the file hidden; false when the write failed.
bool WriteSetting(std::string_view section, std::string_view key, std::string_view value);

// Writes the first-run defaults when the settings file does not exist. Returns true when it
// wrote them.
bool WriteFirstRunDefaults();

}  // namespace quorva
