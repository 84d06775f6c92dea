// Where the settings file Default_Folder.ini lives. A viewer started in the home folder (as
// the desktop starts it) keeps its settings in ${XDG_CONFIG_HOME:-$HOME/.config}/quorva; one
// started in any other folder keeps them in that folder; `--settings-dir DIR` names the
// folder outright.
#pragma once

#include <string>

namespace quorva {

struct SettingsPlace {
    std::string namedDirectory;    // --settings-dir, "" when not given
    std::string workingDirectory;  // the working directory at start
    std::string home;              // $HOME, "" when unset
    std::string configHome;        // $XDG_CONFIG_HOME, "" when unset
};

// The settings directory for a start in that place (absolute when the inputs are).
std::string SettingsDirectoryFor(const SettingsPlace& place);

// The place of this process: its working directory and environment.
SettingsPlace CurrentSettingsPlace(const std::string& namedDirectory);

// Creates the directory (and its parents) when missing; false when it is not a directory
// afterwards.
bool MakeSettingsDirectory(const std::string& directory);

}  // namespace quorva
