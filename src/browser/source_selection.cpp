#include "browser/source_selection.h"

#include "appcore/settings_store.h"
#include "recordings/recording_name.h"

namespace quorva {

namespace {
constexpr const char* kSection = "SOURCE";
}

int RowForStoredSelect(const std::string& select) {
    if (select == "FOLDER") return kSourceRowFolder;
    if (select == "FILE") return kSourceRowFile;
    return kSourceRowDrive;
}

int SourceKindOfRow(int row) {
    switch (row) {
        case kSourceRowDrive:
            return 1;
        case kSourceRowFolder:
            return 2;
        case kSourceRowFile:
            return 3;
        default:
            return 0;
    }
}

const char* SelectValueOfKind(int kind) {
    switch (kind) {
        case 1:
            return "SD";
        case 2:
            return "FOLDER";
        case 3:
            return "FILE";
        default:
            return "";
    }
}

void SourceSelection::Load() {
    folderPath_ = ReadSetting(kSection, "FOLDER");
    filePath_ = ReadSetting(kSection, "FILE");
    driveText_ = ReadSetting(kSection, "SD");
    SelectRow(RowForStoredSelect(ReadSetting(kSection, "SELECT")));
}

void SourceSelection::SetDrives(std::vector<std::string> drives) {
    drives_ = std::move(drives);
    driveIndex_ = static_cast<int>(drives_.size()) - 1;
}

void SourceSelection::SelectRow(int row) {
    if (SourceKindOfRow(row) == 0) return;
    row_ = row;
}

void SourceSelection::ChooseDrive(int index) {
    if (index < 0 || index >= static_cast<int>(drives_.size())) return;
    driveIndex_ = index;
    driveText_ = drives_[index];
    SelectRow(kSourceRowDrive);
}

void SourceSelection::ChooseFolder(const std::string& folder) {
    if (folder.empty()) return;
    folderPath_ = folder;
    SelectRow(kSourceRowFolder);
}

bool SourceSelection::ChooseFile(const std::string& file) {
    if (file.empty()) return true;
    if (!IsRecordingName(file)) return false;
    filePath_ = file;
    SelectRow(kSourceRowFile);
    return true;
}

bool SourceSelection::OkEnabled() const {
    switch (row_) {
        case kSourceRowDrive:
            return driveIndex_ >= 0;
        case kSourceRowFolder:
            return !folderPath_.empty();
        case kSourceRowFile:
            return !filePath_.empty();
        default:
            return false;
    }
}

std::string SourceSelection::ChosenPath() const {
    switch (row_) {
        case kSourceRowDrive:
            return driveIndex_ >= 0 ? drives_[driveIndex_] : std::string();
        case kSourceRowFolder:
            return folderPath_;
        case kSourceRowFile:
            return filePath_;
        default:
            return {};
    }
}

bool SourceSelection::Commit() {
    if (!OkEnabled()) return false;
    if (row_ == kSourceRowDrive) driveText_ = drives_[driveIndex_];
    const int kind = Kind();
    bool ok = WriteSetting(kSection, "SELECT", SelectValueOfKind(kind));
    switch (kind) {
        case 1:
            ok = WriteSetting(kSection, "SD", driveText_) && ok;
            break;
        case 2:
            ok = WriteSetting(kSection, "FOLDER", folderPath_) && ok;
            break;
        case 3:
            ok = WriteSetting(kSection, "FILE", filePath_) && ok;
            break;
        default:
            return false;
    }
    return ok;
}

}  // namespace quorva
