// The geometry of the G-sensor graph: the lengths at a UI scale, the value-to-row mapping of a
// scale, the background tiles, the cursor, the scrolling window and the curves with their
// event markers as lines and points. Standard library only; the widget paints the plan.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "panels/event_detectors.h"

namespace quorva {

// Design lengths of the graph at UI scale s, truncated to pixels.
struct GraphMetrics {
    explicit GraphMetrics(double s);

    double s = 1.0;
    int unit = 1;          // int(s): the right margin of the plot and the least step
    int plotLeft = 41;     // int(41 s): width of the label strip
    int plotHeight = 120;  // int(120 s)
    int centre = 60;       // plotHeight / 2: the zero line
    int halfBand = 55;     // centre - int(5 s): the farthest a curve goes from the zero line
    int imageWidth = 640;  // int(640 s): the background picture at this scale
    int tileWidth = 599;   // imageWidth - plotLeft: one repeated grid tile
    int tileGrid = 5;      // int(5 s): tiles start on multiples of this
    int labelWidth = 38;   // int(38 s)
    int labelStep = 50;    // int(50 s)
};

// Pixels per G: (H - 6) for scale 0, divided by 2, 3, 4 for scales 1, 2, 3.
int AmplitudeFactor(int scaleIndex, int plotHeight);
// Keeps a distance from the zero line within the half band on both sides.
int ClampToBand(int h, int halfBand);
// Distance from the zero line of a value in G: int(M x v), v first limited to +-2 G (a value
// that is not a number counts as 0).
int ScaledValue(double g, int amplitude);
// Row of a value in G, clamped into the band.
int RowOfValue(const GraphMetrics& metrics, int amplitude, double g);

struct ScaleLabels {
    std::string_view top;
    std::string_view middle;
    std::string_view bottom;
};
// Labels of a scale index; an index outside 0..3 gets the labels of 1.
ScaleLabels LabelsOfScale(int scaleIndex);

// Left edges of the background tiles for a client width, right to left: W - T c for
// c = 0, 1, ... while T c < W, each rounded down to a multiple of int(5 s).
std::vector<int> BackgroundTileLefts(const GraphMetrics& metrics, int width);

// Column of the cursor: plot left + int(cursor x (W - plot left) / frame count); -1 when the
// frame count is not positive.
int CursorColumn(const GraphMetrics& metrics, int width, int cursorFrame, int frameCount);

// Scrolling of the curves: r pixels per frame, step d = max(r, max(1, int(s))), and the first
// frame shown, start = (1 - r / d) x cursor (0 when the whole recording fits).
struct ScrollWindow {
    double pixelsPerFrame = 0.0;  // r
    double step = 1.0;            // d
    double start = 0.0;           // first frame shown
    bool fits = true;             // r >= the least step
};
ScrollWindow ComputeScrollWindow(const GraphMetrics& metrics, int plotWidth, int frames,
                                 int cursorFrame);

// A point of the plot in client coordinates.
struct GraphPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const GraphPoint&, const GraphPoint&) = default;
};

// The run rule of one curve. Vertices are (x, distance from the zero line) in plot coordinates
// as the steps produce them; the curve is the polyline through them. A value that repeats
// puts a vertex only every 7th step; when it changes after a run of more than 7 steps the run
// is closed with a flat line to the step before.
class CurveTrace {
  public:
    struct Vertex {
        int x = 0;
        int h = 0;
        friend bool operator==(const Vertex&, const Vertex&) = default;
    };

    // Starts the curve at (0, h0); h0 is the clamped distance of the first sample shown.
    void Start(int h0);
    // One step at column x with distance h; the final step puts its vertex at finalX.
    void Step(int x, int h);
    void FinalStep(int finalX, int h);
    const std::vector<Vertex>& Vertices() const { return vertices_; }

  private:
    void StepAt(int x, int h, bool final, int finalX);

    std::vector<Vertex> vertices_;
    int lastH_ = 0;  // value of the last drawn vertex
    int previousX_ = 0;
    int previousH_ = 0;
    int run_ = 0;
};

// A marker found while the curves were traced.
struct GraphMarker {
    int x = 0;  // client column
    int kind = kNoEvent;
    friend bool operator==(const GraphMarker&, const GraphMarker&) = default;
};

struct GraphPlanInput {
    int width = 0;  // client width W
    int scaleIndex = 1;
    int cursorFrame = 0;
};

// The curves (client coordinates, one polyline per axis, empty for an axis whose detector is
// switched off) and the markers of each detector, in the order they were found.
struct GraphPlan {
    bool drawn = false;  // false: no drive data to draw (empty index, cursor beyond it, ...)
    int plotWidth = 0;   // P
    ScrollWindow window;
    std::array<std::vector<GraphPoint>, 3> curves;
    std::array<std::vector<GraphMarker>, EventDetectors::kCount> markers;
};

GraphPlan PlanCurves(const GraphMetrics& metrics, const GraphPlanInput& input,
                     const GSensorView& view, const EventDetectors& detectors);

// Top-left corner of a marker's letter: (x + 1, int(120 s) - int(5 s) + row x int(10 f) / 6).
GraphPoint MarkerLetterOrigin(const GraphMetrics& metrics, double fontScale, int x, int row);

}  // namespace quorva
