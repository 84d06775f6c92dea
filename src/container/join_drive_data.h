// The drive data of a join: the first recording's header and the records of every joined
// recording, read with plain file reads and written as one drive-data file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorva {

struct JoinDriveData {
    uint8_t header[26] = {};
    std::vector<uint8_t> records;  // 124 bytes each
    uint64_t count = 0;
};

// Reads a drive-data file: it must start with "CSMDAT". A count of 0xFFFF reads the
// records up to the end tag; a count larger than the file reads the complete records it
// holds (as the decoder does).
bool ReadJoinDriveData(const std::string& drivePath, JoinDriveData& out);

// Appends a further recording's records and then two more copies of its last one. A
// recording without records adds nothing.
void AppendJoinDriveData(JoinDriveData& into, const JoinDriveData& more);

// "CSMDAT", the header, the count (0xFFFF from 65535 records on), the records, "CSMEND",
// and from 65535 records on the count as big-endian 32-bit. False when it cannot be written.
bool WriteDriveData(const std::string& path, const JoinDriveData& data, bool syncToDisk = false);

}  // namespace quorva
