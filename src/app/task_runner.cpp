#include "app/task_runner.h"

#include <algorithm>

namespace quorva {

TaskRunner::TaskRunner(TaskRunnerView& view, QObject* receiver)
    : view_(view), target_(receiver), task_(&target_) {}

TaskFunction TaskRunner::TaskFor(int commandId) const {
    return factory_ ? factory_(commandId) : TaskFunction();
}

bool TaskRunner::Start(TaskFunction task, uint32_t endMessage) {
    if (!task || task_.Busy() || task_.HasThread()) return false;
    view_.ShowTaskProgress();
    view_.EnableTaskControls(false);
    if (!task_.Start(std::move(task), endMessage)) {
        view_.EnableTaskControls(true);
        view_.HideTaskProgress();
        return false;
    }
    return true;
}

bool TaskRunner::Finish() {
    const bool hadTask = task_.HasThread();
    const bool succeeded = task_.Finish();
    if (succeeded) view_.ShowTaskCompleted();
    if (hadTask) view_.EnableTaskControls(true);
    return succeeded;
}

void TaskRunner::OnProgress(uintptr_t done, intptr_t total) {
    view_.SetTaskProgress(ProgressPercent(done, total));
}

bool TaskRunner::HasTaskFor(int commandId) const {
    return factory_ && std::find(commands_.begin(), commands_.end(), commandId) != commands_.end();
}

}  // namespace quorva
