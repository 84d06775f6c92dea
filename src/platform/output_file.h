// A file written from scratch (create, truncate, write), closed when it goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorva {

class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool Create(const std::string& path);
    bool Write(const void* data, size_t len);
    // Appends len bytes at offset of the source file (copied inside the system where it
    // can be).
    bool CopyFrom(int sourceFd, uint64_t offset, uint64_t len);
    // Reserves room for a file that will grow to bytes, where the system can.
    void Reserve(uint64_t bytes);
    // Flushes to the disk (before a rename makes the file visible under its final name).
    bool Sync();
    // False when a write or the close failed.
    bool Close();
    bool IsOpen() const { return fd_ >= 0; }
    uint64_t Written() const { return written_; }

  private:
    int fd_ = -1;
    bool failed_ = false;
    uint64_t written_ = 0;
};

}  // namespace quorva
