#include "recordings/folder_listing.h"

#include <cstring>

#include "platform/file_reading.h"
#include "recordings/recording_name.h"

namespace quorva {

FolderListing ListFolder(const std::string& folder) {
    FolderListing listing;
    std::vector<platform::FolderItem> items;
    listing.ok = platform::ReadFolder(folder, items);
    listing.entries.reserve(items.size());
    for (platform::FolderItem& item : items) {
        if (item.name.empty() || item.name[0] == '.') continue;  // hidden
        RecordingEntry entry;
        entry.path = JoinPath(folder, item.name);
        if (item.isDirectory) entry.attributes = kAttributeDirectory;
        listing.entries.push_back(std::move(entry));
    }
    return listing;
}

std::optional<uint64_t> RegularFileSize(const std::string& path) {
    return platform::RegularFileSize(path);
}

MovieHeaderProbe ProbeMovieFile(const std::string& path) {
    MovieHeaderProbe probe;
    char head[kMovieHeaderProbeBytes];
    const std::optional<platform::FileHead> file =
        platform::ReadFileHead(path, head, sizeof head, kMovieHeaderProbeBytes);
    if (!file || !file->regular) return probe;
    probe.size = file->size;
    probe.movie = file->bytesRead == sizeof head && std::memcmp(head + 4, "ftyp", 4) == 0;
    return probe;
}

}  // namespace quorva
