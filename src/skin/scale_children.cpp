#include "skin/scale_children.h"

#include <QWidget>

#include "appcore/ui_scale.h"

namespace quorva {

void ScaleChildren(QWidget* parent, double s) {
    if (!parent) return;
    const auto children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->isWindow()) continue;
        const QRect g = child->geometry();
        child->setGeometry(Scaled(g.x(), s), Scaled(g.y(), s), Scaled(g.width(), s),
                           Scaled(g.height(), s));
    }
}

void ScaleChildren(QWidget* parent) {
    ScaleChildren(parent, UiScale());
}

QRect RectInMainWindow(const QWidget* mainWindow, const QWidget* child) {
    if (!mainWindow || !child) return {};
    const QPoint mainTopLeft = mainWindow->frameGeometry().topLeft();
    const QPoint childTopLeft =
        child->isWindow() ? child->frameGeometry().topLeft() : child->mapToGlobal(QPoint(0, 0));
    const QSize size = child->isWindow() ? child->frameGeometry().size() : child->size();
    return QRect(childTopLeft - mainTopLeft - QPoint(0, 1), size);
}

}  // namespace quorva
