// Decoded sound waiting to be played, handed out in step with the slot's media time:
// samples that are due are played, samples still ahead wait (silence meanwhile), samples
// left behind by more than 100 ms are dropped. Per-channel gains apply on the way out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace quorva {

class AudioSyncQueue {
  public:
    AudioSyncQueue(int sampleRate, int channels) : rate_(sampleRate), channels_(channels) {}

    // frames of interleaved samples starting at mediaMs (negative: unknown time, played in
    // order as soon as asked for).
    void Push(const int16_t* samples, int frames, double mediaMs);
    void Clear();
    void SetLevels(const std::vector<float>& levels);
    // Fills count samples (interleaved) for the media time now; silence where nothing is due
    // or when not playing. Returns the number of real (not silent) samples written.
    size_t Read(int16_t* out, size_t count, double nowMs, bool playing);
    double QueuedMs() const;

    static constexpr double kMaxQueuedMs = 3000.0;
    static constexpr double kAheadToleranceMs = 20.0;
    static constexpr double kBehindLimitMs = 100.0;

  private:
    struct Chunk {
        double mediaMs = 0.0;
        std::vector<int16_t> samples;
        size_t read = 0;
    };
    double MsOf(size_t samples) const { return (samples / channels_) * 1000.0 / rate_; }
    void DropFront();

    const int rate_;
    const int channels_;
    mutable std::mutex mutex_;
    std::deque<Chunk> chunks_;
    std::vector<float> levels_;
    double queued_ = 0.0;
};

}  // namespace quorva
