// File-system routines several windows use: deleting to the trash, the free space of a
// folder's volume and the removable drives (mounted removable volumes).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorva {

// Moves the file to the desktop's trash without asking; true when it was moved.
bool RecycleFile(const std::string& path);

// Bytes available to this user on the volume that holds the folder; 0 when it cannot be
// asked (a missing folder).
uint64_t FreeDiskSpace(const std::string& folder);

struct RemovableDriveList {
    std::vector<std::string> roots;  // mount points, in mount order
    int last = -1;                   // index of the last one, -1 when there is none
};
RemovableDriveList RemovableDrives();

}  // namespace quorva
