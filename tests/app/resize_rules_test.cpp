// The resize rules: the largest factor, edges that stop at the base size and at the largest
// factor, the factors of a size, stored factors and the pace of the outline.
#include <gtest/gtest.h>

#include "app/hit_zone.h"
#include "app/resize_rules.h"

namespace quorva {
namespace {

TEST(ResizeRules, LargestFactorIsTwiceTheMonitorCappedAtTwentyFourSevenths) {
    EXPECT_NEAR(LargestFactor(1280, 1.0), 2.0 * 1280 / 1120, 1e-9);
    EXPECT_NEAR(LargestFactor(1920, 1.0), 2.0 * 1920 / 1120, 1e-9);
    EXPECT_NEAR(LargestFactor(2560, 1.0), kLargestFactorCap, 1e-9);
    EXPECT_NEAR(LargestFactor(2560, 1440.0 / 1056.0), 2.0 * 2560 / 1527, 1e-9);
    EXPECT_GE(LargestFactor(400, 1.0), 1.0);  // never below the base size
}

const QRect kStart(100, 100, 1120, 697);

TEST(ResizeRules, AnEdgeDraggedInwardsStopsAtTheBaseSize) {
    // The right border dragged far to the left.
    ResizeResult r = ResizedRect(kStart, kResizeRight, {-500, 300}, 1.0, 2.0);
    EXPECT_EQ(r.rect, kStart);
    EXPECT_DOUBLE_EQ(r.fx, 1.0);
    // The left border dragged far to the right: the left edge stops at right - 1120.
    r = ResizedRect(QRect(100, 100, 1500, 800), kResizeLeft, {5000, 300}, 1.0, 2.0);
    EXPECT_EQ(r.rect, QRect(480, 100, 1120, 800));
    // The top edge dragged down.
    r = ResizedRect(QRect(100, 100, 1500, 800), kResizeTop, {300, 5000}, 1.0, 2.0);
    EXPECT_EQ(r.rect, QRect(100, 203, 1500, 697));
}

TEST(ResizeRules, AnEdgeDraggedOutwardsStopsAtTheLargestFactor) {
    const double largest = LargestFactor(1280, 1.0);  // 2.2857
    const ResizeResult r =
        ResizedRect(kStart, kResizeRight, {100 + 2 * 1280 + 300, 300}, 1.0, largest);
    EXPECT_EQ(r.rect.left(), 100);
    EXPECT_EQ(r.rect.width(), static_cast<int>(1120 * largest));
    EXPECT_DOUBLE_EQ(r.fx, largest);
    // The bottom-left corner: the left edge is pulled back, the bottom follows freely.
    const ResizeResult c = ResizedRect(kStart, kResizeBottomLeft, {-5000, 100 + 900}, 1.0, largest);
    EXPECT_EQ(c.rect.right(), kStart.right());
    EXPECT_EQ(c.rect.width(), static_cast<int>(1120 * largest));
    EXPECT_EQ(c.rect.height(), 900);
    EXPECT_NEAR(c.fy, 900.0 / 697, 1e-9);
}

TEST(ResizeRules, EachDirectionMovesOnlyItsEdges) {
    const QPoint cursor(50, 30);   // up and left of the window
    const QPoint far(1500, 1000);  // down and right of it
    EXPECT_EQ(ResizedRect(kStart, kResizeTopLeft, cursor, 1.0, 3.0).rect,
              QRect(QPoint(50, 30), kStart.bottomRight()));
    EXPECT_EQ(ResizedRect(kStart, kResizeBottomRight, far, 1.0, 3.0).rect,
              QRect(100, 100, 1400, 900));
    EXPECT_EQ(ResizedRect(kStart, kResizeTopRight, QPoint(1500, 30), 1.0, 3.0).rect,
              QRect(QPoint(100, 30), QPoint(1499, kStart.bottom())));
    EXPECT_EQ(ResizedRect(kStart, kResizeBottom, far, 1.0, 3.0).rect, QRect(100, 100, 1120, 900));
    EXPECT_EQ(ResizedRect(kStart, kResizeNone, far, 1.0, 3.0).rect, kStart);
}

TEST(ResizeRules, DraggedEdgesKeepTheirDistanceToThePointer) {
    // Pressed 2 pixels inside the right border, moved 100 to the right: the edge moves 100.
    const QPoint press(kStart.right() - 1, 300);
    const QPoint edge = EdgePointFor(kStart, kResizeRight, press, press + QPoint(100, 40));
    EXPECT_EQ(ResizedRect(kStart, kResizeRight, edge, 1.0, 3.0).rect, QRect(100, 100, 1220, 697));
    // The top-left corner, pressed 3 pixels inside both borders.
    const QPoint corner(103, 103);
    const QPoint moved = EdgePointFor(kStart, kResizeTopLeft, corner, corner - QPoint(50, 20));
    EXPECT_EQ(ResizedRect(kStart, kResizeTopLeft, moved, 1.0, 3.0).rect,
              QRect(QPoint(50, 80), kStart.bottomRight()));
}

TEST(ResizeRules, FactorsOfASizeStayWithinOneAndTheLargest) {
    ResizeResult f = FactorsOf(QRect(0, 0, 1680, 697), 1.0, 3.0);
    EXPECT_DOUBLE_EQ(f.fx, 1.5);
    EXPECT_DOUBLE_EQ(f.fy, 1.0);
    f = FactorsOf(QRect(0, 0, 800, 6000), 1.0, 2.0);
    EXPECT_DOUBLE_EQ(f.fx, 1.0);
    EXPECT_DOUBLE_EQ(f.fy, 2.0);
}

TEST(ResizeRules, StoredFactorsIgnoreWhatIsNotAPositiveNumber) {
    struct Row {
        const char* text;
        double factor;
    };
    const Row rows[] = {{"", 1.0},    {"0", 1.0},        {"-1.5", 1.0},   {"abc", 1.0},
                        {"1.5", 1.5}, {"1.500000", 1.5}, {"1.5xyz", 1.5}, {" 2.25", 2.25},
                        {"0.5", 1.0}, {"100", 3.0},      {"nan", 1.0},    {"inf", 1.0}};
    for (const Row& r : rows)
        EXPECT_DOUBLE_EQ(StoredFactor(r.text, 3.0), r.factor) << r.text;
    EXPECT_EQ(FactorText(1.5), "1.500000");
    EXPECT_EQ(FactorText(1.0), "1.000000");
    EXPECT_DOUBLE_EQ(StoredFactor(FactorText(1.2345678), 3.0), 1.234568);
}

TEST(ResizeRules, TheRestoreRectangleIsAtLeastTheFactorsSize) {
    EXPECT_EQ(RestoreRectFor(QRect(10, 20, 900, 500), 1.0, 1.5, 1.0), QRect(10, 20, 1680, 697));
    EXPECT_EQ(RestoreRectFor(QRect(10, 20, 2000, 900), 1.0, 1.5, 1.0), QRect(10, 20, 2000, 900));
}

TEST(ResizeRules, TheOutlineMovesAtMostElevenTimesASecond) {
    OutlinePace pace;
    const auto t0 = OutlinePace::Clock::time_point{} + std::chrono::seconds(10);
    EXPECT_TRUE(pace.Due(t0));
    EXPECT_FALSE(pace.Due(t0 + std::chrono::milliseconds(50)));
    EXPECT_FALSE(pace.Due(t0 + std::chrono::microseconds(88879)));
    EXPECT_TRUE(pace.Due(t0 + std::chrono::microseconds(88880)));
    pace.Reset();
    EXPECT_TRUE(pace.Due(t0 + std::chrono::microseconds(88881)));
}

}  // namespace
}  // namespace quorva
