// The viewer's worker tasks: the CSV list of recordings, the joined movie, the delete and the
// GPS track export. Each asks its questions on the user-interface thread before it starts
// (file selection, output folder, replacing a file), works on the task's thread with files
// only (no widget, no setting), and once its thread has been joined shows its failure
// message and keeps what the viewer remembers (the output folder, the joined marks).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "app/worker_task.h"
#include "container/progress.h"

namespace quorva {

class CquorvaDlg;

// One run of a task.
class ViewerTaskRun {
  public:
    virtual ~ViewerTaskRun() = default;
    // On the task's thread: reports progress, polls the busy flag, marks success; answers
    // the task result.
    virtual intptr_t Work(TaskControl& control) = 0;
    // On the user-interface thread, after the thread has been joined.
    virtual void Finish(CquorvaDlg& window) = 0;
};

class ViewerTasks {
  public:
    explicit ViewerTasks(CquorvaDlg& window) : window_(window) {}

    // The commands that have a task.
    static std::vector<int> Commands();
    // The command's task once its questions are answered; an empty function when the user
    // cancelled or there is nothing to do.
    TaskFunction Make(int commandId);
    // After the end of the task made last (its thread has been joined).
    void AfterTask();

  private:
    CquorvaDlg& window_;
    std::shared_ptr<ViewerTaskRun> run_;
};

// The questions of each task; null when it does not start.
std::shared_ptr<ViewerTaskRun> PrepareCsvExport(CquorvaDlg& window);
std::shared_ptr<ViewerTaskRun> PrepareJoin(CquorvaDlg& window);
std::shared_ptr<ViewerTaskRun> PrepareDelete(CquorvaDlg& window);
// The selected recording, or every recording of the selected group.
std::shared_ptr<ViewerTaskRun> PrepareGpxExport(CquorvaDlg& window, bool wholeGroup);

// The progress callback of the cores, reporting through the task.
ProgressCallback ProgressOf(TaskControl& control);

}  // namespace quorva
