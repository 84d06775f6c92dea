#include "recordings/source_watcher.h"

#include <filesystem>

namespace quorva {

SourceWatcher::SourceWatcher(Callback onVanished, ExistsFn exists,
                             std::chrono::milliseconds interval)
    : onVanished_(std::move(onVanished)), exists_(std::move(exists)), interval_(interval) {
    if (!exists_) {
        exists_ = [](const std::string& path) {
            std::error_code ec;
            return std::filesystem::exists(path, ec);
        };
    }
    thread_ = std::thread([this] { Run(); });
}

SourceWatcher::~SourceWatcher() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

SourceWatcher::ExistsFn SourceWatcher::PresenceTestFor(
    int kind, const std::string& path,
    const std::function<bool(const std::string&)>& isVolumeRoot) {
    auto exists = [](const std::string& p) {
        std::error_code ec;
        return std::filesystem::exists(p, ec);
    };
    if (kind == 1 && isVolumeRoot && isVolumeRoot(path)) {
        return
            [exists, isVolumeRoot](const std::string& p) { return exists(p) && isVolumeRoot(p); };
    }
    return exists;
}

void SourceWatcher::Watch(std::string path) {
    std::lock_guard lock(mutex_);
    path_ = std::move(path);
    vanished_ = false;
}

std::string SourceWatcher::WatchedPath() const {
    std::lock_guard lock(mutex_);
    return path_;
}

bool SourceWatcher::Vanished() const {
    std::lock_guard lock(mutex_);
    return vanished_;
}

void SourceWatcher::Run() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        wake_.wait_for(lock, interval_, [this] { return stop_; });
        if (stop_ || path_.empty()) continue;
        const std::string path = path_;
        lock.unlock();
        const bool present = exists_(path);  // never hold the lock while touching the disk
        lock.lock();
        if (present || stop_ || path_ != path) continue;
        vanished_ = true;
        path_.clear();
        lock.unlock();
        if (onVanished_) onVanished_();
        lock.lock();
    }
}

}  // namespace quorva
