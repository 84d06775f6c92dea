// Whether the viewer itself ran from a source that was just removed: the mount point that
// holds the executable is the one that held the source, and that volume is gone (it is no
// longer mounted there, or the executable is no longer reachable). Removing a folder that
// merely lies on the same disk as the viewer is not the removal of the viewer's drive.
#pragma once

#include <functional>
#include <string>

namespace quorva {

struct DriveProbe {
    // The mount point of the volume that holds a path; "" when the path does not exist.
    std::function<std::string(const std::string&)> volumeRootOf;
    // Whether a path is (still) the mount point of a mounted volume.
    std::function<bool(const std::string&)> isVolumeRoot;
    std::function<bool(const std::string&)> exists;
};
DriveProbe DefaultDriveProbe();

// programRoot: the mount point of the executable, taken at start-up. sourceRoot: the mount
// point of the source, taken when it was loaded. programPath: the executable.
bool ProgramRanFromRemovedSource(const std::string& programRoot, const std::string& sourceRoot,
                                 const std::string& programPath, const DriveProbe& probe);

}  // namespace quorva
