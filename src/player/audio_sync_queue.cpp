#include "player/audio_sync_queue.h"

#include <algorithm>
#include <cstring>

namespace quorva {

void AudioSyncQueue::Push(const int16_t* samples, int frames, double mediaMs) {
    if (frames <= 0 || rate_ <= 0 || channels_ <= 0) return;
    std::lock_guard lock(mutex_);
    Chunk chunk;
    chunk.mediaMs = mediaMs;
    chunk.samples.assign(samples, samples + static_cast<size_t>(frames) * channels_);
    queued_ += MsOf(chunk.samples.size());
    chunks_.push_back(std::move(chunk));
    while (queued_ > kMaxQueuedMs && !chunks_.empty())
        DropFront();
}

void AudioSyncQueue::Clear() {
    std::lock_guard lock(mutex_);
    chunks_.clear();
    queued_ = 0.0;
}

void AudioSyncQueue::SetLevels(const std::vector<float>& levels) {
    std::lock_guard lock(mutex_);
    levels_ = levels;
}

double AudioSyncQueue::QueuedMs() const {
    std::lock_guard lock(mutex_);
    return queued_;
}

void AudioSyncQueue::DropFront() {
    queued_ -= MsOf(chunks_.front().samples.size() - chunks_.front().read);
    chunks_.pop_front();
}

size_t AudioSyncQueue::Read(int16_t* out, size_t count, double nowMs, bool playing) {
    std::fill(out, out + count, int16_t(0));
    if (!playing || channels_ <= 0) return 0;
    std::lock_guard lock(mutex_);
    size_t written = 0;
    while (written < count && !chunks_.empty()) {
        Chunk& c = chunks_.front();
        // The sample written at this place of the buffer sounds this much later.
        const double playAt = nowMs + MsOf(written);
        const bool timed = c.mediaMs >= 0.0;
        const double at = c.mediaMs + MsOf(c.read);
        const double end = c.mediaMs + MsOf(c.samples.size());
        if (timed && end < playAt - kBehindLimitMs) {  // left behind
            DropFront();
            continue;
        }
        if (timed && at > playAt + kAheadToleranceMs) break;  // not due yet
        const size_t n = std::min(count - written, c.samples.size() - c.read);
        std::memcpy(out + written, c.samples.data() + c.read, n * sizeof(int16_t));
        if (!levels_.empty()) {
            for (size_t k = 0; k < n; ++k) {
                const size_t channel = (c.read + k) % channels_;
                if (channel < levels_.size())
                    out[written + k] = static_cast<int16_t>(out[written + k] * levels_[channel]);
            }
        }
        c.read += n;
        written += n;
        queued_ -= MsOf(n);
        if (c.read >= c.samples.size()) chunks_.pop_front();
    }
    return written;
}

}  // namespace quorva
