#include "player/ffmpeg_slot_engine.h"

#include <algorithm>
#include <chrono>

#include "platform/process.h"
#include "player/frame_timing.h"
#include "player/picture_render.h"

namespace quorva {

namespace {
constexpr size_t kQueueFrames = 6;  // decoded frames kept ahead of the clock
constexpr auto kEndNoticeDelay = std::chrono::milliseconds(200);
constexpr double kLongestWaitMs = 50.0;  // the presenter looks again at least this often
constexpr double kMainWaitMs = 2.0;      // a sub frame ahead of the main camera looks again
}  // namespace

double FfmpegSlotEngine::ShownMs(int64_t position) const {
    // A frame is held at least a millisecond (two frames may share a start).
    return std::max(Timeline().DurationMs(position), 1.0);
}

std::unique_ptr<FfmpegSlotEngine> FfmpegSlotEngine::Open(const std::string& path,
                                                         EngineOptions options,
                                                         std::string* error) {
    if (!options.output || !options.clock) {
        if (error) *error = "no video output or clock";
        return nullptr;
    }
    std::unique_ptr<FfmpegSlotEngine> engine(new FfmpegSlotEngine);
    const bool withAudio = options.audio != nullptr;
    if (!engine->movie_.Open(path, options.decodeThreads, withAudio, error)) return nullptr;
    engine->info_ = engine->movie_.Info();
    // At a constant frame rate the frames sit at position x frame duration, the duration
    // the slot took from the movie; a variable rate keeps each frame's own start.
    if (engine->info_.timeline.IsConstant() && options.frameMs > 0.0)
        engine->info_.timeline = FrameTimeline::Constant(engine->info_.frameCount, options.frameMs);
    if (engine->info_.frameCount <= 0 || !(engine->info_.timeline.FrameMs() > 0.0)) {
        if (error) *error = "the movie has no frames";
        return nullptr;
    }
    engine->output_ = options.output;
    engine->notify_ = options.notify;
    engine->noticeSerial_ = options.noticeSerial;
    engine->clock_ = options.clock;
    engine->load_ = options.load;
    engine->yieldsFirst_ = options.yieldsFirst;
    if (engine->info_.hasAudio && options.audio) {
        FfmpegSlotEngine* self = engine.get();
        if (options.audio->Start(
                engine->info_.audioSampleRate, engine->info_.audioChannels,
                [self] {
                    std::lock_guard lock(self->mutex_);
                    return self->MediaNowLocked();
                },
                [self] {
                    std::lock_guard lock(self->mutex_);
                    return self->ClockRunsLocked() && !self->holding_;
                })) {
            engine->audio_ = std::move(options.audio);
            AudioRenderer* audio = engine->audio_.get();
            engine->movie_.SetAudioCallback(
                [audio, self](const int16_t* samples, int frames, int, int, double ms) {
                    if (self->audioAllowed_.load()) audio->Write(samples, frames, ms);
                });
        } else {
            engine->movie_.SetAudioEnabled(false);
        }
    }
    {
        std::lock_guard lock(engine->mutex_);
        engine->RequestSeekLocked(0, true);
    }
    engine->StartThreads();
    return engine;
}

void FfmpegSlotEngine::StartThreads() {
    decodeThread_ = std::thread([this] {
        platform::NameThisThread(yieldsFirst_ ? "sub-decode" : "main-decode");
        DecodeLoop();
    });
    presentThread_ = std::thread([this] {
        platform::NameThisThread(yieldsFirst_ ? "sub-present" : "main-present");
        PresentLoop();
    });
}

FfmpegSlotEngine::~FfmpegSlotEngine() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        stopping_ = true;
        seekRequested_ = true;
        ReleaseClockLocked();
    }
    decodeCv_.notify_all();
    presentCv_.notify_all();
    waitCv_.notify_all();
    if (decodeThread_.joinable()) decodeThread_.join();
    if (presentThread_.joinable()) presentThread_.join();
    queue_.clear();
    lastShown_.reset();
    lastRendered_.reset();
    nativeCache_.reset();
    audio_.reset();
}

// ---- Clock and status ----------------------------------------------------------------------

bool FfmpegSlotEngine::ClockRunsLocked() const {
    return status_ == PresenterStatus::kPlaying || status_ == PresenterStatus::kDraining;
}

double FfmpegSlotEngine::MediaAtLocked(double clockMs) const {
    if (!ClockRunsLocked()) return anchorMediaMs_;
    return anchorMediaMs_ + (clockMs - anchorClockMs_);
}

double FfmpegSlotEngine::MediaNowLocked() const {
    return MediaAtLocked(clock_->NowMs());
}

void FfmpegSlotEngine::HoldClockLocked() {
    if (!holding_) {
        holding_ = true;
        clock_->Hold();
    }
}

void FfmpegSlotEngine::ReleaseClockLocked() {
    if (holding_) {
        holding_ = false;
        clock_->Release();
    }
}

void FfmpegSlotEngine::Enter(PresenterEvent event) {
    const PresenterStatus before = status_;
    status_ = NextStatus(status_, event, playWanted_);
    if (status_ == before) return;
    if (before == PresenterStatus::kPlaying && load_ && !yieldsFirst_) load_->MainStopped();
    if (status_ == PresenterStatus::kDraining) endTimer_ = false;
    if (PicturePending(before) && !PicturePending(status_)) waitCv_.notify_all();
    presentCv_.notify_all();
}

void FfmpegSlotEngine::RequestSeekLocked(int64_t position, bool exact, double keepTimeMs) {
    position = std::clamp<int64_t>(position, 0, std::max<int64_t>(info_.frameCount - 1, 0));
    ++serial_;
    queue_.clear();
    seekTarget_ = position;
    seekExact_ = exact;
    seekRequested_ = true;
    eof_ = false;
    pictureFailed_ = false;
    // A seek stands on its frame; a new start at the clock's time (a change of reading mode)
    // keeps the time, so that the slots stay as far apart as they were.
    seekKeepsTime_ = keepTimeMs >= 0.0;
    anchorMediaMs_ = seekKeepsTime_ ? keepTimeMs : Timeline().StartMs(position);
    anchorClockMs_ = clock_->NowMs();
    Enter(PresenterEvent::kSeek);
    HoldClockLocked();
    if (audio_) audio_->Flush();
    decodeCv_.notify_all();
}

// ---- Commands ------------------------------------------------------------------------------

void FfmpegSlotEngine::Play() {
    std::lock_guard lock(mutex_);
    if (playWanted_) return;
    playWanted_ = true;
    if (status_ == PresenterStatus::kEnded && lastShown_) anchorMediaMs_ = lastShown_->mediaMs;
    anchorClockMs_ = clock_->NowMs();
    Enter(PresenterEvent::kPlay);
}

void FfmpegSlotEngine::Pause() {
    std::unique_lock lock(mutex_);
    if (!playWanted_) return;
    // A picture on its way to the output goes up first: the paused position is on screen
    // when the pause returns.
    waitCv_.wait_for(lock, std::chrono::milliseconds(200), [&] { return !presenting_; });
    // The clock stops at its time, so that both slots stay exactly as far apart as they
    // were; the picture on screen stays, and it is the paused position.
    anchorMediaMs_ = MediaNowLocked();
    playWanted_ = false;
    Enter(PresenterEvent::kPause);
}

void FfmpegSlotEngine::Seek(int64_t position) {
    std::lock_guard lock(mutex_);
    playWanted_ = false;
    RequestSeekLocked(position, true);
}

void FfmpegSlotEngine::SetThinned(bool on) {
    std::lock_guard lock(mutex_);
    if (thinned_ == on) return;
    thinned_ = on;
    // Start again from the clock's position with the new reading mode; playing goes on.
    // Playing key frames only, the first one before the time will do; a paused slot keeps
    // showing exactly the frame of its position.
    const double now = MediaNowLocked();
    RequestSeekLocked(Timeline().PositionAt(now), !on || !playWanted_, now);
}

void FfmpegSlotEngine::SetAudibleVolume(double level) {
    if (audio_) audio_->SetVolume(level);
}

void FfmpegSlotEngine::SetAudioAllowed(bool on) {
    audioAllowed_ = on;
    if (!on && audio_) audio_->Flush();
}

double FfmpegSlotEngine::MediaMs() const {
    std::lock_guard lock(mutex_);
    return MediaNowLocked();
}

double FfmpegSlotEngine::MediaMsAt(double clockMs) const {
    std::lock_guard lock(mutex_);
    return MediaAtLocked(clockMs);
}

PresenterStatus FfmpegSlotEngine::Status() const {
    std::lock_guard lock(mutex_);
    return status_;
}

int64_t FfmpegSlotEngine::Position() const {
    std::lock_guard lock(mutex_);
    // Paused (or ended), the position is the picture on screen.
    const bool still = status_ == PresenterStatus::kReady || status_ == PresenterStatus::kEnded;
    if (still && lastShown_ && lastShown_->serial == serial_) return lastShown_->position;
    const int64_t p = Timeline().PositionAt(MediaNowLocked());
    return std::clamp<int64_t>(p, 0, std::max<int64_t>(info_.frameCount - 1, 0));
}

bool FfmpegSlotEngine::IsPlaying() const {
    std::lock_guard lock(mutex_);
    return playWanted_;
}

bool FfmpegSlotEngine::Ended() const {
    std::lock_guard lock(mutex_);
    return status_ == PresenterStatus::kEnded;
}

void FfmpegSlotEngine::Repaint() {
    std::lock_guard lock(mutex_);
    repaint_ = true;
    presentCv_.notify_all();
}

bool FfmpegSlotEngine::StepFrame() {
    std::lock_guard lock(mutex_);
    if (status_ != PresenterStatus::kReady || playWanted_) return false;
    const int64_t next = lastShown_ && lastShown_->serial == serial_
                             ? lastShown_->position + 1
                             : Timeline().PositionAt(anchorMediaMs_) + 1;
    if (next >= info_.frameCount) return false;
    while (!queue_.empty() && queue_.front().picture->position < next)
        queue_.pop_front();
    if (queue_.empty() && eof_) return false;
    if (!queue_.empty() && queue_.front().picture->position != next) {
        // The frame after the one on screen was left out: decode it again.
        RequestSeekLocked(next, true);
        return true;
    }
    pictureFailed_ = false;
    Enter(PresenterEvent::kStep);
    decodeCv_.notify_all();
    return true;
}

bool FfmpegSlotEngine::WaitForPicture(int timeoutMs) {
    std::unique_lock lock(mutex_);
    const bool done = waitCv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                       [&] { return !PicturePending(status_) || stop_; });
    return done && !PicturePending(status_) && !pictureFailed_;
}

FramePtr FfmpegSlotEngine::CurrentPicture() const {
    DecodedPtr shown;
    {
        std::lock_guard lock(mutex_);
        if (nativeCache_ && nativeOf_ == lastShown_.get()) return nativeCache_;
        shown = lastShown_;
    }
    if (!shown) return nullptr;
    FramePtr picture;
    {
        std::lock_guard readback(readbackMutex_);
        picture = RenderPicture(*shown, {}, readbackConverter_, *readbackPool_);
    }
    std::lock_guard lock(mutex_);
    if (picture && lastShown_ == shown) {
        nativeCache_ = picture;
        nativeOf_ = shown.get();
    }
    return picture;
}

EngineStats FfmpegSlotEngine::Stats() const {
    std::lock_guard lock(mutex_);
    return stats_;
}

// ---- Decoding ------------------------------------------------------------------------------

DecodedPtr FfmpegSlotEngine::TakeFrame(int64_t position, uint64_t serial) {
    auto picture = movie_.TakeCurrent();
    if (!picture) return nullptr;
    picture->position = position;
    picture->mediaMs = Timeline().StartMs(position);
    picture->serial = serial;
    return picture;
}

// Decodes from the key frame before the target and returns the first frame at or after it
// (exact), or the first frame read (not exact). Null when a newer request came in or the
// movie ended first without a frame.
DecodedPtr FfmpegSlotEngine::DecodeSeek(int64_t target, bool exact) {
    uint64_t serial;
    {
        std::lock_guard lock(mutex_);
        serial = serial_;
    }
    int64_t seekFrom = target;
    int64_t backOff = std::max<int64_t>(static_cast<int64_t>(1000.0 / Timeline().FrameMs()), 1);
    int64_t lastSeen = -1;
    const bool keyOnly = movie_.KeyFramesOnly();
    if (exact) movie_.SetKeyFramesOnly(false);
    DecodedPtr result;
    for (int attempt = 0; attempt < 6 && !result; ++attempt) {
        movie_.SeekToKeyFrameBefore(seekFrom);
        bool first = true;
        bool retry = false;
        for (;;) {
            if (seekRequested_.load() || stopping_.load()) {
                movie_.SetKeyFramesOnly(keyOnly);
                return nullptr;
            }
            int64_t pos = 0;
            bool key = false;
            const auto r = movie_.NextFrame(&pos, &key);
            if (r != FfmpegMovie::ReadResult::kFrame) {
                // The movie ended before the target: show the last frame there is.
                if (lastSeen >= 0 && lastSeen < target) {
                    target = lastSeen;
                    seekFrom = lastSeen;
                    retry = true;
                }
                break;
            }
            if (!exact || pos >= target) {
                if (exact && first && pos > target && seekFrom > 0) {
                    // The key frame found lies after the target: look further back.
                    seekFrom = std::max<int64_t>(seekFrom - backOff, 0);
                    backOff *= 2;
                    retry = true;
                    break;
                }
                result = TakeFrame(pos, serial);
                break;
            }
            first = false;
            lastSeen = pos;
        }
        if (!retry) break;
    }
    movie_.SetKeyFramesOnly(keyOnly);
    return result;
}

// The sub camera decodes key frames only while it gives way that far (going back to every
// frame at the next key frame, where the pictures are whole again).
void FfmpegSlotEngine::ApplyDecoderLevel() {
    if (!yieldsFirst_ || !load_ || thinned_) return;
    const bool keyOnly = load_->Level() == SubLevel::kKeyFramesOnly;
    if (keyOnly == movie_.KeyFramesOnly()) return;
    if (keyOnly)
        movie_.SetKeyFramesOnly(true);
    else
        movie_.LeaveKeyFramesOnlyAtNextKey();
}

void FfmpegSlotEngine::DecodeLoop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        decodeCv_.wait(lock, [&] {
            return stop_ || seekTarget_ >= 0 || (!eof_ && queue_.size() < kQueueFrames);
        });
        if (stop_) return;
        if (seekTarget_ >= 0) {
            const int64_t target = seekTarget_;
            const bool exact = seekExact_;
            const bool thinned = thinned_;
            const uint64_t serial = serial_;
            seekTarget_ = -1;
            seekRequested_ = false;
            lock.unlock();
            movie_.SetKeyFramesOnly(thinned);
            DecodedPtr picture = DecodeSeek(target, exact);
            lock.lock();
            if (serial != serial_ || stop_) continue;
            if (!picture) {
                if (seekRequested_) continue;
                eof_ = true;
                pictureFailed_ = true;
                ReleaseClockLocked();
                Enter(PresenterEvent::kPictureFailed);
                waitCv_.notify_all();
                continue;
            }
            queue_.push_back({picture, true, nullptr});
            presentCv_.notify_all();
            continue;
        }
        const uint64_t serial = serial_;
        lock.unlock();
        ApplyDecoderLevel();
        int64_t pos = 0;
        bool key = false;
        const auto r = movie_.NextFrame(&pos, &key);
        DecodedPtr picture;
        if (r == FfmpegMovie::ReadResult::kFrame) picture = TakeFrame(pos, serial);
        lock.lock();
        if (serial != serial_) continue;
        if (r != FfmpegMovie::ReadResult::kFrame) {
            eof_ = true;
            presentCv_.notify_all();
            continue;
        }
        if (!picture) continue;
        queue_.push_back({picture, false, nullptr});
        presentCv_.notify_all();
    }
}

// ---- Presenting ----------------------------------------------------------------------------

void FfmpegSlotEngine::WaitMs(Lock& lock, double ms) {
    presentCv_.wait_for(
        lock, std::chrono::duration<double, std::milli>(std::clamp(ms, 0.0, kLongestWaitMs)));
}

FramePtr FfmpegSlotEngine::Render(const DecodedPicture& picture) {
    return RenderPicture(picture, output_->PresentSize(ShownSize(picture)), converter_, *pool_);
}

void FfmpegSlotEngine::KeepShown(const DecodedPtr& picture, const FramePtr& rendered) {
    lastShown_ = picture;
    lastRendered_ = rendered;
    // A picture handed over at its own size serves the read-back as it is.
    const PlayerSize own = ShownSize(*picture);
    if (rendered && rendered->width == own.width && rendered->height == own.height) {
        nativeCache_ = rendered;
        nativeOf_ = picture.get();
    }
}

void FfmpegSlotEngine::PresentLoop() {
    Lock lock(mutex_);
    while (!stop_) {
        if (repaint_) {
            HandleRepaint(lock);
            continue;
        }
        while (!queue_.empty() && queue_.front().picture->serial != serial_)
            queue_.pop_front();
        switch (status_) {
            case PresenterStatus::kSyncing:
            case PresenterStatus::kStepping:
                SyncOrStep(lock);
                break;
            case PresenterStatus::kPlaying:
                PlayOn(lock);
                break;
            case PresenterStatus::kDraining:
                Drain(lock);
                break;
            case PresenterStatus::kReady:
            case PresenterStatus::kEnded:
                WaitMs(lock, kLongestWaitMs);
                break;
        }
    }
}

void FfmpegSlotEngine::HandleRepaint(Lock& lock) {
    repaint_ = false;
    ++stats_.repaints;
    const DecodedPtr shown = lastShown_;
    const FramePtr rendered = lastRendered_;
    lock.unlock();
    // A window that changed its size gets the picture converted again at the new size.
    FramePtr again;
    if (shown && rendered) {
        const PlayerSize want = output_->PresentSize(ShownSize(*shown));
        if (want.width != rendered->width || want.height != rendered->height)
            again = Render(*shown);
    }
    if (again) {
        PresentInfo info;
        info.wallTime = std::chrono::steady_clock::now();
        info.clockMs = again->mediaMs;
        info.immediate = true;
        output_->Present(again, info);
    } else {
        output_->Repaint();
    }
    lock.lock();
    if (again && lastShown_ == shown) KeepShown(shown, again);
}

// The picture of a seek (syncing) or of a step goes up at once.
void FfmpegSlotEngine::SyncOrStep(Lock& lock) {
    const bool stepping = status_ == PresenterStatus::kStepping;
    if (stepping && !queue_.empty() && lastShown_ && lastShown_->serial == serial_ &&
        queue_.front().picture->position != lastShown_->position + 1) {
        // The frame after the one on screen was left out: decode it again.
        RequestSeekLocked(lastShown_->position + 1, true);
        return;
    }
    if (!queue_.empty() && (stepping || queue_.front().immediate)) {
        Entry entry = std::move(queue_.front());
        queue_.pop_front();
        decodeCv_.notify_all();
        ShowImmediate(lock, std::move(entry));
        return;
    }
    if (stepping && queue_.empty() && eof_) {
        // No frame after the one on screen.
        pictureFailed_ = true;
        Enter(PresenterEvent::kPictureFailed);
        return;
    }
    decodeCv_.notify_all();
    WaitMs(lock, kLongestWaitMs);
}

void FfmpegSlotEngine::ShowImmediate(Lock& lock, Entry entry) {
    const uint64_t serial = serial_;
    const bool stepping = status_ == PresenterStatus::kStepping;
    const DecodedPtr picture = entry.picture;
    lock.unlock();
    const FramePtr frame = entry.rendered ? entry.rendered : Render(*picture);
    lock.lock();
    if (serial != serial_ || stop_) return;  // a newer request came in meanwhile
    if (!frame) {
        pictureFailed_ = true;
        ReleaseClockLocked();
        Enter(PresenterEvent::kPictureFailed);
        return;
    }
    if (playWanted_) anchorClockMs_ = clock_->NowMs();
    if (!seekKeepsTime_ || stepping) anchorMediaMs_ = picture->mediaMs;
    seekKeepsTime_ = false;
    KeepShown(picture, frame);
    ++stats_.immediate;
    PresentInfo info;
    info.wallTime = std::chrono::steady_clock::now();
    info.clockMs = anchorMediaMs_;
    info.immediate = true;
    const bool postReady = !readyPosted_;
    readyPosted_ = true;
    lock.unlock();
    output_->Present(frame, info);
    if (postReady && notify_) notify_->PostAppMessage(WM_APP_SESSION_READY, noticeSerial_, 0);
    lock.lock();
    if (serial != serial_) return;
    // The picture is up: the clock may go on (both slots wait for each other).
    ReleaseClockLocked();
    Enter(PresenterEvent::kPictureUp);
}

// Whether the sub camera leaves this frame out to give the main camera room.
bool FfmpegSlotEngine::Yields(const Entry& entry) {
    if (!yieldsFirst_ || !load_) return false;
    switch (load_->Level()) {
        case SubLevel::kEveryFrame:
            return false;
        case SubLevel::kEverySecondFrame:
            return entry.picture->position % 2 == 1;
        case SubLevel::kKeyFramesOnly:
            return !entry.picture->keyFrame;
    }
    return false;
}

// Converts the front frame while it waits for its time; false when the queue changed meanwhile.
bool FfmpegSlotEngine::PreRender(Lock& lock) {
    const DecodedPtr picture = queue_.front().picture;
    lock.unlock();
    FramePtr frame = Render(*picture);
    lock.lock();
    if (queue_.empty() || queue_.front().picture != picture) return false;
    if (!frame) {
        queue_.pop_front();  // a picture that cannot be converted is not shown
        decodeCv_.notify_all();
        return false;
    }
    queue_.front().rendered = std::move(frame);
    return true;
}

void FfmpegSlotEngine::PlayOn(Lock& lock) {
    if (holding_) {
        WaitMs(lock, kLongestWaitMs);
        return;
    }
    if (queue_.empty()) {
        if (eof_ && seekTarget_ < 0) {
            Enter(PresenterEvent::kOutOfFrames);
            return;
        }
        decodeCv_.notify_all();
        WaitMs(lock, kLongestWaitMs);
        return;
    }
    if (Yields(queue_.front())) {
        queue_.pop_front();
        ++stats_.yielded;
        decodeCv_.notify_all();
        return;
    }
    const bool main = load_ && !yieldsFirst_;
    const double now = MediaNowLocked();
    const double rate = clock_->Rate();
    const Entry& front = queue_.front();
    const FrameDecision d =
        DecideFrame(front.picture->mediaMs - now, ShownMs(front.picture->position), rate);
    if (d.action == FrameAction::kWait) {
        if (!front.rendered) {
            PreRender(lock);
            return;
        }
        WaitMs(lock, d.waitMs);
        return;
    }
    if (yieldsFirst_ && load_) {
        // The sub camera keeps to the main camera's picture on screen.
        const double start = front.picture->mediaMs;
        const SubFit fit = load_->Fit(start, start + ShownMs(front.picture->position));
        if (fit == SubFit::kAhead) {
            WaitMs(lock, kMainWaitMs);
            return;
        }
        if (fit == SubFit::kBehind) {
            queue_.pop_front();
            ++stats_.dropped;
            decodeCv_.notify_all();
            return;
        }
    }
    const bool late = d.action == FrameAction::kPresentLate;
    if (late && queue_.size() > 1 &&
        DecideFrame(queue_[1].picture->mediaMs - now, ShownMs(queue_[1].picture->position), rate)
                .action == FrameAction::kPresentLate) {
        // Already behind by more than a frame: skip to catch up with the clock.
        queue_.pop_front();
        ++stats_.dropped;
        if (main) load_->MainTrouble();
        decodeCv_.notify_all();
        return;
    }
    Entry entry = std::move(queue_.front());
    queue_.pop_front();
    decodeCv_.notify_all();
    const uint64_t serial = serial_;
    FramePtr frame = entry.rendered;
    if (!frame) {
        lock.unlock();
        frame = Render(*entry.picture);
        lock.lock();
        if (serial != serial_ || !frame) return;
        if (status_ != PresenterStatus::kPlaying) {
            // Paused while it was converted: the picture on screen stays.
            queue_.push_front({entry.picture, false, frame});
            return;
        }
    }
    const double start = entry.picture->mediaMs;
    const double end = start + ShownMs(entry.picture->position);
    PresentInfo info;
    if (yieldsFirst_ && load_) {
        // Checked again as the picture goes up (the main camera may have moved on while this
        // one was converted); the time of the check is the time it goes up.
        const SubFit fit = load_->Fit(start, end, &info.wallTime);
        if (fit == SubFit::kAhead) {
            queue_.push_front({entry.picture, false, frame});
            WaitMs(lock, kMainWaitMs);
            return;
        }
        if (fit == SubFit::kBehind) {
            ++stats_.dropped;
            return;
        }
    } else if (main) {
        info.wallTime = load_->MainShown(start, end);
    } else {
        info.wallTime = std::chrono::steady_clock::now();
    }
    info.clockMs = MediaNowLocked();
    info.lateMs = info.clockMs - start;
    info.late = late;
    ++stats_.presented;
    if (late) {
        ++stats_.late;
        stats_.maxLateMs = std::max(stats_.maxLateMs, info.lateMs);
        if (main) load_->MainTrouble();
    }
    KeepShown(entry.picture, frame);
    presenting_ = true;
    lock.unlock();
    output_->Present(frame, info);
    lock.lock();
    presenting_ = false;
    waitCv_.notify_all();
}

// Playing past the last frame: it stays its time, then the end is announced.
void FfmpegSlotEngine::Drain(Lock& lock) {
    if (!queue_.empty()) {
        WaitMs(lock, kLongestWaitMs);
        return;
    }
    const bool current = lastShown_ && lastShown_->serial == serial_;
    const double lastEnd = current
                               ? lastShown_->mediaMs + Timeline().DurationMs(lastShown_->position)
                               : anchorMediaMs_;
    const auto wall = std::chrono::steady_clock::now();
    if (!endTimer_) {
        const double now = MediaNowLocked();
        if (now < lastEnd) {
            WaitMs(lock, lastEnd - now);
            return;
        }
        endTimer_ = true;
        endAt_ = wall + kEndNoticeDelay;
    }
    if (wall < endAt_) {
        presentCv_.wait_until(lock, endAt_);
        return;
    }
    // The end of the recording: stay on the last picture.
    if (current) anchorMediaMs_ = lastShown_->mediaMs;
    playWanted_ = false;
    Enter(PresenterEvent::kLastFrameOver);
    lock.unlock();
    if (notify_) notify_->PostAppMessage(WM_APP_SESSION_ENDED, noticeSerial_, 0);
    lock.lock();
}

}  // namespace quorva
