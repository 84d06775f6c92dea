// Where the main slot's sound goes. Writes come from the slot's decode thread with the media
// time of their first sample; the renderer plays them in step with the slot's media time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace quorva {

class AudioRenderer {
  public:
    virtual ~AudioRenderer() = default;
    // Prepares the output for the format; false when there is no usable output device.
    virtual bool Start(int sampleRate, int channels, std::function<double()> mediaNowMs,
                       std::function<bool()> playing) = 0;
    virtual void Write(const int16_t* samples, int frames, double mediaMs) = 0;
    virtual void Flush() = 0;                  // drop everything queued (seek)
    virtual void SetVolume(double level) = 0;  // 0..1
    // Per-channel gains (0..1) applied before the volume; channels beyond the list keep 1.
    virtual void SetChannelLevels(const std::vector<float>& levels) = 0;
};

// The renderer on Qt Multimedia; null when the application has no audio output device (the
// movie then plays without sound).
std::unique_ptr<AudioRenderer> CreateQtAudioRenderer();

}  // namespace quorva
