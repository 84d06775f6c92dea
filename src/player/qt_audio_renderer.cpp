// The main slot's sound through Qt Multimedia: a QAudioSink in pull mode on a thread of its
// own (it needs an event loop), fed from a queue of decoded samples that is read in step with
// the slot's media time: samples that are due are played, samples still ahead wait (silence),
// samples left behind are dropped.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>

#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

#include "player/audio_renderer.h"

namespace quorva {

namespace {

constexpr double kMaxQueuedMs = 3000.0;
constexpr double kAheadToleranceMs = 20.0;

struct AudioChunk {
    double mediaMs = 0.0;
    std::vector<int16_t> samples;  // interleaved
    size_t read = 0;               // samples already handed out
};

class SampleQueue : public QIODevice {
  public:
    SampleQueue(int sampleRate, int channels, std::function<double()> mediaNow,
                std::function<bool()> playing)
        : rate_(sampleRate),
          channels_(channels),
          mediaNow_(std::move(mediaNow)),
          playing_(std::move(playing)) {}

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return 4096 + QIODevice::bytesAvailable(); }

    void Push(const int16_t* samples, int frames, double mediaMs) {
        std::lock_guard lock(mutex_);
        AudioChunk chunk;
        chunk.mediaMs = mediaMs;
        chunk.samples.assign(samples, samples + static_cast<size_t>(frames) * channels_);
        queued_ += frames * 1000.0 / rate_;
        chunks_.push_back(std::move(chunk));
        while (queued_ > kMaxQueuedMs && !chunks_.empty())
            Drop();
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        chunks_.clear();
        queued_ = 0.0;
    }
    void SetLevels(const std::vector<float>& levels) {
        std::lock_guard lock(mutex_);
        levels_ = levels;
    }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const size_t want = static_cast<size_t>(maxSize) / sizeof(int16_t);
        auto* out = reinterpret_cast<int16_t*>(data);
        std::fill(out, out + want, int16_t(0));
        const bool playing = playing_();
        const double now = mediaNow_();
        std::lock_guard lock(mutex_);
        if (!playing) return static_cast<qint64>(want * sizeof(int16_t));
        size_t written = 0;
        while (written < want && !chunks_.empty()) {
            AudioChunk& c = chunks_.front();
            const double at = c.mediaMs + (c.read / channels_) * 1000.0 / rate_;
            const double end = c.mediaMs + (c.samples.size() / channels_) * 1000.0 / rate_;
            if (c.mediaMs >= 0 && end < now - 100.0) {  // left behind: drop it
                Drop();
                continue;
            }
            if (c.mediaMs >= 0 && at > now + kAheadToleranceMs) break;  // not yet due
            const size_t n = std::min(want - written, c.samples.size() - c.read);
            std::memcpy(out + written, c.samples.data() + c.read, n * sizeof(int16_t));
            if (!levels_.empty()) {
                for (size_t k = 0; k < n; ++k) {
                    const size_t channel = (c.read + k) % channels_;
                    if (channel < levels_.size())
                        out[written + k] =
                            static_cast<int16_t>(out[written + k] * levels_[channel]);
                }
            }
            c.read += n;
            written += n;
            if (c.read >= c.samples.size()) Drop();
        }
        return static_cast<qint64>(want * sizeof(int16_t));
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    void Drop() {
        const AudioChunk& c = chunks_.front();
        queued_ -= (c.samples.size() / channels_) * 1000.0 / rate_;
        chunks_.pop_front();
    }
    const int rate_;
    const int channels_;
    std::function<double()> mediaNow_;
    std::function<bool()> playing_;
    std::mutex mutex_;
    std::deque<AudioChunk> chunks_;
    std::vector<float> levels_;
    double queued_ = 0.0;
};

class QtAudioRenderer : public AudioRenderer {
  public:
    ~QtAudioRenderer() override {
        if (thread_) {
            QMetaObject::invokeMethod(
                context_,
                [this] {
                    if (sink_) sink_->stop();
                    delete sink_;
                    sink_ = nullptr;
                },
                Qt::BlockingQueuedConnection);
            thread_->quit();
            thread_->wait();
            delete context_;
            delete thread_;
        }
    }

    bool Start(int sampleRate, int channels, std::function<double()> mediaNowMs,
               std::function<bool()> playing) override {
        if (!QCoreApplication::instance() || sampleRate <= 0 || channels <= 0) return false;
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return false;
        QAudioFormat format;
        format.setSampleRate(sampleRate);
        format.setChannelCount(channels);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format)) return false;
        queue_ = std::make_unique<SampleQueue>(sampleRate, channels, std::move(mediaNowMs),
                                               std::move(playing));
        queue_->open(QIODevice::ReadOnly);
        thread_ = new QThread;
        thread_->setObjectName("quorva-audio");
        context_ = new QObject;
        context_->moveToThread(thread_);
        queue_->moveToThread(thread_);
        thread_->start();
        bool ok = false;
        QMetaObject::invokeMethod(
            context_,
            [&] {
                sink_ = new QAudioSink(device, format);
                sink_->setVolume(volume_);
                sink_->start(queue_.get());
                ok = sink_->error() == QAudio::NoError;
            },
            Qt::BlockingQueuedConnection);
        return ok;
    }

    void Write(const int16_t* samples, int frames, double mediaMs) override {
        if (queue_) queue_->Push(samples, frames, mediaMs);
    }
    void Flush() override {
        if (queue_) queue_->Clear();
    }
    void SetVolume(double level) override {
        volume_ = level;
        if (!thread_) return;
        QMetaObject::invokeMethod(context_, [this, level] {
            if (sink_) sink_->setVolume(level);
        });
    }

    void SetChannelLevels(const std::vector<float>& levels) override {
        if (queue_) queue_->SetLevels(levels);
    }

  private:
    std::unique_ptr<SampleQueue> queue_;
    QThread* thread_ = nullptr;
    QObject* context_ = nullptr;
    QAudioSink* sink_ = nullptr;
    double volume_ = 0.0;
};

}  // namespace

std::unique_ptr<AudioRenderer> CreateQtAudioRenderer() {
    if (!QCoreApplication::instance()) return nullptr;
    return std::make_unique<QtAudioRenderer>();
}

}  // namespace quorva
