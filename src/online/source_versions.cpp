#include "online/source_versions.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "appcore/ascii_text.h"
#include "container/drive_data_store.h"
#include "online/update_rules.h"
#include "recordings/folder_listing.h"
#include "recordings/recording_name.h"

namespace quorva {

namespace {

bool IsDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}

bool IsDirectory(const RecordingEntry& entry) {
    return (entry.attributes & kAttributeDirectory) != 0;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
    if (part.empty() || part.size() > text.size()) return false;
    for (size_t at = 0; at + part.size() <= text.size(); ++at) {
        if (EqualsIgnoringCase(text.substr(at, part.size()), part)) return true;
    }
    return false;
}

// The newest recording of a movie folder: the last name in catalogue order that is a main
// camera movie with a movie header.
std::string NewestRecordingIn(const std::string& folder) {
    const FolderListing listing = ListFolder(folder);
    if (!listing.ok) return {};
    std::vector<RecordingEntry> movies;
    for (const RecordingEntry& entry : listing.entries) {
        if (IsDirectory(entry)) continue;
        const std::string_view name = listing.NameOf(entry);
        if (IsMovPath(name) && IsMainRecordingFileName(name)) movies.push_back(entry);
    }
    SortCatalogueOrder(movies);
    for (auto it = movies.rbegin(); it != movies.rend(); ++it) {
        if (ProbeMovieFile(it->path).movie) return it->path;
    }
    return {};
}

std::string NewestRecording(const std::string& root) {
    FolderListing listing = ListFolder(root);
    if (!listing.ok) return {};
    std::vector<std::string> folders;
    for (const RecordingEntry& entry : listing.entries) {
        if (IsDirectory(entry)) folders.emplace_back(listing.NameOf(entry));
    }
    std::sort(folders.begin(), folders.end());
    const Layout& names = LayoutAt(CurrentLayout());
    for (const std::string& name : folders) {
        if (!ContainsIgnoringCase(name, names.normal.movie.folder) &&
            !ContainsIgnoringCase(name, names.parking.movie.folder))
            continue;
        std::string newest = NewestRecordingIn(JoinPath(root, name));
        if (!newest.empty()) return newest;
    }
    return {};
}

bool HasModelMarker(const std::string& root) {
    const FolderListing listing = ListFolder(root);
    if (!listing.ok) return false;
    const std::string markerName = std::string(kModelMarker) + ".url";
    for (const RecordingEntry& entry : listing.entries) {
        if (!IsDirectory(entry) && EqualsIgnoringCase(listing.NameOf(entry), markerName))
            return true;
    }
    return false;
}

}  // namespace

std::optional<std::string> FirmwareVersionText(const char (&version)[6]) {
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const auto high = static_cast<uint8_t>(version[2 * i]);
        const auto low = static_cast<uint8_t>(version[2 * i + 1]);
        if (!IsDigit(high) || !IsDigit(low)) return std::nullopt;
        parts[i] = (high - '0') * 10 + (low - '0');
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d", parts[0], parts[1], parts[2]);
    return std::string(text);
}

std::optional<std::string> GpsDataVersionText(const uint8_t* trailer, size_t size) {
    if (!trailer || size < 6) return std::nullopt;
    // As a decimal number is read: blanks before it, digits, blanks after it.
    size_t i = 0;
    while (i < 6 && trailer[i] == ' ')
        ++i;
    long value = 0;
    size_t digits = 0;
    for (; i < 6 && IsDigit(trailer[i]); ++i, ++digits)
        value = value * 10 + (trailer[i] - '0');
    for (; i < 6; ++i) {
        if (trailer[i] != ' ') return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    char text[24];
    std::snprintf(text, sizeof text, "%06ld", value);
    return std::string(text);
}

SourceVersions ReadSourceVersions(const std::string& root, bool readDriveData) {
    SourceVersions versions;
    if (root.empty()) return versions;
    if (readDriveData) {
        versions.newestRecording = NewestRecording(root);
        if (!versions.newestRecording.empty()) {
            DriveDataHeader header;
            if (ReadHeader(versions.newestRecording, header))
                versions.firmware = FirmwareVersionText(header.version);
            uint8_t trailer[8] = {};
            if (ReadTrailer(versions.newestRecording, trailer))
                versions.gpsData = GpsDataVersionText(trailer, 6);
        }
    }
    if (HasModelMarker(root)) versions.modelMarker = std::string(kModelMarker);
    return versions;
}

}  // namespace quorva
