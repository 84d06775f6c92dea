#include "skin/shell_files.h"

#include <filesystem>
#include <system_error>

#include "platform/qt/trash.h"
#include "platform/qt/volumes.h"

namespace quorva {

bool RecycleFile(const std::string& path) {
    return !path.empty() && platform::MoveToTrash(path);
}

uint64_t FreeDiskSpace(const std::string& folder) {
    std::error_code error;
    const std::filesystem::space_info info = std::filesystem::space(folder, error);
    if (error) return 0;
    return static_cast<uint64_t>(info.available);
}

RemovableDriveList RemovableDrives() {
    RemovableDriveList list;
    list.roots = platform::RemovableVolumeRoots();
    list.last = static_cast<int>(list.roots.size()) - 1;
    return list;
}

}  // namespace quorva
