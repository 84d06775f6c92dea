// Fast, non-blocking reading of folders and file heads for the scans of a card.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorva::platform {

struct FolderItem {
    std::string name;
    bool isDirectory = false;    // a symbolic link to a folder counts as a folder
    bool isRegularFile = false;  // known from the listing alone (not for links)
};

// The entries of the folder except "." and ".."; false when it cannot be opened. A folder
// that fails part way (a card pulled out) ends its listing there.
bool ReadFolder(const std::string& folder, std::vector<FolderItem>& items);
// The same, handing each entry to the visitor: (name, isDirectory, isRegularFile).
bool ReadFolder(const std::string& folder,
                const std::function<void(std::string_view, bool, bool)>& visit);

struct FileHead {
    bool regular = false;  // a regular file (pipes, devices and folders are never read)
    bool sizeKnown = false;
    uint64_t size = 0;
    size_t bytesRead = 0;  // 0 when the file is shorter than the minimum size
};
// Reads up to length bytes from the start of a regular file of at least minimumSize bytes;
// nullopt when the file cannot be opened. Never blocks on special files.
std::optional<FileHead> ReadFileHead(const std::string& path, char* buffer, size_t length,
                                     uint64_t minimumSize);

// The size of a regular file, nullopt when there is none at the path.
std::optional<uint64_t> RegularFileSize(const std::string& path);

// An open folder, so that the files in it are found by name without walking the whole path
// again (a scan touches thousands of files in a few folders).
class FolderHandle {
  public:
    explicit FolderHandle(const std::string& folder);
    ~FolderHandle();
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    bool valid() const { return fd_ >= 0; }

    // As ReadFileHead and RegularFileSize, for a name in this folder.
    // knownRegular: the folder's listing said "regular file", so the type is not asked
    // again (a file that changed since is still never read as anything else); then the
    // size is found only when wantSize is set (a minimum size up to length needs no size).
    std::optional<FileHead> ReadFileHead(std::string_view name, char* buffer, size_t length,
                                         uint64_t minimumSize, bool knownRegular = false,
                                         bool wantSize = true) const;
    std::optional<uint64_t> RegularFileSize(std::string_view name) const;

  private:
    int fd_ = -1;
};

}  // namespace quorva::platform
