// Fakes around the playback controller: a scripted player group, a main window that records
// what it is told (view, panels, file browser with a folder tree), timers on a fake clock and
// a message queue for the preload threads.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "road/playback_controller.h"

namespace quorva::test {

// ---- Player group ---------------------------------------------------------------------------

class FakePlayers : public PlaybackPlayerGroup {
  public:
    struct Slot {
        bool valid = true;
        int state = kSlotClosed;
        int rate = 1;
        int keepAspect = 1;
        bool canPlayBackwards = false;
        bool dataLoaded = false;
        bool picture = true;  // an overlay can be laid over its picture
        bool saves = true;    // SaveSnapshot succeeds
    };
    Slot slot[2];

    // Script.
    std::map<std::string, int> openResults;  // by path; 1 when absent
    int64_t duration = 1800;
    int position = 0;
    int videoHeight = 1080;
    bool prefetchResult = true;

    // Drive data of the shown store: one G sample per frame, each with its GPS sample.
    void MakeDriveData(int frames);
    void MarkEvent(int fromFrame, int toFrame, int axis, int eventCode);
    std::vector<GpsSample> gps;
    std::vector<GSensorSample> g;
    std::vector<const GSensorSample*> frameIndex;
    double maxG = 0.0;
    char timeLapse = 'N';

    // What was asked.
    std::vector<std::string> calls;
    std::vector<int64_t> seeks;
    std::vector<std::string> opened;
    std::vector<std::string> saved;  // snapshot paths
    std::vector<std::string> Prefetched();
    int lockDepth = 0;
    int CountCalls(const std::string& call) const;
    void ClearLog() { calls.clear(), seeks.clear(); }

    bool Valid(int s) const override { return slot[s].valid; }
    int State(int s) const override { return slot[s].valid ? slot[s].state : kSlotClosed; }
    int RateCode(int s) const override { return slot[s].rate; }
    int KeepAspect(int s) const override { return slot[s].keepAspect; }
    bool CanPlayBackwards(int s) const override { return slot[s].canPlayBackwards; }
    bool DataLoaded(int s) const override { return slot[s].dataLoaded; }
    bool UsesLegacyPlayer(int) const override { return false; }

    int Open(const std::string& path) override;
    int Close() override;
    int LoadData(const std::string& path) override;
    int ReleaseData() override;
    int Play() override { return SetAll(kSlotPlaying, "Play"); }
    int Pause() override { return SetAll(kSlotPaused, "Pause"); }
    int Seek(int64_t p) override;
    int SetRate(int code) override;
    int Repaint() override {
        calls.push_back("Repaint");
        return 1;
    }
    int SetZoom(const ZoomSettings zoom[2], int repaint) override;

    int Stop(int s) override;
    int SetAspect(int s, int keep) override;
    int SetVolume(int s, int v) override;
    int GetPosition() override { return position; }
    int64_t GetDuration() override { return duration; }
    float GetFrameMs() override { return 33.333f; }
    int GetVideoSize(int s, int* w, int* h) override;
    int ShowOverlayText(int s, const std::string&) override;
    int ClearOverlay(int s) override;
    int SaveSnapshot(int s, const std::string& path) override;

    void LockAll() override { ++lockDepth; }
    void UnlockAll() override { --lockDepth; }
    bool Prefetch(const std::string& moviePath) override;
    bool ShowLoaded() override { return !gps.empty(); }
    ShownDriveData Shown() override;

    ZoomSettings lastZoom[2];
    int volume[2] = {-1, -1};

  private:
    int SetAll(int state, const char* name);
    std::mutex prefetchMutex_;
    std::vector<std::string> prefetched_;
};

// ---- Main window ------------------------------------------------------------------------------

class FakeWindow : public PlaybackView, public PlaybackPanels, public PlaybackBrowser {
  public:
    explicit FakeWindow(std::vector<RecordingEntry>& catalogue) : catalogue_(catalogue) {}
    PlaybackController* controller = nullptr;

    // The folder tree: items 1..n in one row of siblings, each with its recordings.
    std::vector<std::vector<std::string>> folders;
    FolderTreeItem selectedFolder = 0;
    std::vector<FolderTreeItem> loadedFolders;
    std::vector<std::pair<int, bool>> selections;  // SelectRecording(index, mark)
    bool continuousMark = false;
    bool reopenSwitch = false;
    bool busy = false;
    bool filterEmptiesList = false;
    std::vector<int> filtersToggled;

    // The view as it stands.
    ShellButtonContext shell{true, false, 1};
    PlaybackButtonStates buttons;
    int buttonUpdates = 0;
    PlayFace face = PlayFace::kPlay;
    bool waitCursor = false;
    bool fullScreen = false;
    bool logoShown = false;
    bool zoomMode = false;
    bool taskBusy = false;
    int tasksFinished = 0;
    int seekMin = 0, seekMax = 0, seekPos = -1;
    int volumePos = -1;
    bool pressOnThumb = true;
    int64_t picturePosition = -1;       // the main picture on screen (tests move it)
    std::vector<std::string> messages;  // texts shown
    int messageAnswer = 1;
    std::vector<PlaybackMenuItem> menu;
    int menusShown = 0;
    int relayouts = 0;
    int fullScreenLeft = 0;
    std::string snapshotFolder;
    bool controlsEnabled = true;
    bool picturePainting = true;
    PlayerSize movieSizes[2];

    // Panels as they stand.
    int graphCursor = -1;
    int graphFrames = 0;
    int graphRangeStep = -1;
    bool graphDrawData = false;
    int infoPosition = -1;
    double infoG[3] = {0, 0, 0};
    bool infoFix = false;
    double infoSpeed = 0;
    std::string rateText;
    bool timeLapse = false;
    bool parkingTrace = false;
    int resolutionCode = -1;
    int infoResets = 0;

    // PlaybackView
    void SetSeekRange(int minimum, int maximum) override { seekMin = minimum, seekMax = maximum; }
    void SetSeekPos(int position) override { seekPos = position; }
    void ReleaseSeekSlider() override {}
    bool SeekPressOnThumb() const override { return pressOnThumb; }
    int64_t MainPicturePosition() const override { return picturePosition; }
    void SetVolumePos(int v) override { volumePos = v; }
    ShellButtonContext ButtonContext() const override { return shell; }
    void ApplyButtonStates(const PlaybackButtonStates& states) override {
        buttons = states;
        ++buttonUpdates;
    }
    void SetPlayFace(PlayFace f) override { face = f; }
    void SetZoomMode(bool on) override { zoomMode = on; }
    void SetWaitCursor(bool on) override { waitCursor = on; }
    int ShowMessage(const std::string& text, const std::string&, int) override {
        messages.push_back(text);
        return messageAnswer;
    }
    void RepaintMovieWindows() override {}
    void RecordingOpened() override {}
    bool IsFullScreen() const override { return fullScreen; }
    void LeaveFullScreen() override { fullScreen = false, ++fullScreenLeft; }
    void Relayout() override { ++relayouts; }
    void RedrawWindow() override {}
    void ShowMovieMenu(const std::vector<PlaybackMenuItem>& items, int, int) override {
        menu = items;
        ++menusShown;
    }
    void ShowLogo(bool shown) override { logoShown = shown; }
    bool LogoShown() const override { return logoShown; }
    void SetLogoOffline(bool) override {}
    bool TaskBusy() const override { return taskBusy; }
    void FinishTask() override { taskBusy = false, ++tasksFinished; }
    std::string PickSnapshotFolder() override { return snapshotFolder; }
    void SetControlsEnabled(bool on) override { controlsEnabled = on; }
    void SetPicturePainting(bool on) override { picturePainting = on; }
    void LockWindowUpdate(bool) override {}
    void SizeMovieWindowsTo(const PlayerSize sizes[2]) override {
        movieSizes[0] = sizes[0], movieSizes[1] = sizes[1];
    }
    void LayOutMovieWindows() override {}
    void ShowMovieWindows() override {}

    // PlaybackPanels
    void GraphSetCursor(int frame) override { graphCursor = frame; }
    void GraphSetFrameCount(int frames) override { graphFrames = frames; }
    void GraphSetRangeStep(int step) override { graphRangeStep = step; }
    void GraphSetDrawData(bool on) override { graphDrawData = on; }
    void GraphRedraw() override {}
    void InfoReset() override { ++infoResets; }
    void InfoSetStartTime(const SystemTime&) override {}
    void InfoSetTimeLapse(bool on) override { timeLapse = on; }
    void InfoSetFrameMs(float) override {}
    void InfoSetResolutionCode(int code) override { resolutionCode = code; }
    void InfoSetParkingTrace(bool on) override { parkingTrace = on; }
    void InfoSetPosition(int position) override { infoPosition = position; }
    void InfoSetGValues(double x, double y, double z) override {
        infoG[0] = x, infoG[1] = y, infoG[2] = z;
    }
    void InfoSetFix(bool valid, double speed) override { infoFix = valid, infoSpeed = speed; }
    void InfoSetVoltage(int) override {}
    void InfoSetStatusLetter(int) override {}
    void InfoSetRateText(const std::string& text) override { rateText = text; }
    void InfoPaintNow() override {}

    // PlaybackBrowser
    void SetCurrentIndex(int) override {}
    void SelectRecording(int index, bool mark) override;
    bool TakeContinuousMark() override {
        const bool m = continuousMark;
        continuousMark = false;
        return m;
    }
    bool TakeReopenSwitch() override {
        const bool r = reopenSwitch;
        reopenSwitch = false;
        return r;
    }
    bool Busy() const override { return busy; }
    bool LoadFolder(FolderTreeItem item) override;
    void HandCatalogueForGroupTrack() override {}
    void ToggleKindFilter(int k) override {
        filtersToggled.push_back(k);
        if (filterEmptiesList) catalogue_.clear();
    }
    FolderTreeItem SelectedFolder() const override { return selectedFolder; }
    FolderTreeItem NextSibling(FolderTreeItem item) const override {
        return item >= 1 && item < folders.size() ? item + 1 : 0;
    }
    void SelectFolder(FolderTreeItem item, bool report) override;

  private:
    std::vector<RecordingEntry>& catalogue_;
};

// ---- Timers on a fake clock ----------------------------------------------------------------

class FakeTimers : public PlaybackTimers, public PlaybackClock {
  public:
    void SetHandler(std::function<void(int)> handler) override { handler_ = std::move(handler); }
    void Start(int id, int intervalMs) override;
    void Kill(int id) override { timers_.erase(id); }
    bool IsRunning(int id) const override { return timers_.count(id) != 0; }
    int64_t NowMs() const override { return now_; }
    void SleepMs(int ms) override { slept_ += ms; }

    // Moves the clock on, firing every timer that falls due in order.
    void Advance(int64_t ms);
    // Fires a timer now, as its due time would.
    void Fire(int id);
    int64_t Slept() const { return slept_; }

  private:
    struct Timer {
        int interval;
        int64_t due;
        uint64_t generation;
    };
    std::function<void(int)> handler_;
    std::map<int, Timer> timers_;
    int64_t now_ = 0;
    int64_t slept_ = 0;
    uint64_t generation_ = 0;
};

// ---- Posted messages -------------------------------------------------------------------------

class FakeMessages : public AppMessageTarget {
  public:
    struct Message {
        uint32_t id;
        uintptr_t wParam;
        intptr_t lParam;
    };
    void PostAppMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) override;
    // Waits (up to 5 s) for the next message; false when none came.
    bool Wait(Message& out);
    size_t Pending();

  private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<Message> queue_;
};

// ---- The fixture's recordings ------------------------------------------------------------------

// A main-camera recording name of the card: "<folder>/<class>N__-240131-0830ss-00000nM.MOV".
std::string RecordingPath(const std::string& folder, int number, char cls = 'A');
std::vector<RecordingEntry> EntriesFor(const std::vector<std::string>& paths);

}  // namespace quorva::test
