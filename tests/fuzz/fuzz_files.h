// The fuzz targets hand their input to readers that take a path: one scratch file per
// process, in memory when /dev/shm exists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorva::fuzz {

// A per-process folder for scratch files.
const std::string& ScratchFolder();
// Writes the bytes to the file (created, truncated); aborts when it cannot.
void WriteScratch(const std::string& path, const uint8_t* data, size_t size);

}  // namespace quorva::fuzz
