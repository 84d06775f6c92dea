#include "recordings/folder_listing.h"

#include <cstring>

#include "platform/file_reading.h"
#include "recordings/recording_name.h"

namespace quorva {

namespace {

std::string PrefixOf(const std::string& folder) {
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '/') prefix += '/';
    return prefix;
}

bool IsHidden(std::string_view name) {
    return name.empty() || name[0] == '.';
}

uint32_t AttributesOf(bool isDirectory, bool isRegular) {
    return isDirectory ? kAttributeDirectory : isRegular ? kAttributeNormalFile : 0;
}

}  // namespace

FolderListing ListFolder(const std::string& folder) {
    FolderListing listing;
    const std::string prefix = PrefixOf(folder);
    listing.nameStart = prefix.size();
    listing.ok =
        platform::ReadFolder(folder, [&](std::string_view name, bool isDirectory, bool isRegular) {
            if (IsHidden(name)) return;
            RecordingEntry& entry = listing.entries.emplace_back();
            entry.path.reserve(prefix.size() + name.size());
            entry.path += prefix;
            entry.path += name;
            entry.attributes = AttributesOf(isDirectory, isRegular);
        });
    return listing;
}

FolderNames ListFolderNames(const std::string& folder) {
    FolderNames names;
    names.prefix = PrefixOf(folder);
    names.ok =
        platform::ReadFolder(folder, [&](std::string_view name, bool isDirectory, bool isRegular) {
            if (IsHidden(name)) return;
            names.items.push_back(
                {names.buffer.size(), name.size(), AttributesOf(isDirectory, isRegular)});
            names.buffer += name;
        });
    return names;
}

std::optional<uint64_t> RegularFileSize(const std::string& path) {
    return platform::RegularFileSize(path);
}

namespace {

MovieHeaderProbe Judge(const std::optional<platform::FileHead>& file, const char* head) {
    MovieHeaderProbe probe;
    if (!file || !file->regular) return probe;
    if (file->sizeKnown) probe.size = file->size;
    probe.movie =
        file->bytesRead == kMovieHeaderProbeBytes && std::memcmp(head + 4, "ftyp", 4) == 0;
    return probe;
}

}  // namespace

MovieHeaderProbe ProbeMovieFile(const std::string& path) {
    char head[kMovieHeaderProbeBytes];
    return Judge(platform::ReadFileHead(path, head, sizeof head, kMovieHeaderProbeBytes), head);
}

MovieHeaderProbe ProbeMovieFileIn(const platform::FolderHandle& folder, std::string_view name,
                                  bool knownRegular, bool wantSize) {
    char head[kMovieHeaderProbeBytes];
    return Judge(folder.ReadFileHead(name, head, sizeof head, kMovieHeaderProbeBytes, knownRegular,
                                     wantSize),
                 head);
}

}  // namespace quorva
