// The seam between the main window and the recording road (the playback controller that
// takes a recording from selected to playing and keeps the panels in step). The window
// routes the playback commands and the road's messages here and asks it for the states
// its own rules depend on. While no road is attached the window behaves as if no
// recording had ever been opened.
#pragma once

#include <cstdint>
#include <vector>

#include "app/movie_menu.h"
#include "player/picture_placement.h"

namespace quorva {

class RoadSeam {
  public:
    virtual ~RoadSeam() = default;

    // A playback command (ID_PLAY_*, ID_SNAPSHOT, ID_ZOOM_MODE, ID_ASPECT_TOGGLE, the file
    // list's filters ID_FILTER_0 + k); true when it was handled.
    virtual bool OnCommand(int id) = 0;
    // A message of the road (player ready and ended, drive data read, sliders, map, event
    // jumps and filters, folder selected, ...); true when it was handled.
    virtual bool OnMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) = 0;

    // A row of the recording list became selected.
    virtual void OnRecordingSelected(int row) = 0;

    // The steps before a worker task of the command starts (guard, stop, forget the
    // preloaded data); false when the command is refused and no task may start.
    virtual bool PrepareTask(int commandId) = 0;
    // After WM_APP_TASK_DONE: the joined-movie and reopen steps.
    virtual void AfterTask(intptr_t result) = 0;

    virtual bool EndGuardBlocks() = 0;
    virtual bool Started() const = 0;
    virtual bool Opening() const = 0;
    // The enabled state of the buttons for the current slot states.
    virtual void UpdateButtons() = 0;
    // The movie context menu's items for the main slot's state.
    virtual std::vector<PlaybackMenuItem> MovieMenuItems(bool fullScreen) = 0;

    // The road's part of the view reset: normal rate, release and close all, clear the
    // current recording, play face.
    virtual void ResetView() = 0;
    // Pause all unless paused, then stop all.
    virtual void StopAll() = 0;
    // Stops the playback tick (shut-down).
    virtual void StopTick() = 0;

    // The zoom records of the two movie windows, which the window applies to the players;
    // null: the window's own (no recording has been zoomed). The window's layout resets them.
    virtual const ZoomSettings* ZoomRecords() const { return nullptr; }
    virtual void ResetZoomRecords() {}

    // Facts the window keeps and the road needs too: the stored volume (the volume
    // slider), the keep-aspect mode (full-screen leaves it on) and the source's
    // parking-trace marker.
    virtual void SetStoredVolume(int /*volume*/) {}
    virtual void SetStoredKeepAspect(int /*keep*/) {}
    virtual void SetTraceFilePresent(bool /*present*/) {}

    // The file browser's list was refilled or emptied by the window (a new source, the
    // source gone): the road takes its rows again.
    virtual void ListChanged() {}

    // The playback keys; true when the key was taken.
    enum class Key { kPlayPause, kStepBack, kStepForward, kHome };
    virtual bool OnKey(Key /*key*/) { return false; }
};

}  // namespace quorva
