#include "recordings/source_catalogue.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <unordered_set>

#include "appcore/ascii_text.h"
#include "recordings/recording_name.h"

namespace quorva {

struct SourceCatalogue::ScanMemo {
    std::unordered_map<std::string, FolderListing> listings;
    // Header tests by listing entry (listings stay put while the memo lives).
    std::unordered_map<const RecordingEntry*, MovieHeaderProbe> probes;
    // File names (views into the listings) of the folders asked about by Listed.
    std::unordered_map<std::string, std::unordered_set<std::string_view>> names;
    // Whether the folder's listing holds the name, as it is stored; true when the folder
    // cannot be listed (then only a look at the file itself can tell).
    bool Listed(std::string_view folder, std::string_view name, SourceCatalogue& owner) {
        if (!lastNames || folder != lastNamesFolder) {
            const std::string key(folder);
            const FolderListing& listing = owner.Listing(key, *this);
            auto it = names.find(key);
            if (it == names.end()) {
                std::unordered_set<std::string_view> set;
                set.reserve(listing.entries.size());
                for (const RecordingEntry& e : listing.entries)
                    set.insert(listing.NameOf(e));
                it = names.emplace(key, std::move(set)).first;
            }
            lastNamesFolder = it->first;
            lastNames = &it->second;
            lastNamesListed = listing.ok;
        }
        return !lastNamesListed || lastNames->count(name) != 0;
    }
    std::string_view lastNamesFolder;
    const std::unordered_set<std::string_view>* lastNames = nullptr;
    bool lastNamesListed = false;

    // The folders whose files are looked at, open (nullptr when they cannot be opened).
    std::unordered_map<std::string, std::unique_ptr<platform::FolderHandle>> handles;
    const platform::FolderHandle* Handle(std::string_view folder) {
        // Scans ask about the same folder many times in a row.
        if (lastHandle && folder == lastHandleFolder) return lastHandle->get();
        auto it = handles.find(std::string(folder));
        if (it == handles.end()) {
            auto handle = std::make_unique<platform::FolderHandle>(std::string(folder));
            if (!handle->valid()) handle.reset();
            it = handles.emplace(std::string(folder), std::move(handle)).first;
        }
        lastHandleFolder = it->first;
        lastHandle = &it->second;
        return it->second.get();
    }
    std::string_view lastHandleFolder;
    const std::unique_ptr<platform::FolderHandle>* lastHandle = nullptr;

    void CloseFolders() {
        lastHandle = nullptr;
        lastHandleFolder = {};
        handles.clear();
    }
};

namespace {

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

bool IsDirectory(const RecordingEntry& e) {
    return (e.attributes & kAttributeDirectory) != 0;
}

// "YYMMDD_NNNN" anywhere in the text.
bool ContainsGroupName(std::string_view text) {
    auto digits = [&](size_t at, size_t n) {
        for (size_t k = 0; k < n; ++k) {
            if (text[at + k] < '0' || text[at + k] > '9') return false;
        }
        return true;
    };
    for (size_t at = 0; at + 11 <= text.size(); ++at) {
        if (text[at + 6] == '_' && digits(at, 6) && digits(at + 7, 4)) return true;
    }
    return false;
}

RecordingEntry GroupEntry(const std::string& path) {
    RecordingEntry e;
    e.path = path;
    e.id = -1;
    e.classChar = 0;
    e.movieSize = e.subSize = e.dataSize = UINT64_MAX;  // -1
    return e;
}

std::string StripTrailingSlash(std::string path) {
    if (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// NameLess with an explicit layout-folders-first switch.
void SortByName(std::vector<RecordingEntry>& entries, bool layoutFirst) {
    std::stable_sort(entries.begin(), entries.end(),
                     [layoutFirst](const RecordingEntry& a, const RecordingEntry& b) {
                         return FileNameLess(FileNameOf(a.path), FileNameOf(b.path), layoutFirst);
                     });
}

}  // namespace

SourceCatalogue::SourceCatalogue(SourceEnvironment environment) : env_(std::move(environment)) {
    if (!env_.removableVolumes) env_.removableVolumes = [] { return std::vector<std::string>(); };
}

SourceCatalogue::~SourceCatalogue() = default;

// ---- lookups -------------------------------------------------------------------------------

const FolderListing& SourceCatalogue::Listing(const std::string& folder, ScanMemo& memo) {
    auto it = memo.listings.find(folder);
    if (it != memo.listings.end()) return it->second;
    return memo.listings.emplace(folder, ListFolder(folder)).first->second;
}

bool SourceCatalogue::HasMovieHeader(const std::string& path) {
    return env_.probe ? env_.probe(path) : ProbeMovieFile(path).movie;
}

bool SourceCatalogue::PassesRecordingTest(const RecordingEntry& e, ScanMemo* memo) {
    if (!IsMovPath(e.path) || !IsMainRecordingName(e.path)) return false;
    if (env_.probe || !memo) return HasMovieHeader(e.path);
    auto it = memo->probes.find(&e);
    if (it == memo->probes.end()) {
        // The size is not needed here: the few entries that get built ask for it.
        const platform::FolderHandle* folder = memo->Handle(FolderOf(e.path));
        const MovieHeaderProbe probe =
            folder ? ProbeMovieFileIn(*folder, FileNameOf(e.path),
                                      (e.attributes & kAttributeNormalFile) != 0, false)
                   : MovieHeaderProbe{};
        it = memo->probes.emplace(&e, probe).first;
    }
    return it->second.movie;
}

std::optional<RecordingEntry> SourceCatalogue::BuildEntry(const std::string& path, ScanMemo* memo) {
    return BuildEntry(path, std::nullopt, memo);
}

std::optional<RecordingEntry> SourceCatalogue::BuildEntry(const std::string& path,
                                                          std::optional<uint64_t> size,
                                                          ScanMemo* memo) {
    if (!size) size = RegularFileSize(path);
    if (!size) return std::nullopt;  // the movie cannot be opened
    RecordingEntry e;
    e.path = path;
    e.movieSize = *size;
    e.subSize = PartnerSize(SubCameraPath(path), memo, true);
    e.dataSize = PartnerSize(DriveDataPath(path), memo, false);
    e.id = nextId_.fetch_add(1, std::memory_order_relaxed);
    e.classChar = ClassCharOf(path);
    return e;
}

uint64_t SourceCatalogue::PartnerSize(const std::string& path, ScanMemo* memo, bool oftenMissing) {
    if (!memo) return RegularFileSize(path).value_or(0);
    return PartnerSizeIn(FolderOf(path), FileNameOf(path), *memo, oftenMissing);
}

uint64_t SourceCatalogue::PartnerSizeIn(std::string_view folderPath, std::string_view name,
                                        ScanMemo& memo, bool oftenMissing) {
    // A partner that is often missing (the sub camera's file) is first looked up in its
    // folder's listing; names match ignoring case, as on the card's file system.
    if (oftenMissing && !memo.Listed(folderPath, name, *this)) return 0;
    const platform::FolderHandle* folder = memo.Handle(folderPath);
    return folder ? folder->RegularFileSize(name).value_or(0) : 0;
}

std::string SourceCatalogue::MainSubfolderOr(const std::string& folder, ScanMemo* memo) {
    const FolderListing& listing = Listing(folder, *memo);
    for (const RecordingEntry& e : listing.entries) {
        if (IsDirectory(e) && EqualsIgnoringCase(FileNameOf(e.path), "Main")) return e.path;
    }
    return folder;
}

uint32_t SourceCatalogue::KindFlagsOfFolder(const std::string& folder, ScanMemo* memo) {
    uint32_t flags = 0;
    const FolderListing& listing = Listing(folder, *memo);
    for (const RecordingEntry& e : listing.entries) {
        if (!IsDirectory(e) && PassesRecordingTest(e, memo)) KindFlags(e.path, flags);
    }
    return flags;
}

// ---- adding folders and grouping ------------------------------------------------------------

void SourceCatalogue::AddFolder(const std::string& folder, GroupNode* parent, bool recorderFolders,
                                int depth, ScanMemo* memo) {
    const FolderListing& listing = Listing(folder, *memo);
    if (!listing.ok) {
        // A group node's path: read the recordings of its parent folder, wanting this group.
        const std::string wanted(FileNameOf(folder));
        const std::string parentFolder(FolderOf(folder));
        if (parentFolder.empty()) return;
        GroupRecordings(MainSubfolderOr(parentFolder, memo), parent, GroupMode::kFillCatalogue,
                        recorderFolders, wanted, memo);
        return;
    }
    bool hasMain = false, hasRecording = false;
    for (const RecordingEntry& e : listing.entries) {
        if (IsDirectory(e)) {
            hasMain = hasMain || EqualsIgnoringCase(FileNameOf(e.path), "Main");
        } else {
            hasRecording = hasRecording || IsMainRecordingName(e.path);
        }
    }
    if (hasMain || hasRecording) {
        GroupRecordings(MainSubfolderOr(folder, memo), parent, GroupMode::kBuildTree,
                        recorderFolders, "", memo);
        return;
    }
    // A plain folder: one node per sub-folder, entered on a card while the scan collects
    // its groups.
    std::vector<RecordingEntry> folders;
    for (const RecordingEntry& e : listing.entries) {
        if (IsDirectory(e)) folders.push_back(e);
    }
    SortByName(folders, recorderFolders);
    for (const RecordingEntry& e : folders) {
        if (depth >= kMaxFolderDepth || tree_.Full()) continue;
        GroupNode* node = tree_.Insert(parent, std::string(FileNameOf(e.path)), false);
        if (recorderFolders && collectingGroups_) {
            AddFolder(e.path, node, recorderFolders, depth + 1, memo);
            const std::string read = MainSubfolderOr(e.path, memo);
            groupEntries_.push_back(GroupEntry(read));
            node->badge = KindFlagsOfFolder(read, memo);
        }
    }
}

void SourceCatalogue::GroupRecordings(const std::string& folder, GroupNode* parent, GroupMode mode,
                                      bool recorderFolders, const std::string& wantedGroup,
                                      ScanMemo* memo) {
    const FolderListing& listing = Listing(folder, *memo);
    if (!listing.ok) return;
    std::vector<const RecordingEntry*> files;
    files.reserve(listing.entries.size());
    for (const RecordingEntry& e : listing.entries) {
        if (!IsDirectory(e)) files.push_back(&e);
    }
    SortCatalogueOrder(files);

    // Group naming state.
    std::string previousName;
    int runLength = 0;
    std::map<std::string, int, std::less<>> groupsPerDate;
    std::string groupName;
    // Tree building.
    std::string lastGroupName;
    GroupNode* groupNode = nullptr;
    uint32_t badge = 0;
    auto finishBadge = [&] {
        if (recorderFolders && groupNode) groupNode->badge = badge;
    };

    for (const RecordingEntry* file : files) {
        const RecordingEntry& e = *file;
        if (!PassesRecordingTest(e, memo)) continue;
        const std::string_view name = FileNameOf(e.path);
        const bool sameGroup = !previousName.empty() && runLength < kMaxRecordingsPerGroup &&
                               name[3] != 'S' &&
                               FileNumberOf(name) == FileNumberOf(previousName) + 1;
        if (!sameGroup) {
            runLength = 0;
            const std::string date(name.substr(5, 6));
            const int number = ++groupsPerDate[date];
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, "_%04d", number);
            groupName = date + suffix;
        }
        ++runLength;
        previousName = std::string(name);

        if (mode == GroupMode::kBuildTree) {
            if (groupName != lastGroupName) {
                // A new group: the previous one gets its badge; past the node limit the
                // group has no node.
                finishBadge();
                badge = 0;
                groupNode = nullptr;
                lastGroupName = groupName;
                if (!tree_.Full()) {
                    groupNode = tree_.Insert(parent, groupName, true);
                    if (collectingGroups_) groupEntries_.push_back(GroupEntry(e.path));
                }
            }
            if (recorderFolders) KindFlags(e.path, badge);
        } else if (groupName == wantedGroup) {
            ++counted_;
            if (catalogue_.size() < kMaxCatalogueEntries) {
                if (std::optional<RecordingEntry> entry = BuildEntry(e.path, memo))
                    catalogue_.push_back(std::move(*entry));
            }
        }
    }
    if (mode == GroupMode::kBuildTree) finishBadge();
}

// ---- the operations -------------------------------------------------------------------------

void SourceCatalogue::ScanSource(const std::string& pathIn, int kind) {
    memo_ = std::make_unique<ScanMemo>();
    ScanMemo* memo = memo_.get();
    catalogue_.clear();
    groupEntries_.clear();
    tree_.Clear();
    selected_ = nullptr;
    shownPath_.clear();
    counted_ = 0;
    nextId_.store(0);
    const std::string path = StripTrailingSlash(pathIn);
    sourcePath_ = path;
    kind_ = kind;
    const LayoutDetection detection = DetectLayout(path);
    layout_ = detection.layout;
    recorderFolders_ = detection.recorderFolders;
    // The running scan's switch, as NameLess reads it.
    SetLayoutFoldersFirst(kind == kSourceDrive && recorderFolders_);

    collectingGroups_ = true;
    if (kind == kSourceDrive) {
        tree_.SetRootPath(path);
        AddFolder(path, nullptr, recorderFolders_, 0, memo);
        collectingGroups_ = false;
        if (env_.onCardScanned) env_.onCardScanned(path);
    } else if (kind == kSourceFolder) {
        tree_.SetRootPath(std::string(FolderOf(path)));
        GroupNode* root = tree_.Insert(nullptr, std::string(FileNameOf(path)), false);
        AddFolder(path, root, false, 0, memo);
    } else if (kind == kSourceFile) {
        tree_.SetRootPath(std::string(FolderOf(path)));
        if (HasMovieHeader(path)) {
            if (std::optional<RecordingEntry> entry = BuildEntry(path, memo))
                catalogue_.push_back(std::move(*entry));
        }
        shownPath_ = path;
    }
    collectingGroups_ = false;
    // Keep the listings and header tests for SelectFirstGroup, but no open folder: an open
    // folder would keep a card from being unmounted.
    memo->CloseFolders();
}

bool SourceCatalogue::SelectFirstGroup() {
    // Reuses the header tests of the scan that came just before.
    std::unique_ptr<ScanMemo> memo = std::move(memo_);
    if (!memo) memo = std::make_unique<ScanMemo>();
    if (tree_.Roots().empty()) return false;
    GroupNode* first = tree_.Roots().front().get();
    const quorva::Layout& layout = LayoutAt(CurrentLayout());
    GroupNode* node = first;
    const bool layoutFolder = first->text.find(layout.normal.movie.folder) != std::string::npos ||
                              first->text.find(layout.parking.movie.folder) != std::string::npos;
    if (layoutFolder && !first->children.empty() &&
        ContainsGroupName(first->children.front()->text))
        node = first->children.front().get();
    selected_ = node;
    Fill(node, memo.get());
    return true;
}

int SourceCatalogue::FillFromNode(GroupNode* node) {
    memo_.reset();
    if (!tree_.Contains(node)) return 0;
    ScanMemo memo;
    selected_ = node;
    return Fill(node, &memo);
}

int SourceCatalogue::Fill(GroupNode* node, ScanMemo* memo) {
    shownPath_ = tree_.PathOf(node);
    catalogue_.clear();
    counted_ = 0;
    nextId_.store(0);
    tree_.DeleteChildren(node);
    const int depth = tree_.DepthOf(node);
    collectingGroups_ = false;
    AddFolder(shownPath_, node, kind_ == kSourceDrive, depth, memo);
    SortCatalogueOrder(catalogue_);
    node->expanded = true;
    return static_cast<int>(catalogue_.size());
}

namespace {

// Up to 8 bytes of a text as one big-endian word, zero-padded: where the words of two texts
// differ, they order the texts as std::string_view does (bytes unsigned, a text before its
// continuations); equal words say nothing.
uint64_t Word(std::string_view text, size_t from) {
    if (from + 8 <= text.size()) {
        const auto* p = reinterpret_cast<const unsigned char*>(text.data() + from);
        return uint64_t{p[0]} << 56 | uint64_t{p[1]} << 48 | uint64_t{p[2]} << 40 |
               uint64_t{p[3]} << 32 | uint64_t{p[4]} << 24 | uint64_t{p[5]} << 16 |
               uint64_t{p[6]} << 8 | uint64_t{p[7]};
    }
    uint64_t word = 0;
    for (size_t i = from; i < from + 8; ++i)
        word = word << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    return word;
}

}  // namespace

struct SourceCatalogue::Walked {
    std::vector<RecordingEntry> entries;
    std::vector<uint64_t> numbers;  // each entry's file-number characters (Word)
    void SortFrom(size_t from);
};

struct SourceCatalogue::WalkedFile {
    WalkedFile(std::string_view fileName, uint32_t fileAttributes, bool isCandidate)
        : name(fileName),
          words{Word(fileName, 0), Word(fileName, 8), Word(fileName, 16)},
          attributes(fileAttributes),
          candidate(isCandidate) {}
    // By name: mostly decided by the first 24 bytes as words, so that names that start
    // alike cost a few integer comparisons.
    int Compare(const WalkedFile& other) const {
        for (size_t w = 0; w < 3; ++w) {
            if (words[w] != other.words[w]) return words[w] < other.words[w] ? -1 : 1;
        }
        return name.compare(other.name);
    }
    std::string_view name;
    uint64_t words[3];
    uint32_t attributes;  // from the listing
    bool candidate;       // a main-camera recording name
};

std::vector<RecordingEntry> SourceCatalogue::ListAllRecordings() {
    int filesCounted = 0;
    const bool layoutFirst = kind_ == kSourceDrive && recorderFolders_;
    std::vector<std::string> walked;
    ScanMemo memo;
    Walked all;
    if (kind_ == kSourceDrive) {
        Walk(sourcePath_, 0, layoutFirst, filesCounted, walked, memo, all);
    } else if (kind_ == kSourceFolder) {
        if (!tree_.Roots().empty())
            Walk(tree_.PathOf(tree_.Roots().front().get()), 0, layoutFirst, filesCounted, walked,
                 memo, all);
    } else if (kind_ == kSourceFile && HasMovieHeader(sourcePath_)) {
        if (std::optional<RecordingEntry> entry = BuildEntry(sourcePath_, nullptr))
            all.entries.push_back(std::move(*entry));
    }
    return std::move(all.entries);
}

// Catalogue order for the part of a walk from the index on: every entry is a main-camera
// recording, so the order is by file number alone (stable), as SortCatalogueOrder gives it.
void SourceCatalogue::Walked::SortFrom(size_t from) {
    std::vector<size_t> order(entries.size() - from);
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = from + i;
    const auto byNumber = [this](size_t a, size_t b) { return numbers[a] < numbers[b]; };
    if (std::is_sorted(order.begin(), order.end(), byNumber)) return;
    std::stable_sort(order.begin(), order.end(), byNumber);
    std::vector<RecordingEntry> sortedEntries;
    std::vector<uint64_t> sortedNumbers;
    sortedEntries.reserve(order.size());
    sortedNumbers.reserve(order.size());
    for (const size_t i : order) {
        sortedEntries.push_back(std::move(entries[i]));
        sortedNumbers.push_back(numbers[i]);
    }
    const auto at = static_cast<std::ptrdiff_t>(from);
    std::move(sortedEntries.begin(), sortedEntries.end(), entries.begin() + at);
    std::copy(sortedNumbers.begin(), sortedNumbers.end(), numbers.begin() + at);
}

// Appends the recordings under the folder: those of each subfolder first (in catalogue
// order when the subfolder holds files itself), then the folder's own, by name.
void SourceCatalogue::Walk(const std::string& folder, int depth, bool layoutFirst,
                           int& filesCounted, std::vector<std::string>& walking, ScanMemo& memo,
                           Walked& out) {
    // A folder reached again through a link below itself is not walked twice.
    std::error_code ec;
    std::string real = std::filesystem::canonical(folder, ec).string();
    if (ec) return;
    if (std::find(walking.begin(), walking.end(), real) != walking.end()) return;
    const FolderNames listing = ListFolderNames(folder);
    if (!listing.ok) return;
    walking.push_back(std::move(real));
    // Directories first, then the files, each by name. Only the movies matter here: those
    // that can be recordings, and the others that can be their sub-camera partners (a
    // partner's name ends as its recording's does); the other files are only counted.
    std::vector<std::string_view> folders;
    std::vector<WalkedFile> movies;
    bool anyCandidate = false;
    for (const FolderNames::Item& item : listing.items) {
        const std::string_view name = listing.NameOf(item);
        if ((item.attributes & kAttributeDirectory) != 0) {
            folders.push_back(name);
        } else {
            ++filesCounted;
            if (!IsMovPath(name)) continue;
            const bool candidate = IsMainRecordingFileName(name);
            anyCandidate = anyCandidate || candidate;
            movies.emplace_back(name, item.attributes, candidate);
        }
    }
    if (depth < kMaxFolderDepth) {
        std::stable_sort(folders.begin(), folders.end(),
                         [layoutFirst](std::string_view a, std::string_view b) {
                             return FileNameLess(a, b, layoutFirst);
                         });
        for (const std::string_view name : folders) {
            int counted = 0;
            const size_t start = out.entries.size();
            Walk(listing.prefix + std::string(name), depth + 1, layoutFirst, counted, walking, memo,
                 out);
            if (counted > 0) out.SortFrom(start);
        }
    }
    if (anyCandidate) {
        // The listing order of files by name: recording names are never layout folder
        // names, so plain name order (names in a listing differ).
        std::sort(movies.begin(), movies.end(),
                  [](const WalkedFile& a, const WalkedFile& b) { return a.Compare(b) < 0; });
        // Below the top the caller puts the part in file-number order: start from it.
        AddWalkedRecordings(folder, listing.prefix, movies, depth > 0, memo, out);
    }
    walking.pop_back();
}

// BuildEntry for the recordings listed in one folder, with the partners' folders worked
// out once and the sub-camera partners looked up among the folder's movies.
void SourceCatalogue::AddWalkedRecordings(const std::string& folder, const std::string& prefix,
                                          const std::vector<WalkedFile>& movies, bool numberOrder,
                                          ScanMemo& memo, Walked& out) {
    const PartnerFolders partners = PartnerFoldersOf(FolderOf(prefix + "x"));
    const platform::FolderHandle* movieFolder = memo.Handle(folder);
    const platform::FolderHandle* dataFolder = memo.Handle(partners.dataFolder);
    auto listedHere = [&](std::string_view name) {
        const WalkedFile wanted(name, 0, false);
        const auto it = std::lower_bound(
            movies.begin(), movies.end(), wanted,
            [](const WalkedFile& a, const WalkedFile& b) { return a.Compare(b) < 0; });
        return it != movies.end() && it->Compare(wanted) == 0;
    };
    auto pathOf = [&](std::string_view name) {
        std::string path;
        path.reserve(prefix.size() + name.size());
        path += prefix;
        path += name;
        return path;
    };
    // The files are looked at by name, which gives the ids; the entries are made after,
    // in the order that the caller wants.
    struct Found {
        std::string_view name;
        uint64_t number;  // the file number's characters
        uint64_t movieSize, subSize, dataSize;
        int32_t id;
    };
    std::vector<Found> found;
    std::string subName, dataName;
    for (const WalkedFile& file : movies) {
        if (!file.candidate) continue;
        const std::string_view name = file.name;
        std::optional<uint64_t> size;
        if (env_.probe) {
            if (!env_.probe(pathOf(name))) continue;
        } else {
            const MovieHeaderProbe probe =
                movieFolder ? ProbeMovieFileIn(*movieFolder, name,
                                               (file.attributes & kAttributeNormalFile) != 0)
                            : MovieHeaderProbe{};
            if (!probe.movie) continue;
            size = probe.size;
        }
        if (!size) size = RegularFileSize(pathOf(name));
        if (!size) continue;  // the movie cannot be opened
        Found& f = found.emplace_back();
        f.name = name;
        f.number = Word(name.substr(19, 6), 0);
        f.movieSize = *size;
        SubCameraName(name, subName);
        const std::string& subFolder = partners.SubFolderFor(name);
        f.subSize = 0;
        if (subFolder != partners.folder)
            f.subSize = PartnerSizeIn(subFolder, subName, memo, true);
        else if (listedHere(subName))
            f.subSize = PartnerSizeIn(subFolder, subName, memo, false);
        DriveDataName(name, dataName);
        f.dataSize = dataFolder ? dataFolder->RegularFileSize(dataName).value_or(0) : 0;
        f.id = nextId_.fetch_add(1, std::memory_order_relaxed);
    }
    if (numberOrder) {
        std::stable_sort(found.begin(), found.end(),
                         [](const Found& a, const Found& b) { return a.number < b.number; });
    }
    const size_t needed = out.entries.size() + found.size();
    if (out.entries.capacity() < needed) {
        out.entries.reserve(std::max(needed, 2 * out.entries.capacity()));
        out.numbers.reserve(out.entries.capacity());
    }
    for (const Found& f : found) {
        RecordingEntry& e = out.entries.emplace_back();
        out.numbers.push_back(f.number);
        e.path = pathOf(f.name);
        e.movieSize = f.movieSize;
        e.subSize = f.subSize;
        e.dataSize = f.dataSize;
        e.id = f.id;
        // A main-camera recording name is a recording name: its class is its first letter.
        e.classChar = static_cast<unsigned char>(f.name[0]);
    }
}

void SourceCatalogue::ClearSource() {
    memo_.reset();
    tree_.Clear();
    groupEntries_.clear();
    shownPath_.clear();
    catalogue_.clear();
    selected_ = nullptr;
    counted_ = 0;
}

void SourceCatalogue::RemoveDeleted(std::vector<RecordingEntry>& list,
                                    const std::vector<RecordingEntry>& deleted) {
    std::unordered_set<std::string_view> names;
    for (const RecordingEntry& d : deleted)
        names.insert(FileNameOf(d.path));
    std::erase_if(list,
                  [&](const RecordingEntry& e) { return names.count(FileNameOf(e.path)) != 0; });
}

bool SourceCatalogue::ChooseStartSource(const std::string& folder, const std::string& file) {
    memo_.reset();
    tree_.Clear();
    std::string path;
    int kind = kSourceNone;
    const std::vector<std::string> drives = env_.removableVolumes();
    for (auto it = drives.rbegin(); it != drives.rend(); ++it) {
        if (!it->empty() && Exists(*it)) {
            path = *it;
            kind = kSourceDrive;
            break;
        }
    }
    if (kind == kSourceNone) {
        if (!folder.empty() && Exists(folder)) {
            path = folder;
            kind = kSourceFolder;
        }
    }
    if (kind == kSourceNone) {
        if (!file.empty() && Exists(file) && IsRecordingName(file)) {
            path = file;
            kind = kSourceFile;
        }
    }
    if (kind == kSourceNone) return false;
    ScanSource(path, kind);
    SelectFirstGroup();
    return true;
}

}  // namespace quorva
