#include "recordings/source_catalogue.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <unordered_set>

#include "app/settings_store.h"
#include "platform/volumes.h"
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
                    set.insert(FileNameOf(e.path));
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

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
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
    if (!env_.removableVolumes)
        env_.removableVolumes = [] { return platform::RemovableVolumeRoots(); };
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
    const std::string_view folderPath = FolderOf(path);
    // A partner that is often missing (the sub camera's file) is first looked up in its
    // folder's listing; names match ignoring case, as on the card's file system.
    if (oftenMissing && !memo->Listed(folderPath, FileNameOf(path), *this)) return 0;
    const platform::FolderHandle* folder = memo->Handle(folderPath);
    return folder ? folder->RegularFileSize(FileNameOf(path)).value_or(0) : 0;
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

std::vector<RecordingEntry> SourceCatalogue::ListAllRecordings() {
    int filesCounted = 0;
    const bool layoutFirst = kind_ == kSourceDrive && recorderFolders_;
    std::vector<std::string> walked;
    ScanMemo memo;
    if (kind_ == kSourceDrive) return Walk(sourcePath_, 0, layoutFirst, filesCounted, walked, memo);
    if (kind_ == kSourceFolder) {
        if (tree_.Roots().empty()) return {};
        return Walk(tree_.PathOf(tree_.Roots().front().get()), 0, layoutFirst, filesCounted, walked,
                    memo);
    }
    if (kind_ == kSourceFile && HasMovieHeader(sourcePath_)) {
        if (std::optional<RecordingEntry> entry = BuildEntry(sourcePath_, nullptr))
            return {std::move(*entry)};
    }
    return {};
}

std::vector<RecordingEntry> SourceCatalogue::Walk(const std::string& folder, int depth,
                                                  bool layoutFirst, int& filesCounted,
                                                  std::vector<std::string>& walking,
                                                  ScanMemo& memo) {
    std::vector<RecordingEntry> result;
    // A folder reached again through a link below itself is not walked twice.
    std::error_code ec;
    std::string real = std::filesystem::canonical(folder, ec).string();
    if (ec) return result;
    if (std::find(walking.begin(), walking.end(), real) != walking.end()) return result;
    const FolderListing& listing = Listing(folder, memo);
    if (!listing.ok) return result;
    walking.push_back(std::move(real));
    // Directories first, then the files, each by name. Only files that can be recordings
    // need their order: the others are counted and passed over.
    std::vector<const RecordingEntry*> folders, candidates;
    for (const RecordingEntry& e : listing.entries) {
        if (IsDirectory(e)) {
            folders.push_back(&e);
        } else {
            ++filesCounted;
            if (IsMovPath(e.path) && IsMainRecordingName(e.path)) candidates.push_back(&e);
        }
    }
    SortListingOrder(folders, layoutFirst);
    SortListingOrder(candidates, layoutFirst);
    if (depth < kMaxFolderDepth) {
        for (const RecordingEntry* e : folders) {
            int counted = 0;
            std::vector<RecordingEntry> below =
                Walk(e->path, depth + 1, layoutFirst, counted, walking, memo);
            if (counted > 0) SortCatalogueOrder(below);
            result.insert(result.end(), std::make_move_iterator(below.begin()),
                          std::make_move_iterator(below.end()));
        }
    }
    const platform::FolderHandle* folderHandle = memo.Handle(folder);
    for (const RecordingEntry* e : candidates) {
        std::optional<uint64_t> size;
        if (env_.probe) {
            if (!env_.probe(e->path)) continue;
        } else {
            const MovieHeaderProbe probe =
                folderHandle ? ProbeMovieFileIn(*folderHandle, FileNameOf(e->path),
                                                (e->attributes & kAttributeNormalFile) != 0)
                             : MovieHeaderProbe{};
            if (!probe.movie) continue;
            size = probe.size;
        }
        if (std::optional<RecordingEntry> built = BuildEntry(e->path, size, &memo))
            result.push_back(std::move(*built));
    }
    walking.pop_back();
    return result;
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

bool SourceCatalogue::ChooseStartSource() {
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
        const std::string folder = ReadSetting("SOURCE", "FOLDER");
        if (!folder.empty() && Exists(folder)) {
            path = folder;
            kind = kSourceFolder;
        }
    }
    if (kind == kSourceNone) {
        const std::string file = ReadSetting("SOURCE", "FILE");
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
