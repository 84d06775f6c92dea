// The main window's worker-task runner: one long task at a time (CSV export, joined movie,
// delete) on its own thread, with the progress bar shown over the main movie view, every
// control but cancel and close disabled while it runs, its progress from WM_APP_PROGRESS,
// and the completion message once after a task that succeeded.
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <vector>

#include "app/worker_task.h"
#include "appcore/app_messages.h"
#include "platform/qt/app_message_event.h"

namespace quorva {

// Makes the worker task of a command (CSV export, joined movie, delete); an empty function
// when the command has no task.
using TaskFactory = std::function<TaskFunction(int commandId)>;

// What the runner drives on the window.
class TaskRunnerView {
  public:
    virtual ~TaskRunnerView() = default;
    // The progress bar placed over the main movie view, at 0 of 100, shown.
    virtual void ShowTaskProgress() = 0;
    virtual void SetTaskProgress(int percent) = 0;
    virtual void HideTaskProgress() = 0;
    // Every control (false: all but the cancel and close buttons) and back.
    virtual void EnableTaskControls(bool enable) = 0;
    // The completion message of a task that succeeded.
    virtual void ShowTaskCompleted() = 0;
};

class TaskRunner {
  public:
    // Progress and end messages go to receiver (the window); it hands WM_APP_PROGRESS to
    // OnProgress and the end message to Finish.
    TaskRunner(TaskRunnerView& view, QObject* receiver);
    TaskRunner(const TaskRunner&) = delete;
    TaskRunner& operator=(const TaskRunner&) = delete;

    // The factory and the commands it makes tasks for.
    void SetFactory(TaskFactory factory, std::vector<int> commands) {
        factory_ = std::move(factory);
        commands_ = std::move(commands);
    }
    // A factory is installed (the task commands may run).
    bool HasFactory() const { return static_cast<bool>(factory_); }
    // The command has a task: its button may be enabled.
    bool HasTaskFor(int commandId) const;
    // The command's task from the factory; an empty function when there is none.
    TaskFunction TaskFor(int commandId) const;

    // Starts the task with the progress bar and the controls disabled. False, and nothing
    // changed, for an empty task or while another has not been finished.
    bool Start(TaskFunction task, uint32_t endMessage = WM_APP_TASK_DONE);
    // Stops a running task at its next poll, waits for its thread, shows the completion
    // message when it had succeeded and enables the controls again. Answers whether it had
    // succeeded. Safe to call when nothing runs.
    bool Finish();
    void OnProgress(uintptr_t done, intptr_t total);

    bool Busy() const { return task_.Busy(); }
    bool HasThread() const { return task_.HasThread(); }
    void SetProgressObserver(TaskControl::ProgressObserver observer) {
        task_.SetProgressObserver(std::move(observer));
    }

  private:
    TaskRunnerView& view_;
    TaskFactory factory_;
    std::vector<int> commands_;
    QtMessageTarget target_;
    WorkerTask task_;  // last: its thread posts through target_
};

}  // namespace quorva
