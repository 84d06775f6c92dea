// The recorder's file-name grammar and everything derived from a name: validity, kinds,
// the partner and drive-data paths, the card layouts, labels and orderings.
//
// A recording name is 30 characters, e.g. AG__-240131-083015-000123M.MOV:
// class letter, trigger letter, time-lapse/extra letter, run-start letter, '-', YYMMDD, '-',
// HHMMSS, '-', six-digit file number, camera letter (M main, S sub), ".MOV".
// Paths are UTF-8 with '/' separators; names are matched as they are stored.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "recordings/recording_entry.h"
#include "recordings/system_time.h"

namespace quorva {

constexpr size_t kRecordingNameLength = 30;

// Kind flag bits (OR-ed over a group for its badge).
enum KindFlag : uint32_t {
    kKindContinuous = 1,     // position 0 is A or T, or position 2 is T
    kKindManual = 2,         // position 1 is M
    kKindImpact = 4,         // position 1 is G and position 0 is not P
    kKindParking = 8,        // position 0 is P and position 1 is not G
    kKindParkingImpact = 16  // position 1 is G and position 0 is P
};

// The five kind filter switches, in this order.
enum KindFilterIndex {
    kFilterContinuous,
    kFilterImpact,
    kFilterManual,
    kFilterParking,
    kFilterParkingImpact
};
using KindFilter = std::array<bool, 5>;

std::string_view FileNameOf(std::string_view path);  // last path component
std::string_view FolderOf(std::string_view path);    // path without its last component

bool IsRecordingName(std::string_view path);          // any camera, with a known kind
bool IsMainRecordingName(std::string_view path);      // main camera only, with a known kind
bool IsMainRecordingFileName(std::string_view name);  // the same for a name without folder
bool IsMovPath(std::string_view path);                // extension ".MOV", any case
bool IsTimeLapseName(std::string_view path);          // 'T' at position 0 or 2 of the name

SystemTime RecordingTimeFromName(std::string_view path);
int FileNumberOf(std::string_view name);
int ClassCharOf(std::string_view path);  // the RecordingEntry class char of a name

std::string SubCameraPath(std::string_view path);
std::string DriveDataPath(std::string_view path);

// The same worked out once per folder for the many recordings listed in it. For a path
// that FolderOf and FileNameOf split into folder and a name of at least 5 characters, the
// sub-camera partner is SubCameraName(name) in SubFolderFor(name), and the drive-data file
// is DriveDataName(name) in dataFolder (as FolderOf and FileNameOf split the partner paths).
// The data folder follows the current layout.
struct PartnerFolders {
    std::string folder;
    std::string subFolderOfFullNames;  // for names of kRecordingNameLength: "Main"/"Sub_" swap
    std::string dataFolder;
    const std::string& SubFolderFor(std::string_view name) const {
        return name.size() == kRecordingNameLength ? subFolderOfFullNames : folder;
    }
};
PartnerFolders PartnerFoldersOf(std::string_view folder);
// The partners' file names, written into out (which keeps its storage between calls).
void SubCameraName(std::string_view name, std::string& out);
void DriveDataName(std::string_view name, std::string& out);

void KindFlags(std::string_view path, uint32_t& flags);
bool MatchesKindFilter(std::string_view name, const KindFilter& filter);
std::string TriggerLabel(std::string_view path);
std::string ListDisplayName(std::string_view path);

// Card layouts: 0 ("Normal"/"_NData", "Parking"/"_PData") and 1 ("Video"/"_VData", ...).
struct LayoutEntry {
    char letter;                   // 'M' movie, 'D' data
    const char* folder;            // folder name at the card root
    const char* liveExtension;     // "MOV" / "ADA"
    const char* retiredExtension;  // "DMY" / "TDA"
};
struct LayoutHalf {
    LayoutEntry movie;
    LayoutEntry data;
};
struct Layout {
    LayoutHalf normal;
    LayoutHalf parking;
};
const Layout& LayoutAt(int index);

// The process-wide current layout index (0 at start).
int CurrentLayout();
void SetCurrentLayout(int index);

struct LayoutDetection {
    int layout = 0;
    bool recorderFolders = false;
};
// Detects the layout under root and makes it current.
LayoutDetection DetectLayout(std::string_view root);

// The operating-system pieces that deletion uses (recordings/qt/recording_platform.h gives
// the desktop's: mounted volumes, the trash, the FAT hidden attribute). A caller may point
// volumeRoot at a source's root (a folder taken as a card), tests at fakes.
struct RecordingFileOps {
    std::function<std::string(const std::string& path)> volumeRoot;  // "" when unknown
    std::function<bool(const std::string& path)> moveToTrash;
    std::function<bool(const std::string& path)> setHidden;
};
// Retires the recording on a card (hidden, renamed to the retired extensions); elsewhere
// moves the movie, its partner and its drive-data file to the trash.
bool DeleteRecording(std::string_view path, const RecordingFileOps& ops);

// Orderings.
bool NameLess(const RecordingEntry& a, const RecordingEntry& b);
bool FileNumberLess(const RecordingEntry& a, const RecordingEntry& b);
void SetLayoutFoldersFirst(bool on);  // the running scan's switch read by NameLess
bool LayoutFoldersFirst();

// NameLess on two file names with the layout-folders-first switch given.
bool FileNameLess(std::string_view a, std::string_view b, bool layoutFoldersFirst);

// Catalogue order: valid recording names first, each part by FileNumberLess (stable).
void SortCatalogueOrder(std::vector<RecordingEntry>& entries);
void SortCatalogueOrder(std::vector<const RecordingEntry*>& entries);
// Listing order: directories first, then files, each part by NameLess (stable).
void SortListingOrder(std::vector<RecordingEntry>& entries);
void SortListingOrder(std::vector<const RecordingEntry*>& entries, bool layoutFoldersFirst);
// The recording list's column orders: column 1 by class character; column 0 keeps the order.
bool ListColumnLess(int column, const RecordingEntry& a, const RecordingEntry& b);

// folder + "/" + name (no doubled separator; the name alone for an empty folder).
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace quorva
