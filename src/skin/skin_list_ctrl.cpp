#include "skin/skin_list_ctrl.h"

#include <QHeaderView>
#include <QIcon>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <algorithm>

#include "appcore/ui_scale.h"
#include "skin/skin_resources.h"
#include "skin/ui_fonts.h"

namespace quorva {

namespace {

constexpr int kStateRole = Qt::UserRole + 0x51;

// Shows the state picture as the first column's decoration, the same when selected.
class StateImageDelegate : public QStyledItemDelegate {
  public:
    explicit StateImageDelegate(CSkinListCtrl* list) : QStyledItemDelegate(list), list_(list) {}

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const ImageStrip& strip = list_->StateImages();
        const int state = index.data(kStateRole).toInt();
        if (index.column() != 0 || strip.IsEmpty() || state < CSkinListCtrl::kStateUnchecked)
            return;
        const int frame = !list_->isEnabled()                     ? kFrameDisabled
                          : state == CSkinListCtrl::kStateChecked ? kFramePressed
                          : state == CSkinListCtrl::kStateHover   ? kFrameHover
                                                                  : kFrameNormal;
        const QPixmap picture = strip.Frame(frame);
        QIcon icon;
        icon.addPixmap(picture, QIcon::Normal);
        icon.addPixmap(picture, QIcon::Selected);
        icon.addPixmap(picture, QIcon::Active);
        option->icon = icon;
        option->decorationSize = strip.FrameSize();
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->state &= ~QStyle::State_HasFocus;
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const int boxHeight = list_->StateImages().FrameSize().height() + Scaled(6, UiScale());
        size.setHeight(std::max(size.height(), boxHeight));
        return size;
    }

  private:
    CSkinListCtrl* list_;
};

}  // namespace

CSkinListCtrl::CSkinListCtrl(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMouseTracking(true);
    setFont(UiFont(kFontF10));
    header()->setFont(UiFont(kFontF10));
    setItemDelegate(new StateImageDelegate(this));
    connect(this, &QTreeWidget::itemClicked, this, &CSkinListCtrl::OnItemClicked);
}

void CSkinListCtrl::SetStateImages(int bitmapId) {
    const int side = Scaled(12, UiScale());
    SetStateImages(ImageStrip::FromResource(bitmapId, QSize(side, side)));
}

void CSkinListCtrl::SetStateImages(ImageStrip strip) {
    stateImages_ = std::move(strip);
    doItemsLayout();
    viewport()->update();
}

int CSkinListCtrl::AddRow(const QStringList& texts) {
    auto* item = new QTreeWidgetItem(this, texts);
    item->setData(0, kStateRole, kStateUnchecked);
    return indexOfTopLevelItem(item);
}

int CSkinListCtrl::StateOf(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, kStateRole).toInt() : kStateNone;
}

void CSkinListCtrl::SetStateOf(int row, int state) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item || item->data(0, kStateRole).toInt() == state) return;
    item->setData(0, kStateRole, state);
}

void CSkinListCtrl::SetChecked(int row, bool checked) {
    SetStateOf(row, checked ? kStateChecked : kStateUnchecked);
}

int CSkinListCtrl::StateAfterClick(int state) {
    if (state == kStateUnchecked || state == kStateHover) return kStateChecked;
    return kStateUnchecked;
}

void CSkinListCtrl::OnItemClicked(QTreeWidgetItem* item, int) {
    const int row = indexOfTopLevelItem(item);
    if (row < 0) return;
    const int next = StateAfterClick(StateOf(row));
    SetStateOf(row, next);
    emit checkChanged(row, next == kStateChecked);
}

void CSkinListCtrl::TrackHover(int row) {
    if (hoverRow_ != row && StateOf(hoverRow_) == kStateHover)
        SetStateOf(hoverRow_, kStateUnchecked);
    if (row >= 0 && StateOf(row) == kStateUnchecked) SetStateOf(row, kStateHover);
    hoverRow_ = row;
}

void CSkinListCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    TrackHover(index.isValid() ? index.row() : -1);
    QTreeWidget::mouseMoveEvent(event);
}

bool CSkinListCtrl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) TrackHover(-1);
    return QTreeWidget::viewportEvent(event);
}

}  // namespace quorva
