#include "skin/skin_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "appcore/ui_scale.h"
#include "skin/skin_button.h"
#include "skin/skin_resources.h"
#include "skin/skin_style.h"
#include "skin/ui_fonts.h"

namespace quorva {

CSkinDialog::CSkinDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, SkinColors::kPanel);
    pal.setColor(QPalette::WindowText, SkinColors::kText);
    setPalette(pal);
    setFont(UiFont(kFontF10));
    qApp->installEventFilter(this);
}

CSkinDialog::~CSkinDialog() {
    if (qApp) qApp->removeEventFilter(this);
}

int CSkinDialog::CaptionBandHeight() {
    return Scaled(20, UiScale());
}

int CSkinDialog::DragBandHeight() {
    return Scaled(24, UiScale());
}

QColor CSkinDialog::CaptionColor() {
    return SkinColors::kCaption;
}

QColor CSkinDialog::CaptionTextColor() {
    return SkinColors::kText;
}

void CSkinDialog::CreateCloseButton(int id) {
    closeId_ = id;
    if (!closeButton_) {
        closeButton_ = new CSkinButton(this);
        connect(closeButton_, &CSkinButton::command, this, [this](int cmd) { OnCommand(cmd); });
    }
    closeButton_->Create(QRect(), id);
    Relayout();
    closeButton_->show();
}

void CSkinDialog::Relayout() {
    if (!closeButton_) return;
    const double s = UiScale();
    const QSize size(Scaled(13, s), Scaled(12, s));
    closeButton_->setGeometry(QRect(QPoint(width() - Scaled(20, s), Scaled(4, s)), size));
    closeButton_->SetImage(IDB_DIALOG_CLOSE, size);
}

void CSkinDialog::OnCommand(int id) {
    if (closeButton_ && id == closeId_) done(QDialog::Rejected);
}

void CSkinDialog::PaintBackground(QPainter&) {}

void CSkinDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBackground(painter);
    const double s = UiScale();
    painter.fillRect(QRect(0, 0, width(), CaptionBandHeight()), CaptionColor());
    painter.setFont(UiFont(kFontF10));
    painter.setPen(CaptionTextColor());
    const QRect titleRect(QPoint(Scaled(5, s), 0), QPoint(Scaled(200, s), Scaled(100, s)));
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, windowTitle());
}

void CSkinDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Relayout();
}

void CSkinDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().y() < DragBandHeight()) {
        // The window manager moves the window where it can (Wayland moves only this way);
        // elsewhere the dialog follows the pointer itself.
        if (isWindow() && windowHandle() && windowHandle()->startSystemMove()) return;
        dragging_ = true;
        dragOffset_ = event->globalPosition().toPoint() - pos();
        return;
    }
    QDialog::mousePressEvent(event);
}

void CSkinDialog::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void CSkinDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

void CSkinDialog::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

bool CSkinDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget == this || widget->window() == this) return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quorva
