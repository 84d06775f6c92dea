#include <algorithm>
#include <atomic>

#include "recordings/recording_name.h"

namespace quorva {

namespace {

std::atomic<bool> g_layoutFoldersFirst{false};

bool IsLayoutFolderName(std::string_view name) {
    return name == "Video" || name == "Parking";
}

}  // namespace

void SetLayoutFoldersFirst(bool on) {
    g_layoutFoldersFirst.store(on, std::memory_order_relaxed);
}
bool LayoutFoldersFirst() {
    return g_layoutFoldersFirst.load(std::memory_order_relaxed);
}

bool NameLess(const RecordingEntry& a, const RecordingEntry& b) {
    const std::string_view x = FileNameOf(a.path);
    const std::string_view y = FileNameOf(b.path);
    // "Video" before "Parking" on a card; equal names stay equal so the order stays strict.
    if (LayoutFoldersFirst() && x != y && IsLayoutFolderName(x) && IsLayoutFolderName(y))
        return !(x < y);
    return x < y;
}

bool FileNumberLess(const RecordingEntry& a, const RecordingEntry& b) {
    auto number = [](const std::string& path) {
        const std::string_view name = FileNameOf(path);
        return name.size() > 19 ? name.substr(19, 6) : std::string_view();
    };
    return number(a.path) < number(b.path);
}

void SortCatalogueOrder(std::vector<RecordingEntry>& entries) {
    auto firstOther =
        std::stable_partition(entries.begin(), entries.end(),
                              [](const RecordingEntry& e) { return IsRecordingName(e.path); });
    std::stable_sort(entries.begin(), firstOther, FileNumberLess);
    std::stable_sort(firstOther, entries.end(), FileNumberLess);
}

void SortListingOrder(std::vector<RecordingEntry>& entries) {
    auto firstFile = std::stable_partition(
        entries.begin(), entries.end(),
        [](const RecordingEntry& e) { return (e.attributes & kAttributeDirectory) != 0; });
    std::stable_sort(entries.begin(), firstFile, NameLess);
    std::stable_sort(firstFile, entries.end(), NameLess);
}

bool ListColumnLess(int column, const RecordingEntry& a, const RecordingEntry& b) {
    return column == 1 && a.classChar < b.classChar;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

}  // namespace quorva
