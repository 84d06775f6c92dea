#include <algorithm>
#include <atomic>
#include <functional>

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

bool FileNameLess(std::string_view x, std::string_view y, bool layoutFoldersFirst) {
    // "Video" before "Parking" on a card; equal names stay equal so the order stays strict.
    if (layoutFoldersFirst && x != y && IsLayoutFolderName(x) && IsLayoutFolderName(y))
        return !(x < y);
    return x < y;
}

bool NameLess(const RecordingEntry& a, const RecordingEntry& b) {
    return FileNameLess(FileNameOf(a.path), FileNameOf(b.path), LayoutFoldersFirst());
}

namespace {

std::string_view FileNumberText(std::string_view name) {
    return name.size() > 19 ? name.substr(19, 6) : std::string_view();
}

// Sort keys computed once per entry, not once per comparison.
struct CatalogueKey {
    bool other;  // not a recording name: after the recordings
    std::string_view number;
    bool operator<(const CatalogueKey& k) const {
        return other != k.other ? k.other : number < k.number;
    }
};
CatalogueKey CatalogueKeyOf(const RecordingEntry& e) {
    const std::string_view name = FileNameOf(e.path);
    return {!IsRecordingName(name), FileNumberText(name)};
}

// Reorders the items by their keys; equal keys keep their order.
template <typename Item, typename Key, typename Less>
void SortByKeys(std::vector<Item>& items, const std::vector<Key>& keys, Less less) {
    std::vector<size_t> order(items.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return less(keys[a], keys[b]); });
    std::vector<Item> sorted;
    sorted.reserve(items.size());
    for (size_t i : order)
        sorted.push_back(std::move(items[i]));
    items = std::move(sorted);
}

}  // namespace

bool FileNumberLess(const RecordingEntry& a, const RecordingEntry& b) {
    return FileNumberText(FileNameOf(a.path)) < FileNumberText(FileNameOf(b.path));
}

void SortCatalogueOrder(std::vector<RecordingEntry>& entries) {
    std::vector<CatalogueKey> keys;
    keys.reserve(entries.size());
    for (const RecordingEntry& e : entries)
        keys.push_back(CatalogueKeyOf(e));
    SortByKeys(entries, keys, std::less<>());
}

void SortCatalogueOrder(std::vector<const RecordingEntry*>& entries) {
    std::vector<CatalogueKey> keys;
    keys.reserve(entries.size());
    for (const RecordingEntry* e : entries)
        keys.push_back(CatalogueKeyOf(*e));
    SortByKeys(entries, keys, std::less<>());
}

namespace {
struct ListingKey {
    bool file;  // directories first
    std::string_view name;
};
template <typename Item, typename Get>
void SortListing(std::vector<Item>& items, bool layoutFoldersFirst, Get get) {
    std::vector<ListingKey> keys;
    keys.reserve(items.size());
    for (const Item& item : items) {
        const RecordingEntry& e = get(item);
        keys.push_back({(e.attributes & kAttributeDirectory) == 0, FileNameOf(e.path)});
    }
    SortByKeys(items, keys, [layoutFoldersFirst](const ListingKey& a, const ListingKey& b) {
        if (a.file != b.file) return b.file;
        return FileNameLess(a.name, b.name, layoutFoldersFirst);
    });
}
}  // namespace

void SortListingOrder(std::vector<RecordingEntry>& entries) {
    SortListing(entries, LayoutFoldersFirst(),
                [](const RecordingEntry& e) -> const RecordingEntry& { return e; });
}

void SortListingOrder(std::vector<const RecordingEntry*>& entries, bool layoutFoldersFirst) {
    SortListing(entries, layoutFoldersFirst,
                [](const RecordingEntry* e) -> const RecordingEntry& { return *e; });
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
