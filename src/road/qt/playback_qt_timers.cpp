#include "road/qt/playback_qt_timers.h"

namespace quorva {

QtPlaybackTimers::QtPlaybackTimers(QObject* parent) : QObject(parent) {}

QtPlaybackTimers::~QtPlaybackTimers() {
    for (auto& [id, timer] : timers_)
        timer->stop();
}

void QtPlaybackTimers::SetHandler(std::function<void(int id)> handler) {
    handler_ = std::move(handler);
}

void QtPlaybackTimers::Start(int id, int intervalMs) {
    std::unique_ptr<QTimer>& timer = timers_[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        // The playback tick keeps its 30 ms; the coarse default would let it drift by 5 %.
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, this, [this, id] {
            if (handler_) handler_(id);
        });
    }
    timer->start(intervalMs);
}

void QtPlaybackTimers::Kill(int id) {
    auto it = timers_.find(id);
    if (it != timers_.end()) it->second->stop();
}

bool QtPlaybackTimers::IsRunning(int id) const {
    auto it = timers_.find(id);
    return it != timers_.end() && it->second->isActive();
}

}  // namespace quorva
