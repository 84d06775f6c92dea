// The source watcher: a background thread that notices when the current source (a card's
// mount point, a folder or a file) is gone and reports it once through a callback.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace quorva {

class SourceWatcher {
  public:
    using Callback = std::function<void()>;
    using ExistsFn = std::function<bool(const std::string& path)>;

    // Starts the thread. onVanished runs on the watcher's thread (post a message from it,
    // e.g. WM_APP_SOURCE_REMOVED). exists defaults to an existence check of the path.
    explicit SourceWatcher(Callback onVanished, ExistsFn exists = {},
                           std::chrono::milliseconds interval = std::chrono::milliseconds(100));
    ~SourceWatcher();  // stops and joins the thread
    SourceWatcher(const SourceWatcher&) = delete;
    SourceWatcher& operator=(const SourceWatcher&) = delete;

    // The path to watch; "" watches nothing. Clears the vanished flag.
    void Watch(std::string path);

    // The presence test for a source: a card (kind 1) that is mounted at the path (as
    // isVolumeRoot tells) is gone when it is no longer mounted there, even if its mount point
    // stays behind as an empty folder; anything else is gone when the path no longer exists.
    static ExistsFn PresenceTestFor(int kind, const std::string& path,
                                    const std::function<bool(const std::string&)>& isVolumeRoot);
    std::string WatchedPath() const;
    bool Vanished() const;

  private:
    void Run();

    Callback onVanished_;
    ExistsFn exists_;
    const std::chrono::milliseconds interval_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::string path_;
    bool vanished_ = false;
    bool stop_ = false;
    std::thread thread_;  // last: starts after everything it uses
};

}  // namespace quorva
