// The main window as the host of its own frame (MainWindowFrame): the mouse events it hands
// over, the work areas, the layout after a change of size or state, and the detached window
// that follows the main window.
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include "app/companion_layout.h"
#include "app/cquorva_dlg.h"
#include "app/movie_dialog.h"
#include "appcore/settings_store.h"
#include "skin/skin_button.h"

namespace quorva {

void CquorvaDlg::mousePressEvent(QMouseEvent* event) {
    if (!frame_.Press(event)) QWidget::mousePressEvent(event);
}

void CquorvaDlg::mouseMoveEvent(QMouseEvent* event) {
    frame_.Move(event);
}

void CquorvaDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (!frame_.Release(event)) QWidget::mouseReleaseEvent(event);
}

void CquorvaDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    frame_.DoubleClick(event);
}

void CquorvaDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (detached_ && detached_->isVisible()) PlaceDetachedWindow(true);
}

void CquorvaDlg::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (detached_ && detached_->isVisible()) PlaceDetachedWindow(true);
    frame_.Moved();
}

void CquorvaDlg::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) frame_.WindowStateChanged();
}

QRect CquorvaDlg::FrameMaximisedRect(QPoint point) const {
    QRect area = WorkArea();
    if (!options_.workArea.isValid()) {
        if (QScreen* screen = QGuiApplication::screenAt(point)) area = screen->availableGeometry();
    }
    // Room for the companion window beside the main window when the screen has it.
    return MaximisedMainWindowRect(area, scale_, detached_ && detached_->isVisible());
}

void CquorvaDlg::FrameMaximisedChanged(bool maximised) {
    infoTextFactor_ = maximised ? 1.3 : 1.0;
    UpdateMaximiseFace();
}

void CquorvaDlg::FramePlaceCompanions() {
    if (detached_ && detached_->isVisible()) PlaceDetachedWindow(true);
}

void CquorvaDlg::FrameMinimisedChanged(bool minimised) {
    if (!detached_) return;
    if (minimised && detached_->isVisible())
        detached_->showMinimized();
    else if (!minimised && detached_->isMinimized())
        detached_->showNormal();
}

void CquorvaDlg::FrameSettled() {
    if (tasks_.Busy()) PlaceProgressBar();
}

bool CquorvaDlg::FrameMoveAllowed() const {
    return !(road_ && road_->Opening());
}

void CquorvaDlg::FrameStoreFactors(double fx, double fy) {
    WriteSetting("DISPLAY", "SCALEX", FactorText(fx));
    WriteSetting("DISPLAY", "SCALEY", FactorText(fy));
}

}  // namespace quorva
