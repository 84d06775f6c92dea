// Copying a byte range from one open file to another inside the kernel where the system
// can (no round trip through a user buffer), else with plain reads and writes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorva::platform {

// Copies length bytes at fromOffset of the file open as fromFd to the current position of
// toFd. False on a read or write error, or when the source ends before length bytes.
bool CopyFileRange(int fromFd, uint64_t fromOffset, int toFd, uint64_t length);

// Reserves room for a file that will grow to bytes (without changing its size), so that
// long appends do not extend it piece by piece. False where the system cannot (nothing
// is changed then).
bool ReserveFileSpace(int fd, uint64_t bytes);

}  // namespace quorva::platform
