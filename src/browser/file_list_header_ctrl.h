// The recording list's header: each item a vertical grey gradient, dark at the bottom and
// light at the top, framed, with its text in white; the area right of the last item grey.
#pragma once

#include <QHeaderView>

namespace quorva {

class CFileListHeaderCtrl : public QHeaderView {
    Q_OBJECT

  public:
    explicit CFileListHeaderCtrl(QWidget* parent = nullptr);

    // Re-reads the UI scale and font; the height follows the font.
    void ApplyScale();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

}  // namespace quorva
