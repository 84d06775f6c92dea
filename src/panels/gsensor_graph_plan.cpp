#include "panels/gsensor_graph_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quorva {

static int Px(double length, double s) {
    return static_cast<int>(length * s);
}

GraphMetrics::GraphMetrics(double scale) {
    s = (std::isfinite(scale) && scale > 0.0) ? scale : 1.0;
    unit = std::max(1, Px(1, s));
    plotLeft = Px(41, s);
    plotHeight = Px(120, s);
    centre = plotHeight / 2;
    halfBand = std::max(0, centre - Px(5, s));
    imageWidth = Px(640, s);
    tileWidth = imageWidth - plotLeft;
    tileGrid = std::max(1, Px(5, s));
    labelWidth = Px(38, s);
    labelStep = Px(50, s);
}

int AmplitudeFactor(int scaleIndex, int plotHeight) {
    const int full = plotHeight - 6;
    switch (scaleIndex) {
        case 0:
            return full;
        case 1:
            return full / 2;
        case 2:
            return full / 3;
        case 3:
            return full / 4;
        default:
            return full / 2;
    }
}

int ClampToBand(int h, int halfBand) {
    return std::clamp(h, -halfBand, halfBand);
}

int ScaledValue(double g, int amplitude) {
    if (std::isnan(g)) g = 0.0;
    g = std::clamp(g, -2.0, 2.0);
    return static_cast<int>(amplitude * g);
}

int RowOfValue(const GraphMetrics& metrics, int amplitude, double g) {
    return metrics.centre - ClampToBand(ScaledValue(g, amplitude), metrics.halfBand);
}

ScaleLabels LabelsOfScale(int scaleIndex) {
    switch (scaleIndex) {
        case 0:
            return {" 0.5G", "   0G", "-0.5G"};
        case 2:
            return {" 1.5G", "   0G", "-1.5G"};
        case 3:
            return {"   2G", "   0G", "  -2G"};
        default:
            return {"   1G", "   0G", "  -1G"};
    }
}

std::vector<int> BackgroundTileLefts(const GraphMetrics& metrics, int width) {
    std::vector<int> lefts;
    if (metrics.tileWidth <= 0 || width <= 0) return lefts;
    for (int64_t c = 0; metrics.tileWidth * c < width; ++c) {
        const int64_t x = width - metrics.tileWidth * c;
        // Round down (toward minus infinity) to the tile grid.
        int64_t q = x / metrics.tileGrid;
        if (x % metrics.tileGrid != 0 && x < 0) --q;
        lefts.push_back(static_cast<int>(q * metrics.tileGrid));
    }
    return lefts;
}

int CursorColumn(const GraphMetrics& metrics, int width, int cursorFrame, int frameCount) {
    if (frameCount <= 0) return -1;
    const int64_t span = static_cast<int64_t>(width) - metrics.plotLeft;
    return metrics.plotLeft +
           static_cast<int>(static_cast<int64_t>(cursorFrame) * span / frameCount);
}

ScrollWindow ComputeScrollWindow(const GraphMetrics& metrics, int plotWidth, int frames,
                                 int cursorFrame) {
    ScrollWindow w;
    if (frames <= 0) return w;
    w.pixelsPerFrame = static_cast<double>(plotWidth) / frames;
    const double least = std::max(1.0, static_cast<double>(static_cast<float>(metrics.unit)));
    w.step = std::max(w.pixelsPerFrame, least);
    w.fits = w.pixelsPerFrame >= least;
    w.start = w.fits ? 0.0 : (1.0 - w.pixelsPerFrame / w.step) * cursorFrame;
    return w;
}

void CurveTrace::Start(int h0) {
    vertices_.clear();
    vertices_.push_back({0, h0});
    lastH_ = h0;
    previousX_ = 0;
    previousH_ = h0;
    run_ = 0;
}

void CurveTrace::Step(int x, int h) {
    StepAt(x, h, false, x);
}

void CurveTrace::FinalStep(int finalX, int h) {
    StepAt(finalX, h, true, finalX);
}

void CurveTrace::StepAt(int x, int h, bool final, int finalX) {
    ++run_;
    if (h != lastH_) {
        if (run_ > 7) vertices_.push_back({previousX_, previousH_});
        run_ = 0;
        vertices_.push_back({final ? finalX : x, h});
        lastH_ = h;
    } else if (final || run_ % 7 == 0) {
        vertices_.push_back({final ? finalX : x, h});
        lastH_ = h;
    }
    previousX_ = x;
    previousH_ = h;
}

// Examines one frame for the markers: the detectors whose graph switch is on, in order; a
// continuing event ends the frame, a new one is marked.
static void MarkFrame(const GSensorView& view, const EventDetectors& detectors, int64_t frame,
                      int x, std::array<std::vector<GraphMarker>, EventDetectors::kCount>& marks) {
    for (int j = 0; j < EventDetectors::kCount; ++j) {
        if (detectors.GraphSwitch(j) == 0) continue;
        const EventStart start = TestEventStart(view, frame, j);
        if (!start.IsEvent()) continue;
        if (!start.isNew) return;
        if ((start.kind == 6 && detectors.GraphSwitch(4) == 0) ||
            (start.kind == 7 && detectors.GraphSwitch(5) == 0)) {
            return;
        }
        marks[j].push_back({x, start.kind});
    }
}

static double AxisValue(const GSensorSample& sample, int axis) {
    switch (axis) {
        case 0:
            return sample.g1;
        case 1:
            return sample.g2;
        default:
            return sample.g3;
    }
}

GraphPlan PlanCurves(const GraphMetrics& metrics, const GraphPlanInput& input,
                     const GSensorView& view, const EventDetectors& detectors) {
    GraphPlan plan;
    const int frames = view.FrameCount();
    if (frames == 0 || view.samples.empty() || input.cursorFrame < 0 ||
        input.cursorFrame >= frames) {
        return plan;
    }
    plan.plotWidth = input.width - metrics.unit - metrics.plotLeft;
    plan.window = ComputeScrollWindow(metrics, plan.plotWidth, frames, input.cursorFrame);
    const double d = plan.window.step;
    const double start = plan.window.start;
    const GSensorSample* first = view.SampleOfFrame(static_cast<int64_t>(start));
    if (first == nullptr || plan.plotWidth <= 0) return plan;
    plan.drawn = true;

    const int amplitude = AmplitudeFactor(input.scaleIndex, metrics.plotHeight);
    std::array<CurveTrace, 3> traces;
    std::array<bool, 3> axisOn{};
    for (int axis = 0; axis < 3; ++axis) {
        axisOn[axis] = detectors.GraphSwitch(axis) != 0;
        // Limiting to 2 G first changes nothing: 2 G reaches beyond the band at every scale.
        traces[axis].Start(
            ClampToBand(ScaledValue(AxisValue(*first, axis), amplitude), metrics.halfBand));
    }
    auto stepCurves = [&](const GSensorSample& sample, int x, bool final) {
        for (int axis = 0; axis < 3; ++axis) {
            if (!axisOn[axis]) continue;
            const int h = ScaledValue(AxisValue(sample, axis), amplitude);
            if (final) {
                traces[axis].FinalStep(x, h);
            } else {
                traces[axis].Step(x, h);
            }
        }
    };

    const double steps = plan.plotWidth / d;
    const GSensorSample* lastSample = nullptr;
    int64_t lastFrame = -1;
    int lastX = 0;
    for (int64_t i = 0; static_cast<double>(i) < steps; ++i) {
        const int64_t f = static_cast<int64_t>(static_cast<double>(i) + start);
        const GSensorSample* sample = view.SampleOfFrame(f);
        if (sample == nullptr) break;
        const int x = static_cast<int>(static_cast<double>(i) * d);
        stepCurves(*sample, x, false);
        MarkFrame(view, detectors, f, metrics.plotLeft + x, plan.markers);
        lastSample = sample;
        lastFrame = f;
        lastX = x;
    }
    if (lastSample != nullptr) {
        stepCurves(*lastSample, plan.plotWidth, true);
        const int extra = d > 1.0 ? static_cast<int>(d) + 2 : 1;
        MarkFrame(view, detectors, lastFrame, metrics.plotLeft + lastX + extra, plan.markers);
    }

    for (int axis = 0; axis < 3; ++axis) {
        if (!axisOn[axis]) continue;
        for (const CurveTrace::Vertex& v : traces[axis].Vertices()) {
            plan.curves[axis].push_back(
                {metrics.plotLeft + v.x, metrics.centre - ClampToBand(v.h, metrics.halfBand)});
        }
    }
    return plan;
}

GraphPoint MarkerLetterOrigin(const GraphMetrics& metrics, double fontScale, int x, int row) {
    const int rowStep = static_cast<int>(10.0 * fontScale);
    return {x + 1, metrics.plotHeight - Px(5, metrics.s) + row * rowStep / 6};
}

}  // namespace quorva
