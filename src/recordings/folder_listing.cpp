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
        if (item.isRegularFile) entry.attributes = kAttributeNormalFile;
        listing.entries.push_back(std::move(entry));
    }
    return listing;
}

std::optional<uint64_t> RegularFileSize(const std::string& path) {
    return platform::RegularFileSize(path);
}

namespace {

MovieHeaderProbe Judge(const std::optional<platform::FileHead>& file, const char* head) {
    MovieHeaderProbe probe;
    if (!file || !file->regular) return probe;
    probe.size = file->size;
    probe.movie =
        file->bytesRead == kMovieHeaderProbeBytes && std::memcmp(head + 4, "ftyp", 4) == 0;
    return probe;
}

}  // namespace

MovieHeaderProbe ProbeMovieFile(const std::string& path) {
    char head[kMovieHeaderProbeBytes];
    return Judge(platform::ReadFileHead(path, head, sizeof head, kMovieHeaderProbeBytes), head);
}

MovieHeaderProbe ProbeMovieFileIn(const platform::FolderHandle& folder, const std::string& name,
                                  bool knownRegular) {
    char head[kMovieHeaderProbeBytes];
    return Judge(folder.ReadFileHead(name, head, sizeof head, kMovieHeaderProbeBytes, knownRegular),
                 head);
}

}  // namespace quorva
