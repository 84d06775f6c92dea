#include "platform/qt/volumes.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QString>

namespace quorva::platform {

namespace {

// The kernel's removable flag of a block device ("sdb1" looks at its disk "sdb" too).
// Built-in SD readers (mmcblk) often report 0, yet their cards are removable media.
bool IsRemovableBlockDevice(const QString& device) {
    const QString canonical = QFileInfo(device).canonicalFilePath();
    const QString name = QFileInfo(canonical.isEmpty() ? device : canonical).fileName();
    if (name.isEmpty()) return false;
    if (name.startsWith(QLatin1String("mmcblk"))) return true;
    const QString sysBlock = QStringLiteral("/sys/class/block/") + name;
    for (const QString& flagPath :
         {sysBlock + QStringLiteral("/removable"), sysBlock + QStringLiteral("/../removable")}) {
        QFile flag(flagPath);
        if (flag.open(QIODevice::ReadOnly)) return flag.read(1) == "1";
    }
    return false;
}

}  // namespace

std::vector<std::string> RemovableVolumeRoots() {
    std::vector<std::string> roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || volume.isRoot()) continue;
        const QString device = QString::fromLocal8Bit(volume.device());
        if (!device.startsWith(QLatin1String("/dev/"))) continue;
        if (!IsRemovableBlockDevice(device)) continue;
        roots.push_back(volume.rootPath().toStdString());
    }
    return roots;
}

std::string VolumeRootOf(const std::string& path) {
    const QString p = QString::fromStdString(path);
    if (!QFileInfo::exists(p)) return "";
    const QStorageInfo volume(p);
    return volume.isValid() ? volume.rootPath().toStdString() : std::string();
}

bool IsVolumeRoot(const std::string& path) {
    const QString p = QString::fromStdString(path);
    if (!QFileInfo::exists(p)) return false;
    const QStorageInfo volume(p);
    return volume.isValid() &&
           QDir::cleanPath(volume.rootPath()) == QDir::cleanPath(QFileInfo(p).absoluteFilePath());
}

}  // namespace quorva::platform
