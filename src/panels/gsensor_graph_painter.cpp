#include "panels/gsensor_graph_painter.h"

#include <QPen>
#include <QPolygon>
#include <QString>

#include "panels/gsensor_graph_plan.h"
#include "panels/panel_pictures.h"
#include "skin/skin_resources.h"

namespace quorva {

QImage GSensorGraphBackground(double s) {
    return PanelPictureAt(IDB_GSENSOR_BACKGROUND, s);
}

static QPen HairPen(uint32_t rgb) {
    QPen pen(ColourOf(rgb), 1.0);
    pen.setCosmetic(true);
    return pen;
}

static void PaintBackground(QPainter& p, const GraphMetrics& m, int width) {
    const QImage picture = GSensorGraphBackground(m.s);
    if (picture.isNull()) return;
    const QRect tileSource(m.plotLeft, 0, picture.width() - m.plotLeft, picture.height());
    for (int x : BackgroundTileLefts(m, width)) {
        p.drawImage(QRect(x, 0, m.imageWidth, m.plotHeight), picture, tileSource);
    }
    p.drawImage(QRect(0, 0, m.imageWidth, m.plotHeight), picture);
}

static void PaintLabels(QPainter& p, const GraphMetrics& m, const PanelLook& look, int scaleIndex) {
    const ScaleLabels labels = LabelsOfScale(scaleIndex);
    p.setPen(Qt::white);
    p.setFont(look.f10);
    const int flags = Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine;
    p.drawText(QRect(0, 0, m.labelWidth, m.labelStep), flags,
               QString::fromUtf8(labels.top.data(), static_cast<int>(labels.top.size())));
    p.drawText(QRect(0, m.labelStep, m.labelWidth, m.labelStep), flags,
               QString::fromUtf8(labels.middle.data(), static_cast<int>(labels.middle.size())));
    p.drawText(QRect(0, 2 * m.labelStep, m.labelWidth, m.labelStep), flags,
               QString::fromUtf8(labels.bottom.data(), static_cast<int>(labels.bottom.size())));
}

static void PaintCurvesAndMarkers(QPainter& p, const GraphMetrics& m, const PanelLook& look,
                                  const GraphPlan& plan, int height) {
    // The pen colour is OR-ed into the background, so curves crossing the grid stay pure.
    p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    for (int axis = 0; axis < 3; ++axis) {
        const auto& points = plan.curves[axis];
        if (points.size() < 2) continue;
        QPolygon line;
        line.reserve(static_cast<int>(points.size()));
        for (const GraphPoint& pt : points)
            line << QPoint(pt.x, pt.y);
        p.setPen(HairPen(AxisColour(axis)));
        p.drawPolyline(line);
    }
    for (const auto& marks : plan.markers) {
        for (const GraphMarker& mark : marks) {
            if (mark.x < m.plotLeft) continue;
            p.setPen(HairPen(MarkerStyleOfKind(mark.kind).rgb));
            p.drawLine(mark.x, height - 1, mark.x, 0);
        }
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setFont(look.f10);
    p.setPen(Qt::white);
    for (const auto& marks : plan.markers) {
        for (const GraphMarker& mark : marks) {
            if (mark.x < m.plotLeft) continue;
            const EventMarkerStyle style = MarkerStyleOfKind(mark.kind);
            const GraphPoint at = MarkerLetterOrigin(m, look.f, mark.x, style.row);
            p.drawText(
                QRect(at.x, at.y, m.labelWidth, height), Qt::AlignLeft | Qt::AlignTop,
                QString::fromUtf8(style.letter.data(), static_cast<int>(style.letter.size())));
        }
    }
}

bool PaintGSensorGraph(QPainter& p, const QSize& size, const GSensorGraphState& state,
                       const PanelLook& look, const EventDetectors& detectors,
                       const GSensorDataAccess& access) {
    if (state.tileWidth == 0 || size.width() <= 0 || size.height() <= 0) return false;
    const GraphMetrics m(look.s);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.fillRect(QRect(QPoint(0, 0), size), Qt::black);
    PaintBackground(p, m, size.width());
    PaintLabels(p, m, look, state.scaleIndex);

    if (state.curvesOn && access) {
        GraphPlan plan;
        // Only the plan is made under the lock; painting it needs no drive data.
        access([&](const GSensorView& view) {
            plan =
                PlanCurves(m, {size.width(), state.scaleIndex, state.cursorFrame}, view, detectors);
        });
        if (plan.drawn) PaintCurvesAndMarkers(p, m, look, plan, size.height());
    }

    const int cursor = CursorColumn(m, size.width(), state.cursorFrame, state.frameCount);
    if (cursor >= 0) {
        p.setPen(HairPen(0xFFFFFF));
        p.drawLine(cursor, 0, cursor, size.height() - 1);
    }
    p.restore();
    return true;
}

}  // namespace quorva
