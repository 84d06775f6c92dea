// Card layout detection and the retiring of recordings on a card.
#include <filesystem>

#include "appcore/ascii_text.h"
#include "recordings/recording_name.h"

namespace quorva {

namespace {

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The card's own folder names match in any case (the card is a FAT volume).
bool IsLayoutFolder(const Layout& layout, std::string_view folder) {
    for (const LayoutHalf* half : {&layout.normal, &layout.parking}) {
        if (EqualsIgnoringCase(folder, half->movie.folder) ||
            EqualsIgnoringCase(folder, half->data.folder))
            return true;
    }
    return false;
}

bool IsParkingName(std::string_view name) {
    const char c0 = name.empty() ? '\0' : name[0];
    const char c2 = name.size() > 2 ? name[2] : '\0';
    return c0 == 'P' || (c0 != 'A' && c0 != 'T' && c2 == 'T');
}

// Hides the live file of one entry and renames it to the retired extension.
bool RetireFile(const std::string& root, const LayoutEntry& entry, std::string_view name,
                const RecordingFileOps& ops) {
    const std::string stem =
        JoinPath(JoinPath(root, entry.folder), name.substr(0, 25)) + entry.letter + ".";
    const std::string live = stem + entry.liveExtension;
    const std::string retired = stem + entry.retiredExtension;
    if (!Exists(live) || Exists(retired)) return false;
    if (!ops.setHidden(live)) return false;
    std::error_code ec;
    std::filesystem::rename(live, retired, ec);
    return !ec;
}

bool TrashIfPresent(const std::string& path, const RecordingFileOps& ops) {
    return !Exists(path) || ops.moveToTrash(path);
}

}  // namespace

LayoutDetection DetectLayout(std::string_view root) {
    LayoutDetection result;
    for (int index = 0; index < 2; ++index) {
        const Layout& layout = LayoutAt(index);
        if (Exists(JoinPath(root, layout.parking.movie.folder))) result.recorderFolders = true;
        if (Exists(JoinPath(root, layout.normal.movie.folder))) {
            result.recorderFolders = true;
            result.layout = index;
            SetCurrentLayout(index);
            return result;
        }
    }
    result.layout = 0;
    SetCurrentLayout(0);
    return result;
}

bool DeleteRecording(std::string_view pathView, const RecordingFileOps& ops) {
    const std::string path(pathView);
    const std::string_view name = FileNameOf(path);
    const std::string volumeRoot = ops.volumeRoot ? ops.volumeRoot(path) : std::string();
    const LayoutDetection detection =
        volumeRoot.empty() ? LayoutDetection{} : DetectLayout(volumeRoot);
    if (detection.recorderFolders && IsRecordingName(name)) {
        // On the card: hide the recording and rename it to the retired extensions.
        const std::string_view folder = FolderOf(path);
        const std::string root(FolderOf(folder));
        const Layout& layout = LayoutAt(CurrentLayout());
        if (!IsLayoutFolder(layout, FileNameOf(folder))) return false;
        const LayoutHalf& half = IsParkingName(name) ? layout.parking : layout.normal;
        return RetireFile(root, half.movie, name, ops) && RetireFile(root, half.data, name, ops);
    }
    bool ok = TrashIfPresent(path, ops);
    if (IsMainRecordingName(name)) {
        ok = TrashIfPresent(SubCameraPath(path), ops) && ok;
        ok = TrashIfPresent(DriveDataPath(path), ops) && ok;
    }
    return ok;
}

}  // namespace quorva
