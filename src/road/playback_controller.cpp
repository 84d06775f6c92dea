// The road of one recording: schedule, open, ready, data read, start, the playback tick,
// the end and the move to the next recording or folder.
#include "road/playback_controller.h"

#include <algorithm>

#include "appcore/settings_store.h"
#include "appcore/ui_text.h"
#include "recordings/recording_name.h"
#include "road/playback_rate_steps.h"
#include "road/playback_recording_rules.h"

namespace quorva {

namespace {

constexpr int kTextOpenFailed = 96;
constexpr int kTextTooShort = 97;
constexpr int kOpenTooShort = 2;
constexpr int kMessageOk = 0;
constexpr double kNoG = -5.0;
constexpr double kNoSpeed = -1.0;
constexpr double kCoordinateLimit = 360.0;

}  // namespace

PlaybackController::PlaybackController(PlaybackControllerParts parts)
    : players_(parts.players),
      view_(parts.view),
      panels_(parts.panels),
      browser_(parts.browser),
      timers_(parts.timers),
      clock_(parts.clock),
      messages_(parts.messages),
      catalogue_(parts.catalogue),
      detectors_(parts.detectors),
      map_(parts.map ? *parts.map : noMap_),
      writeSetting_(std::move(parts.writeSetting)) {
    timers_.SetHandler([this](int id) { OnTimer(id); });
}

PlaybackController::~PlaybackController() {
    timers_.SetHandler({});
    timers_.Kill(TIMER_PLAYBACK);
    timers_.Kill(TIMER_OPEN_DELAY);
    timers_.Kill(TIMER_OPEN_TIMEOUT);
    JoinPreloadThreads();
}

// ---- Small shared steps -----------------------------------------------------------------------

bool PlaybackController::IndexValid(int index) const {
    return index >= 0 && static_cast<size_t>(index) < catalogue_.size();
}

const std::string& PlaybackController::CurrentPath() const {
    return catalogue_[static_cast<size_t>(currentIndex_)].path;
}

int PlaybackController::MainState() const {
    return players_.Valid(0) ? players_.State(0) : kSlotClosed;
}

int PlaybackController::MainRate() const {
    return players_.Valid(0) ? players_.RateCode(0) : 0;
}

int PlaybackController::NormalRate() const {
    return HasCurrent() ? NormalRateCode(CurrentPath()) : 1;
}

void PlaybackController::SetRateAndSettle(int code) {
    players_.SetRate(code);
    clock_.SleepMs(kRateSettleMs);
}

void PlaybackController::SetNormalRate() {
    const int normal = NormalRate();
    if (MainRate() != normal) SetRateAndSettle(normal);
}

void PlaybackController::MainVolume() {
    players_.SetVolume(0, volume_);
    players_.SetVolume(1, 0);
}

void PlaybackController::MainVolumeZero() {
    players_.SetVolume(0, 0);
    players_.SetVolume(1, 0);
}

void PlaybackController::SetSliderAndCursor(int position) {
    view_.SetSeekPos(position);
    panels_.GraphSetCursor(position);
    cursor_ = position;
}

void PlaybackController::WriteSetting(std::string_view section, std::string_view key,
                                      std::string_view value) {
    if (writeSetting_)
        writeSetting_(section, key, value);
    else
        quorva::WriteSetting(section, key, value);
}

void PlaybackController::SetVolume(int volume) {
    volume_ = std::clamp(volume, 0, 65535);
    WriteSetting("DISPLAY", "VOLUME", std::to_string(volume_));
    MainVolume();
    view_.SetVolumePos(volume_);
}

void PlaybackController::UpdateButtons() {
    const ShellButtonContext shell = view_.ButtonContext();
    PlaybackButtonInputs in;
    in.listShown = shell.listShown;
    in.listCount = static_cast<int>(catalogue_.size());
    in.currentIndex = currentIndex_;
    in.mainState = MainState();
    in.rateCode = MainRate();
    in.mainDataLoaded = players_.Valid(0) && players_.DataLoaded(0);
    in.csvAllowed = shell.csvAllowed;
    in.sourceKind = shell.sourceKind;
    if (auto states = ComputeButtonStates(in)) view_.ApplyButtonStates(*states);
}

void PlaybackController::UpdateRateLabel() {
    const bool anyValid = players_.Valid(0) || players_.Valid(1);
    const int text = anyValid ? RateTextIndex(MainRate()) : -1;
    panels_.InfoSetRateText(text < 0 ? std::string() : UiText(text));
}

bool PlaybackController::EndGuardBlocksNow() {
    EndGuardInput in;
    in.started = started_;
    in.mainState = MainState();
    in.rateCode = MainRate();
    if (players_.Valid(0)) {
        in.position = players_.GetPosition();
        in.duration = players_.GetDuration();
    }
    return EndGuardBlocks(in);
}

void PlaybackController::ApplyZoom(int repaint) {
    players_.SetZoom(zoom_, repaint);
}

void PlaybackController::ResetZoomRecords() {
    zoom_[0] = ZoomSettings{};
    zoom_[1] = ZoomSettings{};
}

void PlaybackController::LeaveZoomMode() {
    if (!zoomMode_) return;
    zoomMode_ = false;
    view_.SetZoomMode(false);
    ResetZoomRecords();
    ApplyZoom(1);
}

void PlaybackController::Relayout() {
    ResetZoomRecords();
    view_.Relayout();
}

void PlaybackController::RestoreNormalLayout() {
    if (view_.IsFullScreen())
        view_.LeaveFullScreen();
    else
        Relayout();
}

void PlaybackController::MarkReopenAfterTask(int position) {
    reopenAfterTask_ = true;
    reopenPosition_ = position;
}

std::vector<EventPoint> PlaybackController::EventsCopy() {
    std::lock_guard<std::mutex> lock(hMutexCpSet);
    return events_;
}

// ---- Timers -------------------------------------------------------------------------------

void PlaybackController::OnTimer(int id) {
    switch (id) {
        case TIMER_PLAYBACK:
            PlaybackTick();
            break;
        case TIMER_OPEN_DELAY:
            OnOpenDelay();
            break;
        case TIMER_OPEN_TIMEOUT:
            OnOpenTimeout();
            break;
        default:
            break;
    }
}

bool PlaybackController::ScheduleOpen(bool resetSlider, bool resetGraph, bool resetInfo) {
    if (!HasCurrent()) return false;
    browser_.SetCurrentIndex(currentIndex_);
    if (map_.Exists()) mapData_ = false;
    StopAll();
    started_ = false;
    mapUpdatesBlocked_ = true;
    if (resetSlider) SetSliderAndCursor(0);
    if (resetGraph) {
        panels_.GraphSetRangeStep(0);
        panels_.GraphRedraw();
    }
    if (resetInfo) panels_.InfoReset();
    if (!endStepRunning_) UpdateButtons();
    timers_.Kill(TIMER_OPEN_DELAY);
    if (opening_) {
        timers_.Kill(TIMER_OPEN_TIMEOUT);
        opening_ = false;
        view_.SetWaitCursor(false);
    }
    ++readerSerial_;  // a data reader still running belongs to the recording before
    if (!autoOpen_) return true;
    ++scheduleSerial_;
    opening_ = true;
    view_.SetWaitCursor(true);
    view_.ApplyButtonStates(AllButtonsDisabled());
    timers_.Start(TIMER_OPEN_TIMEOUT, kOpenTimeoutMs);
    timers_.Start(TIMER_OPEN_DELAY, kOpenDelayMs);
    return true;
}

void PlaybackController::OnOpenDelay() {
    timers_.Kill(TIMER_OPEN_DELAY);
    const uint64_t serial = scheduleSerial_;
    if (autoOpen_) {
        autoOpen_ = false;
        // A failed open that moved on to another recording has scheduled that one already:
        // its time-out, opening state and wait cursor stay.
        if (!OpenCurrent() && scheduleSerial_ == serial) {
            timers_.Kill(TIMER_OPEN_TIMEOUT);
            opening_ = false;
            view_.ApplyButtonStates(ButtonsAfterFailedOpen(openFailed_));
            autoOpen_ = true;
            LeaveZoomMode();
            nearEndDisabled_ = false;
        }
    }
    if (scheduleSerial_ == serial) view_.SetWaitCursor(false);
}

void PlaybackController::OnOpenTimeout() {
    timers_.Kill(TIMER_OPEN_TIMEOUT);
    opening_ = false;
    continuousPlay_ = false;
    view_.SetWaitCursor(false);
    view_.RepaintMovieWindows();
    view_.ApplyButtonStates(ButtonsAfterFailedOpen(openFailed_));
    autoOpen_ = true;
}

bool PlaybackController::OpenCurrent() {
    StopTick();
    view_.ApplyButtonStates(AllButtonsDisabled());
    if (!HasCurrent()) return false;
    openFailed_ = false;
    const std::string path = CurrentPath();
    const int result = players_.Open(path);
    if (result != 0 && result != kOpenTooShort) {
        view_.RecordingOpened();
        opening_ = true;
        panels_.GraphSetDrawData(true);
        panels_.InfoSetParkingTrace(ParkingTraceFor(traceFilePresent_, path));
        return true;
    }
    mapData_ = false;
    UpdateMapVisibility();
    if (browser_.TakeContinuousMark()) {
        autoOpen_ = true;
        if (IndexValid(currentIndex_ + 1)) {
            continuousPlay_ = false;
            NextRecording();
        } else {
            continuousPlay_ = true;
            NextFolder();
        }
    } else if (continuousPlay_) {
        autoOpen_ = true;
        NextFolder();
    } else {
        view_.RepaintMovieWindows();
        view_.ShowMessage(UiText(result == kOpenTooShort ? kTextTooShort : kTextOpenFailed),
                          "ERROR", kMessageOk);
        openFailed_ = true;
        UpdateButtons();
    }
    return false;
}

void PlaybackController::OnPlayerReady() {
    if (!continuousPlay_) timers_.Kill(TIMER_OPEN_DELAY);
    autoOpen_ = true;
    if (!HasCurrent()) return;
    UpdateRateLabel();
    ApplyZoom(1);
    for (int i = 0; i < 2; ++i)
        if (players_.Valid(i)) players_.SetAspect(i, keepAspect_);
    players_.Seek(0);
    const bool mark = browser_.TakeContinuousMark();
    continuousPlay_ = false;
    if (!mark) {
        if (!browser_.Busy()) StartCurrentDataReader();
        return;
    }
    prefetchPending_ = true;
    if (!StartPlayback()) playAfterOpen_ = true;
    StartNextPreloader();
}

void PlaybackController::StartCurrentDataReader() {
    std::string path;
    {
        std::lock_guard<std::recursive_mutex> lock(hMutexCache);
        if (!HasCurrent()) return;
        path = CurrentPath();
    }
    const uintptr_t serial = ++readerSerial_;
    currentReader_.Start([this, path, serial] {
        const bool ok = players_.Prefetch(path);
        messages_.PostAppMessage(WM_APP_PRELOAD_DONE, serial, ok ? 1 : 0);
    });
}

void PlaybackController::StartNextPreloader() {
    if (browser_.Busy()) return;
    std::string path;
    {
        std::lock_guard<std::recursive_mutex> lock(hMutexCache);
        if (!IndexValid(currentIndex_ + 1)) return;
        path = catalogue_[static_cast<size_t>(currentIndex_ + 1)].path;
    }
    nextPreloader_.Start([this, path] { players_.Prefetch(path); });
}

void PlaybackController::JoinPreloadThreads() {
    currentReader_.Join();
    nextPreloader_.Join();
}

void PlaybackController::OnPreloadDone(uintptr_t wParam, intptr_t lParam) {
    if (wParam != readerSerial_) return;  // the answer of a reader for an earlier open
    if (started_) return;
    started_ = true;
    if (opening_) {
        timers_.Kill(TIMER_OPEN_TIMEOUT);
        opening_ = false;
        view_.SetWaitCursor(false);
    }
    UpdateButtons();
    if (!HasCurrent() || !players_.LoadData(CurrentPath())) return;
    if (players_.Valid(0)) {
        MainVolume();
        SetRateAndSettle(players_.RateCode(0));
    }
    if (playAfterOpen_ || continuousPlay_) {
        if (playAfterOpen_)
            playAfterOpen_ = false;
        else
            continuousPlay_ = false;
        endHandled_ = false;
        if (Resume()) view_.SetPlayFace(PlayFace::kPause);
        UpdateButtons();
    } else {
        view_.SetPlayFace(PlayFace::kPlay);
    }
    mapUpdatesBlocked_ = false;
    SetupRecording();
    UpdateButtons();  // the data are loaded now: play, snapshot and zoom become available
    if (players_.UsesLegacyPlayer(0)) players_.Repaint();
    if (lParam != 0) {
        prefetchPending_ = false;
        StartNextPreloader();
    }
    if (reopenAfterTask_) {
        reopenAfterTask_ = false;
        players_.Seek(reopenPosition_);
        ShowPosition(reopenPosition_);
        if (reopenPosition_ != 0) {
            players_.Pause();  // waits where the task found it
            UpdateButtons();
        }
    }
    CheckMapData();
}

bool PlaybackController::StartPlayback() {
    if (started_) {
        endHandled_ = false;
        return Resume();
    }
    started_ = true;
    if (!HasCurrent() || !players_.LoadData(CurrentPath())) return false;
    mapUpdatesBlocked_ = false;
    SetRateAndSettle(MainRate());
    const bool resumed = Resume();
    MainVolume();
    SetupRecording();
    CheckMapData();
    if (opening_) {
        timers_.Kill(TIMER_OPEN_TIMEOUT);
        opening_ = false;
        view_.SetWaitCursor(false);
    }
    view_.SetPlayFace(resumed ? PlayFace::kPause : PlayFace::kPlay);
    UpdateButtons();
    return resumed;
}

void PlaybackController::SetupRecording() {
    if (!HasCurrent()) return;
    RecordingEntry& entry = catalogue_[static_cast<size_t>(currentIndex_)];
    int width = 0, height = 0;
    const int code = players_.Valid(0) && players_.GetVideoSize(0, &width, &height)
                         ? ResolutionCodeForHeight(height)
                         : 0;
    entry.qualityCode = code;
    panels_.InfoSetResolutionCode(code);
    panels_.InfoSetStartTime(entry.startTime);
    SetupData();
    panels_.InfoSetFrameMs(players_.GetFrameMs());
    const int64_t duration = std::max<int64_t>(0, players_.GetDuration());
    sliderMin_ = 0;
    sliderMax_ = static_cast<int>(std::min<int64_t>(duration, INT32_MAX));
    view_.SetSeekRange(sliderMin_, sliderMax_);
    panels_.GraphSetFrameCount(sliderMax_);
    eventsSent_ = false;
    RebuildEventPoints(currentIndex_, false);
    UpdateRateLabel();
    SetVolume(volume_);
    ShowPosition(0);
    pendingTarget_ = -1;
    stall_.Reset();
    timers_.Start(TIMER_PLAYBACK, kPlaybackTickMs);
}

void PlaybackController::SetupData() {
    PlaybackSlotsLock lock(players_);
    SetSliderAndCursor(0);
    RecordingEntry& entry = catalogue_[static_cast<size_t>(currentIndex_)];
    if (IsRecordingName(entry.path)) {
        entry.startTime = RecordingTimeFromName(entry.path);
        panels_.InfoSetStartTime(entry.startTime);
    }
    if (!players_.ShowLoaded()) {
        mapData_ = false;
        UpdateMapVisibility();
        return;
    }
    const ShownDriveData shown = players_.Shown();
    panels_.GraphSetRangeStep(ScaleIndexForMaxG(shown.maxG));
    if (shown.timeLapse == 'N') panels_.InfoSetTimeLapse(false);
    if (shown.timeLapse == 'T') panels_.InfoSetTimeLapse(true);
}

// ---- The playback tick ----------------------------------------------------------------------

void PlaybackController::PlaybackTick() {
    PumpScrub();
    if (players_.Valid(0)) {
        const int state = players_.State(0);
        if (state == kSlotStopped || state == kSlotPaused) {
            const int online = map_.ConnectTest();
            if (view_.LogoShown() || online == 0) UpdateMapVisibility();
            return;
        }
        // One position query per tick serves the end guard, the stall watch and the panels.
        const int p = players_.GetPosition();
        const int64_t duration = players_.GetDuration();
        if (state == kSlotPlaying) {
            EndGuardInput guard;
            guard.started = started_;
            guard.mainState = state;
            guard.rateCode = MainRate();
            guard.position = p;
            guard.duration = duration;
            const bool blocks = EndGuardBlocks(guard);
            if (blocks && !nearEndDisabled_) {
                view_.ApplyButtonStates(AllButtonsDisabled());
                nearEndDisabled_ = true;
            } else if (!blocks && nearEndDisabled_) {
                UpdateButtons();
                nearEndDisabled_ = false;
            }
        }
        if (p > 0) {
            if (stall_.Observe(p)) {
                players_.Pause();
                players_.Seek(p - 1);
                players_.Play();
            }
            if (PendingTargetReached(pendingTarget_, p, duration)) {
                ShowPosition(p);
                pendingTarget_ = -1;
            }
        }
    }
    SendEventsAndState();
}

void PlaybackController::ShowPosition(int position) {
    PlaybackSlotsLock lock(players_);
    const int q = ShownPositionFor(position, sliderMin_, sliderMax_);
    const ShownDriveData shown = players_.Shown();
    const GSensorSample* sample = shown.g.SampleOfFrame(q);
    pendingTarget_ = q;
    map_.SetPositionNumber(q);
    if (sample) {
        panels_.InfoSetGValues(sample->g1, sample->g2, sample->g3);
        panels_.InfoSetStatusLetter(sample->status);
        if (const GpsSample* gps = sample->linkedGps) {
            double speed = kNoSpeed;
            if (gps->valid) {
                coordinatesInvalid_ =
                    gps->latitude > kCoordinateLimit || gps->longitude > kCoordinateLimit;
                if (!mapUpdatesBlocked_) {
                    mapData_ = true;
                    UpdateMapVisibility();
                }
                map_.SetLatLng(gps->latitude, gps->longitude);
                map_.Invalidate();
                speed = gps->speed;
            } else {
                NoFixVisibility();
            }
            panels_.InfoSetFix(gps->valid != 0, speed);
            panels_.InfoSetVoltage(sample->voltage);
        } else {
            panels_.InfoSetFix(false, kNoSpeed);
        }
    } else {
        panels_.InfoSetGValues(kNoG, kNoG, kNoG);
        panels_.InfoSetFix(false, kNoSpeed);
    }
    if (!view_.IsFullScreen()) {
        panels_.InfoSetPosition(q);
        panels_.InfoPaintNow();
    }
    SetSliderAndCursor(q);
    panels_.GraphRedraw();
}

void PlaybackController::SeekTo(int64_t position, int resumeState) {
    const int64_t target = SeekTargetFor(position, sliderMax_, MainRate());
    const int shown = ShownPositionFor(position, sliderMin_, sliderMax_);
    if (resumeState == kSlotStopped || resumeState == kSlotPaused) {
        players_.Seek(target);
        ShowPosition(shown);
        UpdateButtons();
    } else if (resumeState == kSlotPlaying) {
        if (MainState() == kSlotPlaying) players_.Pause();
        players_.Seek(target);
        ShowPosition(shown);
        players_.Play();
    }
}

void PlaybackController::StopTick() {
    started_ = false;
    timers_.Kill(TIMER_PLAYBACK);
    pendingTarget_ = -1;
    ReleaseSeekSlider();
    players_.ReleaseData();
    players_.Close();
    view_.RedrawWindow();
}

void PlaybackController::StopAll() {
    const int state = MainState();
    if (state != kSlotPlaying && state != kSlotPaused) return;
    {
        std::lock_guard<std::recursive_mutex> lock(hMutexCache);
        ReleaseSeekSlider();
        bool stopped = false;
        for (int i = 0; i < 2; ++i)
            if (players_.Valid(i) && players_.Stop(i)) stopped = true;
        if (!endStepRunning_) view_.SetPlayFace(stopped ? PlayFace::kPlay : PlayFace::kPause);
    }
    map_.SetPlayState(MapPlayState::kStop);
}

void PlaybackController::PauseAll() {
    if (MainState() != kSlotPlaying) return;
    ReleaseSeekSlider();
    if (players_.Pause()) view_.SetPlayFace(PlayFace::kPlay);
    map_.SetPlayState(MapPlayState::kPause);
}

bool PlaybackController::Resume() {
    const int state = MainState();
    if (state != kSlotStopped && state != kSlotPaused) return false;
    const bool ok = players_.Play() != 0;
    map_.SetPlayState(MapPlayState::kPlaying);
    return ok;
}

// ---- Moving on ----------------------------------------------------------------------------

void PlaybackController::EndOfRecording(bool fromPlayerEnded) {
    if (fromPlayerEnded) {
        if (endHandled_) return;
        endStepRunning_ = true;
    }
    NextRecording();
    if (fromPlayerEnded) {
        NextFolder();
        endStepRunning_ = false;
    }
}

void PlaybackController::NextRecording() {
    std::lock_guard<std::recursive_mutex> lock(hMutexCache);
    if (!HasCurrent()) return;
    if (IndexValid(currentIndex_ + 1)) {
        ++currentIndex_;
        ReleaseSeekSlider();
        browser_.SelectRecording(currentIndex_, true);
        panels_.GraphSetDrawData(false);
        SetSliderAndCursor(0);
        endHandled_ = false;
        ScheduleOpen(true, true, false);
        return;
    }
    if (browser_.NextSibling(browser_.SelectedFolder()) != 0) {
        PauseAll();
        MainVolume();
        UpdateRateLabel();
        if (!endStepRunning_) StopAll();
    } else {
        if (MainRate() != NormalRate()) {
            SetRateAndSettle(NormalRate());
            UpdateRateLabel();
        }
        endHandled_ = true;
        ScheduleOpen(true, false, false);
        endStepRunning_ = false;
        StopAll();
    }
    continuousPlay_ = true;
}

void PlaybackController::NextFolder() {
    if (!continuousPlay_) return;
    const FolderTreeItem next = browser_.NextSibling(browser_.SelectedFolder());
    if (next != 0) {
        browser_.SelectFolder(next, true);
        return;
    }
    continuousPlay_ = false;
    LeaveZoomMode();
    RestoreNormalLayout();
}

void PlaybackController::NextFolderWithRecordings(FolderTreeItem from) {
    for (FolderTreeItem item = browser_.NextSibling(from); item != 0;
         item = browser_.NextSibling(item)) {
        if (!browser_.LoadFolder(item) || catalogue_.empty()) continue;
        browser_.SelectFolder(item, false);
        browser_.HandCatalogueForGroupTrack();
        browser_.SelectRecording(0, true);
        return;
    }
    continuousPlay_ = false;
    LeaveZoomMode();
    RestoreNormalLayout();
    UpdateButtons();
    SetNormalRate();
    browser_.SelectFolder(from, false);
}

void PlaybackController::OnFolderSelected(FolderTreeItem item, bool plainFolderItem) {
    if (browser_.Busy()) return;
    std::lock_guard<std::recursive_mutex> lock(hMutexCache);
    if (item == 0 || !(plainFolderItem || continuousPlay_)) return;
    if (players_.Valid(0) && players_.State(0) != kSlotClosed) {
        PauseAll();
        if (!endStepRunning_) StopAll();
    }
    if (!continuousPlay_) SetNormalRate();
    players_.ReleaseData();
    players_.Close();
    ClearCurrent();
    if (browser_.LoadFolder(item)) mapUpdatesBlocked_ = false;
    if (!endStepRunning_) {
        view_.SetPlayFace(PlayFace::kPlay);
        UpdateButtons();
    }
    if (!catalogue_.empty()) {
        browser_.HandCatalogueForGroupTrack();
        browser_.SelectRecording(0, continuousPlay_);
        RebuildEventPoints(currentIndex_, true);
    } else if (continuousPlay_) {
        NextFolderWithRecordings(item);
    }
}

void PlaybackController::OnRecordingSelected(int row) {
    std::lock_guard<std::recursive_mutex> lock(hMutexCache);
    if (row == currentIndex_ && !browser_.TakeReopenSwitch()) return;
    currentIndex_ = row;
    panels_.GraphSetDrawData(false);
    mapData_ = false;
    MainVolumeZero();
    UpdateMapVisibility();
    if (!continuousPlay_) endHandled_ = true;
    if (!ScheduleOpen(true, true, true)) endHandled_ = false;
    if (!continuousPlay_) SetNormalRate();
}

// ---- Events and the map ------------------------------------------------------------------

bool PlaybackController::RebuildEventPoints(int recording, bool groupTrack) {
    std::lock_guard<std::mutex> cp(hMutexCpSet);
    PlaybackSlotsLock lock(players_);
    const ShownDriveData shown = players_.Shown();
    events_ = BuildEventList(shown.g, detectors_);
    if (!map_.PageReady()) return true;
    map_.LoadGrid(recording, groupTrack);
    for (auto it = events_.rbegin(); it != events_.rend(); ++it) {
        if (!detectors_.MapSwitch(it->detector) || !it->sample) continue;
        const GpsSample* gps = it->sample->linkedGps;
        if (!gps || (gps->latitude == 0.0 && gps->longitude == 0.0)) continue;
        if (!map_.AddEventIcon(*it)) return false;
    }
    return true;
}

void PlaybackController::SendEventsAndState() {
    if (eventsSent_ || !map_.PageReady()) return;
    if (HasCurrent()) {
        if (!RebuildEventPoints(currentIndex_, true)) return;
        eventsSent_ = true;
    }
    const int state = MainState();
    if (state == kSlotPlaying) return;
    if (state == kSlotPaused) {
        map_.SetPlayState(MapPlayState::kPause);
        map_.Invalidate();
    } else {
        map_.SetPlayState(MapPlayState::kStop);
    }
}

void PlaybackController::OnMapReady() {
    eventsSent_ = false;
    SendEventsAndState();
    view_.RedrawWindow();
}

void PlaybackController::JumpToEvent(bool next) {
    if (EndGuardBlocksNow()) return;
    int target = -1;
    {
        std::lock_guard<std::mutex> cp(hMutexCpSet);
        const auto found = next ? FindNextEvent(events_, detectors_, cursor_)
                                : FindPreviousEvent(events_, detectors_, cursor_,
                                                    static_cast<int>(players_.GetDuration()));
        if (found) target = events_[*found].position;
    }
    if (target < 0) return;  // no event qualifies: nothing moves
    const bool playing = MainState() == kSlotPlaying;
    if (playing) players_.Pause();
    SeekTo(target, MainState());
    if (playing) players_.Play();
}

void PlaybackController::UpdateMapVisibility() {
    PlaybackSlotsLock lock(players_);
    const bool fullScreen = view_.IsFullScreen();
    const int online = map_.ConnectTest();
    const bool show = mapData_ && online != 0 && players_.Shown().gpsCount > 0 && HasCurrent() &&
                      !IsParkingLikeName(CurrentPath()) && !coordinatesInvalid_;
    if (show) {
        if (!fullScreen) {
            map_.Show(true);
            mapShownByRule_ = true;
        }
        view_.ShowLogo(false);
    } else {
        if (mapShownByRule_) {
            map_.Show(false);
            mapShownByRule_ = false;
        }
        view_.ShowLogo(!fullScreen);
    }
    SetLogoOffline(map_.SwitchedOn() && online == 0 && !coordinatesInvalid_);
}

void PlaybackController::NoFixVisibility() {
    if (!HasCurrent() || !IsParkingLikeName(CurrentPath())) return;
    if (view_.IsFullScreen()) {
        view_.ShowLogo(false);
        return;
    }
    if (mapShownByRule_) {
        map_.Show(false);
        mapShownByRule_ = false;
    }
    view_.ShowLogo(true);
    SetLogoOffline(map_.SwitchedOn() && map_.ConnectTest() == 0 && !coordinatesInvalid_);
}

void PlaybackController::SetLogoOffline(bool offline) {
    if (offline == logoOffline_) return;
    logoOffline_ = offline;
    view_.SetLogoOffline(offline);
}

bool PlaybackController::CheckMapData() {
    PlaybackSlotsLock lock(players_);
    const ShownDriveData shown = players_.Shown();
    const GSensorSample* sample = shown.g.SampleOfFrame(cursor_);
    mapData_ = shown.gpsCount > 0 && sample && sample->linkedGps && sample->linkedGps->valid == 1;
    return mapData_;
}

void PlaybackController::ClearCurrent() {
    panels_.InfoReset();
    SetSliderAndCursor(0);
    sliderMin_ = sliderMax_ = 0;
    view_.SetSeekRange(0, 0);
    timers_.Kill(TIMER_PLAYBACK);
    UpdateRateLabel();
    JoinPreloadThreads();
    started_ = false;
    if (map_.Exists()) mapData_ = false;
    mapUpdatesBlocked_ = true;
    nearEndDisabled_ = false;
    players_.Repaint();
    UpdateMapVisibility();
    {
        std::lock_guard<std::mutex> cp(hMutexCpSet);
        events_.clear();
    }
    eventsSent_ = false;
    panels_.GraphSetRangeStep(0);
    panels_.GraphRedraw();
    panels_.InfoReset();
    players_.Prefetch("");
    currentIndex_ = -1;
    autoOpen_ = true;
    Relayout();
}

}  // namespace quorva
