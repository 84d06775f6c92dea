// The playback engine of one player slot on FFmpeg: a decode thread (demux, decode) that
// queues the decoder's own pictures, and a presenter thread that shows each frame against
// the shared presentation clock (a quarter frame late at most, three quarters of a frame
// early at most), converting only the pictures it shows, at the size they are shown. The
// presenter is one status with named transitions (presenter_status.h). On a machine that
// cannot keep up, the sub camera's slot leaves frames out first (playback_load.h).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "appcore/app_messages.h"
#include "player/audio_renderer.h"
#include "player/decoded_picture.h"
#include "player/ffmpeg_movie.h"
#include "player/picture_converter.h"
#include "player/playback_load.h"
#include "player/presentation_clock.h"
#include "player/presenter_status.h"
#include "player/video_output.h"

namespace quorva {

struct EngineOptions {
    VideoOutput* output = nullptr;       // where pictures go (required)
    AppMessageTarget* notify = nullptr;  // receives WM_APP_SESSION_READY / _ENDED
    uintptr_t noticeSerial = 0;          // wParam of those notices: which open they belong to
    PresentationClock* clock = nullptr;  // shared by the slots (required)
    // ms per frame the slot took from the movie (used at a constant frame rate); 0 takes the
    // video track's own.
    double frameMs = 0.0;
    int decodeThreads = 0;                 // 0: chosen from the machine
    std::unique_ptr<AudioRenderer> audio;  // the main slot's sound, or null
    // Shared by the slots: the main camera reports its late frames there, the sub camera
    // (yieldsFirst) leaves frames out by it. Null: every frame is shown.
    PlaybackLoad* load = nullptr;
    bool yieldsFirst = false;
};

struct EngineStats {
    int64_t presented = 0;  // frames shown at their time (not counting seeks and steps)
    int64_t late = 0;       // of those, more than a quarter frame late
    int64_t dropped = 0;    // frames skipped because the next one was already due
    int64_t immediate = 0;  // pictures shown at once after a seek or a step
    int64_t repaints = 0;
    int64_t yielded = 0;  // frames the sub camera left out to give the main camera room
    double maxLateMs = 0.0;
};

class FfmpegSlotEngine {
  public:
    // Opens the movie and starts the threads; the first picture (frame 0) follows, then the
    // ready notification. Null (with a reason) when the movie cannot be decoded.
    static std::unique_ptr<FfmpegSlotEngine> Open(const std::string& path, EngineOptions options,
                                                  std::string* error);
    ~FfmpegSlotEngine();  // stops and joins both threads

    const MovieInfo& Info() const { return info_; }
    double FrameMs() const { return info_.timeline.FrameMs(); }
    int64_t FrameCount() const { return info_.frameCount; }
    // Where each frame starts (position n is frame n in presentation order).
    const FrameTimeline& Timeline() const { return info_.timeline; }

    void Play();
    void Pause();
    // Shows frame n exactly and leaves the engine paused (asynchronous: see WaitForPicture).
    void Seek(int64_t position);
    // The playback rate, from the shared clock; above 2.0 the engine shows key frames only.
    void SetThinned(bool on);
    void SetAudibleVolume(double level);
    void SetAudioAllowed(bool on);  // sound only at the normal rate

    // The frame at the slot's media time; paused, the frame on screen.
    int64_t Position() const;
    double MediaMs() const;  // the slot's media time
    // The slot's media time when the shared clock reads clockMs (both slots read at one
    // clock sample stay comparable).
    double MediaMsAt(double clockMs) const;
    PresenterStatus Status() const;
    bool IsPlaying() const;
    bool Ended() const;
    void Repaint();
    // Shows the frame after the one on screen while paused; false when playing or at the end.
    bool StepFrame();
    // Waits until the picture asked for by the last seek or step (or the open) is shown;
    // false on time-out or when it could not be decoded.
    bool WaitForPicture(int timeoutMs);
    // The picture on screen at the movie's own size (turned upright), for read-back.
    FramePtr CurrentPicture() const;
    EngineStats Stats() const;
    AudioRenderer* Audio() const { return audio_.get(); }  // null: the movie plays silently

  private:
    struct Entry {
        DecodedPtr picture;
        bool immediate = false;  // the picture of a seek: shown at once
        FramePtr rendered;       // converted ahead of its time, at the output's size
    };
    using Lock = std::unique_lock<std::mutex>;
    FfmpegSlotEngine() = default;
    void StartThreads();
    void DecodeLoop();
    DecodedPtr DecodeSeek(int64_t target, bool exact);
    DecodedPtr TakeFrame(int64_t position, uint64_t serial);
    void ApplyDecoderLevel();

    void PresentLoop();
    void HandleRepaint(Lock& lock);
    void SyncOrStep(Lock& lock);
    void PlayOn(Lock& lock);
    void Drain(Lock& lock);
    void ShowImmediate(Lock& lock, Entry entry);
    bool PreRender(Lock& lock);
    bool Yields(const Entry& entry);
    FramePtr Render(const DecodedPicture& picture);
    void KeepShown(const DecodedPtr& picture, const FramePtr& rendered);
    void Enter(PresenterEvent event);
    void WaitMs(Lock& lock, double ms);

    void RequestSeekLocked(int64_t position, bool exact, double keepTimeMs = -1.0);
    double MediaNowLocked() const;
    double MediaAtLocked(double clockMs) const;
    bool ClockRunsLocked() const;
    double ShownMs(int64_t position) const;  // how long a frame stays up
    void HoldClockLocked();
    void ReleaseClockLocked();

    FfmpegMovie movie_;  // used by the decode thread only once the threads run
    MovieInfo info_;
    std::shared_ptr<FramePool> pool_ = FramePool::Create();
    PictureConverter converter_;  // the presenter thread's
    VideoOutput* output_ = nullptr;
    AppMessageTarget* notify_ = nullptr;
    uintptr_t noticeSerial_ = 0;
    PresentationClock* clock_ = nullptr;
    std::unique_ptr<AudioRenderer> audio_;
    PlaybackLoad* load_ = nullptr;
    bool yieldsFirst_ = false;

    mutable std::mutex mutex_;
    std::condition_variable decodeCv_;
    std::condition_variable presentCv_;
    std::condition_variable waitCv_;
    std::deque<Entry> queue_;
    bool stop_ = false;
    std::atomic<bool> seekRequested_{false};
    std::atomic<bool> stopping_{false};
    int64_t seekTarget_ = -1;
    bool seekExact_ = true;
    bool seekKeepsTime_ = false;
    uint64_t serial_ = 1;
    bool eof_ = false;
    bool thinned_ = false;
    PresenterStatus status_ = PresenterStatus::kSyncing;
    bool playWanted_ = false;  // the user's play or pause
    bool pictureFailed_ = false;
    bool presenting_ = false;  // a playing frame is being handed to the output
    bool holding_ = false;
    bool readyPosted_ = false;
    bool endTimer_ = false;  // draining: the last frame's time is over, the notice waits
    std::chrono::steady_clock::time_point endAt_;
    bool repaint_ = false;
    double anchorMediaMs_ = 0.0;
    double anchorClockMs_ = 0.0;
    DecodedPtr lastShown_;   // the picture on screen
    FramePtr lastRendered_;  // and as it was handed to the output
    EngineStats stats_;
    std::atomic<bool> audioAllowed_{true};

    // Read-back of the picture on screen at its own size (any thread).
    mutable std::mutex readbackMutex_;
    mutable PictureConverter readbackConverter_;
    std::shared_ptr<FramePool> readbackPool_ = FramePool::Create();
    mutable FramePtr nativeCache_;
    mutable const DecodedPicture* nativeOf_ = nullptr;

    std::thread decodeThread_;
    std::thread presentThread_;
};

}  // namespace quorva
