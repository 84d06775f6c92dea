// The file selection dialog: the user ticks the recordings the delete or the join works on.
// A check-box list of recordings with their sizes, the total size of the ticked ones, a
// show-all switch (delete mode) and a select-all-shown switch. Modal; OK (result 1) leaves
// the ticked entries in Result(); the caption's close button cancels. In join mode the ticks
// form one block of consecutive recordings, and recordings of the last successful join are
// drawn magenta on yellow.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "browser/file_select_rules.h"
#include "skin/skin_dialog.h"

class QLabel;
class QPushButton;

namespace quorva {

class CSkinCheckButton;
class CSkinListCtrl;

class CFileSelectDlg : public CSkinDialog {
    Q_OBJECT

  public:
    enum ControlId : int {
        kOk = 1,
        kCancel = 2,  // the caption's close button
        kList = 1003,
        kShowAll = 1004,
        kSelectAllShown = 1005,
        kTotal = 1006,
    };

    explicit CFileSelectDlg(QWidget* parent = nullptr);

    // Fills the dialog for the mode with at most 1500 entries of each list (the group list
    // shown first; the list of all recordings behind show-all). False when a list was
    // longer: the caller tells the user with UI text 103.
    bool Prepare(FileSelectMode mode, const std::vector<RecordingEntry>& group,
                 const std::vector<RecordingEntry>& all);
    // The ticked entries after OK, in row order.
    const std::vector<RecordingEntry>& Result() const { return result_; }

    // Where the refusals of OK go (the skinned message dialog unless set).
    using MessageFunction = std::function<void(QWidget* owner, const std::string& text)>;
    void SetMessageFunction(MessageFunction show) { message_ = std::move(show); }

    // What a click does: on a row's box, on a switch, on OK.
    void ClickRow(int row);
    void ClickShowAll();
    void ClickSelectAllShown();
    void Confirm();

    const FileSelection& Selection() const { return selection_; }
    CSkinListCtrl* List() const { return list_; }
    CSkinCheckButton* ShowAllButton() const { return showAll_; }
    CSkinCheckButton* SelectAllShownButton() const { return selectAll_; }
    QLabel* TotalStatic() const { return total_; }
    QPushButton* OkButton() const { return ok_; }

    // Colours of a row of the last successful join (join mode).
    static QColor JoinedText() { return QColor(255, 0, 255); }
    static QColor JoinedBackground() { return QColor(255, 255, 0); }

  protected:
    void OnCommand(int id) override;
    void Relayout() override;

  private:
    void FillList();
    void ShowTicks();
    void ShowTotal();

    FileSelection selection_;
    std::vector<RecordingEntry> result_;
    CSkinListCtrl* list_ = nullptr;
    CSkinCheckButton* showAll_ = nullptr;
    CSkinCheckButton* selectAll_ = nullptr;
    QLabel* total_ = nullptr;
    QPushButton* ok_ = nullptr;
    MessageFunction message_;
};

}  // namespace quorva
