// Folder listings and the movie-header test of the recording test.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_reading.h"
#include "recordings/recording_entry.h"

namespace quorva {

// Attribute bit of a listing entry that the listing knows to be a regular file.
constexpr uint32_t kAttributeNormalFile = 0x80;

struct FolderListing {
    bool ok = false;                      // false when the folder could not be enumerated
    std::vector<RecordingEntry> entries;  // full paths; attributes carry the directory bit
    size_t nameStart = 0;                 // where the file name starts in every entry's path
    // The entry's file name (FileNameOf its path, without searching for it).
    std::string_view NameOf(const RecordingEntry& e) const {
        return std::string_view(e.path).substr(nameStart);
    }
};

// Lists the folder, skipping hidden entries (names starting with '.') and "." and "..".
// A symbolic link to a folder counts as a folder. Entries come in the file system's order.
FolderListing ListFolder(const std::string& folder);

// The same entries by name only, for a walk that looks at every file once: the names share
// one buffer, and an entry's path (prefix + name) is made only when it is needed.
struct FolderNames {
    struct Item {
        size_t at = 0, size = 0;  // of the name in the buffer
        uint32_t attributes = 0;  // as in a FolderListing entry
    };
    bool ok = false;
    std::string prefix;  // the folder's path with its separator
    std::string buffer;
    std::vector<Item> items;
    std::string_view NameOf(const Item& item) const {
        return std::string_view(buffer).substr(item.at, item.size);
    }
};
FolderNames ListFolderNames(const std::string& folder);

// The movie-header test: a regular file whose first 260 bytes can be read and whose bytes
// 4..7 are "ftyp".
constexpr size_t kMovieHeaderProbeBytes = 260;
struct MovieHeaderProbe {
    bool movie = false;
    std::optional<uint64_t> size;  // the file's size when it is a regular file
};
MovieHeaderProbe ProbeMovieFile(const std::string& path);
// The same for a name in an open folder.
// knownRegular: the listing said "regular file"; wantSize: the size is needed as well.
MovieHeaderProbe ProbeMovieFileIn(const platform::FolderHandle& folder, std::string_view name,
                                  bool knownRegular = false, bool wantSize = true);

// The size of a regular file, nullopt when there is none at the path.
std::optional<uint64_t> RegularFileSize(const std::string& path);

}  // namespace quorva
