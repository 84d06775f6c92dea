#include "panels/gsensor_graph_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "panel_fixture.h"

namespace quorva {
namespace {

using test::DriveDataFixture;
using Vertex = CurveTrace::Vertex;

// At s = 1 a client width of 1042 leaves a plot of 1000 px (W - int(s) - int(41 s)).
constexpr int kWidth1000 = 1042;

TEST(GraphGeometryTest, MetricsAtScales) {
    const GraphMetrics one(1.0);
    EXPECT_EQ(one.plotLeft, 41);
    EXPECT_EQ(one.plotHeight, 120);
    EXPECT_EQ(one.centre, 60);
    EXPECT_EQ(one.halfBand, 55);
    EXPECT_EQ(one.tileWidth, 599);
    const GraphMetrics big(1.5);
    EXPECT_EQ(big.plotLeft, 61);
    EXPECT_EQ(big.plotHeight, 180);
    EXPECT_EQ(big.halfBand, 83);
    EXPECT_EQ(big.tileWidth, 960 - 61);
    EXPECT_EQ(big.tileGrid, 7);
}

TEST(GraphGeometryTest, ValuesMapToRowsAndClampAtTheBandEdges) {
    const GraphMetrics m(1.0);
    EXPECT_EQ(AmplitudeFactor(0, 120), 114);
    EXPECT_EQ(AmplitudeFactor(1, 120), 57);
    EXPECT_EQ(AmplitudeFactor(2, 120), 38);
    EXPECT_EQ(AmplitudeFactor(3, 120), 28);
    // Each scale's quarter value lands on the same row.
    EXPECT_EQ(RowOfValue(m, AmplitudeFactor(0, 120), 0.25), 60 - 28);
    EXPECT_EQ(RowOfValue(m, AmplitudeFactor(3, 120), 1.0), 60 - 28);
    EXPECT_EQ(RowOfValue(m, AmplitudeFactor(1, 120), -0.5), 60 + 28);
    for (int scale = 0; scale < 4; ++scale) {
        const int a = AmplitudeFactor(scale, 120);
        EXPECT_EQ(RowOfValue(m, a, 3.5), 5) << scale;     // top edge of the band
        EXPECT_EQ(RowOfValue(m, a, -3.5), 115) << scale;  // bottom edge
        EXPECT_EQ(RowOfValue(m, a, 0.0), 60) << scale;
    }
    EXPECT_EQ(RowOfValue(m, 114, std::nan("")), 60);
    EXPECT_EQ(RowOfValue(m, 114, INFINITY), 5);
    const GraphMetrics big(1.5);
    EXPECT_EQ(RowOfValue(big, AmplitudeFactor(1, big.plotHeight), 0.5), 90 - 43);
}

TEST(GraphGeometryTest, LabelsOfEachScale) {
    EXPECT_EQ(LabelsOfScale(0).top, " 0.5G");
    EXPECT_EQ(LabelsOfScale(0).bottom, "-0.5G");
    EXPECT_EQ(LabelsOfScale(1).top, "   1G");
    EXPECT_EQ(LabelsOfScale(2).bottom, "-1.5G");
    EXPECT_EQ(LabelsOfScale(3).top, "   2G");
    EXPECT_EQ(LabelsOfScale(3).middle, "   0G");
    EXPECT_EQ(LabelsOfScale(7).top, "   1G");  // unknown index: as scale 1
}

TEST(GraphGeometryTest, TilesCoverTheWidthOnTheTileGrid) {
    const GraphMetrics m(1.0);
    EXPECT_EQ(BackgroundTileLefts(m, 655), (std::vector<int>{655, 55}));
    EXPECT_EQ(BackgroundTileLefts(m, 1920), (std::vector<int>{1920, 1320, 720, 120}));
    EXPECT_TRUE(BackgroundTileLefts(m, 0).empty());
}

TEST(GraphGeometryTest, CursorColumnFollowsThePositionAcrossThePlot) {
    const GraphMetrics m(1.0);
    EXPECT_EQ(CursorColumn(m, 655, 0, 0), -1);
    EXPECT_EQ(CursorColumn(m, 655, 0, 1800), 41);
    EXPECT_EQ(CursorColumn(m, 655, 900, 1800), 41 + 307);
    EXPECT_EQ(CursorColumn(m, 655, 1799, 1800), 41 + 1799 * 614 / 1800);
}

TEST(GraphGeometryTest, ShortRecordingFitsLongOneScrollsWithTheCursor) {
    const GraphMetrics m(1.0);
    const ScrollWindow fit = ComputeScrollWindow(m, 1000, 300, 150);
    EXPECT_TRUE(fit.fits);
    EXPECT_DOUBLE_EQ(fit.start, 0.0);
    EXPECT_DOUBLE_EQ(fit.step, 1000.0 / 300);

    for (int cursor : {0, 700, 1500, 2999}) {
        const ScrollWindow w = ComputeScrollWindow(m, 1000, 3000, cursor);
        EXPECT_FALSE(w.fits);
        EXPECT_DOUBLE_EQ(w.step, 1.0);
        EXPECT_DOUBLE_EQ(w.start, (1.0 - 1.0 / 3.0) * cursor);
        // The frame drawn under the cursor line is the cursor frame.
        const int column = CursorColumn(m, kWidth1000, cursor, 3000) - m.plotLeft;
        const int frameUnderCursor = static_cast<int>(column / w.step + w.start);
        EXPECT_NEAR(frameUnderCursor, cursor, 1) << cursor;
    }
    // At s = 2 the least step is 2 px: 1.5 px per frame scrolls.
    const GraphMetrics two(2.0);
    const ScrollWindow w2 = ComputeScrollWindow(two, 1500, 1000, 500);
    EXPECT_FALSE(w2.fits);
    EXPECT_DOUBLE_EQ(w2.step, 2.0);
    EXPECT_DOUBLE_EQ(w2.start, 0.25 * 500);
}

TEST(CurveTraceTest, FlatRunPutsAVertexEverySeventhStepAndReachesTheRightEdge) {
    CurveTrace t;
    t.Start(10);
    for (int x = 0; x < 20; ++x)
        t.Step(x, 10);
    t.FinalStep(100, 10);
    EXPECT_EQ(t.Vertices(), (std::vector<Vertex>{{0, 10}, {6, 10}, {13, 10}, {100, 10}}));
}

TEST(CurveTraceTest, ChangeAfterALongRunClosesTheRunFlat) {
    CurveTrace t;
    t.Start(0);
    for (int x = 0; x < 10; ++x)
        t.Step(x, 0);
    t.Step(10, 20);
    EXPECT_EQ(t.Vertices(), (std::vector<Vertex>{{0, 0}, {6, 0}, {9, 0}, {10, 20}}));
}

TEST(CurveTraceTest, ChangeAfterAShortRunGoesStraightToTheNewValue) {
    CurveTrace t;
    t.Start(0);
    for (int x = 0; x < 3; ++x)
        t.Step(x, 0);
    t.Step(3, 20);
    t.Step(4, -5);
    t.FinalStep(50, -5);
    EXPECT_EQ(t.Vertices(), (std::vector<Vertex>{{0, 0}, {3, 20}, {4, -5}, {50, -5}}));
}

// 250 frames on a 1000 px plot: 4 px per frame.
class GraphPlanTest : public ::testing::Test {
  protected:
    GraphPlanTest() : drive(250) {
        drive.SetAxis(30, 34, 1);         // X event at 30
        drive.SetAxis(50, 53, 2);         // Y event at 50 ...
        drive.SetEventCode(50, 51, 5);    // ... with a manual mark at the same frame
        drive.SetAxis(55, 65, 1);         // X from 55 ...
        drive.SetEventCode(60, 61, 7);    // ... hides the parking mark at 60
        drive.SetEventCode(100, 101, 6);  // emergency stop at 100
        drive.samples[120].g1 = 3.5;
        drive.samples[121].g1 = -3.5;
    }
    GraphPlan Plan(const EventDetectors& d, int cursor = 0) {
        return PlanCurves(metrics, {kWidth1000, 1, cursor}, drive.View(), d);
    }

    GraphMetrics metrics{1.0};
    DriveDataFixture drive;
};

TEST_F(GraphPlanTest, MarkersSitAtTheirFramesInDetectorOrder) {
    const GraphPlan plan = Plan(EventDetectors{});
    ASSERT_TRUE(plan.drawn);
    EXPECT_EQ(plan.plotWidth, 1000);
    EXPECT_EQ(plan.markers[0], (std::vector<GraphMarker>{{41 + 120, 0}, {41 + 220, 0}}));
    EXPECT_EQ(plan.markers[1], (std::vector<GraphMarker>{{41 + 200, 2}}));
    EXPECT_EQ(plan.markers[3], (std::vector<GraphMarker>{{41 + 200, 5}}));
    EXPECT_EQ(plan.markers[4], (std::vector<GraphMarker>{{41 + 400, 6}}));
    EXPECT_TRUE(plan.markers[2].empty());
    EXPECT_TRUE(plan.markers[5].empty());  // the parking mark starts inside an X event
}

TEST_F(GraphPlanTest, CurvesSpanThePlotAndClampBeyondTheScale) {
    const GraphPlan plan = Plan(EventDetectors{});
    for (int axis = 0; axis < 3; ++axis) {
        ASSERT_FALSE(plan.curves[axis].empty()) << axis;
        EXPECT_EQ(plan.curves[axis].front(), (GraphPoint{41, 60}));
        EXPECT_EQ(plan.curves[axis].back(), (GraphPoint{41 + 1000, 60}));
    }
    // Flat Y and Z: the start, every 7th step, the right edge.
    EXPECT_EQ(plan.curves[1].size(), 2u + 250 / 7);
    // X jumps to the top edge at frame 120 and the bottom edge at 121.
    const auto& x = plan.curves[0];
    auto has = [&](GraphPoint p) { return std::find(x.begin(), x.end(), p) != x.end(); };
    EXPECT_TRUE(has({41 + 480, 5}));
    EXPECT_TRUE(has({41 + 484, 115}));
    EXPECT_TRUE(has({41 + 488, 60}));
    for (const GraphPoint& p : x) {
        EXPECT_GE(p.y, 5);
        EXPECT_LE(p.y, 115);
    }
}

TEST_F(GraphPlanTest, SwitchingADetectorOffHidesItsCurveAndMarkers) {
    EventDetectors d;
    d.SetSwitches(1, 0);
    const GraphPlan plan = Plan(d);
    EXPECT_TRUE(plan.curves[1].empty());
    EXPECT_TRUE(plan.markers[1].empty());
    EXPECT_FALSE(plan.curves[0].empty());
    EXPECT_EQ(plan.markers[3], (std::vector<GraphMarker>{{41 + 200, 5}}));

    EventDetectors noStop;
    noStop.SetGraphSwitch(4, 0);
    EXPECT_TRUE(Plan(noStop).markers[4].empty());
}

TEST_F(GraphPlanTest, NothingToDrawWithoutDataOrWithTheCursorBeyondTheIndex) {
    EXPECT_FALSE(Plan(EventDetectors{}, 250).drawn);
    EXPECT_FALSE(Plan(EventDetectors{}, -1).drawn);
    EXPECT_FALSE(PlanCurves(metrics, {kWidth1000, 1, 0}, GSensorView{}, EventDetectors{}).drawn);
    EXPECT_FALSE(PlanCurves(metrics, {30, 1, 0}, drive.View(), EventDetectors{}).drawn);
}

TEST(GraphPlanScrollTest, LongRecordingShowsTheFramesAroundTheCursor) {
    DriveDataFixture drive(3000);
    drive.SetAxis(500, 505, 1);    // before the window
    drive.SetAxis(1200, 1205, 1);  // inside it
    drive.SetAxis(2500, 2505, 1);  // after it
    const GraphMetrics m(1.0);
    const GraphPlan plan = PlanCurves(m, {kWidth1000, 1, 1500}, drive.View(), EventDetectors{});
    ASSERT_TRUE(plan.drawn);
    EXPECT_DOUBLE_EQ(plan.window.start, 1000.0);
    EXPECT_EQ(plan.markers[0], (std::vector<GraphMarker>{{41 + 200, 0}}));
    EXPECT_EQ(plan.curves[0].back(), (GraphPoint{41 + 1000, 60}));
}

TEST(GraphPlanScrollTest, MarkerLettersSitInRowsBelowThePlot) {
    const GraphMetrics m(1.0);
    EXPECT_EQ(MarkerLetterOrigin(m, 1.0, 100, 0), (GraphPoint{101, 115}));
    EXPECT_EQ(MarkerLetterOrigin(m, 1.0, 100, 1), (GraphPoint{101, 116}));
    EXPECT_EQ(MarkerLetterOrigin(m, 1.0, 100, 3), (GraphPoint{101, 120}));
    const GraphMetrics big(1.5);
    EXPECT_EQ(MarkerLetterOrigin(big, 1.5, 100, 3), (GraphPoint{101, 180 - 7 + 7}));
}

}  // namespace
}  // namespace quorva
