// Panels draw into an off-screen surface (the window's shared one, or their own) and then
// copy their client area to the screen, so that a redraw never flickers.
#pragma once

#include <QPainter>
#include <QWidget>

#include "skin/off_screen_dc.h"

namespace quorva {

// paint(QPainter&) draws the panel; it returns false when it drew nothing, and the client
// area is then black.
template <typename Paint>
void PaintThroughSurface(QWidget& panel, COffScreenDC* shared, COffScreenDC& own, Paint paint) {
    if (panel.size().isEmpty()) return;
    COffScreenDC& surface = shared != nullptr ? *shared : own;
    const QSize need = surface.Size().expandedTo(panel.size());
    if (!surface.IsValid() || need != surface.Size()) surface.Create(need, Qt::black);
    {
        COffScreenDC::Painter off(surface);
        off->setClipRect(panel.rect());
        if (!paint(*off)) off->fillRect(panel.rect(), Qt::black);
    }
    QPainter painter(&panel);
    surface.CopyTo(painter, panel.rect());
}

}  // namespace quorva
