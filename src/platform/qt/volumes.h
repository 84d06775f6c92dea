// Mounted volumes: the removable drives a recorder card shows up as, and the volume that
// holds a path.
#pragma once

#include <string>
#include <vector>

namespace quorva::platform {

// Mount points of the mounted, ready volumes on removable devices (SD and MMC cards, USB
// card readers and sticks), in mount order. The root file system is never listed.
std::vector<std::string> RemovableVolumeRoots();

// The mount point of the volume that holds the path, "" when the path does not exist.
std::string VolumeRootOf(const std::string& path);

// True when the path is the mount point of a mounted volume.
bool IsVolumeRoot(const std::string& path);

}  // namespace quorva::platform
