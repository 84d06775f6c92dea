// The skin list: a report list whose state pictures act as check boxes. State 1 is
// unchecked, 2 unchecked under the mouse, 3 checked; a click on a row flips it between
// checked and unchecked.
#pragma once

#include <QTreeWidget>

#include "skin/image_strip.h"

namespace quorva {

class CSkinListCtrl : public QTreeWidget {
    Q_OBJECT

  public:
    enum StateImage { kStateNone = 0, kStateUnchecked = 1, kStateHover = 2, kStateChecked = 3 };

    explicit CSkinListCtrl(QWidget* parent = nullptr);

    // The check box pictures, cut into frames of 12 s square (frames: unchecked, hover,
    // checked, disabled).
    void SetStateImages(int bitmapId);
    void SetStateImages(ImageStrip strip);
    const ImageStrip& StateImages() const { return stateImages_; }

    // Appends a row with one text per column, unchecked; returns its index.
    int AddRow(const QStringList& texts);
    int RowCount() const { return topLevelItemCount(); }

    int StateOf(int row) const;
    void SetStateOf(int row, int state);
    bool IsChecked(int row) const { return StateOf(row) == kStateChecked; }
    void SetChecked(int row, bool checked);

    // The row under the mouse as last seen (-1 when none).
    int HoverRow() const { return hoverRow_; }

    // The click rule: 1 or 2 become 3, 3 becomes 1, anything else becomes 1.
    static int StateAfterClick(int state);

  signals:
    // A click changed the row's check state.
    void checkChanged(int row, bool checked);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    void OnItemClicked(QTreeWidgetItem* item, int column);
    void TrackHover(int row);

    ImageStrip stateImages_;
    int hoverRow_ = -1;
};

}  // namespace quorva
