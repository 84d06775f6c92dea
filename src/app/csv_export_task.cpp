// The CSV export task of ID_EXPORT_CSV: the output folder and, when the list's file exists,
// whether to replace it; then one line per recording of the source on the task's thread.
// A cancel keeps the lines written so far.
#include <filesystem>

#include "app/cquorva_dlg.h"
#include "app/viewer_tasks.h"
#include "appcore/settings_store.h"
#include "appcore/ui_text.h"
#include "browser/filer_container_dlg.h"
#include "container/csv_export.h"

namespace quorva {

namespace {

class CsvExportRun : public ViewerTaskRun {
  public:
    CsvExportRun(std::vector<RecordingEntry> list, std::string folder)
        : list_(std::move(list)), folder_(std::move(folder)) {}

    intptr_t Work(TaskControl& control) override {
        CsvExportOptions options;
        options.running = &control.BusyFlag();
        options.progress = ProgressOf(control);
        options.replaceExisting = true;  // the user was asked
        result_ = ExportCsv(list_, folder_, options);
        if (result_.ok()) control.SetSucceeded();
        return result_.ok() ? 1 : 0;
    }

    void Finish(CquorvaDlg& window) override {
        if (result_.ok()) {
            WriteSetting("FOLDERPATH", "CSV_FOLDER", folder_);
            return;
        }
        if (const int text = CsvStatusText(result_.status))
            window.ShowUserMessage(UiText(text), "ERROR");
    }

  private:
    std::vector<RecordingEntry> list_;
    std::string folder_;
    CsvExportResult result_;
};

}  // namespace

std::shared_ptr<ViewerTaskRun> PrepareCsvExport(CquorvaDlg& window) {
    CFilerContainerDlg* browser = window.Browser();
    if (!browser) return nullptr;
    const std::string folder = window.PickTaskFolder("CSV_FOLDER", 101);
    if (folder.empty()) return nullptr;
    std::vector<RecordingEntry> list;
    {
        std::lock_guard<std::recursive_mutex> lock(window.MutexCache());
        list = browser->Catalogue().ListAllRecordings();
    }
    if (list.empty()) {
        window.ShowUserMessage(UiText(99), "ERROR");
        return nullptr;
    }
    std::error_code ec;
    if (std::filesystem::exists(CsvPath(list, folder), ec) &&
        window.ShowUserMessage(UiText(90), UiText(104), 1) != 1)
        return nullptr;
    return std::make_shared<CsvExportRun>(std::move(list), folder);
}

}  // namespace quorva
