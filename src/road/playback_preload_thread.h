// One background preload of drive data: a joinable thread that is always joined, before a
// new one starts and when its owner goes.
#pragma once

#include <functional>
#include <thread>
#include <utility>

namespace quorva {

class PlaybackPreloadThread {
  public:
    PlaybackPreloadThread() = default;
    ~PlaybackPreloadThread() { Join(); }
    PlaybackPreloadThread(const PlaybackPreloadThread&) = delete;
    PlaybackPreloadThread& operator=(const PlaybackPreloadThread&) = delete;

    // Waits for the previous work, then runs this one.
    void Start(std::function<void()> work) {
        Join();
        thread_ = std::thread(std::move(work));
    }
    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    bool Started() const { return thread_.joinable(); }

  private:
    std::thread thread_;
};

}  // namespace quorva
