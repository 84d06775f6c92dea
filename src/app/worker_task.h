// The worker task: one long operation at a time (CSV export, joined movie, delete) on its
// own thread. The task reports progress and its end through application messages to its
// owner window; the owner cancels it by clearing the busy flag, which the task polls. Every
// thread that is started is joined by Finish (or the destructor).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "appcore/app_messages.h"

namespace quorva {

// What a running task sees.
class TaskControl {
  public:
    explicit TaskControl(AppMessageTarget* target) : target_(target) {}

    // False once the owner asked the task to stop; the task polls it and stops early.
    bool Busy() const { return busy_.load(); }
    // The flag itself, for routines that take a "keep running" flag.
    const std::atomic<bool>& BusyFlag() const { return busy_; }
    // Posts WM_APP_PROGRESS (wParam done, lParam total).
    void Progress(uint64_t done, uint64_t total);
    // The task completed its work: the owner shows the completion message.
    void SetSucceeded() { succeeded_.store(true); }
    bool Succeeded() const { return succeeded_.load(); }

    // Called on the task's thread after each progress report (tests pause a task there).
    using ProgressObserver = std::function<void(TaskControl&, uint64_t done, uint64_t total)>;

  private:
    friend class WorkerTask;
    AppMessageTarget* target_;
    ProgressObserver observer_;
    std::atomic<bool> busy_{false};
    std::atomic<bool> succeeded_{false};
};

// The task function; its answer is the task result (lParam of the end message).
using TaskFunction = std::function<intptr_t(TaskControl&)>;

// The percentage the progress bar shows for WM_APP_PROGRESS: 100 when total <= 0, else
// done x 100 / total, kept within 0..100.
int ProgressPercent(uintptr_t done, intptr_t total);

class WorkerTask {
  public:
    explicit WorkerTask(AppMessageTarget* target) : control_(target) {}
    ~WorkerTask();  // finishes a task that still runs
    WorkerTask(const WorkerTask&) = delete;
    WorkerTask& operator=(const WorkerTask&) = delete;

    // Starts the task on a new thread: busy is set, succeeded cleared. When it ends the
    // thread clears busy and posts endMessage (WM_APP_TASK_DONE, or WM_APP_DELETE_DONE for
    // the delete) with the task's result. False, and nothing started, while a task runs
    // (its thread has not been finished yet) or for an empty function.
    bool Start(TaskFunction task, uint32_t endMessage = WM_APP_TASK_DONE);

    // Clears busy (a running task stops at its next poll), waits for the thread without a
    // time-out and answers whether the task had succeeded; the succeeded mark is cleared so
    // that the completion message shows once. Safe to call when nothing runs.
    bool Finish();

    bool Busy() const { return control_.Busy(); }
    // A thread exists that Finish has not joined yet.
    bool HasThread() const { return thread_.joinable(); }
    void SetSucceeded() { control_.SetSucceeded(); }
    void ClearBusy() { control_.busy_.store(false); }
    // Set while no task runs.
    void SetProgressObserver(TaskControl::ProgressObserver observer) {
        control_.observer_ = std::move(observer);
    }
    TaskControl& Control() { return control_; }

  private:
    TaskControl control_;
    std::thread thread_;
};

}  // namespace quorva
