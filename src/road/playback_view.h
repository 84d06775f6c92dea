// What the playback controller asks of the main window: its widgets (sliders, buttons, movie
// windows, logo panel, message box), the two panels and the file browser. The main window
// implements these with its widgets; tests with recording fakes. All calls come on the
// user-interface thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "player/player_geometry.h"
#include "recordings/system_time.h"
#include "road/playback_buttons.h"
#include "road/playback_movie_menu.h"

namespace quorva {

enum class PlayFace {
    kPlay,   // "再生": shown while not playing
    kPause,  // "一時停止": shown while playing
};

// Facts of the main window that the button states depend on.
struct ShellButtonContext {
    bool listShown = false;
    bool csvAllowed = false;
    int sourceKind = 0;  // 1 SD card, 2 folder, 3 single file
};

class PlaybackView {
  public:
    virtual ~PlaybackView() = default;

    // Position slider (range 0 .. duration) and volume slider.
    virtual void SetSeekRange(int minimum, int maximum) = 0;
    virtual void SetSeekPos(int position) = 0;
    // The slider lets go of a drag: marked released, mouse capture released.
    virtual void ReleaseSeekSlider() = 0;
    // The last press on the position slider grabbed its thumb (not a click on the track).
    virtual bool SeekPressOnThumb() const = 0;
    // The position number of the main camera's picture on screen; -1 when none is shown.
    virtual int64_t MainPicturePosition() const = 0;
    virtual void SetVolumePos(int volume) = 0;

    // Buttons.
    virtual ShellButtonContext ButtonContext() const = 0;
    virtual void ApplyButtonStates(const PlaybackButtonStates& states) = 0;
    virtual void SetPlayFace(PlayFace face) = 0;
    // Zoom mode: both movie windows' zoom cursor, the zoom button pressed, the browser's
    // zoom hint in place of its tree and list.
    virtual void SetZoomMode(bool on) = 0;

    virtual void SetWaitCursor(bool on) = 0;
    // The skinned message dialog; kind 0 OK, 1 OK and Cancel. Answers 1 for OK.
    virtual int ShowMessage(const std::string& text, const std::string& caption, int kind) = 0;

    // Movie windows and window.
    virtual void RepaintMovieWindows() = 0;
    // A recording was accepted by the players: the detached window's title, and an open
    // popup menu closes.
    virtual void RecordingOpened() = 0;
    virtual bool IsFullScreen() const = 0;
    virtual void LeaveFullScreen() = 0;
    virtual void Relayout() = 0;
    virtual void RedrawWindow() = 0;
    virtual void ShowMovieMenu(const std::vector<PlaybackMenuItem>& items, int screenX,
                               int screenY) = 0;

    // The logo panel in the detached movie window (in the map's place).
    virtual void ShowLogo(bool shown) = 0;
    virtual bool LogoShown() const = 0;
    virtual void SetLogoOffline(bool offline) = 0;  // redraws it

    // The worker task (CSV export, joined movie, delete).
    virtual bool TaskBusy() const = 0;
    virtual void FinishTask() = 0;

    // Snapshot steps.
    virtual std::string PickSnapshotFolder() = 0;  // "" when cancelled
    virtual void SetControlsEnabled(bool enabled) = 0;
    virtual void SetPicturePainting(bool on) = 0;  // off: the movie windows paint black
    virtual void LockWindowUpdate(bool locked) = 0;
    // Hides each movie window and sizes its client area to its picture's size.
    virtual void SizeMovieWindowsTo(const PlayerSize sizes[2]) = 0;
    // Lays the movie windows out again (and the detached window back in its place).
    virtual void LayOutMovieWindows() = 0;
    virtual void ShowMovieWindows() = 0;
};

// The G-sensor graph and the info panel, as the controller feeds them.
class PlaybackPanels {
  public:
    virtual ~PlaybackPanels() = default;

    virtual void GraphSetCursor(int frame) = 0;
    virtual void GraphSetFrameCount(int frames) = 0;
    virtual void GraphSetRangeStep(int scaleIndex) = 0;
    // The graph draws the recording's curves only while this is set.
    virtual void GraphSetDrawData(bool on) = 0;
    virtual void GraphRedraw() = 0;

    virtual void InfoReset() = 0;  // no data, redrawn
    virtual void InfoSetStartTime(const SystemTime& start) = 0;
    virtual void InfoSetTimeLapse(bool on) = 0;
    virtual void InfoSetFrameMs(float ms) = 0;
    virtual void InfoSetResolutionCode(int code) = 0;
    virtual void InfoSetParkingTrace(bool on) = 0;
    virtual void InfoSetPosition(int position) = 0;
    virtual void InfoSetGValues(double x, double y, double z) = 0;
    virtual void InfoSetFix(bool valid, double speed) = 0;
    virtual void InfoSetVoltage(int tenths) = 0;
    virtual void InfoSetStatusLetter(int letter) = 0;
    virtual void InfoSetRateText(const std::string& text) = 0;
    virtual void InfoPaintNow() = 0;  // drawn at once, not through a later repaint
};

// Folder-tree items are named by opaque non-zero handles; 0 is none.
using FolderTreeItem = uint64_t;

// The file browser: the recording list, its marks and the folder tree.
class PlaybackBrowser {
  public:
    virtual ~PlaybackBrowser() = default;

    virtual void SetCurrentIndex(int index) = 0;
    // Selects the row (the list then reports the selection, which may come straight back
    // to the controller) and stores the continuous mark for the open that follows.
    virtual void SelectRecording(int index, bool continuousMark) = 0;
    virtual bool TakeContinuousMark() = 0;  // answers the mark and clears it
    virtual bool TakeReopenSwitch() = 0;    // answers the switch and clears it
    virtual bool Busy() const = 0;          // loading a source or folder

    // Loads a folder item into the list and the catalogue; false when it could not.
    virtual bool LoadFolder(FolderTreeItem item) = 0;
    // Hands a copy of the catalogue to the drive-data layer for the group track.
    virtual void HandCatalogueForGroupTrack() = 0;
    // Flips kind filter k (0..4; 5 is accepted and changes nothing) and rebuilds the list.
    virtual void ToggleKindFilter(int k) = 0;

    virtual FolderTreeItem SelectedFolder() const = 0;
    virtual FolderTreeItem NextSibling(FolderTreeItem item) const = 0;
    // Selects a tree item; with report the tree reports it (WM_APP_FOLDER_SELECTED, which
    // may come straight back to the controller).
    virtual void SelectFolder(FolderTreeItem item, bool report) = 0;
};

}  // namespace quorva
