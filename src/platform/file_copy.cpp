#include "platform/file_copy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace quorva::platform {

namespace {

bool CopyWithBuffer(int fromFd, uint64_t fromOffset, int toFd, uint64_t length) {
    constexpr size_t kBuffer = 1u << 20;
    const auto buffer = std::make_unique_for_overwrite<char[]>(kBuffer);
    while (length > 0) {
        const size_t want = length < kBuffer ? static_cast<size_t>(length) : kBuffer;
        const ssize_t got = ::pread(fromFd, buffer.get(), want, static_cast<off_t>(fromOffset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        for (ssize_t done = 0; done < got;) {
            const ssize_t n = ::write(toFd, buffer.get() + done, static_cast<size_t>(got - done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += n;
        }
        fromOffset += static_cast<uint64_t>(got);
        length -= static_cast<uint64_t>(got);
    }
    return true;
}

}  // namespace

bool CopyFileRange(int fromFd, uint64_t fromOffset, int toFd, uint64_t length) {
#if defined(__linux__)
    loff_t in = static_cast<loff_t>(fromOffset);
    while (length > 0) {
        const ssize_t n =
            ::copy_file_range(fromFd, &in, toFd, nullptr, static_cast<size_t>(length), 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 &&
            (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
            // Not offered between these files: the plain copy does it.
            return CopyWithBuffer(fromFd, static_cast<uint64_t>(in), toFd, length);
        }
        if (n <= 0) return false;  // an error, or the source ended early
        length -= static_cast<uint64_t>(n);
    }
    return true;
#else
    return CopyWithBuffer(fromFd, fromOffset, toFd, length);
#endif
}

bool ReserveFileSpace(int fd, uint64_t bytes) {
#if defined(__linux__)
    return bytes > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes)) == 0;
#else
    (void)fd;
    (void)bytes;
    return false;
#endif
}

}  // namespace quorva::platform
