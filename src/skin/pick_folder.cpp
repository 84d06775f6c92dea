#include "skin/pick_folder.h"

#include <QDir>
#include <QFileDialog>

#include "appcore/settings_store.h"
#include "appcore/ui_text.h"
#include "skin/msg_dlg.h"

namespace quorva {

namespace {

QUrl RunFolderDialog(QWidget* owner, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectoryUrl(owner, title, QUrl::fromLocalFile(start),
                                                QFileDialog::ShowDirsOnly,
                                                {QStringLiteral("file")});
}

}  // namespace

std::string PickFolderStart(std::string_view section, std::string_view key) {
    std::string start = ReadSetting(section, key);
    if (start.empty()) start = SettingsDirectory();
    return start;
}

std::string PickFolderWith(const FolderDialog& dialog, QWidget* owner, std::string_view section,
                           std::string_view key, const std::string& title) {
    const QString start = QString::fromStdString(PickFolderStart(section, key));
    const QUrl chosen = dialog(owner, QString::fromStdString(title), start);
    if (chosen.isEmpty()) return {};
    const QString path = chosen.isLocalFile() ? chosen.toLocalFile() : QString();
    if (path.isEmpty()) {
        ShowMessage(owner, UiText(95), "ERROR", 0);
        return {};
    }
    return QDir::cleanPath(path).toStdString();
}

std::string PickFolder(QWidget* owner, std::string_view section, std::string_view key,
                       const std::string& title) {
    return PickFolderWith(RunFolderDialog, owner, section, key, title);
}

}  // namespace quorva
