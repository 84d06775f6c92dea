// The main window's playback timers on Qt timers: one QTimer per id, firing until killed.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

#include "road/playback_timers.h"

namespace quorva {

class QtPlaybackTimers : public QObject, public PlaybackTimers {
    Q_OBJECT

  public:
    explicit QtPlaybackTimers(QObject* parent = nullptr);
    ~QtPlaybackTimers() override;

    void SetHandler(std::function<void(int id)> handler) override;
    void Start(int id, int intervalMs) override;
    void Kill(int id) override;
    bool IsRunning(int id) const override;

  private:
    std::function<void(int)> handler_;
    std::map<int, std::unique_ptr<QTimer>> timers_;
};

}  // namespace quorva
