#include "platform/file_attributes.h"

#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cstdint>

namespace quorva::platform {

namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

bool IsFat(int fd) {
    struct statfs fs {};
    return ::fstatfs(fd, &fs) == 0 && fs.f_type == MSDOS_SUPER_MAGIC;
}

}  // namespace

bool IsOnFatFileSystem(const std::string& path) {
    struct statfs fs {};
    return ::statfs(path.c_str(), &fs) == 0 && fs.f_type == MSDOS_SUPER_MAGIC;
}

bool SetHiddenAttribute(const std::string& path) {
    // O_NONBLOCK: never wait on a special file that happens to carry the name.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return false;
    if (!IsFat(fd.get())) return true;
    uint32_t attributes = 0;
    if (::ioctl(fd.get(), FAT_IOCTL_GET_ATTRIBUTES, &attributes) != 0) return false;
    // "Hidden" alone, as the recorder marks its files; a folder keeps its folder bit.
    const uint32_t wanted = ATTR_HIDDEN | (attributes & ATTR_DIR);
    if (attributes == wanted) return true;
    return ::ioctl(fd.get(), FAT_IOCTL_SET_ATTRIBUTES, &wanted) == 0;
}

}  // namespace quorva::platform
