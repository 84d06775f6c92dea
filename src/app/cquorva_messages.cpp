// The main window's application messages: one dispatch table, and the handlers that belong
// to the shell. The road's messages go on to the road.
#include <QApplication>
#include <QScreen>

#include "app/cquorva_dlg.h"
#include "app/movie_dialog.h"
#include "app/movie_menu.h"
#include "app/viewer_tasks.h"
#include "appcore/ui_text.h"
#include "browser/filer_container_dlg.h"
#include "map/map_dlg_wrap.h"
#include "online/update_dialog.h"
#include "panels/info_dlg.h"
#include "player/preview_window.h"
#include "skin/skin_progress_bar.h"

namespace quorva {

template <uint32_t Id>
void CquorvaDlg::ToRoad(uintptr_t wParam, intptr_t lParam) {
    if (road_) road_->OnMessage(Id, wParam, lParam);
}

const AppMessageMap<CquorvaDlg>& CquorvaDlg::MessageMap() {
    using D = CquorvaDlg;
    static const AppMessageMap<CquorvaDlg> map = {
        {WM_APP_GRAPH_EVENT, &D::ToRoad<WM_APP_GRAPH_EVENT>},
        {WM_APP_PROGRESS, &D::OnProgress},
        {WM_APP_SLIDER_TRACK, &D::OnSlider},
        {WM_APP_SLIDER_BEGIN, &D::OnSliderBegin},
        {WM_APP_SLIDER_END, &D::OnSliderEnd},
        {WM_APP_MAP_READY, &D::ToRoad<WM_APP_MAP_READY>},
        {WM_APP_MAP_SEEK, &D::ToRoad<WM_APP_MAP_SEEK>},
        {WM_APP_EVENT_PREV, &D::ToRoad<WM_APP_EVENT_PREV>},
        {WM_APP_EVENT_NEXT, &D::ToRoad<WM_APP_EVENT_NEXT>},
        {WM_APP_SETTING_CHANGED, &D::ToRoad<WM_APP_SETTING_CHANGED>},
        {WM_APP_MOVIE_MENU, &D::OnMovieMenu},
        {WM_APP_MOVIE_CLICK, &D::ToRoad<WM_APP_MOVIE_CLICK>},
        {WM_APP_PLAYER_ENDED, &D::ToRoad<WM_APP_PLAYER_ENDED>},
        {WM_APP_PLAYER_READY, &D::ToRoad<WM_APP_PLAYER_READY>},
        {WM_APP_EVENT_FILTER, &D::ToRoad<WM_APP_EVENT_FILTER>},
        {WM_APP_PREVIEW_ITEM, &D::OnPreviewItem},
        {WM_APP_FOLDER_SELECTED, &D::OnFolderSelectedMessage},
        {WM_APP_SOURCE_REMOVED, &D::OnSourceRemoved},
        {WM_APP_PRELOAD_DONE, &D::ToRoad<WM_APP_PRELOAD_DONE>},
        {WM_APP_TASK_DONE, &D::OnTaskDone},
        {WM_APP_DELETE_DONE, &D::OnDeleteDone},
        {WM_APP_STARTUP, &D::OnStartup},
        {WM_APP_APPBAR, &D::OnAppBar},
        {WM_APP_ZOOM_REFRESH, &D::OnZoomRefresh},
        {WM_APP_MOVIE_REPOSITION, &D::OnMovieReposition},
        {WM_APP_UPDATE_AVAILABLE, &D::OnUpdateAvailable},
        // Accepted and ignored.
        {0x8002, &D::OnIgnored},
        {0x825D, &D::OnIgnored},
        {0x825E, &D::OnIgnored},
        {0x8385, &D::OnIgnored},
        {0x857A, &D::OnIgnored},
    };
    return map;
}

bool CquorvaDlg::event(QEvent* e) {
    // After the shut-down the window takes no more messages (late notices of threads).
    if (shutdown_.HasRun() && e->type() == AppMessageEvent::EventType()) return true;
    if (MessageMap().Dispatch(this, e)) return true;
    return QWidget::event(e);
}

void CquorvaDlg::OnFolderSelectedMessage(uintptr_t wParam, intptr_t lParam) {
    // wParam: the tree node's serial; lParam: 1 for a plain folder item.
    if (!browser_ || browser_->Busy()) return;
    if (road_) {
        road_->OnMessage(WM_APP_FOLDER_SELECTED, wParam, lParam);
        return;
    }
    if (browser_->LoadFolder(static_cast<uint64_t>(wParam)) > 0 && browser_->RowCount() > 0)
        browser_->SelectRecordingRow(0, false);
    UpdateButtons();
}

void CquorvaDlg::OnPreviewItem(uintptr_t wParam, intptr_t) {
    // The popup was hidden again before this arrived (the mouse moved on): nothing to show.
    if (!preview_ || !thumbnail_ || !browser_ || !preview_->isVisible()) return;
    const auto& rows = browser_->Rows();
    if (wParam >= rows.size()) return;
    preview_->Preview(rows[wParam].path);
}

void CquorvaDlg::OnUpdateAvailable(uintptr_t, intptr_t) {
    const std::string notice = map_ ? map_->Checker().NoticeText() : std::string();
    if (notice.empty()) return;
    // Owned by the desktop, as a window of its own beside the viewer.
    if (!updateDialog_) updateDialog_ = new CUpdateDialog(nullptr);
    updateDialog_->SetNoticeText(notice);
    updateDialog_->CentreOn(screen());
    updateDialog_->show();
    updateDialog_->raise();
}

void CquorvaDlg::OnProgress(uintptr_t wParam, intptr_t lParam) {
    tasks_.OnProgress(wParam, lParam);
}

void CquorvaDlg::OnSliderBegin(uintptr_t wParam, intptr_t lParam) {
    // A new press on the position slider counts again.
    if (static_cast<int>(wParam) == IDC_SEEK_SLIDER) seekReleased_ = false;
    if (road_) road_->OnMessage(WM_APP_SLIDER_BEGIN, wParam, lParam);
}

void CquorvaDlg::OnSlider(uintptr_t wParam, intptr_t lParam) {
    if (road_ && road_->Opening()) return;
    if (static_cast<int>(wParam) == IDC_VOLUME_SLIDER) {
        SetVolume(static_cast<int>(lParam));
        return;
    }
    if (seekReleased_) return;
    if (road_) road_->OnMessage(WM_APP_SLIDER_TRACK, wParam, lParam);
}

void CquorvaDlg::OnSliderEnd(uintptr_t wParam, intptr_t lParam) {
    if (road_ && road_->Opening()) return;
    if (static_cast<int>(wParam) == IDC_VOLUME_SLIDER) {
        SetVolume(static_cast<int>(lParam));
        return;
    }
    // The end of a drag the road let go of (the recording moved on meanwhile).
    if (seekReleased_) {
        seekReleased_ = false;
        return;
    }
    if (road_) road_->OnMessage(WM_APP_SLIDER_END, wParam, lParam);
}

void CquorvaDlg::OnMovieMenu(uintptr_t wParam, intptr_t lParam) {
    if (!road_) return;
    // The road decides by its own rules (refused while opening or near the end).
    if (road_->OnMessage(WM_APP_MOVIE_MENU, wParam, lParam)) return;
    if (GuardBlocks() || road_->Opening()) return;
    CMovieMenu menu(this);
    menu.SetItems(road_->MovieMenuItems(frame_.FullScreen()), frame_.FullScreen(), scale_);
    if (const int command = menu.Track(UnpackPoint(wParam))) OnCommand(command);
}

void CquorvaDlg::OnSourceRemoved(uintptr_t, intptr_t) {
    // The view goes back to its empty state; then, when the viewer ran from the removed
    // drive, it ends.
    if (road_) road_->StopAll();
    if (preview_) preview_->hide();
    ResetView();
    csvAllowed_ = false;
    UpdateButtons();
    if (frame_.FullScreen()) ToggleFullScreen(true);
    if (browser_) browser_->ClearSource();
    if (road_) road_->ListChanged();
    UpdateButtons();
    const std::string removedRoot = sourceRoot_;
    sourcePath_.clear();
    sourceRoot_.clear();
    sourceKind_ = 0;
    traceFilePresent_ = false;
    const DriveProbe probe = options_.drives ? *options_.drives : DefaultDriveProbe();
    if (ProgramRanFromRemovedSource(programRoot_, removedRoot, programPath_, probe)) {
        RunShutdown();
        EndWindow();
        return;
    }
    update();
}

void CquorvaDlg::OnTaskDone(uintptr_t, intptr_t lParam) {
    FinishTask();
    progress_->hide();
    // The task's own messages and what the viewer keeps of it.
    if (viewerTasks_) viewerTasks_->AfterTask();
    if (road_) road_->AfterTask(lParam);
    UpdateButtons();
}

void CquorvaDlg::OnDeleteDone(uintptr_t, intptr_t lParam) {
    // The source is read again by the browser (also after a delete that stopped early: what
    // was deleted leaves the list); the view starts from its empty state.
    if (sourceKind_ == 1 || sourceKind_ == 2) {
        if (info_) info_->SetStatusLetter('R');
        ResetView();
        LoadSource(sourcePath_, sourceKind_);
        csvAllowed_ = SourceAllowsCsv();
    }
    PostAppMessage(this, WM_APP_TASK_DONE, 0, lParam);
}

void CquorvaDlg::OnAppBar(uintptr_t wParam, intptr_t) {
    if (wParam != 1) return;
    if (frame_.FullScreen()) {
        ApplyFullScreen();
    } else if (frame_.Maximised()) {
        frame_.CustomMaximise();
    } else {
        frame_.CheckMonitorChange();
    }
    if (tasks_.Busy()) PlaceProgressBar();
}

void CquorvaDlg::OnZoomRefresh(uintptr_t, intptr_t) {
    ApplyZoom(0);
}

void CquorvaDlg::OnMovieReposition(uintptr_t, intptr_t) {
    PlaceDetachedWindow(true);
}

}  // namespace quorva
