#include "app/movie_dialog.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "app/companion_layout.h"
#include "app/main_layout.h"
#include "appcore/app_messages.h"
#include "appcore/ui_scale.h"
#include "platform/qt/app_message_event.h"

namespace quorva {

CMovieDialog::CMovieDialog(QObject* messageOwner) : CSkinDialog(nullptr), owner_(messageOwner) {
    // A window of its own on the desktop (not a tool window), without a border.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setObjectName(QStringLiteral("detached movie window"));
    ApplyScale(UiScale());
}

int CMovieDialog::BorderWidth() const {
    return std::max(1, static_cast<int>(scale_));
}

void CMovieDialog::ApplyScale(double s) {
    scale_ = s;
    setFixedSize(DetachedWindowSize(s));
    Relayout();
}

void CMovieDialog::PlaceAt(const QRect& rect) {
    if (rect.isEmpty()) return;
    if (size() != rect.size()) {
        setFixedSize(rect.size());
        Relayout();
    }
    move(rect.topLeft());
}

QRect CMovieDialog::ContentRect() const {
    return ComputeCompanionLayout(size(), scale_).subCamera;
}

QRect CMovieDialog::MapRect() const {
    return ComputeCompanionLayout(size(), scale_).map;
}

void CMovieDialog::SetSubCamera(QWidget* child) {
    if (!child) return;
    child->setParent(this);
    child->setGeometry(ContentRect());
    sub_ = child;
}

void CMovieDialog::AddMapContent(QWidget* child) {
    if (!child) return;
    child->setParent(this);
    child->setGeometry(MapRect());
    mapContent_.emplace_back(child);
}

void CMovieDialog::Relayout() {
    CSkinDialog::Relayout();
    if (sub_) sub_->setGeometry(ContentRect());
    for (const QPointer<QWidget>& child : mapContent_)
        if (child) child->setGeometry(MapRect());
}

void CMovieDialog::OnCommand(int id) {
    if (id == kEndCommand) {
        hide();
        return;
    }
    CSkinDialog::OnCommand(id);
}

void CMovieDialog::paintEvent(QPaintEvent* event) {
    CSkinDialog::paintEvent(event);
    {
        QPainter painter(this);
        QPen pen(BorderColour());
        pen.setWidth(BorderWidth());
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const int half = BorderWidth() / 2;
        painter.drawRect(rect().adjusted(half, half, -half - 1, -half - 1));
    }
    if (owner_) PostAppMessage(owner_, WM_APP_ZOOM_REFRESH);
}

void CMovieDialog::resizeEvent(QResizeEvent* event) {
    CSkinDialog::resizeEvent(event);
    update();
}

void CMovieDialog::moveEvent(QMoveEvent* event) {
    CSkinDialog::moveEvent(event);
    if (isVisible()) remembered_ = frameGeometry();
}

void CMovieDialog::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->position().y() < Scaled(20, scale_) && owner_)
        PostAppMessage(owner_, WM_APP_MOVIE_REPOSITION);
    CSkinDialog::mouseDoubleClickEvent(event);
}

}  // namespace quorva
