#include "browser/folder_tree_ctrl.h"

#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <vector>

#include "appcore/ui_scale.h"
#include "browser/folder_tree_rules.h"
#include "browser/row_height_delegate.h"
#include "skin/tree_badge.h"
#include "skin/ui_fonts.h"

namespace quorva {

namespace {

constexpr int kSerialRole = Qt::UserRole;
constexpr int kBadgeRole = Qt::UserRole + 1;
constexpr int kGroupRole = Qt::UserRole + 2;

const QColor kTextColour(0, 0, 0);
const QColor kExpanderColour(0x6b, 0x72, 0x80);
const QColor kFolderFill(0xf2, 0xc1, 0x4e);
const QColor kFolderLine(0xb8, 0x86, 0x22);

void DrawFolderIcon(QPainter& painter, const QRectF& box) {
    const qreal w = box.width(), h = box.height();
    QPainterPath path;
    path.moveTo(box.left() + 0.5, box.top() + h * 0.22);
    path.lineTo(box.left() + w * 0.38, box.top() + h * 0.22);
    path.lineTo(box.left() + w * 0.48, box.top() + h * 0.34);
    path.lineTo(box.right() - 0.5, box.top() + h * 0.34);
    path.lineTo(box.right() - 0.5, box.bottom() - h * 0.12);
    path.lineTo(box.left() + 0.5, box.bottom() - h * 0.12);
    path.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kFolderLine, std::max<qreal>(1.0, w / 16.0)));
    painter.setBrush(kFolderFill);
    painter.drawPath(path);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void DrawExpander(QPainter& painter, const QRect& column, bool expanded, QColor colour) {
    const qreal side = std::max(5.0, column.width() * 0.42);
    const QPointF c = QRectF(column).center();
    QPolygonF arrow;
    if (expanded) {
        arrow << QPointF(c.x() - side / 2, c.y() - side / 4)
              << QPointF(c.x() + side / 2, c.y() - side / 4) << QPointF(c.x(), c.y() + side / 3);
    } else {
        arrow << QPointF(c.x() - side / 4, c.y() - side / 2)
              << QPointF(c.x() - side / 4, c.y() + side / 2) << QPointF(c.x() + side / 3, c.y());
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(arrow);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// The badge with the white around its plate made transparent: white is the badge's
// transparent colour, but only where it reaches the picture's edge, so that the white
// letters on the kind marks stay white on a selected (blue) row.
QPixmap WithTransparentSurround(const QPixmap& badge) {
    QImage image = badge.toImage().convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    std::vector<QPoint> todo;
    auto push = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        const QRgb p = image.pixel(x, y);
        // Near white too: the plate's smoothed edge fades into the white around it.
        if (qAlpha(p) == 0 || qRed(p) < 248 || qGreen(p) < 248 || qBlue(p) < 248) return;
        image.setPixel(x, y, 0);
        todo.emplace_back(x, y);
    };
    for (int x = 0; x < w; ++x) {
        push(x, 0);
        push(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        push(0, y);
        push(w - 1, y);
    }
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        push(p.x() + 1, p.y());
        push(p.x() - 1, p.y());
        push(p.x(), p.y() + 1);
        push(p.x(), p.y() - 1);
    }
    return QPixmap::fromImage(image);
}

}  // namespace

CFolderTreeCtrl::CFolderTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
    header()->setStretchLastSection(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::Text, kTextColour);
    setPalette(pal);
    viewport()->setAutoFillBackground(true);
    setItemDelegate(new RowHeightDelegate(this));
    ApplyScale();
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnCurrentItemChanged(current); });
}

void CFolderTreeCtrl::ApplyScale() {
    scale_ = UiScale();
    setFont(UiFont(kFontF10));
    setIndentation(TreeIndentation(scale_));
    auto* delegate = static_cast<RowHeightDelegate*>(itemDelegate());
    delegate->SetHeight(std::max(TreeRowHeight(scale_), fontMetrics().height() + 4));
    badges_.clear();
    scheduleDelayedItemsLayout();
    viewport()->update();
}

QTreeWidgetItem* CFolderTreeCtrl::AddItem(QTreeWidgetItem* parentItem, const GroupNode& node) {
    auto* item = new QTreeWidgetItem();
    item->setText(0, QString::fromStdString(node.text));
    item->setData(0, kSerialRole, QVariant::fromValue<quint64>(node.serial));
    item->setData(0, kBadgeRole, QVariant::fromValue<quint32>(node.badge));
    item->setData(0, kGroupRole, node.isGroup);
    if (parentItem)
        parentItem->addChild(item);
    else
        addTopLevelItem(item);
    items_[node.serial] = item;
    AddChildren(item, node);
    if (node.expanded && item->childCount() > 0) item->setExpanded(true);
    return item;
}

void CFolderTreeCtrl::AddChildren(QTreeWidgetItem* item, const GroupNode& node) {
    for (const auto& child : node.children)
        AddItem(item, *child);
}

void CFolderTreeCtrl::Forget(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i)
        Forget(item->child(i));
    items_.erase(SerialOf(item));
}

void CFolderTreeCtrl::ShowTree(const GroupTree& tree) {
    quiet_ = true;
    clear();
    items_.clear();
    for (const auto& root : tree.Roots())
        AddItem(nullptr, *root);
    quiet_ = false;
}

void CFolderTreeCtrl::ShowChildren(const GroupTree& tree, const GroupNode* node) {
    if (!node || !tree.Contains(node)) return;
    QTreeWidgetItem* item = ItemOf(node->serial);
    if (!item) return;
    quiet_ = true;
    item->setData(0, kBadgeRole, QVariant::fromValue<quint32>(node->badge));
    const QList<QTreeWidgetItem*> old = item->takeChildren();
    for (QTreeWidgetItem* child : old) {
        Forget(child);
        delete child;
    }
    AddChildren(item, *node);
    if (item->childCount() > 0) item->setExpanded(true);
    quiet_ = false;
}

void CFolderTreeCtrl::ClearTree() {
    quiet_ = true;
    clear();
    items_.clear();
    quiet_ = false;
}

QTreeWidgetItem* CFolderTreeCtrl::ItemOf(uint64_t serial) const {
    auto it = items_.find(serial);
    return it == items_.end() ? nullptr : it->second;
}

uint64_t CFolderTreeCtrl::SerialOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kSerialRole).value<quint64>() : 0;
}

uint64_t CFolderTreeCtrl::SelectedSerial() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? 0 : SerialOf(selected.front());
}

bool CFolderTreeCtrl::SelectNode(uint64_t serial, bool notify) {
    QTreeWidgetItem* item = ItemOf(serial);
    if (!item) return false;
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
        p->setExpanded(true);
    const bool wasQuiet = quiet_;
    quiet_ = true;
    clearSelection();
    setCurrentItem(item);
    item->setSelected(true);
    quiet_ = wasQuiet;
    scrollToItem(item);
    if (notify) emit nodeSelected(serial);
    return true;
}

void CFolderTreeCtrl::OnCurrentItemChanged(QTreeWidgetItem* current) {
    if (quiet_ || !current) return;
    emit nodeSelected(SerialOf(current));
}

int CFolderTreeCtrl::LevelOf(const QTreeWidgetItem* item) {
    int level = 0;
    for (const QTreeWidgetItem* p = item ? item->parent() : nullptr; p; p = p->parent())
        ++level;
    return level;
}

bool CFolderTreeCtrl::ShowsBadge(const QTreeWidgetItem* item) const {
    if (!item) return false;
    GroupNode node;
    node.badge = item->data(0, kBadgeRole).value<quint32>();
    return ShowsTreeBadge(node, LevelOf(item));
}

QPixmap CFolderTreeCtrl::Badge(uint32_t value) const {
    if (value == 0) return {};
    auto it = badges_.find(value);
    if (it != badges_.end()) return it->second;
    QPixmap badge = ComposeTreeBadge(static_cast<int>(value), scale_);
    if (!badge.isNull()) badge = WithTransparentSurround(badge);
    badges_[value] = badge;
    return badge;
}

void CFolderTreeCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QTreeWidgetItem* item = itemFromIndex(index);
    if (!item) return;
    const double s = scale_;
    const int level = LevelOf(item);
    const bool group = item->data(0, kGroupRole).toBool();
    const bool badge = ShowsBadge(item);
    const TreeRowGeometry g = LayOutTreeRow(level, s, !group, badge);
    const int left = option.rect.x();
    const QRect row(left, option.rect.y(), std::max(option.rect.width(), viewport()->width()),
                    option.rect.height());
    const bool selected = selectionModel() && selectionModel()->isSelected(index);

    painter->save();
    painter->fillRect(row, selected ? SelectedFill() : QColor(Qt::white));
    if (item->childCount() > 0) {
        const QRect column(left + g.expanderLeft, row.top(), g.expanderWidth, row.height());
        DrawExpander(*painter, column, item->isExpanded(),
                     selected ? QColor(Qt::white) : kExpanderColour);
    }
    if (g.iconLeft >= 0) {
        const int top = row.top() + (row.height() - g.iconSize) / 2;
        DrawFolderIcon(*painter, QRectF(left + g.iconLeft, top, g.iconSize, g.iconSize));
    }
    if (badge) {
        const QPixmap picture = Badge(item->data(0, kBadgeRole).value<quint32>());
        const int top = row.top() + std::max(0, (row.height() - picture.height()) / 2);
        painter->drawPixmap(left + g.badgeLeft, top, picture);
    }
    const QRect textRect(left + g.textLeft, row.top(),
                         std::max(0, row.right() - (left + g.textLeft) - Scaled(2, s)),
                         row.height());
    painter->setFont(font());
    painter->setPen(selected ? QColor(Qt::white) : kTextColour);
    const QString text =
        painter->fontMetrics().elidedText(item->text(0), Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    if (selected) {
        QPen focus(QColor(Qt::white));
        focus.setStyle(Qt::DotLine);
        painter->setPen(focus);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(row.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

}  // namespace quorva
