// The playback engine of one player slot on FFmpeg: a decode thread (demux, decode, convert to
// 32-bit pixels) and a presenter thread that shows each frame against the shared presentation
// clock (a quarter frame late at most, three quarters of a frame early at most).
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
#include "player/ffmpeg_movie.h"
#include "player/presentation_clock.h"
#include "player/video_output.h"

namespace quorva {

struct EngineOptions {
    VideoOutput* output = nullptr;       // where pictures go (required)
    AppMessageTarget* notify = nullptr;  // receives WM_APP_SESSION_READY / _ENDED
    uintptr_t noticeSerial = 0;          // wParam of those notices: which open they belong to
    PresentationClock* clock = nullptr;  // shared by the slots (required)
    double frameMs = 0.0;   // ms per frame from the movie header; 0 takes the stream's rate
    int decodeThreads = 0;  // 0: chosen from the machine
    std::unique_ptr<AudioRenderer> audio;  // the main slot's sound, or null
};

struct EngineStats {
    int64_t presented = 0;  // frames shown at their time (not counting seeks and steps)
    int64_t late = 0;       // of those, more than a quarter frame late
    int64_t dropped = 0;    // frames skipped because the next one was already due
    int64_t immediate = 0;  // pictures shown at once after a seek or a step
    int64_t repaints = 0;
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
    double FrameMs() const { return frameMs_; }
    int64_t FrameCount() const { return info_.frameCount; }

    void Play();
    void Pause();
    // Shows frame n exactly and leaves the engine paused (asynchronous: see WaitForPicture).
    void Seek(int64_t position);
    // The playback rate, from the shared clock; above 2.0 the engine shows key frames only.
    void SetThinned(bool on);
    void SetAudibleVolume(double level);
    void SetAudioAllowed(bool on);  // sound only at the normal rate

    int64_t Position() const;  // the frame at the slot's media time
    double MediaMs() const;    // the slot's media time
    bool IsPlaying() const;
    bool Ended() const;
    void Repaint();
    // Shows the next frame while paused; false when playing or at the end.
    bool StepFrame();
    // Waits until the picture asked for by the last seek or step (or the open) is shown;
    // false on time-out or when it could not be decoded.
    bool WaitForPicture(int timeoutMs);
    FramePtr CurrentPicture() const;
    EngineStats Stats() const;
    AudioRenderer* Audio() const { return audio_.get(); }  // null: the movie plays silently

  private:
    struct Entry {
        FramePtr frame;
        bool immediate = false;
    };
    FfmpegSlotEngine() = default;
    void StartThreads();
    void DecodeLoop();
    void PresentLoop();
    FramePtr DecodeSeek(int64_t target, bool exact);
    FramePtr ConvertFrame(int64_t position, uint64_t serial);
    void RequestSeekLocked(int64_t position, bool exact, double keepTimeMs = -1.0);
    double MediaNowLocked() const;
    void HoldClockLocked();
    void ReleaseClockLocked();

    FfmpegMovie movie_;  // used by the decode thread only once the threads run
    MovieInfo info_;
    double frameMs_ = 33.3667;
    std::shared_ptr<FramePool> pool_ = FramePool::Create();
    VideoOutput* output_ = nullptr;
    AppMessageTarget* notify_ = nullptr;
    uintptr_t noticeSerial_ = 0;
    PresentationClock* clock_ = nullptr;
    std::unique_ptr<AudioRenderer> audio_;

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
    bool pendingPicture_ = false;  // a seek or step picture is on its way
    bool pictureFailed_ = false;
    bool stepRequested_ = false;
    bool settle_ = false;  // paused away from the shown picture: bring it to the position
    bool holding_ = false;
    bool readyPosted_ = false;
    bool playing_ = false;
    bool ended_ = false;
    bool endPending_ = false;
    std::chrono::steady_clock::time_point endAt_;
    bool repaint_ = false;
    double anchorMediaMs_ = 0.0;
    double anchorClockMs_ = 0.0;
    FramePtr lastPresented_;
    FramePtr previousPresented_;
    EngineStats stats_;
    std::atomic<bool> audioAllowed_{true};

    std::thread decodeThread_;
    std::thread presentThread_;
};

}  // namespace quorva
