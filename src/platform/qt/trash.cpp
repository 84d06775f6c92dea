#include "platform/qt/trash.h"

#include <QFile>
#include <QString>

namespace quorva::platform {

bool MoveToTrash(const std::string& path) {
    if (path.empty()) return false;
    return QFile::moveToTrash(QString::fromStdString(path));
}

}  // namespace quorva::platform
