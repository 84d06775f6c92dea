#include "recordings/folder_listing.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "recordings/recording_name.h"

namespace quorva {

namespace fs = std::filesystem;

FolderListing ListFolder(const std::string& folder) {
    FolderListing listing;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? std::string(".") : folder, ec);
    if (ec) return listing;
    listing.ok = true;
    // A folder that vanishes part way (a card pulled out) ends its listing there.
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        const std::string name = it->path().filename().native();
        if (name.empty() || name[0] == '.') continue;
        RecordingEntry entry;
        entry.path = JoinPath(folder, name);
        std::error_code typeError;
        if (it->is_directory(typeError)) entry.attributes = kAttributeDirectory;
        listing.entries.push_back(std::move(entry));
    }
    return listing;
}

std::optional<uint64_t> RegularFileSize(const std::string& path) {
    std::error_code ec;
    const uintmax_t size = fs::file_size(path, ec);  // fails for anything but a regular file
    if (ec) return std::nullopt;
    return static_cast<uint64_t>(size);
}

MovieHeaderProbe ProbeMovieFile(const std::string& path) {
    MovieHeaderProbe probe;
    // Only regular files are opened: a pipe or device carrying a recording's name would
    // block or never end.
    probe.size = RegularFileSize(path);
    if (!probe.size || *probe.size < kMovieHeaderProbeBytes) return probe;
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file) return probe;
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    char head[kMovieHeaderProbeBytes];
    if (std::fread(head, 1, sizeof head, file.get()) != sizeof head) return probe;
    probe.movie = std::memcmp(head + 4, "ftyp", 4) == 0;
    return probe;
}

}  // namespace quorva
