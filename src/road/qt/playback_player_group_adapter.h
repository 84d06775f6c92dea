// The playback controller's view of the player group: each call goes to the group operation
// or the slot operation of the same name (through the slots' operation table).
#pragma once

#include "player/player_group.h"
#include "road/playback_player_group.h"

namespace quorva {

class PlaybackPlayerGroupAdapter : public PlaybackPlayerGroup {
  public:
    explicit PlaybackPlayerGroupAdapter(PlayerGroup& group) : g_(group) {}

    bool Valid(int slot) const override;
    int State(int slot) const override;
    int RateCode(int slot) const override;
    int KeepAspect(int slot) const override;
    bool CanPlayBackwards(int slot) const override;
    bool DataLoaded(int slot) const override;
    bool UsesLegacyPlayer(int slot) const override;

    int Open(const std::string& path) override;
    int Close() override;
    int LoadData(const std::string& path) override;
    int ReleaseData() override;
    int Play() override;
    int Pause() override;
    int Seek(int64_t position) override;
    int SetRate(int rateCode) override;
    int Repaint() override;
    int SetZoom(const ZoomSettings zoom[2], int repaint) override;

    int Stop(int slot) override;
    int SetAspect(int slot, int keep) override;
    int SetVolume(int slot, int volume) override;
    int GetPosition() override;
    int64_t GetDuration() override;
    float GetFrameMs() override;
    int GetVideoSize(int slot, int* width, int* height) override;
    int ShowOverlayText(int slot, const std::string& text) override;
    int ClearOverlay(int slot) override;
    int SaveSnapshot(int slot, const std::string& jpegPath) override;

    void LockAll() override;
    void UnlockAll() override;
    bool Prefetch(const std::string& moviePath) override;
    bool ShowLoaded() override;
    ShownDriveData Shown() override;

  private:
    bool InRange(int slot) const { return slot == 0 || slot == 1; }
    PlayerSlot* ValidSlot(int slot);

    PlayerGroup& g_;
};

}  // namespace quorva
