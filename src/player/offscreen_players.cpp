#include "player/offscreen_players.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace quorva {

OffscreenPlayers::OffscreenPlayers(int slots, int decodeThreads) : slots_(std::clamp(slots, 1, 2)) {
    for (int i = 0; i < slots_; ++i) {
        PlayerSlot& s = group_.slot[i];
        s.decodeThreads = decodeThreads;
        if (s.ops->Initialize(s, MovieWindowLink{&outputs_[i], nullptr}, "")) s.valid = 1;
    }
}

OffscreenPlayers::~OffscreenPlayers() {
    for (PlayerSlot& s : group_.slot)
        s.ops->Uninitialize(s);
}

bool OffscreenPlayers::Open(const std::string& moviePath, std::string* error) {
    GroupOpen(group_, moviePath);
    const int result = MainOpenResult(group_);
    if (result != 1) {
        if (error) {
            const std::string& why = group_.slot[0].lastOpenError;
            *error = result == 2   ? "the recording is too short"
                     : why.empty() ? "cannot open " + moviePath
                                   : why;
        }
        return false;
    }
    subOpen_ = slots_ > 1 && group_.slot[1].state != SLOT_CLOSED;
    if (!subOpen_) group_.slot[1].valid = 0;  // a single-camera recording
    for (int i = 0; i < slots_; ++i) {
        if (group_.slot[i].valid && !WaitForPicture(group_.slot[i], 20000)) {
            if (error) *error = "no picture could be decoded";
            return false;
        }
    }
    return true;
}

bool OffscreenPlayers::SeekAndWait(int64_t position, int timeoutMs) {
    if (!GroupSeek(group_, position)) return false;
    for (int i = 0; i < slots_; ++i) {
        if (group_.slot[i].valid && !WaitForPicture(group_.slot[i], timeoutMs)) return false;
    }
    return true;
}

namespace {

// The largest distance between a sub-camera picture as it goes up and the main camera's
// picture on screen then (the sub camera may leave frames out on a weak machine; those it
// shows stay with the main camera).
double MaxCameraOffset(const std::vector<PresentRecord>& main,
                       const std::vector<PresentRecord>& sub, double frameMs) {
    if (main.empty() || sub.empty() || frameMs <= 0) return 0.0;
    double worst = 0.0;
    size_t i = 0;
    const PresentRecord* shownMain = nullptr;
    for (const PresentRecord& s : sub) {
        while (i < main.size() && main[i].info.wallTime <= s.info.wallTime)
            shownMain = &main[i++];
        if (shownMain && !shownMain->info.immediate && !s.info.immediate)
            worst = std::max(worst, std::fabs(shownMain->mediaMs - s.mediaMs) / frameMs);
    }
    return worst;
}

}  // namespace

PlaybackReport OffscreenPlayers::Play(int rateCode, double seconds) {
    PlaybackReport report;
    for (auto& o : outputs_)
        o.ClearRecords();
    GroupSetRate(group_, rateCode);
    // Let a change of reading mode show its first pictures before timing starts.
    for (int i = 0; i < slots_; ++i)
        if (group_.slot[i].valid) WaitForPicture(group_.slot[i], 20000);
    EngineStats before[2] = {SlotStats(group_.slot[0]), SlotStats(group_.slot[1])};
    const double cpu0 = ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    GroupPlay(group_);
    const auto limit = start + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < limit) {
        if (SlotEnded(group_.slot[0])) {
            report.ended = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    GroupPause(group_);
    if (FfmpegSlotEngine* engine = group_.slot[0].engine.get()) {
        const FramePtr last = engine->CurrentPicture();
        report.mediaSeconds =
            report.ended && last
                ? (last->mediaMs + engine->Timeline().DurationMs(last->position)) / 1000.0
                : SlotMediaMs(group_.slot[0]) / 1000.0;
    }
    report.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    report.cpuSeconds = ProcessCpuSeconds() - cpu0;
    for (int i = 0; i < slots_; ++i) {
        if (!group_.slot[i].valid) continue;
        const EngineStats s = SlotStats(group_.slot[i]);
        report.presented += s.presented - before[i].presented;
        report.late += s.late - before[i].late;
        if (i == 0) {
            report.dropped = s.dropped - before[i].dropped;
            report.mainFrames = s.presented - before[i].presented + report.dropped;
        } else {
            report.subDropped = s.dropped - before[i].dropped + s.yielded - before[i].yielded;
        }
        report.maxLateMs = std::max(report.maxLateMs, s.maxLateMs);
    }
    if (subOpen_) {
        const double slower = std::max(group_.slot[0].frameMs, group_.slot[1].frameMs);
        report.maxCameraOffsetFrames =
            MaxCameraOffset(outputs_[0].Records(), outputs_[1].Records(), slower);
    }
    return report;
}

}  // namespace quorva
