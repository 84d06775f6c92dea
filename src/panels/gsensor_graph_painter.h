// Paints the G-sensor graph onto any painter: background tiles, scale labels, the curves with
// their event markers, and the cursor.
#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>

#include "panels/event_detectors.h"
#include "panels/panel_style.h"

namespace quorva {

// What the main window has set on the graph.
struct GSensorGraphState {
    int scaleIndex = 1;
    int frameCount = 0;     // the position slider's range
    int cursorFrame = 0;    // the playback position
    int tileWidth = 0;      // 0 until a recording is opened: nothing is painted
    bool curvesOn = false;  // the recording's drive data are available
};

// Paints the graph in a client area of `size`. The drive data are read through `access`
// (with the slots locked) when the curves are on; an empty access draws no curves. Returns
// false when it drew nothing (no tile width or an empty area).
bool PaintGSensorGraph(QPainter& painter, const QSize& size, const GSensorGraphState& state,
                       const PanelLook& look, const EventDetectors& detectors,
                       const GSensorDataAccess& access);

// The background picture of the graph at UI scale s.
QImage GSensorGraphBackground(double s);

}  // namespace quorva
