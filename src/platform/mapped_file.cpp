#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace quorva {

MappedView::MappedView(MappedFile* owner, void* base, size_t mapped, size_t delta)
    : owner_(owner),
      base_(base),
      mapped_(mapped),
      data_(static_cast<const uint8_t*>(base) + delta),
      size_(mapped - delta) {
    ++owner_->liveViews_;
}

MappedView::~MappedView() {
    Unmap();
}

MappedView::MappedView(MappedView&& other) noexcept
    : owner_(std::exchange(other.owner_, nullptr)),
      base_(std::exchange(other.base_, nullptr)),
      mapped_(std::exchange(other.mapped_, 0)),
      data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)) {}

MappedView& MappedView::operator=(MappedView&& other) noexcept {
    if (this != &other) {
        Unmap();
        owner_ = std::exchange(other.owner_, nullptr);
        base_ = std::exchange(other.base_, nullptr);
        mapped_ = std::exchange(other.mapped_, 0);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void MappedView::Unmap() {
    if (base_) {
        munmap(base_, mapped_);
        if (owner_) --owner_->liveViews_;
    }
    owner_ = nullptr;
    base_ = nullptr;
    mapped_ = 0;
    data_ = nullptr;
    size_ = 0;
}

MappedFile::~MappedFile() {
    Close();
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      path_(std::move(other.path_)),
      size_(std::exchange(other.size_, 0)),
      liveViews_(std::exchange(other.liveViews_, 0)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
        size_ = std::exchange(other.size_, 0);
        liveViews_ = std::exchange(other.liveViews_, 0);
    }
    return *this;
}

size_t MappedFile::Granularity() {
    static const size_t page = [] {
        long p = sysconf(_SC_PAGESIZE);
        return p > 0 ? static_cast<size_t>(p) : size_t{4096};
    }();
    return page;
}

bool MappedFile::Open(const std::string& path) {
    Close();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    path_ = path;
    size_ = static_cast<uint64_t>(st.st_size);
    return true;
}

MappedView MappedFile::MapRange(uint64_t offset, uint64_t length) {
    mapError_ = 0;
    if (fd_ < 0 || length == 0 || liveViews_ > 0) return {};
    // The file may have shrunk since it was opened: a view past its current end would
    // fault when read, so the current size bounds every view.
    struct stat st {};
    if (fstat(fd_, &st) != 0 || st.st_size < 0) {
        mapError_ = errno ? errno : EIO;
        return {};
    }
    const uint64_t current = static_cast<uint64_t>(st.st_size);
    if (current < size_) size_ = current;
    if (offset >= size_) return {};
    if (length > size_ - offset) length = size_ - offset;
    const uint64_t aligned = offset - offset % Granularity();
    const uint64_t delta = offset - aligned;
    const uint64_t mapped = delta + length;
    if (mapped > SIZE_MAX) return {};
    void* base = mmap(nullptr, static_cast<size_t>(mapped), PROT_READ, MAP_SHARED, fd_,
                      static_cast<off_t>(aligned));
    if (base == MAP_FAILED) {
        mapError_ = errno ? errno : ENOMEM;
        return {};
    }
    return MappedView(this, base, static_cast<size_t>(mapped), static_cast<size_t>(delta));
}

bool MappedFile::ReadAt(uint64_t offset, void* buffer, size_t len) const {
    if (fd_ < 0) return false;
    auto* out = static_cast<uint8_t*>(buffer);
    while (len > 0) {
        const ssize_t n = ::pread(fd_, out, len, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        out += n;
        len -= static_cast<size_t>(n);
        offset += static_cast<uint64_t>(n);
    }
    return true;
}

void MappedFile::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    path_.clear();
    size_ = 0;
}

}  // namespace quorva
