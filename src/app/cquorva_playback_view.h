// The main window as the playback controller sees it: its sliders, buttons, movie windows,
// detached window with the logo panel, message dialog, folder chooser and worker task.
// A part of CquorvaDlg kept in its own file (it reaches the window's children directly).
#pragma once

#include "road/playback_view.h"

namespace quorva {

class CquorvaDlg;

class CquorvaPlaybackView : public PlaybackView {
  public:
    explicit CquorvaPlaybackView(CquorvaDlg& window) : w_(window) {}
    ~CquorvaPlaybackView() override;

    void SetSeekRange(int minimum, int maximum) override;
    void SetSeekPos(int position) override;
    void ReleaseSeekSlider() override;
    bool SeekPressOnThumb() const override;
    int64_t MainPicturePosition() const override;
    void SetVolumePos(int volume) override;

    ShellButtonContext ButtonContext() const override;
    void ApplyButtonStates(const PlaybackButtonStates& states) override;
    void SetPlayFace(PlayFace face) override;
    void SetZoomMode(bool on) override;

    void SetWaitCursor(bool on) override;
    int ShowMessage(const std::string& text, const std::string& caption, int kind) override;

    void RepaintMovieWindows() override;
    void RecordingOpened() override;
    bool IsFullScreen() const override;
    void LeaveFullScreen() override;
    void Relayout() override;
    void RedrawWindow() override;
    void ShowMovieMenu(const std::vector<PlaybackMenuItem>& items, int screenX,
                       int screenY) override;

    void ShowLogo(bool shown) override;
    bool LogoShown() const override;
    void SetLogoOffline(bool offline) override;

    bool TaskBusy() const override;
    void FinishTask() override;

    std::string PickSnapshotFolder() override;
    void SetControlsEnabled(bool enabled) override;
    void SetPicturePainting(bool on) override;
    void LockWindowUpdate(bool locked) override;
    void SizeMovieWindowsTo(const PlayerSize sizes[2]) override;
    void LayOutMovieWindows() override;
    void ShowMovieWindows() override;

  private:
    CquorvaDlg& w_;
    bool waitCursor_ = false;
};

}  // namespace quorva
