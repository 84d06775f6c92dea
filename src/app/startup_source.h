// The source the viewer opens at start: a source named on the command line first (a card's
// mount point, a folder or one movie), else the first removable drive (searched from the
// last to the first), else the stored folder, else the stored recording file.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quorva {

struct StartupSource {
    std::string path;
    int kind = 0;  // SourceKind: 0 none, 1 card, 2 folder, 3 file
    // A source named on the command line that cannot be opened, and why (for the user).
    std::string rejectedPath;
    std::string rejectedReason;
};

// What the choice looks at; every member has a default on the real system.
struct StartupEnvironment {
    std::function<std::vector<std::string>()> removableVolumes;  // mount points, drive order
    std::function<bool(const std::string&)> exists;
    std::function<bool(const std::string&)> isDirectory;
    std::function<std::string(const std::string& section, const std::string& key)> readSetting;
    std::string workingDirectory;  // relative command-line paths start here
};
StartupEnvironment DefaultStartupEnvironment();

// The kind of a path given by the user: a folder that holds a recorder card's folders (or
// the mount point of a removable drive) is a card (1), another folder a folder (2), a file
// with a recording name a file (3); 0 for anything else.
int SourceKindOfPath(const std::string& path, const StartupEnvironment& env);

// An absolute path without a trailing separator.
std::string NormalisedSourcePath(const std::string& path, const std::string& workingDirectory);

StartupSource ChooseStartupSource(const std::string& commandLinePath,
                                  const StartupEnvironment& env);

// The source that the source dialog's choice (kind 1 card, 2 folder, 3 file) opens, by the
// rule of a source named on the command line: the same normalised path, and a chosen folder
// that holds a recorder card's folders opens as the card it is. A chosen card stays a card.
// Kind 0 with a reason when it cannot be opened (gone, or a file that is not a recording).
StartupSource ChosenSource(int chosenKind, const std::string& path, const StartupEnvironment& env);

}  // namespace quorva
