// What the source dialog holds and decides, without its widgets: the chosen row (an SD
// card, a folder or one movie), the texts of the three rows, when OK may be pressed, and
// the settings it reads at the start and writes on OK (section "SOURCE": "SELECT", "SD",
// "FOLDER", "FILE").
#pragma once

#include <string>
#include <vector>

namespace quorva {

// Row ids of the dialog: the SD card, the folder and the file row.
enum SourceRowId : int {
    kSourceRowDrive = 39000,
    kSourceRowFolder = 39001,
    kSourceRowFile = 39002,
};

// The row a stored "SELECT" value opens on: "SD" the card row, "FOLDER" the folder row,
// "FILE" the file row, anything else the card row.
int RowForStoredSelect(const std::string& select);
// The source kind of a row: 1 SD card, 2 folder, 3 file (0 for an unknown row).
int SourceKindOfRow(int row);
// The "SELECT" value stored for a source kind ("" for an unknown kind).
const char* SelectValueOfKind(int kind);

class SourceSelection {
  public:
    // Reads "FOLDER", "FILE", "SD" and "SELECT" of section "SOURCE" and selects the stored
    // row. The drive list is empty until SetDrives.
    void Load();

    // The removable drives (mount points); the last one is selected. Does not change the
    // selected row.
    void SetDrives(std::vector<std::string> drives);
    const std::vector<std::string>& Drives() const { return drives_; }
    int DriveIndex() const { return driveIndex_; }  // -1 when none is selected

    void SelectRow(int row);
    int Row() const { return row_; }
    int Kind() const { return SourceKindOfRow(row_); }

    // The user picked drive entry index: it becomes the drive text and the card row is
    // selected. An index outside the list is ignored.
    void ChooseDrive(int index);
    // A folder from the folder chooser: it becomes the folder path, the folder row is
    // selected. An empty path (the chooser was cancelled) changes nothing.
    void ChooseFolder(const std::string& folder);
    // A movie from the file dialog: a name that is not a recording name is refused (false)
    // and the previous file is kept; otherwise it becomes the file path and the file row is
    // selected.
    bool ChooseFile(const std::string& file);

    const std::string& DriveText() const { return driveText_; }
    const std::string& FolderPath() const { return folderPath_; }
    const std::string& FilePath() const { return filePath_; }

    // OK is enabled for the card row when a drive is selected, for the folder row when the
    // folder path is not empty, for the file row when the file path is not empty.
    bool OkEnabled() const;
    // The path of the chosen row: the drive, the folder or the file.
    std::string ChosenPath() const;

    // Writes "SELECT" and the chosen row's value to the settings; false when the kind has no
    // path or a write failed.
    bool Commit();

  private:
    std::vector<std::string> drives_;
    int driveIndex_ = -1;
    int row_ = kSourceRowDrive;
    std::string driveText_;
    std::string folderPath_;
    std::string filePath_;
};

}  // namespace quorva
