// A source (a recorder card, a folder or one movie) scanned into the group tree and the
// catalogue: the RecordingEntry list of the selected group, folder or file.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "recordings/folder_listing.h"
#include "recordings/group_tree.h"
#include "recordings/recording_entry.h"

namespace quorva {

enum SourceKind : int {
    kSourceNone = 0,
    kSourceDrive = 1,   // the mount point of a removable drive (a recorder card)
    kSourceFolder = 2,  // a folder on a disk
    kSourceFile = 3,    // one movie file
};

constexpr size_t kMaxCatalogueEntries = 1000;  // per fill
constexpr int kMaxRecordingsPerGroup = 200;
constexpr int kMaxFolderDepth = 3;

// What the catalogue needs from around it; every member has a default.
struct SourceEnvironment {
    // Mount points of the removable drives, in drive order (empty: no drives).
    std::function<std::vector<std::string>()> removableVolumes;
    // The movie-header test of the recording test (the player group's probe). Empty: the
    // plain file test (at least 260 bytes, bytes 4..7 "ftyp").
    std::function<bool(const std::string& path)> probe;
    // Runs after a card was scanned (the recorder update notice).
    std::function<void(const std::string& cardRoot)> onCardScanned;
};

class SourceCatalogue {
  public:
    explicit SourceCatalogue(SourceEnvironment environment = {});
    ~SourceCatalogue();
    SourceCatalogue(const SourceCatalogue&) = delete;
    SourceCatalogue& operator=(const SourceCatalogue&) = delete;

    // The first removable drive, else the stored folder, else the stored file; scans it and
    // selects its first group. False when there is no source.
    bool ChooseStartSource(const std::string& storedFolder, const std::string& storedFile);
    // Rebuilds the tree (and, for a file, the catalogue) for the source.
    void ScanSource(const std::string& path, int kind);
    // Selects the first group of the tree (filling the catalogue); false without a tree.
    bool SelectFirstGroup();
    // Rebuilds the node's children and fills the catalogue for it; returns the entry count.
    int FillFromNode(GroupNode* node);
    // All main-camera recordings of the source.
    std::vector<RecordingEntry> ListAllRecordings();
    // Empties tree, group entries, catalogue and the shown path.
    void ClearSource();

    // Removes from the list every entry whose file name is that of a deleted entry.
    static void RemoveDeleted(std::vector<RecordingEntry>& list,
                              const std::vector<RecordingEntry>& deleted);

    GroupTree& Tree() { return tree_; }
    const GroupTree& Tree() const { return tree_; }
    std::vector<RecordingEntry>& Catalogue() { return catalogue_; }
    const std::vector<RecordingEntry>& Catalogue() const { return catalogue_; }
    const std::vector<RecordingEntry>& GroupEntries() const { return groupEntries_; }
    GroupNode* SelectedNode() const { return selected_; }
    const std::string& ShownPath() const { return shownPath_; }
    // Recordings of the wanted group seen by the last fill, also those past the limit.
    int CountedInFill() const { return counted_; }

    const std::string& SourcePath() const { return sourcePath_; }
    int Kind() const { return kind_; }
    int Layout() const { return layout_; }
    bool RecorderFolders() const { return recorderFolders_; }

  private:
    struct ScanMemo;
    enum class GroupMode { kBuildTree, kFillCatalogue };

    // Every lookup goes through the memo of the running operation when there is one.
    const FolderListing& Listing(const std::string& folder, ScanMemo& memo);
    bool PassesRecordingTest(const RecordingEntry& listed, ScanMemo* memo);
    bool HasMovieHeader(const std::string& path);
    std::optional<RecordingEntry> BuildEntry(const std::string& path, ScanMemo* memo);
    std::optional<RecordingEntry> BuildEntry(const std::string& path, std::optional<uint64_t> size,
                                             ScanMemo* memo);
    std::string MainSubfolderOr(const std::string& folder, ScanMemo* memo);
    uint64_t PartnerSize(const std::string& path, ScanMemo* memo, bool oftenMissing);
    uint64_t PartnerSizeIn(std::string_view folder, std::string_view name, ScanMemo& memo,
                           bool oftenMissing);
    uint32_t KindFlagsOfFolder(const std::string& folder, ScanMemo* memo);

    void AddFolder(const std::string& folder, GroupNode* parent, bool recorderFolders, int depth,
                   ScanMemo* memo);
    void GroupRecordings(const std::string& folder, GroupNode* parent, GroupMode mode,
                         bool recorderFolders, const std::string& wantedGroup, ScanMemo* memo);
    int Fill(GroupNode* node, ScanMemo* memo);
    struct Walked;      // what a walk has found so far
    struct WalkedFile;  // a movie file of a walked folder
    void Walk(const std::string& folder, int depth, bool layoutFirst, int& filesCounted,
              std::vector<std::string>& walking, ScanMemo& memo, Walked& out);
    void AddWalkedRecordings(const std::string& folder, const std::string& prefix,
                             const std::vector<WalkedFile>& movies, bool numberOrder,
                             ScanMemo& memo, Walked& out);

    SourceEnvironment env_;
    GroupTree tree_;
    std::vector<RecordingEntry> catalogue_;
    std::vector<RecordingEntry> groupEntries_;
    GroupNode* selected_ = nullptr;
    std::string shownPath_;
    std::string sourcePath_;
    int kind_ = kSourceNone;
    int layout_ = 0;
    bool recorderFolders_ = false;
    bool collectingGroups_ = false;
    int counted_ = 0;
    std::atomic<int32_t> nextId_{0};
    // Listings and header tests of one scan, kept for the SelectFirstGroup that follows it.
    std::unique_ptr<ScanMemo> memo_;
};

}  // namespace quorva
