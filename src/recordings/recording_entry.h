// RecordingEntry: the record of one recording that every list of recordings is made of.
// A plain value, copied into and out of lists.
#pragma once

#include <cstdint>
#include <string>

#include "recordings/system_time.h"

namespace quorva {

constexpr uint32_t kAttributeDirectory = 0x10;

struct RecordingEntry {
    std::string path;  // full path (UTF-8)
    uint32_t attributes =
        0;                   // from the directory listing (bit 0x10 = directory); raw listings only
    int32_t id = 0;          // running index during a scan; -1 in a group entry
    int32_t classChar = 0;   // 'A', 'P', 'T', or '_' when position 2 is 'T'; 0 when no known kind
    int32_t joinedMark = 0;  // 1 when the entry took part in the last successful join
    int32_t qualityCode = 0;  // 11 for 720 lines, 12 for 1080 lines, else 0 (filled at playback)
    SystemTime startTime;     // from the name (filled at playback)
    uint64_t movieSize = 0;   // byte size of the movie (read as 32 bits)
    uint64_t subSize = 0;     // byte size of the sub-camera partner, 0 when missing
    uint64_t dataSize = 0;    // byte size of the drive-data file, 0 when missing
};

}  // namespace quorva
