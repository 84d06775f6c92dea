#include "platform/file_reading.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quorva::platform {

bool ReadFolder(const std::string& folder, std::vector<FolderItem>& items) {
    items.clear();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return false;
    }
    while (const dirent* e = ::readdir(dir)) {
        const char* name = e->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        FolderItem item;
        item.name = name;
        if (e->d_type == DT_DIR) {
            item.isDirectory = true;
        } else if (e->d_type == DT_REG) {
            item.isRegularFile = true;
        } else if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            struct stat st {};
            item.isDirectory = ::fstatat(fd, name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        items.push_back(std::move(item));
    }
    ::closedir(dir);  // closes fd
    return true;
}

namespace {

size_t ReadUpTo(int fd, char* buffer, size_t length) {
    size_t done = 0;
    while (done < length) {
        const ssize_t n = ::read(fd, buffer + done, length - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

std::optional<FileHead> ReadHeadAt(int dirfd, const char* path, char* buffer, size_t length,
                                   uint64_t minimumSize, bool knownRegular) {
    const int fd = ::openat(dirfd, path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    FileHead head;
    if (knownRegular) {
        // Read first, then take the size from the end offset: cheaper than asking for the
        // file's status. Anything that cannot seek is not a regular file after all.
        const size_t done = ReadUpTo(fd, buffer, length);
        const off_t end = ::lseek(fd, 0, SEEK_END);
        if (end >= 0) {
            struct stat st {};
            if (done > 0 || end > 0 || (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))) {
                head.regular = true;
                head.size = static_cast<uint64_t>(end);
                head.bytesRead = head.size >= minimumSize ? done : 0;
                ::close(fd);
                return head;
            }
        }
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        head.regular = true;
        head.size = static_cast<uint64_t>(st.st_size);
        if (head.size >= minimumSize) {
            ::lseek(fd, 0, SEEK_SET);
            head.bytesRead = ReadUpTo(fd, buffer, length);
        }
    }
    ::close(fd);
    return head;
}

std::optional<uint64_t> SizeAt(int dirfd, const char* path) {
    struct stat st {};
    if (::fstatat(dirfd, path, &st, 0) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

}  // namespace

std::optional<FileHead> ReadFileHead(const std::string& path, char* buffer, size_t length,
                                     uint64_t minimumSize) {
    return ReadHeadAt(AT_FDCWD, path.c_str(), buffer, length, minimumSize, false);
}

std::optional<uint64_t> RegularFileSize(const std::string& path) {
    return SizeAt(AT_FDCWD, path.c_str());
}

FolderHandle::FolderHandle(const std::string& folder)
    : fd_(::open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}

FolderHandle::~FolderHandle() {
    if (fd_ >= 0) ::close(fd_);
}

std::optional<FileHead> FolderHandle::ReadFileHead(const std::string& name, char* buffer,
                                                   size_t length, uint64_t minimumSize,
                                                   bool knownRegular) const {
    if (fd_ < 0 || name.empty() || name.find('/') != std::string::npos) return std::nullopt;
    return ReadHeadAt(fd_, name.c_str(), buffer, length, minimumSize, knownRegular);
}

std::optional<uint64_t> FolderHandle::RegularFileSize(const std::string& name) const {
    if (fd_ < 0 || name.empty() || name.find('/') != std::string::npos) return std::nullopt;
    return SizeAt(fd_, name.c_str());
}

}  // namespace quorva::platform
