// The file browser: the panel of the main window that shows the current source as a group
// tree, a recording list, five kind filters and the number of listed recordings. It owns
// the source's catalogue (the scan model) and the source watcher. How it reports to its
// owner is described in file_browser_listener.h.
#pragma once

#include <QImage>
#include <QWidget>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "browser/file_browser_listener.h"
#include "browser/filer_layout.h"
#include "recordings/recording_name.h"
#include "recordings/source_catalogue.h"
#include "recordings/source_watcher.h"

class QLineEdit;

namespace quorva {

class CFileListCtrl;
class CFolderTreeCtrl;
class CSkinCheckButton;

class CFilerContainerDlg : public QWidget {
    Q_OBJECT

  public:
    // Starts the source watcher (it polls every watchInterval).
    explicit CFilerContainerDlg(
        QWidget* parent = nullptr, SourceEnvironment environment = {},
        std::chrono::milliseconds watchInterval = std::chrono::milliseconds(100));
    ~CFilerContainerDlg() override;  // stops and joins the watcher first

    void SetListener(FileBrowserListener* listener) { listener_ = listener; }
    // Where WM_APP_SOURCE_REMOVED goes; nullptr: the parent widget.
    void SetMessageTarget(QObject* target) { target_ = target; }
    QObject* MessageTarget() const;

    // ---- the source ----------------------------------------------------------------------
    // The first removable drive, else the stored folder, else the stored file: scanned and
    // shown with its first group filled (no row is selected). False when there is none.
    bool ChooseStartSource();
    // Scans the source (1 drive, 2 folder, 3 file), shows its tree, fills the first group
    // (or the file) and watches the path. No row is selected: the owner selects row 0.
    // Returns the number of listed rows.
    int LoadSource(const std::string& path, int kind);
    // Fills the catalogue from the tree node (its children are rebuilt and shown), expands
    // it and fills the list. Returns the catalogue's size; 0 for a node the tree lacks.
    int LoadFolder(uint64_t serial);
    // Selects the tree node (as a click does, so OnFolderSelected follows); with notify
    // clear the node is only marked selected and nothing is reported.
    bool SelectFolder(uint64_t serial, bool notify = true);
    // Selects the next sibling of the selected tree node (continuous play); false when the
    // selected node has none.
    bool SelectNextFolder();
    // Empties tree, group entries, path line, list and catalogue; stops watching.
    void ClearSource();

    const std::string& SourcePath() const { return catalogue_.SourcePath(); }
    int SourceKind() const { return catalogue_.Kind(); }
    SourceCatalogue& Catalogue() { return catalogue_; }
    const SourceCatalogue& Catalogue() const { return catalogue_; }
    // The path line's text: the filled node's or the file's path.
    std::string PathText() const;

    // ---- the list ------------------------------------------------------------------------
    // Rebuilds the rows from the catalogue through the kind filters, in catalogue order.
    void FillList();
    // Sets filter k (0 continuous, 1 impact, 2 manual, 3 parking, 4 parking impact), sets the
    // reopen switch and fills the list; with rows, row 0 becomes current and is selected.
    void SetFilter(int k, bool on);
    bool Filter(int k) const;
    const KindFilter& Filters() const { return filters_; }
    // Stores the continuous mark; a valid row becomes current and is selected (then
    // OnRecordingSelected). The row is scrolled into view.
    void SelectRecordingRow(int index, bool continuousMark);
    // A click on header column c: sorts the rows; with rows, row 0 is selected and the
    // reopen switch is set, since row 0 may now hold another recording than before.
    void SortByColumn(int column);
    // No current row and no selection (the view was reset).
    void ClearMarks();

    int CurrentIndex() const { return currentIndex_; }
    const std::vector<RecordingEntry>& Rows() const;
    int RowCount() const;
    // The two switches the owner takes and clears.
    bool TakeReopen();
    bool TakeContinuousMark();
    bool ReopenSwitch() const { return reopen_; }
    bool ContinuousMark() const { return continuousMark_; }

    // ---- look ----------------------------------------------------------------------------
    // While set, the tree, the list and the buttons hide and the zoom-mode hint shows.
    void SetZoomHint(bool on);
    bool ZoomHint() const { return zoomHint_; }
    // Places the children for the current size and UI scale.
    void LayOut();
    // The tree, the list and the five buttons (the owner disables them while it works).
    void SetControlsEnabled(bool enabled);
    bool Busy() const { return busy_; }
    // The text of the recording count.
    QString CountText() const;
    const FilerLayout& Layout() const { return layout_; }

    CFolderTreeCtrl* Tree() const { return tree_; }
    CFileListCtrl* List() const { return list_; }
    CSkinCheckButton* FilterButton(int k) const;
    QLineEdit* PathLine() const { return pathLine_; }
    const SourceWatcher& Watcher() const { return *watcher_; }

    static QColor BackgroundColour() { return QColor(49, 49, 49); }
    static QColor FrameColour() { return QColor(170, 170, 170); }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void OnNodeSelected(uint64_t serial);
    void OnRowSelected(int row);
    void OnFilterClicked(int k);
    void ShowCatalogue();  // tree, selected node, path line, list after a scan
    void Watch(const std::string& path, int kind);
    void UpdateVisibility();
    void PaintZoomHint(QPainter& painter);

    SourceCatalogue catalogue_;
    KindFilter filters_;
    FileBrowserListener* listener_ = nullptr;
    QObject* target_ = nullptr;
    CFolderTreeCtrl* tree_;
    CFileListCtrl* list_;
    QLineEdit* pathLine_;
    std::array<CSkinCheckButton*, 5> buttons_{};
    FilerLayout layout_;
    int currentIndex_ = -1;
    bool busy_ = false;
    bool reopen_ = false;
    bool continuousMark_ = false;
    bool zoomHint_ = false;
    mutable QImage zoomPicture_;
    // Read by the watcher's thread: a card's mount point must stay a mount point.
    std::atomic<bool> requireVolumeRoot_{false};
    std::unique_ptr<SourceWatcher> watcher_;  // last: its thread uses the members above
};

}  // namespace quorva
