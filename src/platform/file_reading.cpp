#include "platform/file_reading.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace quorva::platform {

bool ReadFolder(const std::string& folder,
                const std::function<void(std::string_view, bool, bool)>& visit) {
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
        bool isDirectory = e->d_type == DT_DIR;
        const bool isRegular = e->d_type == DT_REG;
        if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            struct stat st {};
            isDirectory = ::fstatat(fd, name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        visit(name, isDirectory, isRegular);
    }
    ::closedir(dir);  // closes fd
    return true;
}

bool ReadFolder(const std::string& folder, std::vector<FolderItem>& items) {
    items.clear();
    return ReadFolder(folder, [&](std::string_view name, bool isDirectory, bool isRegular) {
        items.push_back({std::string(name), isDirectory, isRegular});
    });
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
                                   uint64_t minimumSize, bool knownRegular, bool wantSize) {
    const int fd = ::openat(dirfd, path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    FileHead head;
    if (knownRegular) {
        // Read first; the size, when wanted, comes from the end offset, which is cheaper than
        // asking for the file's status. Anything that cannot seek is not a regular file.
        const size_t done = ReadUpTo(fd, buffer, length);
        if (!wantSize && minimumSize <= length) {
            head.regular = true;
            head.bytesRead = done >= minimumSize ? done : 0;
            ::close(fd);
            return head;
        }
        const off_t end = ::lseek(fd, 0, SEEK_END);
        if (end >= 0) {
            head.regular = true;
            head.sizeKnown = true;
            head.size = static_cast<uint64_t>(end);
            head.bytesRead = head.size >= minimumSize ? done : 0;
            ::close(fd);
            return head;
        }
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        head.regular = true;
        head.sizeKnown = true;
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
    return ReadHeadAt(AT_FDCWD, path.c_str(), buffer, length, minimumSize, false, true);
}

std::optional<uint64_t> RegularFileSize(const std::string& path) {
    return SizeAt(AT_FDCWD, path.c_str());
}

FolderHandle::FolderHandle(const std::string& folder)
    : fd_(::open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}

FolderHandle::~FolderHandle() {
    if (fd_ >= 0) ::close(fd_);
}

namespace {

// A file name as a C string without allocating; false for anything but one path component.
bool NameAsCString(std::string_view name, char (&out)[NAME_MAX + 1]) {
    if (name.empty() || name.size() > NAME_MAX || name.find('/') != std::string_view::npos ||
        name.find('\0') != std::string_view::npos)
        return false;
    name.copy(out, name.size());
    out[name.size()] = '\0';
    return true;
}

}  // namespace

std::optional<FileHead> FolderHandle::ReadFileHead(std::string_view name, char* buffer,
                                                   size_t length, uint64_t minimumSize,
                                                   bool knownRegular, bool wantSize) const {
    char cname[NAME_MAX + 1];
    if (fd_ < 0 || !NameAsCString(name, cname)) return std::nullopt;
    return ReadHeadAt(fd_, cname, buffer, length, minimumSize, knownRegular, wantSize);
}

std::optional<uint64_t> FolderHandle::RegularFileSize(std::string_view name) const {
    char cname[NAME_MAX + 1];
    if (fd_ < 0 || !NameAsCString(name, cname)) return std::nullopt;
    return SizeAt(fd_, cname);
}

}  // namespace quorva::platform
