// The main slot's sound through Qt Multimedia: a QAudioSink in pull mode on a thread of its
// own (it needs an event loop), fed from an AudioSyncQueue read in step with the slot's media
// time.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>

#include <vector>

#include "player/audio_renderer.h"
#include "player/audio_sync_queue.h"

namespace quorva {

namespace {

// The sink pulls from the queue through this device.
class SampleQueue : public QIODevice {
  public:
    SampleQueue(int sampleRate, int channels, std::function<double()> mediaNow,
                std::function<bool()> playing)
        : queue_(sampleRate, channels),
          mediaNow_(std::move(mediaNow)),
          playing_(std::move(playing)) {}

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return 4096 + QIODevice::bytesAvailable(); }
    AudioSyncQueue& queue() { return queue_; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const size_t count = static_cast<size_t>(maxSize) / sizeof(int16_t);
        queue_.Read(reinterpret_cast<int16_t*>(data), count, mediaNow_(), playing_());
        return static_cast<qint64>(count * sizeof(int16_t));
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    AudioSyncQueue queue_;
    std::function<double()> mediaNow_;
    std::function<bool()> playing_;
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
        if (queue_) queue_->queue().Push(samples, frames, mediaMs);
    }
    void Flush() override {
        if (queue_) queue_->queue().Clear();
    }
    void SetVolume(double level) override {
        volume_ = level;
        if (!thread_) return;
        QMetaObject::invokeMethod(context_, [this, level] {
            if (sink_) sink_->setVolume(level);
        });
    }

    void SetChannelLevels(const std::vector<float>& levels) override {
        if (queue_) queue_->queue().SetLevels(levels);
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
