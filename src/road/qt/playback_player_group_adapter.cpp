#include "road/qt/playback_player_group_adapter.h"

namespace quorva {

static_assert(int{kSlotClosed} == int{SLOT_CLOSED} && int{kSlotStopped} == int{SLOT_STOPPED} &&
                  int{kSlotPlaying} == int{SLOT_PLAYING} && int{kSlotPaused} == int{SLOT_PAUSED},
              "the controller's slot states are the slots' own");

PlayerSlot* PlaybackPlayerGroupAdapter::ValidSlot(int slot) {
    if (!InRange(slot) || !g_.slot[slot].valid) return nullptr;
    return &g_.slot[slot];
}

bool PlaybackPlayerGroupAdapter::Valid(int slot) const {
    return InRange(slot) && g_.slot[slot].valid != 0;
}

int PlaybackPlayerGroupAdapter::State(int slot) const {
    return Valid(slot) ? g_.slot[slot].state : kSlotClosed;
}

int PlaybackPlayerGroupAdapter::RateCode(int slot) const {
    return Valid(slot) ? g_.slot[slot].rateCode : 0;
}

int PlaybackPlayerGroupAdapter::KeepAspect(int slot) const {
    return Valid(slot) ? g_.slot[slot].keepAspect : 0;
}

bool PlaybackPlayerGroupAdapter::CanPlayBackwards(int slot) const {
    return Valid(slot) && g_.slot[slot].canPlayBackwards != 0;
}

bool PlaybackPlayerGroupAdapter::DataLoaded(int slot) const {
    return Valid(slot) && g_.slot[slot].dataLoaded != 0;
}

bool PlaybackPlayerGroupAdapter::UsesLegacyPlayer(int) const {
    return false;  // one engine on this platform
}

int PlaybackPlayerGroupAdapter::Open(const std::string& path) {
    const int any = GroupOpen(g_, path);
    if (!g_.slot[0].valid) return any;
    // The road follows slot 0's position and end. When the main movie did not open (too
    // short, unreadable, undecodable), the recording did not open; the second camera is
    // closed again so that it neither plays on its own nor reports a ready recording.
    const int result = MainOpenResult(g_);
    if (result != 1) GroupClose(g_);
    return result;
}
int PlaybackPlayerGroupAdapter::Close() {
    return GroupClose(g_);
}
int PlaybackPlayerGroupAdapter::LoadData(const std::string& path) {
    return GroupLoadData(g_, path);
}
int PlaybackPlayerGroupAdapter::ReleaseData() {
    return GroupReleaseData(g_);
}
int PlaybackPlayerGroupAdapter::Play() {
    return GroupPlay(g_);
}
int PlaybackPlayerGroupAdapter::Pause() {
    return GroupPause(g_);
}
int PlaybackPlayerGroupAdapter::Seek(int64_t position) {
    return GroupSeek(g_, position);
}
int PlaybackPlayerGroupAdapter::SetRate(int rateCode) {
    return GroupSetRate(g_, rateCode);
}
int PlaybackPlayerGroupAdapter::Repaint() {
    return GroupRepaint(g_);
}
int PlaybackPlayerGroupAdapter::SetZoom(const ZoomSettings zoom[2], int repaint) {
    return GroupSetZoom(g_, zoom, repaint);
}

int PlaybackPlayerGroupAdapter::Stop(int slot) {
    PlayerSlot* s = ValidSlot(slot);
    return s ? s->ops->Stop(*s) : 0;
}
int PlaybackPlayerGroupAdapter::SetAspect(int slot, int keep) {
    PlayerSlot* s = ValidSlot(slot);
    return s ? s->ops->SetAspect(*s, keep) : 0;
}
int PlaybackPlayerGroupAdapter::SetVolume(int slot, int volume) {
    PlayerSlot* s = ValidSlot(slot);
    return s ? s->ops->SetVolume(*s, volume) : 0;
}
int PlaybackPlayerGroupAdapter::GetPosition() {
    PlayerSlot* s = ValidSlot(0);
    return s ? s->ops->GetPosition(*s) : 0;
}
int64_t PlaybackPlayerGroupAdapter::GetDuration() {
    PlayerSlot* s = ValidSlot(0);
    return s ? s->ops->GetDuration(*s) : 0;
}
float PlaybackPlayerGroupAdapter::GetFrameMs() {
    PlayerSlot* s = ValidSlot(0);
    return s ? s->ops->GetFrameMs(*s) : 0.0f;
}
int PlaybackPlayerGroupAdapter::GetVideoSize(int slot, int* width, int* height) {
    PlayerSlot* s = ValidSlot(slot);
    return s ? s->ops->GetVideoSize(*s, width, height) : 0;
}
int PlaybackPlayerGroupAdapter::ShowOverlayText(int slot, const std::string& text) {
    PlayerSlot* s = ValidSlot(slot);
    return s ? s->ops->ShowOverlayText(*s, text) : 0;
}
int PlaybackPlayerGroupAdapter::ClearOverlay(int slot) {
    PlayerSlot* s = ValidSlot(slot);
    return s ? s->ops->ClearOverlay(*s) : 0;
}
int PlaybackPlayerGroupAdapter::SaveSnapshot(int slot, const std::string& jpegPath) {
    PlayerSlot* s = ValidSlot(slot);
    return s ? s->ops->SaveSnapshot(*s, jpegPath) : 0;
}

void PlaybackPlayerGroupAdapter::LockAll() {
    LockAllSlots(g_);
}
void PlaybackPlayerGroupAdapter::UnlockAll() {
    UnlockAllSlots(g_);
}
bool PlaybackPlayerGroupAdapter::Prefetch(const std::string& moviePath) {
    return g_.slot[0].data.Prefetch(moviePath);
}
bool PlaybackPlayerGroupAdapter::ShowLoaded() {
    return g_.slot[0].data.ShowLoaded();
}

ShownDriveData PlaybackPlayerGroupAdapter::Shown() {
    const DriveDataStore& store = g_.slot[0].data.Shown();
    ShownDriveData shown;
    shown.g.samples = store.GSensor();
    shown.g.frameIndex = store.FrameIndex();
    shown.gpsCount = store.Gps().size();
    shown.maxG = store.MaxG();
    shown.timeLapse = store.IsLoaded() ? store.Header().timeLapse : 0;
    return shown;
}

}  // namespace quorva
