#include "road_fakes.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace quorva::test {

// ---- FakePlayers ------------------------------------------------------------------------------

void FakePlayers::MakeDriveData(int frames) {
    gps.assign(static_cast<size_t>(frames), GpsSample{});
    g.assign(static_cast<size_t>(frames), GSensorSample{});
    frameIndex.clear();
    for (int f = 0; f < frames; ++f) {
        GpsSample& fix = gps[static_cast<size_t>(f)];
        fix.index = f;
        fix.position = f;
        fix.valid = 1;
        fix.latitude = 35.0 + f * 1e-5;
        fix.longitude = 139.0;
        fix.speed = 40.0;
        GSensorSample& s = g[static_cast<size_t>(f)];
        s.index = f;
        s.position = f;
        s.g1 = 0.1;
        s.g2 = -0.2;
        s.g3 = 1.0;
        s.voltage = 125;
        s.linkedGps = &fix;
        fix.linkedG = &s;
        frameIndex.push_back(&s);
    }
    maxG = 1.0;
}

void FakePlayers::MarkEvent(int fromFrame, int toFrame, int axis, int eventCode) {
    for (int f = fromFrame; f <= toFrame; ++f) {
        g[static_cast<size_t>(f)].axis = axis;
        g[static_cast<size_t>(f)].eventCode = eventCode;
    }
}

ShownDriveData FakePlayers::Shown() {
    ShownDriveData shown;
    shown.g.samples = g;
    shown.g.frameIndex = frameIndex;
    shown.gpsCount = gps.size();
    shown.maxG = maxG;
    shown.timeLapse = timeLapse;
    return shown;
}

int FakePlayers::CountCalls(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

int FakePlayers::SetAll(int state, const char* name) {
    calls.push_back(name);
    int any = 0;
    for (Slot& s : slot)
        if (s.valid && s.state != kSlotClosed) s.state = state, any = 1;
    return any;
}

int FakePlayers::Open(const std::string& path) {
    calls.push_back("Open");
    opened.push_back(path);
    auto it = openResults.find(path);
    const int result = it == openResults.end() ? 1 : it->second;
    if (result == 1)
        for (Slot& s : slot)
            if (s.valid) s.state = kSlotStopped;
    position = 0;
    return result;
}

int FakePlayers::Close() {
    calls.push_back("Close");
    for (Slot& s : slot)
        s.state = kSlotClosed, s.dataLoaded = false;
    return 1;
}

int FakePlayers::LoadData(const std::string&) {
    calls.push_back("LoadData");
    for (Slot& s : slot)
        if (s.valid) s.dataLoaded = true;
    return 1;
}

int FakePlayers::ReleaseData() {
    calls.push_back("ReleaseData");
    for (Slot& s : slot)
        s.dataLoaded = false;
    return 1;
}

int FakePlayers::Seek(int64_t p) {
    calls.push_back("Seek");
    seeks.push_back(p);
    position = static_cast<int>(p);
    return 1;
}

int FakePlayers::SetRate(int code) {
    calls.push_back("SetRate " + std::to_string(code));
    for (Slot& s : slot)
        if (s.valid) s.rate = code;
    return 1;
}

int FakePlayers::SetZoom(const ZoomSettings zoom[2], int) {
    lastZoom[0] = zoom[0];
    lastZoom[1] = zoom[1];
    return 1;
}

int FakePlayers::Stop(int s) {
    calls.push_back("Stop " + std::to_string(s));
    if (!slot[s].valid || slot[s].state == kSlotClosed) return 0;
    slot[s].state = kSlotStopped;
    return 1;
}

int FakePlayers::SetAspect(int s, int keep) {
    slot[s].keepAspect = keep;
    return 1;
}

int FakePlayers::SetVolume(int s, int v) {
    volume[s] = v;
    return 1;
}

int FakePlayers::GetVideoSize(int s, int* w, int* h) {
    if (!slot[s].valid || slot[s].state == kSlotClosed) return 0;
    *w = videoHeight * 16 / 9;
    *h = videoHeight;
    return 1;
}

int FakePlayers::ShowOverlayText(int s, const std::string&) {
    return slot[s].valid && slot[s].state != kSlotClosed && slot[s].picture ? 1 : 0;
}

int FakePlayers::ClearOverlay(int) {
    calls.push_back("ClearOverlay");
    return 1;
}

int FakePlayers::SaveSnapshot(int s, const std::string& path) {
    if (!slot[s].saves) return 0;
    saved.push_back(path);
    return 1;
}

bool FakePlayers::Prefetch(const std::string& moviePath) {
    std::lock_guard<std::mutex> lock(prefetchMutex_);
    prefetched_.push_back(moviePath);
    return prefetchResult;
}

std::vector<std::string> FakePlayers::Prefetched() {
    std::lock_guard<std::mutex> lock(prefetchMutex_);
    return prefetched_;
}

// ---- FakeWindow ------------------------------------------------------------------------------

void FakeWindow::SelectRecording(int index, bool mark) {
    selections.emplace_back(index, mark);
    continuousMark = mark;
    // The list reports its selection change straight away.
    if (controller) controller->OnRecordingSelected(index);
}

bool FakeWindow::LoadFolder(FolderTreeItem item) {
    if (item < 1 || item > folders.size()) return false;
    loadedFolders.push_back(item);
    catalogue_ = EntriesFor(folders[item - 1]);
    return true;
}

void FakeWindow::SelectFolder(FolderTreeItem item, bool report) {
    selectedFolder = item;
    if (report && controller) controller->OnFolderSelected(item, true);
}

// ---- FakeTimers ------------------------------------------------------------------------------

void FakeTimers::Start(int id, int intervalMs) {
    timers_[id] = Timer{intervalMs, now_ + intervalMs, ++generation_};
}

void FakeTimers::Advance(int64_t ms) {
    const int64_t end = now_ + ms;
    for (;;) {
        auto next = std::min_element(timers_.begin(), timers_.end(),
                                     [](auto& a, auto& b) { return a.second.due < b.second.due; });
        if (next == timers_.end() || next->second.due > end) break;
        now_ = next->second.due;
        Fire(next->first);
    }
    now_ = end;
}

void FakeTimers::Fire(int id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    const uint64_t generation = it->second.generation;
    if (handler_) handler_(id);
    it = timers_.find(id);
    // Still running and not restarted by the handler: it falls due again an interval later.
    if (it != timers_.end() && it->second.generation == generation)
        it->second.due = now_ + it->second.interval;
}

// ---- FakeMessages ---------------------------------------------------------------------------

void FakeMessages::PostAppMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(Message{id, wParam, lParam});
    }
    posted_.notify_all();
}

bool FakeMessages::Wait(Message& out) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!posted_.wait_for(lock, std::chrono::seconds(5), [&] { return !queue_.empty(); }))
        return false;
    out = queue_.front();
    queue_.pop_front();
    return true;
}

size_t FakeMessages::Pending() {
    std::lock_guard<std::mutex> lock(mutex_);
    return queue_.size();
}

// ---- Recordings ---------------------------------------------------------------------------

std::string RecordingPath(const std::string& folder, int number, char cls) {
    char name[64];
    std::snprintf(name, sizeof name, "%cN__-240131-0830%02d-%06dM.MOV", cls, number % 60, number);
    return folder + "/" + name;
}

std::vector<RecordingEntry> EntriesFor(const std::vector<std::string>& paths) {
    std::vector<RecordingEntry> entries;
    for (const std::string& path : paths) {
        RecordingEntry e;
        e.path = path;
        entries.push_back(e);
    }
    return entries;
}

}  // namespace quorva::test
