#include "app/worker_task.h"

#include <algorithm>

namespace quorva {

void TaskControl::Progress(uint64_t done, uint64_t total) {
    if (!target_) return;
    // Counts beyond the message's range are brought down together, keeping the ratio.
    while (total > static_cast<uint64_t>(INTPTR_MAX)) {
        total >>= 1;
        done >>= 1;
    }
    target_->PostAppMessage(WM_APP_PROGRESS, static_cast<uintptr_t>(done),
                            static_cast<intptr_t>(total));
    if (observer_) observer_(*this, done, total);
}

int ProgressPercent(uintptr_t done, intptr_t total) {
    if (total <= 0) return 100;
    // 128-bit arithmetic: done x 100 cannot overflow.
    const unsigned __int128 percent =
        static_cast<unsigned __int128>(done) * 100u / static_cast<unsigned __int128>(total);
    return static_cast<int>(std::min<unsigned __int128>(percent, 100));
}

WorkerTask::~WorkerTask() {
    Finish();
}

bool WorkerTask::Start(TaskFunction task, uint32_t endMessage) {
    if (!task || thread_.joinable()) return false;
    control_.succeeded_.store(false);
    control_.busy_.store(true);
    thread_ = std::thread([this, task = std::move(task), endMessage] {
        const intptr_t result = task(control_);
        control_.busy_.store(false);
        if (control_.target_) control_.target_->PostAppMessage(endMessage, 0, result);
    });
    return true;
}

bool WorkerTask::Finish() {
    control_.busy_.store(false);
    if (thread_.joinable()) thread_.join();
    return control_.succeeded_.exchange(false);
}

}  // namespace quorva
