// The snapshot command: one JPEG per camera of the picture on screen, at the picture's own
// size, in a folder the user chooses.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "appcore/ui_text.h"
#include "player/snapshot_naming.h"
#include "road/playback_controller.h"

namespace quorva {

namespace {

constexpr int kTextDone = 44;
constexpr int kTextDoneCaption = 45;
constexpr int kTextFileExists = 90;
constexpr int kTextSaveFailed = 98;
constexpr int kTextConfirmCaption = 104;
constexpr int kMessageOk = 0;
constexpr int kQuestion = 1;

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path), error);
}

// "Done." and where the pictures went: the folder, then the name of each file written, one a
// line.
std::string DoneText(const std::string& folder, const std::vector<std::string>& written) {
    std::string text = UiText(kTextDone) + "\n\n" + folder;
    for (const std::string& path : written)
        text += "\n" + std::filesystem::path(path).filename().string();
    return text;
}

}  // namespace

void PlaybackController::RestoreSnapshotLayout() {
    view_.LayOutMovieWindows();
    ApplyZoom(0);
    view_.ShowMovieWindows();
}

void PlaybackController::OnSnapshot() {
    if (!started_ || EndGuardBlocksNow() || !HasCurrent()) return;

    // A slot passes when an (empty, transparent) overlay can be laid over its picture.
    bool anyPicture = false;
    for (int i = 0; i < 2; ++i)
        if (players_.Valid(i) && players_.ShowOverlayText(i, "") == 1) anyPicture = true;
    if (!anyPicture) return;

    if (MainState() == kSlotPlaying) PauseAll();
    players_.Repaint();
    view_.SetControlsEnabled(false);
    view_.SetPicturePainting(false);

    const std::string folder = view_.PickSnapshotFolder();
    if (!folder.empty()) {
        const int64_t position = players_.Valid(0) ? players_.GetPosition() : 0;
        const std::string mainPath =
            SnapshotMainPath(folder, SnapshotBaseName(CurrentPath()), position);
        const std::string subPath = SnapshotSubPath(mainPath);
        bool proceed = true;
        if (FileExists(mainPath))
            proceed = view_.ShowMessage(UiText(kTextFileExists), UiText(kTextConfirmCaption),
                                        kQuestion) == 1;
        if (proceed) {
            view_.LockWindowUpdate(true);
            PlayerSize sizes[2];
            for (int i = 0; i < 2; ++i) {
                int w = 0, h = 0;
                if (players_.Valid(i) && players_.GetVideoSize(i, &w, &h)) sizes[i] = {w, h};
            }
            view_.SizeMovieWindowsTo(sizes);
            ApplyZoom(0);
            std::vector<std::string> written;
            if (players_.Valid(0)) {
                if (players_.SaveSnapshot(0, mainPath) == 1) written.push_back(mainPath);
                if (players_.Valid(1) && players_.SaveSnapshot(1, subPath) == 1)
                    written.push_back(subPath);
            }
            if (!written.empty()) {
                RestoreSnapshotLayout();
                view_.LockWindowUpdate(false);
                WriteSetting("FOLDERPATH", "SNAPSHOT_FOLDER", folder);
                view_.ShowMessage(DoneText(folder, written), UiText(kTextDoneCaption), kMessageOk);
            } else {
                view_.LockWindowUpdate(false);
                view_.ShowMessage(UiText(kTextSaveFailed), "ERROR", kMessageOk);
            }
        }
    }

    view_.SetPicturePainting(true);
    view_.LockWindowUpdate(true);
    RestoreSnapshotLayout();
    view_.LockWindowUpdate(false);
    view_.SetControlsEnabled(true);
    UpdateButtons();
    for (int i = 0; i < 2; ++i)
        if (players_.Valid(i)) players_.ClearOverlay(i);
}

}  // namespace quorva
