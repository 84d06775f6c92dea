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
        } else if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            struct stat st {};
            item.isDirectory = ::fstatat(fd, name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        items.push_back(std::move(item));
    }
    ::closedir(dir);  // closes fd
    return true;
}

std::optional<FileHead> ReadFileHead(const std::string& path, char* buffer, size_t length,
                                     uint64_t minimumSize) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    FileHead head;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        head.regular = true;
        head.size = static_cast<uint64_t>(st.st_size);
        if (head.size >= minimumSize) {
            size_t done = 0;
            while (done < length) {
                const ssize_t n = ::read(fd, buffer + done, length - done);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) break;
                done += static_cast<size_t>(n);
            }
            head.bytesRead = done;
        }
    }
    ::close(fd);
    return head;
}

std::optional<uint64_t> RegularFileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

}  // namespace quorva::platform
