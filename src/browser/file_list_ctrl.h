// The recording list: one row per recording that passed the kind filters, drawn as one text
// across the whole row (its list name), white or light cyan for impact recordings, the
// current recording's row grey, every row framed. Two header columns, "ファイルNo." and
// "録画トリガー"; a header click sorts the rows by that column.
#pragma once

#include <QPointer>
#include <QTreeWidget>

#include <vector>

#include "recordings/recording_entry.h"

namespace quorva {

class CFileListHeaderCtrl;

class CFileListCtrl : public QTreeWidget {
    Q_OBJECT

  public:
    explicit CFileListCtrl(QWidget* parent = nullptr);

    // Deletes every row and inserts one per entry, in order. The current row mark is cleared.
    void SetRows(std::vector<RecordingEntry> rows);
    const std::vector<RecordingEntry>& Rows() const { return rows_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Deletes every row.
    void ClearRows();

    // The row drawn as the current recording (-1: none).
    void SetCurrentRow(int row);
    int CurrentRow() const { return currentRow_; }

    // Clears the selection, selects and focuses the row and scrolls it into view; then
    // rowSelected(row). Nothing for a row outside the list.
    bool SelectRow(int row);
    void ClearRowSelection();
    int SelectedRow() const;  // -1 when none

    // Sorts the rows for header column c and inserts them again (the selection is cleared).
    void SortByColumn(int column);
    int SortColumn() const { return sortColumn_; }

    CFileListHeaderCtrl* Header() const { return header_; }

    // ---- the hover preview ---------------------------------------------------------------
    // While on (the thumbnail flag), hovering a row other than the last one places the
    // popup left of it, raises it, posts WM_APP_PREVIEW_ITEM (wParam = the row) to the
    // target and shows the popup. Leaving the list, pressing a mouse button in it, turning
    // its wheel, hovering outside any row or changing its rows hides the popup.
    void SetPreviewEnabled(bool on);
    bool PreviewEnabled() const { return previewEnabled_; }
    void SetPreviewPopup(QWidget* popup) { previewPopup_ = popup; }
    void SetPreviewTarget(QObject* target) { previewTarget_ = target; }
    // Hides the popup and forgets the hovered row.
    void EndPreview();
    int PreviewRow() const { return previewRow_; }

    // Re-reads the UI scale and font (row height int(20 s), columns).
    void ApplyScale();
    double Scale() const { return scale_; }
    int RowHeight() const;
    // The second column's width: 50 s, or wider when its title needs it.
    int TriggerColumnWidth() const;

  signals:
    // A row became selected (by the user or by SelectRow).
    void rowSelected(int row);
    void headerClicked(int column);
    // The user asked for the list's menu over row (-1: no row) at the screen point.
    void contextMenuRequested(int row, QPoint screenPoint);

  protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void InsertRows();
    void FitColumns();
    void OnSelectionChanged();
    void OnHover(const QPoint& viewportPoint);

    CFileListHeaderCtrl* header_;
    std::vector<RecordingEntry> rows_;
    int currentRow_ = -1;
    int sortColumn_ = -1;
    double scale_ = 1.0;
    bool quiet_ = false;
    bool previewEnabled_ = false;
    int previewRow_ = -1;
    QPointer<QWidget> previewPopup_;
    QPointer<QObject> previewTarget_;
};

}  // namespace quorva
