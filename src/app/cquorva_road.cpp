#include "app/cquorva_road.h"

#include <cstdio>

#include "app/cquorva_dlg.h"
#include "browser/filer_container_dlg.h"
#include "container/player_slot_data.h"
#include "panels/gsensor_dlg.h"
#include "panels/info_dlg.h"

namespace quorva {

CquorvaRoad::CquorvaRoad(CquorvaDlg& window)
    : window_(window),
      players_(window.Players()),
      messages_(&window),
      view_(window),
      panels_(*window.Graph(), *window.Info()),
      browser_(*window.Browser(), window.Players(), rows_),
      stats_(PlaybackTickStats::EnabledByEnvironment()) {
    PlaybackControllerParts parts{players_,         view_,          panels_,
                                  browser_,         timers_,        clock_,
                                  messages_,        rows_,          window.Graph()->Detectors(),
                                  window.RoadMap(), SettingWriter()};
    controller_ = std::make_unique<PlaybackController>(std::move(parts));
    browser_.SetCacheMutex(&controller_->hMutexCache);
    // The timers reach the controller through here, so that the tick can be timed.
    timers_.SetHandler([this](int id) { OnTimer(id); });

    // The graph reads slot 0's shown drive data with both slots locked.
    PlayerGroup& group = window.Players();
    window.Graph()->SetDriveDataAccess(
        [&group](const std::function<void(const GSensorView&)>& read) {
            AllSlotsLock lock(group.slot[0].data, group.slot[1].data);
            const DriveDataStore& store = group.slot[0].data.Shown();
            GSensorView view;
            view.samples = store.GSensor();
            view.frameIndex = store.FrameIndex();
            read(view);
        });
}

CquorvaRoad::~CquorvaRoad() {
    if (CGSensorDlg* graph = window_.Graph()) graph->SetDriveDataAccess({});
    timers_.SetHandler({});
    controller_.reset();  // kills the timers, joins the preload threads
    if (stats_.Enabled()) std::fputs(stats_.Report().c_str(), stderr);
}

// ---- Timers ---------------------------------------------------------------------------------

void CquorvaRoad::OnTimer(int id) {
    if (stopped_) return;
    if (id != TIMER_PLAYBACK || !stats_.Enabled()) {
        controller_->OnTimer(id);
        return;
    }
    MeasureTick();
}

void CquorvaRoad::MeasureTick() {
    const auto begin = PlaybackTickStats::Clock::now();
    controller_->OnTimer(TIMER_PLAYBACK);
    stats_.AddTick(PlaybackTickStats::Clock::now() - begin);
    // How far the panels are from the picture on screen.
    const PlayerSlot& main = window_.Players().slot[0];
    if (!main.valid || main.state != SLOT_PLAYING) return;
    const CMovieStatic* movie = window_.Movie(0);
    const FramePtr picture = movie ? movie->LastPicture() : nullptr;
    stats_.AddLag(controller_->Cursor(), picture ? picture->position : -1);
}

// ---- The seam -------------------------------------------------------------------------------

bool CquorvaRoad::OnCommand(int id) {
    if (stopped_) return true;
    if (id == ID_MAP_TOGGLE) {
        // The detached window changed its content: the map's data and its place again.
        controller_->CheckMapData();
        controller_->UpdateMapVisibility();
        return true;
    }
    return controller_->HandleCommand(id);
}

bool CquorvaRoad::OnMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) {
    if (stopped_) return true;
    switch (id) {
        case WM_APP_MOVIE_CLICK: {
            const QPoint point = UnpackPoint(static_cast<uintptr_t>(lParam));
            controller_->OnMovieClick(static_cast<int>(wParam), point.x(), point.y());
            return true;
        }
        case WM_APP_MOVIE_MENU: {
            const QPoint point = UnpackPoint(wParam);
            controller_->OnMovieMenu(point.x(), point.y());
            return true;
        }
        case WM_APP_GRAPH_EVENT:
            // The completion event of a player that reports through media events.
            controller_->EndOfRecording(false);
            return true;
        case WM_APP_FOLDER_SELECTED:
            controller_->OnFolderSelected(static_cast<FolderTreeItem>(wParam), lParam != 0);
            return true;
        case WM_APP_PLAYER_READY:
            stats_.FirstPicture();  // the ready notice follows the first picture of both slots
            break;
        default:
            break;
    }
    return controller_->HandleAppMessage(id, wParam, lParam);
}

void CquorvaRoad::OnRecordingSelected(int row) {
    if (stopped_) return;
    // The list may have been refilled or sorted since the controller last saw it.
    browser_.SyncRows();
    controller_->OnRecordingSelected(row);
    if (controller_->Opening()) stats_.RecordingChosen();
}

bool CquorvaRoad::PrepareTask(int commandId) {
    return !stopped_ && controller_->PrepareTask(commandId);
}

void CquorvaRoad::AfterTask(intptr_t result) {
    if (!stopped_) controller_->AfterTask(result);
}

bool CquorvaRoad::EndGuardBlocks() {
    return controller_->EndGuardBlocksNow();
}

bool CquorvaRoad::Started() const {
    return controller_->Started();
}

bool CquorvaRoad::Opening() const {
    return controller_->Opening();
}

void CquorvaRoad::UpdateButtons() {
    controller_->UpdateButtons();
}

std::vector<PlaybackMenuItem> CquorvaRoad::MovieMenuItems(bool fullScreen) {
    return controller_->MovieMenuItems(fullScreen);
}

void CquorvaRoad::ResetView() {
    controller_->ResetView();
}

void CquorvaRoad::StopAll() {
    controller_->PauseAndStopAll();
}

void CquorvaRoad::StopTick() {
    // The shut-down: the tick stops and nothing that was scheduled opens any more.
    stopped_ = true;
    controller_->StopTick();
    timers_.Kill(TIMER_OPEN_DELAY);
    timers_.Kill(TIMER_OPEN_TIMEOUT);
    view_.SetWaitCursor(false);
}

const ZoomSettings* CquorvaRoad::ZoomRecords() const {
    return controller_->ZoomRecords();
}

void CquorvaRoad::ResetZoomRecords() {
    controller_->ResetZoomRecords();
}

void CquorvaRoad::SetStoredVolume(int volume) {
    controller_->SetStoredVolume(volume);
}

void CquorvaRoad::SetStoredKeepAspect(int keep) {
    controller_->SetStoredKeepAspect(keep);
}

void CquorvaRoad::SetTraceFilePresent(bool present) {
    controller_->SetTraceFilePresent(present);
}

void CquorvaRoad::ListChanged() {
    browser_.SyncRows();
}

bool CquorvaRoad::OnKey(Key key) {
    if (stopped_) return false;
    switch (key) {
        case Key::kPlayPause:
            controller_->OnKeyPlayPause();
            return true;
        case Key::kStepBack:
            controller_->OnKeyStep(-1);
            return true;
        case Key::kStepForward:
            controller_->OnKeyStep(1);
            return true;
        case Key::kHome:
            controller_->OnKeyHome();
            return true;
    }
    return false;
}

}  // namespace quorva
