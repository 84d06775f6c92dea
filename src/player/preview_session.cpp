#include "player/preview_session.h"

#include <algorithm>

#include "player/position_numbers.h"
#include "player/preview_levels.h"

namespace quorva {

void CMFSession::Relay::PostAppMessage(uint32_t id, uintptr_t, intptr_t) {
    if (!window_) return;
    if (id == WM_APP_SESSION_READY)
        window_->PostAppMessage(kPreviewSessionEvent, reinterpret_cast<uintptr_t>(session_),
                                kPreviewTopologyReady);
    else if (id == WM_APP_SESSION_ENDED)
        window_->PostAppMessage(kPreviewSessionEvent, reinterpret_cast<uintptr_t>(session_),
                                kPreviewEndOfPresentation);
}

CMFSession::CMFSession(VideoOutput* output, AppMessageTarget* window)
    : output_(output), relay_(this, window) {}

CMFSession::~CMFSession() {
    Close();
}

int32_t CMFSession::OpenURL(const std::string& path) {
    if (flags_ & kOpen) Close();
    flags_ = 0;
    EngineOptions options;
    options.output = output_;
    options.notify = &relay_;
    options.clock = &clock_;
    options.decodeThreads = 2;  // one small picture
    options.audio = CreateQtAudioRenderer();
    std::string error;
    engine_ = FfmpegSlotEngine::Open(path, std::move(options), &error);
    if (!engine_) return kPreviewFail;
    clock_.SetRate(1.0);
    audio_ = engine_->Audio();
    const MovieInfo& info = engine_->Info();
    // The picture is shown whatever the number of streams; the sound when there is one.
    flags_ |= kHasVideo;
    if (info.hasAudio) flags_ |= kHasAudio;
    duration_ = static_cast<int64_t>(info.durationSec * 1e7);
    if (duration_ <= 0)
        duration_ = static_cast<int64_t>(engine_->FrameCount() * engine_->FrameMs() * 10000.0);
    flags_ |= kOpen;
    volume_ = 1.0f;
    balance_ = 0.0f;
    ApplyLevels();
    return kPreviewOk;
}

int CMFSession::Close() {
    engine_.reset();  // joins the engine's threads
    audio_ = nullptr;
    flags_ = 0;
    duration_ = 0;
    return 1;
}

int32_t CMFSession::Play(bool loop) {
    if (!(flags_ & kOpen)) return kPreviewAbort;
    if (!(flags_ & kPaused)) engine_->Play();
    flags_ |= kPlaying;
    flags_ &= ~kPaused;
    if (loop) flags_ |= kLoop;
    return kPreviewOk;
}

int32_t CMFSession::Stop() {
    // Only a preview that plays is stopped; a paused one stays as it is.
    if (!(flags_ & kPlaying) || (flags_ & kPaused)) return kPreviewOk;
    engine_->Pause();
    flags_ &= ~(kPlaying | kPaused);
    return kPreviewOk;
}

int32_t CMFSession::TogglePause() {
    if (!(flags_ & kOpen)) return kPreviewAbort;
    if (flags_ & kPaused) {
        engine_->Play();
        flags_ &= ~kPaused;
    } else if (flags_ & kPlaying) {
        engine_->Pause();
        flags_ |= kPaused;
    }
    return kPreviewOk;
}

int64_t CMFSession::CurrentTime() const {
    if (!engine_) return 0;
    return static_cast<int64_t>(engine_->MediaMs() * 10000.0);
}

int32_t CMFSession::SeekAbsolute(int64_t time100ns) {
    if (!(flags_ & kOpen)) return kPreviewAbort;
    const int64_t target = std::clamp<int64_t>(time100ns, 0, duration_);
    engine_->Seek(PositionAtMs(target / 10000.0, engine_->FrameMs()));
    // A playing preview goes on from there; a stopped or paused one waits on the frame.
    if ((flags_ & kPlaying) && !(flags_ & kPaused)) engine_->Play();
    return kPreviewOk;
}

int32_t CMFSession::SeekRelative(int64_t offset100ns) {
    if (!(flags_ & kOpen)) return kPreviewAbort;
    return SeekAbsolute(CurrentTime() + offset100ns);
}

int32_t CMFSession::SeekMs(int64_t ms) {
    return SeekAbsolute(ms * 10000);
}
int32_t CMFSession::SkipForward(int64_t ms) {
    return SeekRelative(ms * 10000);
}
int32_t CMFSession::SkipBack(int64_t ms) {
    return SeekRelative(-ms * 10000);
}

int32_t CMFSession::SetRate(float rate) {
    if (!(flags_ & kOpen)) return kPreviewAbort;
    // Every frame is decoded: up to twice the normal speed, forwards.
    if (!(rate > 0.0f) || rate > 2.0f) return kPreviewUnsupportedRate;
    clock_.SetRate(rate);
    return kPreviewOk;
}

void CMFSession::ApplyLevels() {
    if (!audio_ || !engine_) return;
    audio_->SetChannelLevels(PreviewChannelLevels(engine_->Info().audioChannels, 1.0f, balance_));
    audio_->SetVolume(volume_);
}

int CMFSession::SetBalance(int balance) {
    if (!(flags_ & kOpen) || !(flags_ & kHasAudio) || balance < -1000 || balance > 1000) return 0;
    balance_ = balance / 1000.0f;
    ApplyLevels();
    return 1;
}

int CMFSession::SetVolume(int volume) {
    if (!(flags_ & kOpen) || !(flags_ & kHasAudio) || volume < 0 || volume > 1000) return 0;
    volume_ = volume / 1000.0f;
    ApplyLevels();
    return 1;
}

int CMFSession::GetVideoSize(int* width, int* height) const {
    if (!engine_) return 0;
    if (width) *width = engine_->Info().width;
    if (height) *height = engine_->Info().height;
    return 1;
}

int CMFSession::SetVideoPosition(int x, int y, int width, int height) {
    if (!(flags_ & kOpen) || !(flags_ & kHasVideo) || !output_) return 0;
    if (width <= 0 || height <= 0) GetVideoSize(&width, &height);
    output_->SetVideoRect(PlayerRect{x, y, x + width, y + height});
    engine_->Repaint();
    return 1;
}

int32_t CMFSession::Repaint() {
    if (!engine_) return kPreviewAbort;
    engine_->Repaint();
    return kPreviewOk;
}

int CMFSession::HandleEvent(intptr_t event) {
    if (!engine_) return 0;
    if (event == kPreviewEndOfPresentation) {
        if (flags_ & kLoop) {
            engine_->Seek(0);
            engine_->Play();
        } else {
            flags_ &= ~(kPlaying | kPaused);
        }
    }
    return 1;
}

}  // namespace quorva
