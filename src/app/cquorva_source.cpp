// The main window and its source: loading a source into the file browser, the source dialog
// of ID_OPEN_SOURCE, and what the browser reports (folder and recording selected, filters).
#include <filesystem>
#include <system_error>

#include "app/cquorva_dlg.h"
#include "appcore/ui_text.h"
#include "browser/file_list_ctrl.h"
#include "browser/filer_container_dlg.h"
#include "browser/source_open_dlg.h"
#include "panels/info_dlg.h"
#include "recordings/recording_name.h"

namespace quorva {

namespace {

bool PathExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::u8path(path), ec);
}

SourceChoice RunSourceDialog(QWidget* owner) {
    CSourceOpenDlg dialog(owner);
    if (dialog.exec() != QDialog::Accepted) return {};
    return SourceChoice{dialog.Kind(), dialog.Path()};
}

}  // namespace

void CquorvaDlg::LoadSource(const std::string& path, int kind) {
    sourcePath_ = path;
    sourceKind_ = kind;
    const DriveProbe probe = options_.drives ? *options_.drives : DefaultDriveProbe();
    sourceRoot_ = probe.volumeRootOf(path);
    // The parking-trace marker lies in a card's root.
    traceFilePresent_ = kind == 1 && PathExists(path + "/pvtrace.txt");
    if (road_) road_->SetTraceFilePresent(traceFilePresent_);
    if (!browser_) return;
    if (browser_->LoadSource(path, kind) == 0) OpenFirstGroup();
    if (road_) road_->ListChanged();
    if (browser_->RowCount() > 0) browser_->SelectRecordingRow(0, false);
    UpdateButtons();
}

void CquorvaDlg::OpenFirstGroup() {
    // A folder source opens on its own node, whose list stays empty until one of its
    // groups is chosen: the first group is chosen for the user, so that its recordings
    // show at once.
    const GroupNode* node = browser_->Catalogue().SelectedNode();
    if (!node || node->children.empty() || !node->children.front()->isGroup) return;
    browser_->LoadFolder(node->children.front()->serial);
}

void CquorvaDlg::OnOpenSource() {
    if (road_) road_->StopAll();
    if (info_) info_->SetStatusLetter('R');
    csvAllowed_ = false;
    ResetView();
    if (browser_ && browser_->RowCount() > 0) browser_->SelectRecordingRow(0, false);

    const SourceChoice choice =
        options_.sourceDialog ? options_.sourceDialog(this) : RunSourceDialog(this);
    if (choice.kind == 0) {
        csvAllowed_ = false;
        UpdateButtons();
        return;
    }
    std::string path = choice.path;
    if (path.empty() || !PathExists(path)) return;
    if (choice.kind == 3 && !IsRecordingName(path)) {
        ShowUserMessage(UiText(96), "ERROR");
        return;
    }
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    LoadSource(path, choice.kind);
    csvAllowed_ = SourceAllowsCsv();
    UpdateButtons();
    if (browser_) browser_->List()->viewport()->update();
}

void CquorvaDlg::OnFolderSelected(const FolderSelection& selection) {
    // Handled from the message table, after the browser's own event has ended.
    PostAppMessage(this, WM_APP_FOLDER_SELECTED, static_cast<uintptr_t>(selection.serial),
                   selection.plainFolderItem ? 1 : 0);
}

void CquorvaDlg::OnRecordingSelected(int row) {
    if (road_) {
        road_->OnRecordingSelected(row);
        return;
    }
    UpdateButtons();
}

void CquorvaDlg::OnFilterCommand(int k) {
    OnCommand(ID_FILTER_0 + k);
}

}  // namespace quorva
