// The recording road of the main window: the playback controller with its parts (the
// player slots behind their adapter, the Qt timers, the list of recordings, the window's
// widgets behind the view, panel and browser interfaces), reached by the window through
// RoadSeam. The window owns it; it is made once the window's children exist.
#pragma once

#include <memory>
#include <vector>

#include "app/cquorva_playback_browser.h"
#include "app/cquorva_playback_panels.h"
#include "app/cquorva_playback_view.h"
#include "app/road_seam.h"
#include "platform/qt/app_message_event.h"
#include "road/playback_controller.h"
#include "road/playback_tick_stats.h"
#include "road/qt/playback_player_group_adapter.h"
#include "road/qt/playback_qt_timers.h"

namespace quorva {

class CquorvaDlg;

class CquorvaRoad : public RoadSeam {
  public:
    explicit CquorvaRoad(CquorvaDlg& window);
    ~CquorvaRoad() override;  // prints the tick figures when they were collected

    PlaybackController& Controller() { return *controller_; }
    const PlaybackTickStats& TickStats() const { return stats_; }

    bool OnCommand(int id) override;
    bool OnMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) override;
    void OnRecordingSelected(int row) override;
    bool PrepareTask(int commandId) override;
    void AfterTask(intptr_t result) override;
    bool EndGuardBlocks() override;
    bool Started() const override;
    bool Opening() const override;
    void UpdateButtons() override;
    std::vector<PlaybackMenuItem> MovieMenuItems(bool fullScreen) override;
    void ResetView() override;
    void StopAll() override;
    void StopTick() override;

    const ZoomSettings* ZoomRecords() const override;
    void ResetZoomRecords() override;
    void SetStoredVolume(int volume) override;
    void SetStoredKeepAspect(int keep) override;
    void SetTraceFilePresent(bool present) override;
    bool OnKey(Key key) override;
    void ListChanged() override;

  private:
    void OnTimer(int id);
    void MeasureTick();

    CquorvaDlg& window_;
    PlaybackPlayerGroupAdapter players_;
    QtPlaybackTimers timers_;
    SteadyPlaybackClock clock_;
    QtMessageTarget messages_;
    std::vector<RecordingEntry> rows_;
    CquorvaPlaybackView view_;
    CquorvaPlaybackPanels panels_;
    CquorvaPlaybackBrowser browser_;
    std::unique_ptr<PlaybackController> controller_;
    PlaybackTickStats stats_;
    bool stopped_ = false;  // the shut-down stopped the road: nothing opens any more
};

}  // namespace quorva
