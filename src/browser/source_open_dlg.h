// The source dialog: the user chooses an SD card (a removable drive), a folder or one movie
// file to look at. Modal; OK (result 1) stores the choice in the settings and the caller
// reads Kind() (1 card, 2 folder, 3 file) and Path(). The caption's close button cancels.
#pragma once

#include <QString>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "browser/source_selection.h"
#include "skin/pick_folder.h"
#include "skin/skin_dialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace quorva {

class CSkinCheckButton;

class CSourceOpenDlg : public CSkinDialog {
    Q_OBJECT

  public:
    // The file dialog: owner, start folder and filter → the chosen file ("" when cancelled).
    using FileDialog =
        std::function<QString(QWidget* owner, const QString& startFolder, const QString& filter)>;

    // With the removable drives of this machine.
    explicit CSourceOpenDlg(QWidget* parent = nullptr);
    // With the drives given (mount points).
    CSourceOpenDlg(QWidget* parent, std::vector<std::string> drives);

    // Replace the folder chooser and the file dialog (tests, other front ends).
    void SetFolderDialog(FolderDialog dialog) { folderDialog_ = std::move(dialog); }
    void SetFileDialog(FileDialog dialog) { fileDialog_ = std::move(dialog); }

    int Kind() const { return selection_.Kind(); }
    std::string Path() const { return selection_.ChosenPath(); }
    const SourceSelection& Selection() const { return selection_; }

    // Selects a row (39000 card, 39001 folder, 39002 file) as a click on it does.
    void SelectRow(int row);
    // The steps behind the two "..." buttons and the drive list.
    void ChooseFolder();
    void ChooseFile();
    void ChooseDrive(int index);
    // OK: stores the choice and closes with result 1 (nothing while OK is disabled).
    void Confirm();

    CSkinCheckButton* RowButton(int row) const;
    QComboBox* DriveList() const { return driveList_; }
    QLineEdit* FolderEdit() const { return folderEdit_; }
    QLineEdit* FileEdit() const { return fileEdit_; }
    QPushButton* FolderButton() const { return folderButton_; }
    QPushButton* FileButton() const { return fileButton_; }
    QPushButton* OkButton() const { return ok_; }

    // The filter of the file dialog: "Movie Files(*.mov)" and "All Files(*.*)".
    static QString MovieFileFilter();
    // Where the file dialog starts: the stored file's folder when it exists, else the
    // program's folder.
    QString FileDialogStart() const;

  protected:
    void OnCommand(int id) override;

  private:
    void Build(std::vector<std::string> drives);
    void LayOutControls();
    void Refresh();

    SourceSelection selection_;
    std::array<CSkinCheckButton*, 3> rows_{};
    QComboBox* driveList_ = nullptr;
    QLineEdit* folderEdit_ = nullptr;
    QLineEdit* fileEdit_ = nullptr;
    QPushButton* folderButton_ = nullptr;
    QPushButton* fileButton_ = nullptr;
    QPushButton* ok_ = nullptr;
    FolderDialog folderDialog_;
    FileDialog fileDialog_;
};

}  // namespace quorva
