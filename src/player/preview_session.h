// The hover preview's player (CMFSession): one small picture of a recording, independent of
// the two player slots, with its own clock and no drive data. Its engine's notices arrive at
// the preview window as message kPreviewSessionEvent (wParam = the session, lParam = the
// event) and are handled there on the user-interface thread by HandleEvent.
//
// Unlike the rule it replaces, the preview shows the movie's picture whatever the number of
// streams (our movies carry their picture in stream 0 beside a sound stream).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "appcore/app_messages.h"
#include "player/ffmpeg_slot_engine.h"
#include "player/presentation_clock.h"
#include "player/video_output.h"

namespace quorva {

constexpr uint32_t kPreviewSessionEvent = 0x1401;

// Session events carried in lParam.
enum PreviewEvent : intptr_t {
    kPreviewTopologyReady = 111,     // the movie can be played
    kPreviewEndOfPresentation = 211  // playback reached the end
};

// Result codes of the operations that return one.
constexpr int32_t kPreviewOk = 0;
constexpr int32_t kPreviewAbort = static_cast<int32_t>(0x80004004);
constexpr int32_t kPreviewFail = static_cast<int32_t>(0x80004005);
constexpr int32_t kPreviewUnsupportedRate = static_cast<int32_t>(0xC00D3E86);

class CMFSession {
  public:
    enum Flags : uint32_t {
        kOpen = 0x1,
        kPlaying = 0x2,
        kPaused = 0x4,
        kLoop = 0x8,
        kHasAudio = 0x100,
        kHasVideo = 0x200,
    };

    // output: the preview window's picture; window: receives kPreviewSessionEvent.
    CMFSession(VideoOutput* output, AppMessageTarget* window);
    ~CMFSession();
    CMFSession(const CMFSession&) = delete;
    CMFSession& operator=(const CMFSession&) = delete;

    int32_t OpenURL(const std::string& path);
    int Close();
    int32_t Play(bool loop);
    int32_t Stop();
    bool IsPlaying() const { return (flags_ & kPlaying) != 0; }
    int32_t TogglePause();
    int32_t SkipForward(int64_t ms);
    int32_t SkipBack(int64_t ms);
    int32_t SeekMs(int64_t ms);
    int32_t SeekRelative(int64_t offset100ns);
    int32_t SeekAbsolute(int64_t time100ns);
    int32_t SetRate(float rate);
    int SetBalance(int balance);  // -1000..1000; 1 applied, 0 refused
    int SetVolume(int volume);    // 0..1000; 1 applied, 0 refused
    int64_t GetDurationMs() const { return duration_ / 10000; }
    int64_t GetDuration() const { return duration_; }
    int GetVideoSize(int* width, int* height) const;
    bool HasVideo() const { return (flags_ & kHasVideo) != 0; }
    bool HasAudio() const { return (flags_ & kHasAudio) != 0; }
    // Places the picture at the point with the given size (the native size when 0 x 0).
    int SetVideoPosition(int x, int y, int width, int height);
    int32_t Repaint();
    // Processes one event posted to the preview window. 1 when nothing failed.
    int HandleEvent(intptr_t event);

    uint32_t Flags() const { return flags_; }
    float Volume() const { return volume_; }
    float Balance() const { return balance_; }
    // The position in 100-nanosecond units (the frame on screen).
    int64_t CurrentTime() const;
    FfmpegSlotEngine* Engine() { return engine_.get(); }

  private:
    class Relay : public AppMessageTarget {
      public:
        Relay(CMFSession* session, AppMessageTarget* window) : session_(session), window_(window) {}
        void PostAppMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) override;

      private:
        CMFSession* session_;
        AppMessageTarget* window_;
    };
    void ApplyLevels();

    VideoOutput* output_;
    Relay relay_;
    PresentationClock clock_;
    AudioRenderer* audio_ = nullptr;  // owned by the engine
    std::unique_ptr<FfmpegSlotEngine> engine_;
    uint32_t flags_ = 0;
    int64_t duration_ = 0;  // 100 ns
    float volume_ = 1.0f;
    float balance_ = 0.0f;
};

}  // namespace quorva
