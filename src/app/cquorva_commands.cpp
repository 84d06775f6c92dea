// The main window's commands: the buttons, the caption buttons and the movie context menu
// arrive here; playback commands go on to the road, the long ones start a worker task.
#include <QKeyEvent>

#include "app/cquorva_dlg.h"
#include "app/movie_dialog.h"
#include "appcore/settings_store.h"
#include "appcore/ui_text.h"
#include "browser/file_list_ctrl.h"
#include "browser/filer_container_dlg.h"
#include "browser/folder_tree_ctrl.h"
#include "map/map_dlg_wrap.h"
#include "road/playback_end_guard.h"
#include "skin/skin_button.h"
#include "tools/settings_dlg.h"

namespace quorva {

bool CquorvaDlg::GuardBlocks() {
    if (road_) return road_->EndGuardBlocks();
    // Without a road no recording has started, and the guard blocks.
    return quorva::EndGuardBlocks(EndGuardInput{});
}

void CquorvaDlg::OnCommand(int id) {
    // Commands count from WM_APP_STARTUP on, and end with the shut-down.
    if (shutdown_.HasRun() || (!startupDone_ && id != ID_WND_CLOSE)) return;
    switch (id) {
        case ID_WND_CLOSE:
            RunShutdown();
            EndWindow();
            return;
        case ID_WND_MAXIMIZE:
            if (frame_.Maximised())
                Restore();
            else
                Maximise();
            return;
        case ID_WND_MINIMIZE:
            frame_.Minimise(true);
            return;
        case ID_THUMBNAIL_TOGGLE:
            OnThumbnailToggle();
            return;
        case ID_PLAY_STOP:
            // While a worker task runs the stop button cancels it.
            if (tasks_.Busy() || tasks_.HasThread()) {
                FinishTask();
                return;
            }
            break;
        case ID_OPEN_SOURCE:
            OnOpenSource();
            return;
        case ID_MAP_TOGGLE:
            OnMapToggle();
            return;
        case ID_LEAVE_FULL_SCREEN:
            if (frame_.FullScreen()) ToggleFullScreen(true);
            return;
        case ID_SAVE_JOINED:
        case ID_DELETE_FILES:
        case ID_EXPORT_CSV:
        case ID_EXPORT_GPX:
        case ID_EXPORT_GPX_GROUP:
            OnTaskCommand(id);
            return;
        case ID_SETTINGS:
            OnSettings();
            return;
        default:
            break;
    }
    if (road_) {
        road_->OnCommand(id);
        return;
    }
    // Without the road the file list's filters still work.
    if (id >= ID_FILTER_0 && id < ID_FILTER_0 + 5 && browser_) {
        const int k = id - ID_FILTER_0;
        browser_->SetFilter(k, !browser_->Filter(k));
        UpdateButtons();
    }
}

void CquorvaDlg::OnTaskCommand(int id) {
    // A command whose task is not attached leaves playback alone.
    if (tasks_.Busy() || tasks_.HasThread() || !tasks_.HasTaskFor(id)) return;
    if (road_ && !road_->PrepareTask(id)) return;
    TaskFunction task = tasks_.TaskFor(id);
    if (!task) {
        // The user cancelled a question or there was nothing to do: the recording comes
        // back as after a task.
        if (road_) road_->AfterTask(0);
        UpdateButtons();
        return;
    }
    StartTask(std::move(task), id == ID_DELETE_FILES ? WM_APP_DELETE_DONE : WM_APP_TASK_DONE);
}

void CquorvaDlg::OnThumbnailToggle() {
    thumbnail_ = !thumbnail_;
    caption_[3]->setText(QString::fromStdString(UiText(thumbnail_ ? 172 : 171)));
    if (browser_) {
        browser_->List()->SetPreviewEnabled(thumbnail_);
        browser_->List()->viewport()->update();
    }
    WriteSetting("DISPLAY", "THUMBNAIL", thumbnail_ ? "1" : "0");
}

void CquorvaDlg::OnSettings() {
    if (!settings_) return;
    settings_->Centre();
    settings_->show();
    settings_->raise();
}

void CquorvaDlg::OnMapToggle() {
    mapShown_ = !mapShown_;
    if (CSkinButton* button = Button(ID_MAP_TOGGLE)) button->SetCheck(mapShown_);
    // The map controller and its connection checker: on probes the map service at once,
    // off makes nothing leave the machine.
    if (map_) map_->SetMapSwitch(mapShown_);
    mapOnline_ = false;
    if (mapShown_) {
        mapWatch_.start();
    } else {
        mapWatch_.stop();
    }
    if (mapShown_ && detached_ && !frame_.FullScreen() && !detached_->isVisible()) {
        PlaceDetachedWindow(false);
        detached_->show();
    }
    ShowDetachedContent();
    if (road_) road_->OnCommand(ID_MAP_TOGGLE);
}

void CquorvaDlg::OnMapWatch() {
    // The probe's answer changed (the map service came or went): the map's data and its
    // place again, also while nothing plays.
    const bool online = map_ && map_->Checker().Online();
    if (online == mapOnline_) return;
    mapOnline_ = online;
    if (road_) road_->OnCommand(ID_MAP_TOGGLE);
}

bool CquorvaDlg::RoutePlaybackKey(QKeyEvent* event, bool fromTree) {
    if (!road_ || !startupDone_ || shutdown_.HasRun()) return false;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    RoadSeam::Key key;
    switch (event->key()) {
        case Qt::Key_Space:
            key = RoadSeam::Key::kPlayPause;
            break;
        case Qt::Key_Home:
            key = RoadSeam::Key::kHome;
            break;
        // In the folder tree the arrows open and close its nodes.
        case Qt::Key_Left:
            if (fromTree) return false;
            key = RoadSeam::Key::kStepBack;
            break;
        case Qt::Key_Right:
            if (fromTree) return false;
            key = RoadSeam::Key::kStepForward;
            break;
        default:
            return false;
    }
    // A held key repeats only the steps.
    if (event->isAutoRepeat() && key != RoadSeam::Key::kStepBack &&
        key != RoadSeam::Key::kStepForward)
        return true;
    road_->OnKey(key);
    return true;
}

void CquorvaDlg::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape do not close the window; Escape only leaves full-screen.
    switch (event->key()) {
        case Qt::Key_Escape:
            // Escape leaves full-screen, as in every video player; otherwise it does nothing.
            if (frame_.FullScreen() && !event->isAutoRepeat()) ToggleFullScreen(true);
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return;
        default:
            if (RoutePlaybackKey(event, false)) {
                event->accept();
                return;
            }
            QWidget::keyPressEvent(event);
    }
}

bool CquorvaDlg::eventFilter(QObject* watched, QEvent* event) {
    // The recording list, the folder tree and the detached window would take the playback
    // keys for themselves (a list's Home selects its first row and opens it).
    if (event->type() == QEvent::KeyPress) {
        const bool fromTree = browser_ && watched == browser_->Tree();
        if (RoutePlaybackKey(static_cast<QKeyEvent*>(event), fromTree)) return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quorva
