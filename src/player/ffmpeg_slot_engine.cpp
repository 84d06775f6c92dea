#include "player/ffmpeg_slot_engine.h"

#include <algorithm>
#include <chrono>

#include "player/frame_timing.h"

namespace quorva {

namespace {
constexpr size_t kQueueFrames = 6;  // decoded frames kept ahead of the clock
constexpr auto kEndNoticeDelay = std::chrono::milliseconds(200);
constexpr double kLongestWaitMs = 50.0;  // the presenter looks again at least this often
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
                    return self->playing_ && !self->holding_;
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
    decodeThread_ = std::thread([this] { DecodeLoop(); });
    presentThread_ = std::thread([this] { PresentLoop(); });
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
    lastPresented_.reset();
    previousPresented_.reset();
    audio_.reset();
}

double FfmpegSlotEngine::MediaNowLocked() const {
    if (!playing_) return anchorMediaMs_;
    return anchorMediaMs_ + (clock_->NowMs() - anchorClockMs_);
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

void FfmpegSlotEngine::RequestSeekLocked(int64_t position, bool exact, double keepTimeMs) {
    position = std::clamp<int64_t>(position, 0, std::max<int64_t>(info_.frameCount - 1, 0));
    ++serial_;
    queue_.clear();
    seekTarget_ = position;
    seekExact_ = exact;
    seekRequested_ = true;
    eof_ = false;
    ended_ = false;
    endPending_ = false;
    stepRequested_ = false;
    settle_ = false;
    pendingPicture_ = true;
    pictureFailed_ = false;
    // A seek stands on its frame; a new start at the clock's time (a change of reading mode)
    // keeps the time, so that the slots stay as far apart as they were.
    seekKeepsTime_ = keepTimeMs >= 0.0;
    anchorMediaMs_ = seekKeepsTime_ ? keepTimeMs : Timeline().StartMs(position);
    anchorClockMs_ = clock_->NowMs();
    HoldClockLocked();
    if (audio_) audio_->Flush();
    decodeCv_.notify_all();
    presentCv_.notify_all();
}

void FfmpegSlotEngine::Play() {
    std::lock_guard lock(mutex_);
    if (playing_) return;
    if (settle_) {
        settle_ = false;
        pendingPicture_ = false;
        waitCv_.notify_all();
    }
    anchorClockMs_ = clock_->NowMs();
    playing_ = true;
    endPending_ = false;
    presentCv_.notify_all();
}

void FfmpegSlotEngine::Pause() {
    std::lock_guard lock(mutex_);
    if (!playing_) return;
    // Stop at the clock's time (so that both slots stay exactly as far apart as they were)
    // and show the frame of that time: the one on screen may be the next, shown early.
    const double now = MediaNowLocked();
    anchorMediaMs_ = now;
    const bool shown = lastPresented_ && lastPresented_->serial == serial_ && !pendingPicture_ &&
                       lastPresented_->position == Timeline().PositionAt(now);
    if (!shown) {
        settle_ = true;
        pendingPicture_ = true;
        pictureFailed_ = false;
    }
    playing_ = false;
    endPending_ = false;
    presentCv_.notify_all();
}

void FfmpegSlotEngine::Seek(int64_t position) {
    std::lock_guard lock(mutex_);
    if (playing_) playing_ = false;
    RequestSeekLocked(position, true);
}

void FfmpegSlotEngine::SetThinned(bool on) {
    std::lock_guard lock(mutex_);
    if (thinned_ == on) return;
    thinned_ = on;
    // Start again from the clock's position with the new reading mode; playing goes on.
    const double now = MediaNowLocked();
    const bool wasPlaying = playing_;
    // Playing key frames only, the first one before the time will do; a paused slot keeps
    // showing exactly the frame of its position.
    RequestSeekLocked(Timeline().PositionAt(now), !on || !wasPlaying, now);
    playing_ = wasPlaying;
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

int64_t FfmpegSlotEngine::Position() const {
    std::lock_guard lock(mutex_);
    const int64_t p = Timeline().PositionAt(MediaNowLocked());
    return std::clamp<int64_t>(p, 0, std::max<int64_t>(info_.frameCount - 1, 0));
}

bool FfmpegSlotEngine::IsPlaying() const {
    std::lock_guard lock(mutex_);
    return playing_;
}

bool FfmpegSlotEngine::Ended() const {
    std::lock_guard lock(mutex_);
    return ended_;
}

void FfmpegSlotEngine::Repaint() {
    std::lock_guard lock(mutex_);
    repaint_ = true;
    presentCv_.notify_all();
}

bool FfmpegSlotEngine::StepFrame() {
    std::lock_guard lock(mutex_);
    if (playing_ || pendingPicture_ || (eof_ && queue_.empty())) return false;
    stepRequested_ = true;
    pendingPicture_ = true;
    pictureFailed_ = false;
    presentCv_.notify_all();
    return true;
}

bool FfmpegSlotEngine::WaitForPicture(int timeoutMs) {
    std::unique_lock lock(mutex_);
    const bool done = waitCv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                       [&] { return !pendingPicture_ || stop_; });
    return done && !pendingPicture_ && !pictureFailed_;
}

FramePtr FfmpegSlotEngine::CurrentPicture() const {
    std::lock_guard lock(mutex_);
    return lastPresented_;
}

EngineStats FfmpegSlotEngine::Stats() const {
    std::lock_guard lock(mutex_);
    return stats_;
}

FramePtr FfmpegSlotEngine::ConvertFrame(int64_t position, uint64_t serial) {
    auto frame = movie_.ConvertCurrent(*pool_);
    if (!frame) return nullptr;
    frame->position = position;
    frame->mediaMs = Timeline().StartMs(position);
    frame->serial = serial;
    return frame;
}

// Decodes from the key frame before the target and returns the first frame at or after it
// (exact), or the first frame read (not exact). Null when a newer request came in or the
// movie ended first without a frame.
FramePtr FfmpegSlotEngine::DecodeSeek(int64_t target, bool exact) {
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
    FramePtr result;
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
                result = ConvertFrame(pos, serial);
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
            FramePtr frame = DecodeSeek(target, exact);
            lock.lock();
            if (serial != serial_ || stop_) continue;
            if (!frame) {
                if (seekRequested_) continue;
                eof_ = true;
                pendingPicture_ = false;
                pictureFailed_ = true;
                ReleaseClockLocked();
                waitCv_.notify_all();
                presentCv_.notify_all();
                continue;
            }
            queue_.push_back({frame, true});
            presentCv_.notify_all();
            continue;
        }
        const uint64_t serial = serial_;
        lock.unlock();
        int64_t pos = 0;
        bool key = false;
        const auto r = movie_.NextFrame(&pos, &key);
        FramePtr frame;
        if (r == FfmpegMovie::ReadResult::kFrame) frame = ConvertFrame(pos, serial);
        lock.lock();
        if (serial != serial_) continue;
        if (r != FfmpegMovie::ReadResult::kFrame) {
            eof_ = true;
            presentCv_.notify_all();
            continue;
        }
        if (!frame) continue;
        queue_.push_back({frame, false});
        presentCv_.notify_all();
    }
}

void FfmpegSlotEngine::PresentLoop() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        if (repaint_) {
            repaint_ = false;
            ++stats_.repaints;
            lock.unlock();
            output_->Repaint();
            lock.lock();
            continue;
        }
        while (!queue_.empty() && queue_.front().frame->serial != serial_)
            queue_.pop_front();

        const bool stepping = stepRequested_ && !queue_.empty();
        if (!queue_.empty() && (queue_.front().immediate || stepping)) {
            Entry entry = std::move(queue_.front());
            queue_.pop_front();
            stepRequested_ = false;
            if (playing_) anchorClockMs_ = clock_->NowMs();
            if (!seekKeepsTime_ || stepping) anchorMediaMs_ = entry.frame->mediaMs;
            seekKeepsTime_ = false;
            previousPresented_ = lastPresented_;
            lastPresented_ = entry.frame;
            ++stats_.immediate;
            PresentInfo info;
            info.wallTime = std::chrono::steady_clock::now();
            info.clockMs = anchorMediaMs_;
            info.immediate = true;
            const bool postReady = !readyPosted_;
            readyPosted_ = true;
            lock.unlock();
            output_->Present(entry.frame, info);
            if (postReady && notify_)
                notify_->PostAppMessage(WM_APP_SESSION_READY, noticeSerial_, 0);
            lock.lock();
            // The picture is up: the clock may go on (both slots wait for each other).
            pendingPicture_ = false;
            ReleaseClockLocked();
            waitCv_.notify_all();
            decodeCv_.notify_all();
            continue;
        }
        if (stepRequested_ && queue_.empty() && eof_) {
            stepRequested_ = false;
            pendingPicture_ = false;
            pictureFailed_ = true;
            waitCv_.notify_all();
        }
        if (settle_ && !playing_) {
            // Bring the paused picture to the paused position: skip frames before it.
            const int64_t target = Timeline().PositionAt(anchorMediaMs_);
            if (lastPresented_ && lastPresented_->serial == serial_ &&
                lastPresented_->position == target) {
                settle_ = false;
                pendingPicture_ = false;
                waitCv_.notify_all();
                continue;
            }
            if (previousPresented_ && previousPresented_->serial == serial_ &&
                previousPresented_->position == target && lastPresented_ &&
                lastPresented_->position > target) {
                // The next frame went up early: the paused one is the frame before it.
                queue_.push_front({lastPresented_, false});
                lastPresented_ = previousPresented_;
                settle_ = false;
                ++stats_.immediate;
                PresentInfo info;
                info.wallTime = std::chrono::steady_clock::now();
                info.clockMs = anchorMediaMs_;
                info.immediate = true;
                FramePtr frame = lastPresented_;
                lock.unlock();
                output_->Present(frame, info);
                lock.lock();
                pendingPicture_ = false;
                waitCv_.notify_all();
                continue;
            }
            while (queue_.size() > 1 && queue_[1].frame->position <= target) {
                queue_.pop_front();
                decodeCv_.notify_all();
            }
            if (!queue_.empty() && queue_.front().frame->position > target && lastPresented_ &&
                lastPresented_->serial == serial_ && lastPresented_->position < target) {
                // A gap in the movie: the frame before the time stays.
                settle_ = false;
                pendingPicture_ = false;
                waitCv_.notify_all();
                continue;
            }
            if (!queue_.empty() && queue_.front().frame->position > target) {
                // Decoded past the time already: decode the frame again.
                RequestSeekLocked(target, true, anchorMediaMs_);
                continue;
            }
            if (!queue_.empty() &&
                (queue_.size() > 1 || eof_ || queue_.front().frame->position == target)) {
                Entry entry = std::move(queue_.front());
                queue_.pop_front();
                settle_ = false;
                if (entry.frame->position != target) anchorMediaMs_ = entry.frame->mediaMs;
                previousPresented_ = lastPresented_;
                lastPresented_ = entry.frame;
                ++stats_.immediate;
                PresentInfo info;
                info.wallTime = std::chrono::steady_clock::now();
                info.clockMs = anchorMediaMs_;
                info.immediate = true;
                lock.unlock();
                output_->Present(entry.frame, info);
                lock.lock();
                pendingPicture_ = false;
                waitCv_.notify_all();
                decodeCv_.notify_all();
                continue;
            }
            if (queue_.empty() && eof_) {
                settle_ = false;
                pendingPicture_ = false;
                if (lastPresented_) anchorMediaMs_ = lastPresented_->mediaMs;
                waitCv_.notify_all();
                continue;
            }
            decodeCv_.notify_all();
            presentCv_.wait_for(lock, std::chrono::milliseconds(static_cast<int>(kLongestWaitMs)));
            continue;
        }
        if (!playing_ || holding_) {
            presentCv_.wait_for(lock, std::chrono::milliseconds(static_cast<int>(kLongestWaitMs)));
            continue;
        }
        if (queue_.empty()) {
            if (eof_ && seekTarget_ < 0 && !pendingPicture_) {
                const double lastEnd =
                    lastPresented_
                        ? lastPresented_->mediaMs + Timeline().DurationMs(lastPresented_->position)
                        : anchorMediaMs_;
                const double now = MediaNowLocked();
                const auto wall = std::chrono::steady_clock::now();
                if (!endPending_) {
                    if (now < lastEnd) {
                        presentCv_.wait_for(lock, std::chrono::duration<double, std::milli>(
                                                      std::min(lastEnd - now, kLongestWaitMs)));
                        continue;
                    }
                    endPending_ = true;
                    endAt_ = wall + kEndNoticeDelay;
                }
                if (wall < endAt_) {
                    presentCv_.wait_until(lock, endAt_);
                    continue;
                }
                // The end of the recording: stay on the last picture.
                endPending_ = false;
                ended_ = true;
                playing_ = false;
                anchorMediaMs_ = lastPresented_ ? lastPresented_->mediaMs : anchorMediaMs_;
                lock.unlock();
                if (notify_) notify_->PostAppMessage(WM_APP_SESSION_ENDED, noticeSerial_, 0);
                lock.lock();
                continue;
            }
            presentCv_.wait_for(lock, std::chrono::milliseconds(static_cast<int>(kLongestWaitMs)));
            continue;
        }
        const double now = MediaNowLocked();
        const double rate = clock_->Rate();
        const Entry& front = queue_.front();
        const FrameDecision d =
            DecideFrame(front.frame->mediaMs - now, ShownMs(front.frame->position), rate);
        if (d.action == FrameAction::kWait) {
            presentCv_.wait_for(lock, std::chrono::duration<double, std::milli>(
                                          std::min(d.waitMs, kLongestWaitMs)));
            continue;
        }
        const bool late = d.action == FrameAction::kPresentLate;
        if (late && queue_.size() > 1 &&
            DecideFrame(queue_[1].frame->mediaMs - now, ShownMs(queue_[1].frame->position), rate)
                    .action == FrameAction::kPresentLate) {
            // Already behind by more than a frame: skip to catch up with the clock.
            queue_.pop_front();
            ++stats_.dropped;
            decodeCv_.notify_all();
            continue;
        }
        Entry entry = std::move(queue_.front());
        queue_.pop_front();
        PresentInfo info;
        info.wallTime = std::chrono::steady_clock::now();
        info.clockMs = now;
        info.lateMs = now - entry.frame->mediaMs;
        info.late = late;
        ++stats_.presented;
        if (late) {
            ++stats_.late;
            stats_.maxLateMs = std::max(stats_.maxLateMs, info.lateMs);
        }
        previousPresented_ = lastPresented_;
        lastPresented_ = entry.frame;
        decodeCv_.notify_all();
        lock.unlock();
        output_->Present(entry.frame, info);
        lock.lock();
    }
}

}  // namespace quorva
