#include "app/viewer_tasks.h"

#include "app/cquorva_dlg.h"

namespace quorva {

std::vector<int> ViewerTasks::Commands() {
    return {ID_EXPORT_CSV, ID_SAVE_JOINED, ID_DELETE_FILES, ID_EXPORT_GPX, ID_EXPORT_GPX_GROUP};
}

TaskFunction ViewerTasks::Make(int commandId) {
    run_.reset();
    std::shared_ptr<ViewerTaskRun> run;
    switch (commandId) {
        case ID_EXPORT_CSV:
            run = PrepareCsvExport(window_);
            break;
        case ID_SAVE_JOINED:
            run = PrepareJoin(window_);
            break;
        case ID_DELETE_FILES:
            run = PrepareDelete(window_);
            break;
        case ID_EXPORT_GPX:
        case ID_EXPORT_GPX_GROUP:
            run = PrepareGpxExport(window_, commandId == ID_EXPORT_GPX_GROUP);
            break;
        default:
            break;
    }
    if (!run) return {};
    run_ = run;
    // The thread keeps the run alive until it ends.
    return [run](TaskControl& control) { return run->Work(control); };
}

void ViewerTasks::AfterTask() {
    if (std::shared_ptr<ViewerTaskRun> run = std::move(run_)) run->Finish(window_);
}

ProgressCallback ProgressOf(TaskControl& control) {
    return [&control](uintptr_t done, intptr_t total) {
        control.Progress(done, total < 0 ? 0 : static_cast<uint64_t>(total));
    };
}

}  // namespace quorva
