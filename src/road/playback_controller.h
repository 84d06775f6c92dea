// PlaybackController: the road of one recording and the playback commands of the main window.
// It takes the current recording from selected to opened, ready, started and ended, keeps the
// position slider, the G-sensor graph, the info panel and the map in step with the picture on
// the 30 ms playback tick, collects the recording's events, and moves on to the next
// recording and the next folder. The main window owns it, implements its view interfaces with
// its widgets and forwards its commands, slider messages, keys, timer ticks and application
// messages to it. Everything runs on the user-interface thread except the two preload
// threads, which only read drive data and post WM_APP_PRELOAD_DONE.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "appcore/app_messages.h"
#include "panels/event_detectors.h"
#include "player/picture_placement.h"
#include "recordings/recording_entry.h"
#include "road/playback_end_guard.h"
#include "road/playback_map.h"
#include "road/playback_movie_menu.h"
#include "road/playback_player_group.h"
#include "road/playback_preload_thread.h"
#include "road/playback_scrub.h"
#include "road/playback_timers.h"
#include "road/playback_view.h"

namespace quorva {

using SettingWriter =
    std::function<bool(std::string_view section, std::string_view key, std::string_view value)>;

// Everything the controller works with; all references must outlive it.
struct PlaybackControllerParts {
    PlaybackPlayerGroup& players;
    PlaybackView& view;
    PlaybackPanels& panels;
    PlaybackBrowser& browser;
    PlaybackTimers& timers;
    PlaybackClock& clock;
    AppMessageTarget& messages;              // receives WM_APP_PRELOAD_DONE from the data reader
    std::vector<RecordingEntry>& catalogue;  // the list of recordings (under hMutexCache)
    EventDetectors& detectors;               // the G-sensor graph's detectors
    PlaybackMap* map = nullptr;              // none: the logo panel stands in for the map
    SettingWriter writeSetting;              // none: the settings store (WriteSetting)
};

class PlaybackController {
  public:
    explicit PlaybackController(PlaybackControllerParts parts);
    // Kills the timers and joins the preload threads.
    ~PlaybackController();
    PlaybackController(const PlaybackController&) = delete;
    PlaybackController& operator=(const PlaybackController&) = delete;

    // "hMutexCache": the catalogue and the current index. "hMutexCpSet": the event list.
    std::recursive_mutex hMutexCache;
    std::mutex hMutexCpSet;

    // ---- Settings and facts of the main window --------------------------------------------
    void SetStoredVolume(int volume) { volume_ = volume; }  // DISPLAY/VOLUME at start-up
    void SetStoredKeepAspect(int keep) { keepAspect_ = keep ? 1 : 0; }
    void SetTraceFilePresent(bool present) { traceFilePresent_ = present; }
    // After a worker task the current recording opens again at this position.
    void MarkReopenAfterTask(int position);
    bool ReopenAfterTask() const { return reopenAfterTask_; }
    void DropReopenAfterTask() { reopenAfterTask_ = false; }

    // ---- Dispatch ---------------------------------------------------------------------------
    // The playback commands (ID_PLAY_STOP .. ID_ZOOM_MODE, ID_ASPECT_TOGGLE, ID_FILTER_0 + k);
    // false for a command that is not one of them.
    bool HandleCommand(int commandId);
    // WM_APP_PLAYER_READY, WM_APP_PLAYER_ENDED, WM_APP_PRELOAD_DONE, WM_APP_EVENT_PREV/NEXT,
    // WM_APP_EVENT_FILTER, WM_APP_SETTING_CHANGED, WM_APP_MAP_READY and WM_APP_MAP_SEEK;
    // false for any other message.
    bool HandleAppMessage(uint32_t id, uintptr_t wParam, intptr_t lParam);
    // The timer handler (TIMER_PLAYBACK, TIMER_OPEN_DELAY, TIMER_OPEN_TIMEOUT).
    void OnTimer(int id);

    // ---- The road of one recording ------------------------------------------------------------
    bool ScheduleOpen(bool resetSlider, bool resetGraph, bool resetInfo);
    bool OpenCurrent();
    void OnPlayerReady();
    // wParam: the reader's serial number (a late answer of an earlier reader is dropped);
    // lParam: the result of the read.
    void OnPreloadDone(uintptr_t wParam, intptr_t lParam);
    bool StartPlayback();
    void SetupRecording();
    void SetupData();
    void PlaybackTick();
    void ShowPosition(int position);
    void SeekTo(int64_t position, int resumeState);
    void StopTick();
    void StopAll();
    void PauseAll();
    bool Resume();
    void OnPlayerEnded() { EndOfRecording(true); }
    // fromPlayerEnded: the player's end notice (else the legacy player's completion event).
    void EndOfRecording(bool fromPlayerEnded);
    void NextRecording();
    void NextFolder();
    void NextFolderWithRecordings(FolderTreeItem from);
    bool RebuildEventPoints(int recording, bool groupTrack);
    void SendEventsAndState();
    void JumpToEvent(bool next);
    void UpdateMapVisibility();
    bool CheckMapData();
    void ClearCurrent();

    // ---- Commands and messages -----------------------------------------------------------
    void OnPlayStop();
    void OnPlayPrev();
    void OnPlayPause();
    void OnPlaySlow();
    void OnPlayFast();
    void OnPlayNext();
    void OnZoomMode();
    void OnAspectToggle();
    void OnSnapshot();
    void OnKindFilter(int k);
    // The movie context menu at a screen point (refused while opening and near the end).
    void OnMovieMenu(int screenX, int screenY);
    // A single click on movie window 0 or 1 (client point): in zoom mode it zooms that
    // window's picture in twice around the point, or back out when it is zoomed.
    void OnMovieClick(int window, int x, int y);
    // Slider messages; pressOnThumb: the press grabbed the thumb (not a click on the track).
    // While the thumb is dragged the picture follows (ScrubSeeks); the release seeks exactly
    // to where it was let go.
    void OnSliderTrack(int controlId, int value, bool pressOnThumb);
    void OnSliderBegin(int controlId, int value, bool pressOnThumb);
    void OnSliderEnd(int controlId, int value, bool pressOnThumb);
    void OnMapSeek(int position);
    void OnMapReady();
    void OnEventFilter(int detector, int on);
    void OnSettingChanged(int item, int on);
    // WM_APP_FOLDER_SELECTED: a tree item became selected.
    void OnFolderSelected(FolderTreeItem item, bool plainFolderItem);
    // The recording list's selection change.
    void OnRecordingSelected(int row);

    // ---- Steps the main window's own commands need ------------------------------------------
    // The movie context menu's items for the main slot's state (the window shows them).
    std::vector<PlaybackMenuItem> MovieMenuItems(bool fullScreen);
    // Before the worker task of ID_SAVE_JOINED, ID_DELETE_FILES or ID_EXPORT_CSV starts:
    // the guard, and stopping or pausing playback; false when the command is refused.
    bool PrepareTask(int commandId);
    // After WM_APP_TASK_DONE: back to the start after a joined movie, and the current
    // recording scheduled to open again.
    void AfterTask(intptr_t result);
    // The road's part of resetting the view: normal rate, release and close all, no current
    // recording, the play face.
    void ResetView();
    // Pause all unless paused, then stop all.
    void PauseAndStopAll();

    // ---- Keys (the same guards as the buttons) -------------------------------------------
    void OnKeyPlayPause();          // space
    void OnKeyStep(int direction);  // left -1, right +1: one frame while paused
    void OnKeyHome();               // to the start

    // ---- Shared steps ----------------------------------------------------------------------
    void UpdateButtons();
    void UpdateRateLabel();
    void SetVolume(int volume);  // stores and writes DISPLAY/VOLUME
    void ApplyZoom(int repaint);
    void LeaveZoomMode();
    void ResetZoomRecords();
    bool EndGuardBlocksNow();

    // ---- State -------------------------------------------------------------------------------
    int CurrentIndex() const { return currentIndex_; }
    void SetCurrentIndex(int index) { currentIndex_ = index; }
    bool Started() const { return started_; }
    bool Opening() const { return opening_; }
    bool AutoOpenAllowed() const { return autoOpen_; }
    bool ContinuousPlay() const { return continuousPlay_; }
    bool OpenFailed() const { return openFailed_; }
    bool PlayAfterOpen() const { return playAfterOpen_; }
    bool EndHandled() const { return endHandled_; }
    bool EndStepRunning() const { return endStepRunning_; }
    int PendingTarget() const { return pendingTarget_; }
    bool NearEndDisabled() const { return nearEndDisabled_; }
    bool MapData() const { return mapData_; }
    bool CoordinatesInvalid() const { return coordinatesInvalid_; }
    int Cursor() const { return cursor_; }
    int SliderMax() const { return sliderMax_; }
    int Volume() const { return volume_; }
    int KeepAspect() const { return keepAspect_; }
    bool ZoomMode() const { return zoomMode_; }
    const ZoomSettings* ZoomRecords() const { return zoom_; }
    std::vector<EventPoint> EventsCopy();

  private:
    bool IndexValid(int index) const;
    bool HasCurrent() const { return IndexValid(currentIndex_); }
    const std::string& CurrentPath() const;
    int MainState() const;
    int MainRate() const;
    int NormalRate() const;
    void SetRateAndSettle(int code);
    void SetNormalRate();
    void MainVolume();      // slot 0 at the volume, slot 1 silent
    void MainVolumeZero();  // both silent
    void SetSliderAndCursor(int position);
    // Live scrubbing: the waiting target goes once the picture of the one in flight is shown.
    void ScrubTo(int value);
    void PumpScrub();
    // A drag under way no longer counts (the slider's and the scrubbing's part).
    void ReleaseSeekSlider();
    void RestoreNormalLayout();
    void Relayout();
    void ApplyRateStep(int code);
    void OnOpenDelay();
    void OnOpenTimeout();
    void NoFixVisibility();
    void SetLogoOffline(bool offline);
    void StartCurrentDataReader();
    void StartNextPreloader();
    void JoinPreloadThreads();
    void RestoreSnapshotLayout();
    void WriteSetting(std::string_view section, std::string_view key, std::string_view value);

    PlaybackPlayerGroup& players_;
    PlaybackView& view_;
    PlaybackPanels& panels_;
    PlaybackBrowser& browser_;
    PlaybackTimers& timers_;
    PlaybackClock& clock_;
    AppMessageTarget& messages_;
    std::vector<RecordingEntry>& catalogue_;
    EventDetectors& detectors_;
    PlaybackMap noMap_;
    PlaybackMap& map_;
    SettingWriter writeSetting_;

    int currentIndex_ = -1;
    bool started_ = false;
    bool opening_ = false;
    bool autoOpen_ = true;
    bool continuousPlay_ = false;
    bool openFailed_ = false;
    bool playAfterOpen_ = false;
    bool endStepRunning_ = false;
    bool endHandled_ = false;
    bool prefetchPending_ = false;
    bool reopenAfterTask_ = false;
    bool joinedMovieRunning_ = false;
    int reopenPosition_ = 0;
    int pendingTarget_ = -1;
    StallWatch stall_;
    bool nearEndDisabled_ = false;
    bool mapData_ = false;
    bool mapUpdatesBlocked_ = true;
    bool coordinatesInvalid_ = false;
    bool eventsSent_ = false;
    bool mapShownByRule_ = false;
    bool logoOffline_ = false;
    bool traceFilePresent_ = false;
    int sliderState_ = kSlotClosed;
    ScrubSeeks scrub_;
    int sliderMin_ = 0;
    int sliderMax_ = 0;
    int cursor_ = 0;
    int volume_ = 65535;
    int keepAspect_ = 1;
    bool zoomMode_ = false;
    ZoomSettings zoom_[2];
    uint64_t scheduleSerial_ = 0;  // counts the opens scheduled
    uintptr_t readerSerial_ = 0;   // counts the data readers started

    std::vector<EventPoint> events_;  // under hMutexCpSet

    PlaybackPreloadThread currentReader_;
    PlaybackPreloadThread nextPreloader_;
};

}  // namespace quorva
