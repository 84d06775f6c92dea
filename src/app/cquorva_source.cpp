// The main window and its source: loading a source into the file browser, the source dialog
// of ID_OPEN_SOURCE, and what the browser reports (folder and recording selected, filters).
#include <filesystem>
#include <system_error>

#include "app/cquorva_dlg.h"
#include "app/startup_source.h"
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
    NoteSourceVersions(path, kind);
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

void CquorvaDlg::OpenSource(const StartupSource& source) {
    LoadSource(source.path, source.kind);
    SetPlayFace(false);
    UpdateButtons();
    if (browser_) browser_->List()->viewport()->update();
}

void CquorvaDlg::OnOpenSource() {
    if (road_) road_->StopAll();
    if (info_) info_->SetStatusLetter('R');
    csvAllowed_ = false;
    // The pictures, the panels and the graph go back to their empty faces. No recording is
    // chosen while the dialog is open: the old list's first one would open behind it.
    ResetView();

    const SourceChoice choice =
        options_.sourceDialog ? options_.sourceDialog(this) : RunSourceDialog(this);
    const StartupEnvironment env =
        options_.startup ? *options_.startup : DefaultStartupEnvironment();
    const StartupSource source = ChosenSource(choice.kind, choice.path, env);
    if (source.kind == 0) {
        if (choice.kind == 3 && !choice.path.empty() && PathExists(choice.path))
            ShowUserMessage(UiText(96), "ERROR");
        // The source stays; its first recording is chosen again, as before the dialog.
        if (browser_ && browser_->RowCount() > 0) browser_->SelectRecordingRow(0, false);
        csvAllowed_ = false;
        UpdateButtons();
        return;
    }
    // The new source opens as one named on the command line does.
    OpenSource(source);
    csvAllowed_ = SourceAllowsCsv();
    UpdateButtons();
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
