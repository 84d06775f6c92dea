#include "map/map_dlg.h"

#include <QPalette>

namespace quorva {

CMapDlg::CMapDlg(IHostWebViewFuncs* funcs, CMapTileSource* tiles, QWidget* parent)
    : QWidget(parent), holder_(this, funcs, tiles) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0x20, 0x24, 0x2A));
    setPalette(p);
}

CMapDlg::~CMapDlg() {
    holder_.Close();
}

void CMapDlg::ExecScript(const std::string& script) {
    holder_.ExecScript(QString::fromStdString(script));
}

bool CMapDlg::SendUpdate() {
    return holder_.SendUpdate(latitude_, longitude_, status_);
}

void CMapDlg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    holder_.Create();
}

void CMapDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    holder_.ResizeToClient();
}

}  // namespace quorva
