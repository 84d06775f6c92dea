#include "app/cquorva_playback_browser.h"

#include "browser/file_list_ctrl.h"
#include "browser/filer_container_dlg.h"
#include "browser/folder_tree_ctrl.h"
#include "player/player_group.h"

namespace quorva {

namespace {

constexpr int kKindFilters = 5;

// The cache mutex when there is one.
class CacheLock {
  public:
    explicit CacheLock(std::recursive_mutex* m) : m_(m) {
        if (m_) m_->lock();
    }
    ~CacheLock() {
        if (m_) m_->unlock();
    }
    CacheLock(const CacheLock&) = delete;
    CacheLock& operator=(const CacheLock&) = delete;

  private:
    std::recursive_mutex* m_;
};

}  // namespace

void CquorvaPlaybackBrowser::SyncRows() {
    CacheLock lock(cache_);
    rows_ = browser_.Rows();
}

void CquorvaPlaybackBrowser::SetCurrentIndex(int index) {
    browser_.List()->SetCurrentRow(index);
}

void CquorvaPlaybackBrowser::SelectRecording(int index, bool continuousMark) {
    browser_.SelectRecordingRow(index, continuousMark);
}

bool CquorvaPlaybackBrowser::TakeContinuousMark() {
    return browser_.TakeContinuousMark();
}

bool CquorvaPlaybackBrowser::TakeReopenSwitch() {
    return browser_.TakeReopen();
}

bool CquorvaPlaybackBrowser::Busy() const {
    return browser_.Busy();
}

bool CquorvaPlaybackBrowser::LoadFolder(FolderTreeItem item) {
    if (!browser_.Catalogue().Tree().FindBySerial(item)) return false;
    browser_.LoadFolder(item);
    SyncRows();
    return true;
}

void CquorvaPlaybackBrowser::HandCatalogueForGroupTrack() {
    // The GPS samples of every listed recording, for the track of the whole list.
    std::vector<RecordingEntry> rows;
    {
        CacheLock lock(cache_);
        rows = rows_;
    }
    LockAllSlots(players_);
    players_.slot[0].data.ReadGpsTrack(rows);
    UnlockAllSlots(players_);
}

void CquorvaPlaybackBrowser::ToggleKindFilter(int k) {
    if (k >= 0 && k < kKindFilters) browser_.SetFilter(k, !browser_.Filter(k));
    SyncRows();
}

FolderTreeItem CquorvaPlaybackBrowser::SelectedFolder() const {
    return browser_.Tree()->SelectedSerial();
}

FolderTreeItem CquorvaPlaybackBrowser::NextSibling(FolderTreeItem item) const {
    const GroupTree& tree = browser_.Catalogue().Tree();
    const GroupNode* node = tree.FindBySerial(item);
    if (!node) return 0;
    const auto& siblings = node->parent ? node->parent->children : tree.Roots();
    for (size_t i = 0; i + 1 < siblings.size(); ++i)
        if (siblings[i].get() == node) return siblings[i + 1]->serial;
    return 0;
}

void CquorvaPlaybackBrowser::SelectFolder(FolderTreeItem item, bool report) {
    browser_.SelectFolder(item, report);
}

}  // namespace quorva
