// The playback commands of the main window, its slider and event messages, the movie context
// menu, the zoom points and the keys.
#include <algorithm>

#include "road/playback_command_ids.h"
#include "road/playback_controller.h"
#include "road/playback_rate_steps.h"

namespace quorva {

using namespace command;

namespace {

constexpr float kClickZoomFactor = 2.0f;
constexpr int kFilterCount = 6;  // the five filters and one more id the handler accepts

}  // namespace

bool PlaybackController::HandleCommand(int commandId) {
    switch (commandId) {
        case ID_PLAY_STOP:
            OnPlayStop();
            return true;
        case ID_PLAY_PREV:
            OnPlayPrev();
            return true;
        case ID_PLAY_PAUSE:
            OnPlayPause();
            return true;
        case ID_PLAY_SLOW:
            OnPlaySlow();
            return true;
        case ID_PLAY_FAST:
            OnPlayFast();
            return true;
        case ID_PLAY_NEXT:
            OnPlayNext();
            return true;
        case ID_SNAPSHOT:
            OnSnapshot();
            return true;
        case ID_ZOOM_MODE:
            OnZoomMode();
            return true;
        case ID_ASPECT_TOGGLE:
            OnAspectToggle();
            return true;
        default:
            break;
    }
    if (commandId >= ID_FILTER_0 && commandId < ID_FILTER_0 + kFilterCount) {
        OnKindFilter(commandId - ID_FILTER_0);
        return true;
    }
    return false;
}

bool PlaybackController::HandleAppMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) {
    switch (id) {
        case WM_APP_PLAYER_READY:
            OnPlayerReady();
            return true;
        case WM_APP_PLAYER_ENDED:
            OnPlayerEnded();
            return true;
        case WM_APP_PRELOAD_DONE:
            OnPreloadDone(wParam, lParam);
            return true;
        case WM_APP_EVENT_PREV:
            JumpToEvent(false);
            return true;
        case WM_APP_EVENT_NEXT:
            JumpToEvent(true);
            return true;
        case WM_APP_EVENT_FILTER:
            OnEventFilter(static_cast<int>(wParam), static_cast<int>(lParam));
            return true;
        case WM_APP_SETTING_CHANGED:
            OnSettingChanged(static_cast<int>(wParam), static_cast<int>(lParam));
            return true;
        case WM_APP_SLIDER_TRACK:
        case WM_APP_SLIDER_BEGIN:
        case WM_APP_SLIDER_END: {
            const int control = static_cast<int>(wParam);
            const int value = static_cast<int>(lParam);
            const bool onThumb = view_.SeekPressOnThumb();
            if (id == WM_APP_SLIDER_TRACK) OnSliderTrack(control, value, onThumb);
            if (id == WM_APP_SLIDER_BEGIN) OnSliderBegin(control, value, onThumb);
            if (id == WM_APP_SLIDER_END) OnSliderEnd(control, value, onThumb);
            return true;
        }
        case WM_APP_MAP_READY:
            OnMapReady();
            return true;
        case WM_APP_MAP_SEEK:
            OnMapSeek(static_cast<int>(lParam));
            return true;
        default:
            return false;
    }
}

void PlaybackController::OnPlayStop() {
    if (view_.TaskBusy()) {
        view_.FinishTask();  // cancels the running task
        return;
    }
    if (EndGuardBlocksNow()) return;
    SetNormalRate();
    MainVolumeZero();
    UpdateRateLabel();
    players_.Seek(0);
    ShowPosition(0);
    map_.SetPlayState(MapPlayState::kStop);
    StopAll();
    UpdateButtons();
}

void PlaybackController::OnPlayPrev() {
    if (EndGuardBlocksNow()) return;
    MainVolumeZero();
    PauseAll();
    StopAll();
    std::lock_guard<std::recursive_mutex> lock(hMutexCache);
    if (currentIndex_ > 0) {
        --currentIndex_;
        ReleaseSeekSlider();
        browser_.SelectRecording(currentIndex_, false);
        panels_.GraphSetCursor(0);
        cursor_ = 0;
        ScheduleOpen(true, true, false);
    } else if (currentIndex_ == 0) {
        SetNormalRate();
        StopAll();
        players_.Seek(0);
        players_.Repaint();
        ShowPosition(0);
    }
}

void PlaybackController::OnPlayPause() {
    if (!started_) return;
    if (MainState() == kSlotPlaying) {
        if (EndGuardBlocksNow()) return;
        SetNormalRate();
        MainVolumeZero();
        ReleaseSeekSlider();
        const bool paused = players_.Pause() != 0;
        // The paused position is the picture on screen: the slider, the panels and a
        // following frame step start from it.
        if (paused && players_.Valid(0)) ShowPosition(players_.GetPosition());
        map_.SetPlayState(MapPlayState::kPause);
        players_.Repaint();
        SetNormalRate();
        UpdateRateLabel();
        if (!view_.IsFullScreen()) panels_.InfoPaintNow();
        if (paused) view_.SetPlayFace(PlayFace::kPlay);
    } else {
        MainVolume();
        endHandled_ = false;
        if (!Resume()) playAfterOpen_ = true;
        UpdateRateLabel();
        view_.SetPlayFace(MainState() == kSlotPlaying ? PlayFace::kPause : PlayFace::kPlay);
    }
    UpdateButtons();
}

void PlaybackController::ApplyRateStep(int code) {
    if (code == MainRate()) return;
    SetRateAndSettle(code);
    UpdateButtons();
    UpdateRateLabel();
}

void PlaybackController::OnPlaySlow() {
    if (EndGuardBlocksNow()) return;
    ApplyRateStep(SlowerRateCode(MainRate(), MainState() == kSlotPlaying,
                                 players_.Valid(0) && players_.UsesLegacyPlayer(0)));
}

void PlaybackController::OnPlayFast() {
    if (EndGuardBlocksNow()) return;
    ApplyRateStep(FasterRateCode(MainRate(), MainState() == kSlotPlaying,
                                 players_.Valid(0) && players_.CanPlayBackwards(0)));
}

void PlaybackController::OnPlayNext() {
    if (EndGuardBlocksNow()) return;
    // As its button: nothing after the last recording (the end of a folder is the end
    // notice's business).
    if (!IndexValid(currentIndex_ + 1)) return;
    MainVolumeZero();
    PauseAll();
    StopAll();
    NextRecording();
}

void PlaybackController::OnZoomMode() {
    if (EndGuardBlocksNow()) return;
    zoomMode_ = !zoomMode_;
    view_.SetZoomMode(zoomMode_);
    if (!zoomMode_) {
        ResetZoomRecords();
        ApplyZoom(1);
    }
}

void PlaybackController::OnMovieClick(int window, int x, int y) {
    if (!zoomMode_ || window < 0 || window > 1) return;
    if (!players_.Valid(window) || players_.State(window) == kSlotClosed) return;
    ZoomSettings& zoom = zoom_[window];
    if (zoom.factor != 1.0f) {
        zoom = ZoomSettings{};
    } else {
        zoom.anchorX = x;
        zoom.anchorY = y;
        zoom.panX = 0;
        zoom.panY = 0;
        zoom.factor = kClickZoomFactor;
    }
    ApplyZoom(1);
}

void PlaybackController::OnAspectToggle() {
    if (!started_) return;
    keepAspect_ = (!players_.Valid(0) || players_.KeepAspect(0) == 0) ? 1 : 0;
    for (int i = 0; i < 2; ++i)
        if (players_.Valid(i)) players_.SetAspect(i, keepAspect_);
    ApplyZoom(1);
    WriteSetting("DISPLAY", "ASPECT", keepAspect_ ? "on" : "off");
    UpdateRateLabel();
}

void PlaybackController::OnMovieMenu(int screenX, int screenY) {
    if (opening_) return;
    // Near the end of a playing recording the menu would race with the move to the next
    // one; without a started recording it offers the settings and the source.
    if (started_ && EndGuardBlocksNow()) return;
    MovieMenuInput in;
    in.mainValid = players_.Valid(0);
    in.mainState = MainState();
    in.rateCode = MainRate();
    in.keepAspect = in.mainValid ? players_.KeepAspect(0) : 0;
    in.fullScreen = view_.IsFullScreen();
    view_.ShowMovieMenu(BuildMovieMenu(in), screenX, screenY);
}

void PlaybackController::OnKindFilter(int k) {
    if (k < 0 || k >= kFilterCount) return;
    browser_.ToggleKindFilter(k);
    browser_.HandCatalogueForGroupTrack();
    RebuildEventPoints(0, true);
    if (!catalogue_.empty()) return;
    PauseAll();
    StopAll();
    SetNormalRate();
    players_.ReleaseData();
    players_.Close();
    ClearCurrent();
    view_.SetPlayFace(PlayFace::kPlay);
    UpdateButtons();
    panels_.InfoSetStatusLetter(0);
}

std::vector<PlaybackMenuItem> PlaybackController::MovieMenuItems(bool fullScreen) {
    MovieMenuInput in;
    in.mainValid = players_.Valid(0);
    in.mainState = MainState();
    in.rateCode = MainRate();
    in.keepAspect = in.mainValid ? players_.KeepAspect(0) : 0;
    in.fullScreen = fullScreen;
    return BuildMovieMenu(in);
}

// ---- Worker tasks and the view reset ------------------------------------------------------

bool PlaybackController::PrepareTask(int commandId) {
    if (commandId == ID_SAVE_JOINED) {
        if (EndGuardBlocksNow()) return false;
        SetNormalRate();
        MainVolume();
        UpdateRateLabel();
        players_.Seek(0);
        ShowPosition(0);
        StopAll();
        joinedMovieRunning_ = true;
        return true;
    }
    if (commandId == ID_DELETE_FILES) {
        if (!openFailed_) {
            if (EndGuardBlocksNow()) return false;
            SetNormalRate();
            MainVolume();
            UpdateRateLabel();
            players_.Seek(0);
            ShowPosition(0);
            StopAll();
            players_.Close();
            players_.Prefetch("");
        }
        return true;
    }
    if (commandId == ID_EXPORT_CSV) {
        if (!catalogue_.empty() && EndGuardBlocksNow()) return false;
        PauseAll();
        MarkReopenAfterTask(cursor_);
        players_.Prefetch("");
        return true;
    }
    if (commandId == ID_EXPORT_GPX || commandId == ID_EXPORT_GPX_GROUP) {
        // Also while a recording is still opening (the menu's click selected it): the task
        // only reads drive data; a started recording waits where it was.
        if (started_ && EndGuardBlocksNow()) return false;
        PauseAll();
        if (started_) MarkReopenAfterTask(cursor_);
        return true;
    }
    return true;
}

void PlaybackController::AfterTask(intptr_t /*result*/) {
    if (joinedMovieRunning_) {
        players_.Seek(0);
        ShowPosition(0);
        StopAll();
        joinedMovieRunning_ = false;
    }
    if (openFailed_)
        openFailed_ = false;
    else
        UpdateButtons();
    if (!ScheduleOpen(false, true, true)) reopenAfterTask_ = false;
}

void PlaybackController::ResetView() {
    SetNormalRate();
    players_.ReleaseData();
    players_.Close();
    ClearCurrent();
    view_.SetPlayFace(PlayFace::kPlay);
}

void PlaybackController::PauseAndStopAll() {
    PauseAll();
    StopAll();
}

// ---- Sliders ------------------------------------------------------------------------------

void PlaybackController::OnSliderTrack(int controlId, int value, bool pressOnThumb) {
    if (opening_) return;
    if (controlId == IDC_SEEK_SLIDER) {
        if (started_ && pressOnThumb) {
            ShowPosition(value);
            ScrubTo(value);
        }
    } else if (controlId == IDC_VOLUME_SLIDER) {
        SetVolume(value);
    }
}

void PlaybackController::ScrubTo(int value) {
    const int64_t now = clock_.NowMs();
    // The new target replaces any waiting one.
    if (scrub_.InFlight() && view_.MainPicturePosition() == scrub_.LastIssued()) scrub_.Settle();
    const int64_t target = SeekTargetFor(value, sliderMax_, MainRate());
    if (scrub_.Request(target, now)) players_.Seek(target);
}

void PlaybackController::ReleaseSeekSlider() {
    scrub_.Reset();
    view_.ReleaseSeekSlider();
}

void PlaybackController::PumpScrub() {
    if (!scrub_.InFlight() && scrub_.Waiting() < 0) return;
    const bool settled = view_.MainPicturePosition() == scrub_.LastIssued();
    const int64_t target = scrub_.Next(settled, clock_.NowMs());
    if (target >= 0) players_.Seek(target);
}

void PlaybackController::OnSliderBegin(int controlId, int value, bool pressOnThumb) {
    if (controlId != IDC_SEEK_SLIDER || !started_ || opening_) return;
    scrub_.Reset();
    MainVolumeZero();
    sliderState_ = MainState();
    // Held still while the thumb is dragged; the slider keeps its grab.
    if (sliderState_ == kSlotPlaying) {
        players_.Pause();
        map_.SetPlayState(MapPlayState::kPause);
    }
    if (!pressOnThumb) {
        SeekTo(value, sliderState_);
        players_.Repaint();
        MainVolume();
    }
}

void PlaybackController::OnSliderEnd(int controlId, int value, bool pressOnThumb) {
    if (opening_) return;
    if (controlId == IDC_SEEK_SLIDER) {
        scrub_.Reset();
        if (started_ && pressOnThumb) {
            SeekTo(value, sliderState_);
            players_.Repaint();
            MainVolume();
        }
    } else if (controlId == IDC_VOLUME_SLIDER) {
        SetVolume(value);
    }
}

void PlaybackController::OnMapSeek(int position) {
    SeekTo(position, MainState());
}

// ---- Detector switches ----------------------------------------------------------------------

void PlaybackController::OnEventFilter(int detector, int on) {
    if (detector < 0 || detector >= EventDetectors::kCount) return;
    detectors_.SetSwitches(detector, on ? 1 : 0);
    panels_.GraphRedraw();
    RebuildEventPoints(currentIndex_, false);
}

void PlaybackController::OnSettingChanged(int item, int on) {
    if (item != 0 && item != 1) return;
    detectors_.SetSwitches(item == 0 ? 4 : 5, on ? 1 : 0);  // emergency stop, parking
    panels_.GraphRedraw();
    RebuildEventPoints(currentIndex_, false);
}

// ---- Keys -----------------------------------------------------------------------------------

void PlaybackController::OnKeyPlayPause() {
    if (opening_ || view_.TaskBusy()) return;
    OnPlayPause();
}

void PlaybackController::OnKeyStep(int direction) {
    if (opening_ || view_.TaskBusy() || !started_ || direction == 0) return;
    if (MainState() != kSlotPaused) return;
    const int64_t target = static_cast<int64_t>(cursor_) + (direction > 0 ? 1 : -1);
    // A step stays out of the end-guard zone, where a seek could not land.
    if (target < 0 || target > static_cast<int64_t>(sliderMax_) - EndGuardMargin(MainRate()))
        return;
    SeekTo(target, kSlotPaused);
}

void PlaybackController::OnKeyHome() {
    if (opening_ || view_.TaskBusy() || EndGuardBlocksNow()) return;
    SeekTo(0, MainState());
}

}  // namespace quorva
