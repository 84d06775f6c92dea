// The folder chooser: starts at the folder stored under a settings key (the settings
// directory when there is none) and answers the chosen folder's path, or "" when the user
// cancels. It does not store the choice: each caller writes the key once it has used it.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace quorva {

std::string PickFolder(QWidget* owner, std::string_view section, std::string_view key,
                       const std::string& title);

// The same with the dialog given: it is called with the owner, the title and the start
// folder and answers the chosen location (an empty URL when cancelled).
using FolderDialog =
    std::function<QUrl(QWidget* owner, const QString& title, const QString& startFolder)>;
std::string PickFolderWith(const FolderDialog& dialog, QWidget* owner, std::string_view section,
                           std::string_view key, const std::string& title);

// The start folder for a settings key: its stored value, or the settings directory.
std::string PickFolderStart(std::string_view section, std::string_view key);

}  // namespace quorva
