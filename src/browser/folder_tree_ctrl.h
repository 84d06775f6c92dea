// The group tree: shows the folder and group nodes of a source's GroupTree, each group with
// the badge of the recording kinds it holds. White rows; the selected node is filled blue
// with white text. The tree only shows the model: the browser changes the model and tells
// the tree which part to show again.
#pragma once

#include <QPixmap>
#include <QTreeWidget>

#include <cstdint>
#include <map>
#include <unordered_map>

#include "recordings/group_tree.h"

namespace quorva {

class CFolderTreeCtrl : public QTreeWidget {
    Q_OBJECT

  public:
    explicit CFolderTreeCtrl(QWidget* parent = nullptr);

    // Shows the whole tree anew; no node is selected afterwards.
    void ShowTree(const GroupTree& tree);
    // Shows the node's children anew (after the model rebuilt them) and expands the node.
    void ShowChildren(const GroupTree& tree, const GroupNode* node);
    void ClearTree();

    QTreeWidgetItem* ItemOf(uint64_t serial) const;
    static uint64_t SerialOf(const QTreeWidgetItem* item);
    uint64_t SelectedSerial() const;  // 0 when no node is selected

    // Selects the node's item and scrolls to it; nodeSelected follows only when notify is
    // set. False when the tree does not show the node.
    bool SelectNode(uint64_t serial, bool notify);

    // Re-reads the UI scale and font (row height, indentation, badges).
    void ApplyScale();
    double Scale() const { return scale_; }

    // The badge picture of a value at the tree's scale (null for 0), composed once per value.
    QPixmap Badge(uint32_t value) const;
    // Whether the row of the item shows a badge.
    bool ShowsBadge(const QTreeWidgetItem* item) const;
    static int LevelOf(const QTreeWidgetItem* item);

    static QColor SelectedFill() { return QColor(0, 204, 255); }

  signals:
    // The user (or SelectNode with notify) made the node the selected one.
    void nodeSelected(quint64 serial);

  protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}

  private:
    QTreeWidgetItem* AddItem(QTreeWidgetItem* parentItem, const GroupNode& node);
    void AddChildren(QTreeWidgetItem* item, const GroupNode& node);
    void Forget(QTreeWidgetItem* item);
    void OnCurrentItemChanged(QTreeWidgetItem* current);

    double scale_ = 1.0;
    bool quiet_ = false;
    std::unordered_map<uint64_t, QTreeWidgetItem*> items_;
    mutable std::map<uint32_t, QPixmap> badges_;
};

}  // namespace quorva
