#include "browser/file_list_ctrl.h"

#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

#include "appcore/app_messages.h"
#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "browser/file_list_header_ctrl.h"
#include "browser/file_list_rules.h"
#include "browser/row_height_delegate.h"
#include "platform/qt/app_message_event.h"
#include "recordings/recording_name.h"
#include "skin/ui_fonts.h"

namespace quorva {

namespace {
QColor ToQColor(RgbColour c) {
    return QColor(c.red, c.green, c.blue);
}
}  // namespace

CFileListCtrl::CFileListCtrl(QWidget* parent) : QTreeWidget(parent) {
    header_ = new CFileListHeaderCtrl(this);
    setHeader(header_);
    setColumnCount(2);
    setHeaderLabels({QString::fromStdString(UiText(23)), QString::fromStdString(UiText(27))});
    header_->setStretchLastSection(false);
    header_->setSectionResizeMode(QHeaderView::Fixed);
    setSortingEnabled(false);             // the rows are sorted here, not by the view
    header_->setSectionsClickable(true);  // which the line above turned off
    setRootIsDecorated(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setAllColumnsShowFocus(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, ToQColor(kRowText));
    setPalette(pal);
    setItemDelegate(new RowHeightDelegate(this));
    ApplyScale();
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { OnSelectionChanged(); });
    connect(header_, &QHeaderView::sectionClicked, this,
            [this](int column) { emit headerClicked(column); });
}

void CFileListCtrl::ApplyScale() {
    scale_ = UiScale();
    setFont(UiFont(kFontF10));
    header_->ApplyScale();
    static_cast<RowHeightDelegate*>(itemDelegate())->SetHeight(RowHeight());
    scheduleDelayedItemsLayout();
    FitColumns();
    viewport()->update();
}

int CFileListCtrl::RowHeight() const {
    return Scaled(20, scale_);
}

int CFileListCtrl::TriggerColumnWidth() const {
    const QString title = QString::fromStdString(UiText(27));
    const int needed = header_->fontMetrics().horizontalAdvance(title) + Scaled(10, scale_);
    return std::max(Scaled(50, scale_), needed);
}

void CFileListCtrl::FitColumns() {
    const int second = TriggerColumnWidth();
    header_->resizeSection(1, second);
    header_->resizeSection(0, std::max(1, viewport()->width() - second - 1));
}

void CFileListCtrl::contextMenuEvent(QContextMenuEvent* event) {
    // The event is the viewport's: its position is in viewport coordinates.
    const QModelIndex index = indexAt(event->pos());
    emit contextMenuRequested(index.isValid() ? index.row() : -1, event->globalPos());
    event->accept();
}

void CFileListCtrl::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    FitColumns();
}

bool CFileListCtrl::viewportEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Resize:
            // The viewport narrows when the scroll bar comes: the first column follows.
            FitColumns();
            break;
        case QEvent::MouseMove:
            if (previewEnabled_) OnHover(static_cast<QMouseEvent*>(event)->position().toPoint());
            break;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            EndPreview();
            break;
        default:
            break;
    }
    return QTreeWidget::viewportEvent(event);
}

void CFileListCtrl::SetPreviewEnabled(bool on) {
    previewEnabled_ = on;
    viewport()->setMouseTracking(on);
    if (!on) EndPreview();
}

void CFileListCtrl::EndPreview() {
    previewRow_ = -1;
    if (previewPopup_) previewPopup_->hide();
}

void CFileListCtrl::OnHover(const QPoint& point) {
    const QModelIndex index = indexAt(point);
    const int row = index.isValid() && !index.parent().isValid() ? index.row() : -1;
    if (row < 0 || row >= RowCount() || !viewport()->rect().contains(point)) {
        EndPreview();
        return;
    }
    if (row == previewRow_) return;
    previewRow_ = row;
    if (!previewPopup_) return;
    const QRect itemRect = visualRect(index);
    const QPoint listTopLeft = viewport()->mapToGlobal(QPoint(0, 0));
    const QPoint rowTopLeft = viewport()->mapToGlobal(itemRect.topLeft());
    const BoxRect place = PreviewPopupRect(
        BoxRect{listTopLeft.x(), listTopLeft.y(), viewport()->width(), viewport()->height()},
        BoxRect{rowTopLeft.x(), rowTopLeft.y(), viewport()->width(), itemRect.height()},
        previewPopup_->width(), previewPopup_->height());
    previewPopup_->move(place.x, place.y);
    previewPopup_->raise();
    if (previewTarget_)
        PostAppMessage(previewTarget_, WM_APP_PREVIEW_ITEM, static_cast<uintptr_t>(row));
    previewPopup_->show();
}

void CFileListCtrl::InsertRows() {
    quiet_ = true;
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(rows_.size()));
    for (const RecordingEntry& e : rows_) {
        auto* item = new QTreeWidgetItem();
        item->setText(0, QString::fromStdString(ListDisplayName(e.path)));
        items.push_back(item);
    }
    addTopLevelItems(items);
    quiet_ = false;
    FitColumns();
    viewport()->update();
}

void CFileListCtrl::SetRows(std::vector<RecordingEntry> rows) {
    EndPreview();  // the row under the mouse may hold another recording now
    rows_ = std::move(rows);
    currentRow_ = -1;
    InsertRows();
}

void CFileListCtrl::ClearRows() {
    SetRows({});
}

void CFileListCtrl::SetCurrentRow(int row) {
    currentRow_ = row >= 0 && row < RowCount() ? row : -1;
    viewport()->update();
}

bool CFileListCtrl::SelectRow(int row) {
    QTreeWidgetItem* item = row >= 0 ? topLevelItem(row) : nullptr;
    if (!item) return false;
    quiet_ = true;
    clearSelection();
    setCurrentItem(item);
    item->setSelected(true);
    quiet_ = false;
    scrollToItem(item);
    emit rowSelected(row);
    return true;
}

void CFileListCtrl::ClearRowSelection() {
    quiet_ = true;
    clearSelection();
    quiet_ = false;
}

int CFileListCtrl::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.front());
}

void CFileListCtrl::OnSelectionChanged() {
    if (quiet_) return;
    const int row = SelectedRow();
    if (row >= 0) emit rowSelected(row);
}

void CFileListCtrl::SortByColumn(int column) {
    sortColumn_ = column;
    EndPreview();
    const int current = currentRow_;
    SortRowsByColumn(rows_, column);
    InsertRows();
    currentRow_ = current < RowCount() ? current : -1;
}

void CFileListCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const int row = index.row();
    if (index.parent().isValid() || row < 0 || row >= RowCount()) return;
    const RecordingEntry& entry = rows_[static_cast<size_t>(row)];
    const QRect rect(0, option.rect.y(), viewport()->width(), option.rect.height());
    const bool impact = IsImpactRow(entry.path);
    painter->save();
    painter->fillRect(rect, ToQColor(RowBackground(impact, row == currentRow_)));
    painter->setPen(ToQColor(kRowFrame));
    painter->setBrush(Qt::NoBrush);
    // Enlarged by one pixel to the right and bottom: neighbouring rows share a frame line.
    painter->drawRect(QRect(rect.left(), rect.top(), rect.width(), rect.height()));
    const int margin = Scaled(4, scale_);
    const QRect textRect = rect.adjusted(margin, 0, -margin, 0);
    painter->setFont(font());
    painter->setPen(ToQColor(kRowText));
    const QString text = painter->fontMetrics().elidedText(
        QString::fromStdString(ListDisplayName(entry.path)), Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

}  // namespace quorva
