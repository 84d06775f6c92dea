#include "browser/file_list_header_ctrl.h"

#include <QPainter>

#include <algorithm>

#include "appcore/ui_scale.h"
#include "browser/file_list_rules.h"
#include "skin/ui_fonts.h"

namespace quorva {

namespace {
QColor ToQColor(RgbColour c) {
    return QColor(c.red, c.green, c.blue);
}
}  // namespace

CFileListHeaderCtrl::CFileListHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
    setSectionsMovable(false);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    ApplyScale();
}

void CFileListHeaderCtrl::ApplyScale() {
    setFont(UiFont(kFontF10));
    const double s = UiScale();
    setFixedHeight(std::max(Scaled(22, s), fontMetrics().height() + Scaled(6, s)));
}

void CFileListHeaderCtrl::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(viewport());
        painter.fillRect(viewport()->rect(), ToQColor(kHeaderRest));
    }
    QHeaderView::paintEvent(event);
}

void CFileListHeaderCtrl::paintSection(QPainter* painter, const QRect& rect,
                                       int logicalIndex) const {
    if (!rect.isValid()) return;
    painter->save();
    for (const HeaderBand& band : HeaderGradientBands(rect.height())) {
        painter->fillRect(QRect(rect.left(), rect.top() + band.top, rect.width(), band.height),
                          QColor(band.grey, band.grey, band.grey));
    }
    painter->setPen(ToQColor(kHeaderFrame));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    const QString text =
        model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    painter->setFont(font());
    painter->setPen(Qt::white);
    const QRect textRect = rect.adjusted(2, 0, -2, 0);
    const QString shown = painter->fontMetrics().elidedText(text, Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, shown);
    painter->restore();
}

}  // namespace quorva
