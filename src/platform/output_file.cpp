#include "platform/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_copy.h"

namespace quorva {

OutputFile::~OutputFile() {
    Close();
}

bool OutputFile::Create(const std::string& path) {
    Close();
    failed_ = false;
    written_ = 0;
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd_ >= 0;
}

bool OutputFile::Write(const void* data, size_t len) {
    if (fd_ < 0 || failed_) return false;
    const auto* p = static_cast<const uint8_t*>(data);
    while (len > 0) {
        const ssize_t n = ::write(fd_, p, len);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            failed_ = true;
            return false;
        }
        p += n;
        len -= static_cast<size_t>(n);
        written_ += static_cast<uint64_t>(n);
    }
    return true;
}

bool OutputFile::CopyFrom(int sourceFd, uint64_t offset, uint64_t len) {
    if (fd_ < 0 || failed_) return false;
    if (!platform::CopyFileRange(sourceFd, offset, fd_, len)) {
        failed_ = true;
        return false;
    }
    written_ += len;
    return true;
}

void OutputFile::Reserve(uint64_t bytes) {
    if (fd_ >= 0) platform::ReserveFileSpace(fd_, bytes);
}

bool OutputFile::Sync() {
    if (fd_ < 0 || failed_) return false;
    if (::fsync(fd_) != 0) failed_ = true;
    return !failed_;
}

bool OutputFile::Close() {
    if (fd_ < 0) return !failed_;
    if (::close(fd_) != 0) failed_ = true;
    fd_ = -1;
    return !failed_;
}

}  // namespace quorva
