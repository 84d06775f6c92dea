// The file browser of the main window as the playback controller sees it: the recording
// list (whose rows are the controller's list of recordings), its marks and the group tree.
// The controller's copy of the rows is taken again whenever the browser refills its list.
#pragma once

#include <mutex>
#include <vector>

#include "recordings/recording_entry.h"
#include "road/playback_view.h"

namespace quorva {

class CFilerContainerDlg;
struct PlayerGroup;

class CquorvaPlaybackBrowser : public PlaybackBrowser {
  public:
    // rows: the controller's list of recordings, guarded by its "hMutexCache" (given with
    // SetCacheMutex once the controller exists).
    CquorvaPlaybackBrowser(CFilerContainerDlg& browser, PlayerGroup& players,
                           std::vector<RecordingEntry>& rows)
        : browser_(browser), players_(players), rows_(rows) {}
    void SetCacheMutex(std::recursive_mutex* cache) { cache_ = cache; }

    // Copies the browser's rows into the controller's list.
    void SyncRows();

    void SetCurrentIndex(int index) override;
    void SelectRecording(int index, bool continuousMark) override;
    bool TakeContinuousMark() override;
    bool TakeReopenSwitch() override;
    bool Busy() const override;

    bool LoadFolder(FolderTreeItem item) override;
    void HandCatalogueForGroupTrack() override;
    void ToggleKindFilter(int k) override;

    FolderTreeItem SelectedFolder() const override;
    FolderTreeItem NextSibling(FolderTreeItem item) const override;
    void SelectFolder(FolderTreeItem item, bool report) override;

  private:
    CFilerContainerDlg& browser_;
    PlayerGroup& players_;
    std::vector<RecordingEntry>& rows_;
    std::recursive_mutex* cache_ = nullptr;
};

}  // namespace quorva
