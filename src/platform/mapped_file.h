// A read-only file mapping read through one bounded view at a time. Views start at a
// multiple of the page size and are cut at the end of the file; the file size is checked
// again for every view, so a file that shrank while open fails cleanly instead of faulting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorva {

class MappedFile;

// One mapped range; unmapped when it goes. data() points at the requested offset.
class MappedView {
  public:
    MappedView() = default;
    ~MappedView();
    MappedView(MappedView&& other) noexcept;
    MappedView& operator=(MappedView&& other) noexcept;
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;

    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }
    explicit operator bool() const { return data_ != nullptr; }
    void Unmap();

  private:
    friend class MappedFile;
    MappedView(MappedFile* owner, void* base, size_t mapped, size_t delta);
    MappedFile* owner_ = nullptr;
    void* base_ = nullptr;
    size_t mapped_ = 0;  // length of the whole mapping (delta + size)
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

class MappedFile {
  public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Opens the file for reading; false when it cannot be opened or is not a regular file.
    bool Open(const std::string& path);
    // Maps [offset, offset + length) cut at the end of the file. An empty view when the
    // file is closed, the range is empty or lies outside the file, the mapping fails, or
    // another view of this file is still mapped.
    MappedView MapRange(uint64_t offset, uint64_t length);
    // A plain read of len bytes at offset (no mapping); false unless all were read.
    bool ReadAt(uint64_t offset, void* buffer, size_t len) const;
    void Close();

    // The system error (errno) of the last view that could not be mapped although its range
    // lay inside the file; 0 when there was none.
    int LastMapError() const { return mapError_; }
    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    const std::string& Path() const { return path_; }
    uint64_t Size() const { return size_; }
    static size_t Granularity();

  private:
    friend class MappedView;
    int fd_ = -1;
    std::string path_;
    uint64_t size_ = 0;
    int liveViews_ = 0;
    int mapError_ = 0;
};

}  // namespace quorva
