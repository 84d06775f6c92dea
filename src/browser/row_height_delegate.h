// An item delegate that gives every row of a view one fixed height, so that owner-drawn
// rows keep the height their drawing assumes.
#pragma once

#include <QStyledItemDelegate>

namespace quorva {

class RowHeightDelegate : public QStyledItemDelegate {
  public:
    explicit RowHeightDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}
    void SetHeight(int height) { height_ = height; }
    int Height() const { return height_; }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(height_);
        return size;
    }

  private:
    int height_ = 20;
};

}  // namespace quorva
