#include "app/own_drive.h"

#include <filesystem>
#include <system_error>

#include "platform/qt/volumes.h"

namespace quorva {

DriveProbe DefaultDriveProbe() {
    DriveProbe probe;
    probe.volumeRootOf = [](const std::string& p) { return platform::VolumeRootOf(p); };
    probe.isVolumeRoot = [](const std::string& p) { return platform::IsVolumeRoot(p); };
    probe.exists = [](const std::string& p) {
        std::error_code ec;
        return std::filesystem::exists(std::filesystem::u8path(p), ec);
    };
    return probe;
}

bool ProgramRanFromRemovedSource(const std::string& programRoot, const std::string& sourceRoot,
                                 const std::string& programPath, const DriveProbe& probe) {
    if (programRoot.empty() || sourceRoot.empty() || programRoot != sourceRoot) return false;
    if (programRoot == "/") return false;  // the root file system is never removed
    const bool stillMounted = probe.isVolumeRoot(programRoot);
    const bool programThere = programPath.empty() || probe.exists(programPath);
    return !stillMounted || !programThere;
}

}  // namespace quorva
