#include "fake_player.h"

#include <algorithm>

namespace quorva::test {

FakePlayer& FakePlayer::Get() {
    static FakePlayer player;
    return player;
}

void FakePlayer::Reset() {
    std::lock_guard lock(mutex_);
    calls_.clear();
    script = {};
}

void FakePlayer::Record(std::string call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
}

std::vector<std::string> FakePlayer::Calls() {
    std::lock_guard lock(mutex_);
    return calls_;
}

int FakePlayer::Count(const std::string& call) {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count(calls_.begin(), calls_.end(), call));
}

namespace {

FakePlayer& P() {
    return FakePlayer::Get();
}
std::string Name(const char* op, const PlayerSlot& s) {
    return std::string(op) + " " + std::to_string(s.index);
}

int Initialize(PlayerSlot& s, MovieWindowLink window, const std::string&) {
    P().Record(Name("Initialize", s));
    s.window = window;
    s.state = SLOT_CLOSED;
    return P().script[s.index].initializeResult;
}
int Uninitialize(PlayerSlot& s) {
    P().Record(Name("Uninitialize", s));
    s.state = SLOT_CLOSED;
    return 1;
}
int Probe(PlayerSlot&, const std::string&) {
    return 1;
}
int Open(PlayerSlot& s, const std::string&) {
    P().Record(Name("Open", s));
    const int r = P().script[s.index].openResult;
    s.state = r == 1 ? SLOT_STOPPED : SLOT_CLOSED;
    return r;
}
int Close(PlayerSlot& s) {
    P().Record(Name("Close", s));
    s.state = SLOT_CLOSED;
    return 1;
}
int LoadData(PlayerSlot&, const std::string&) {
    return 1;
}
int ReleaseData(PlayerSlot& s) {
    P().Record(Name("ReleaseData", s));
    return 1;
}
int Play(PlayerSlot& s) {
    P().Record(Name("Play", s));
    if (s.state == SLOT_CLOSED) return 0;
    s.state = SLOT_PLAYING;
    return 1;
}
int Pause(PlayerSlot& s) {
    P().Record(Name("Pause", s));
    if (s.state != SLOT_PLAYING) return 0;
    s.state = SLOT_PAUSED;
    return 1;
}
int Stop(PlayerSlot& s) {
    P().Record(Name("Stop", s));
    if (s.state == SLOT_CLOSED) return 0;
    s.state = SLOT_STOPPED;
    return 1;
}
int GetPosition(PlayerSlot& s) {
    return P().script[s.index].position;
}
int Seek(PlayerSlot&, int64_t) {
    return 1;
}
PlayerSlot* SetHardwareDecode(PlayerSlot& s, int on) {
    s.hardwareDecode = on;
    return &s;
}
int SetRate(PlayerSlot& s, int code) {
    s.rateCode = code;
    return 1;
}
int SetAspect(PlayerSlot& s, int keep) {
    s.keepAspect = keep;
    return 1;
}
int64_t GetDuration(PlayerSlot& s) {
    return P().script[s.index].duration;
}
float GetFrameMs(PlayerSlot&) {
    return 33.333f;
}
int GetVideoSize(PlayerSlot&, int* w, int* h) {
    *w = 1920;
    *h = 1080;
    return 1;
}
int SetVolume(PlayerSlot& s, int volume) {
    s.volume = volume;
    P().Record(Name("SetVolume", s) + " " + std::to_string(volume));
    return 1;
}
int ShowOverlayText(PlayerSlot&, const std::string&) {
    return 1;
}
int Unused(PlayerSlot&) {
    return 0;
}
int SetZoom(PlayerSlot& s, int, int, int, int, float, int) {
    P().Record(Name("SetZoom", s));
    return 1;
}
int SaveSnapshot(PlayerSlot&, const std::string&) {
    return 0;
}

const PlayerOps kOps = {
    Initialize,
    Uninitialize,
    Probe,
    Open,
    Close,
    LoadData,
    ReleaseData,
    Play,
    Unused,
    Pause,
    Stop,
    GetPosition,
    Seek,
    Seek,
    Unused,
    Unused,
    SetHardwareDecode,
    Unused,
    SetRate,
    Unused,
    SetAspect,
    GetDuration,
    GetDuration,
    Unused,
    GetFrameMs,
    GetVideoSize,
    SetVolume,
    ShowOverlayText,
    Unused,
    Unused,
    SetZoom,
    SaveSnapshot,
    Unused,
    Unused,
};

}  // namespace

const PlayerOps& FakePlayerOps() {
    return kOps;
}

}  // namespace quorva::test
