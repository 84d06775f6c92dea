// Small geometry helpers for windows laid out in design pixels.
#pragma once

#include <QRect>

class QWidget;

namespace quorva {

// Moves and sizes every direct child window of the parent by the scale: position and size
// each become int(design * s).
void ScaleChildren(QWidget* parent, double s);
void ScaleChildren(QWidget* parent);  // with the UI scale

// The child's window rectangle relative to the main window's top-left corner, one pixel
// higher.
QRect RectInMainWindow(const QWidget* mainWindow, const QWidget* child);

}  // namespace quorva
