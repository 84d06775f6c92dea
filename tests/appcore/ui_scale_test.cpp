#include "appcore/ui_scale.h"

#include <gtest/gtest.h>

namespace quorva {
namespace {

TEST(UiScaleTest, ScaleFollowsTheWorkAreaHeight) {
    EXPECT_DOUBLE_EQ(UiScaleForWorkArea(1056), 1.0);
    EXPECT_DOUBLE_EQ(UiScaleForWorkArea(2112), 2.0);
    EXPECT_EQ(Scaled(kMainWindowDesignWidth, UiScaleForWorkArea(1056)), 1120);
    EXPECT_EQ(Scaled(kMainWindowDesignHeight, UiScaleForWorkArea(1056)), 697);
    const double s = UiScaleForWorkArea(1040);  // a 1080-line screen less a panel
    EXPECT_NEAR(s, 0.98485, 1e-5);
    EXPECT_EQ(Scaled(1120, s), 1103);  // truncated
    EXPECT_EQ(Scaled(697, s), 686);
}

TEST(UiScaleTest, MulDivRoundsHalfAwayFromZero) {
    const struct {
        int a, b, c, expected;
    } cases[] = {
        {9, 96, 72, 12}, {10, 96, 72, 13}, {17, 96, 72, 23}, {1, 3, 2, 2},  {-1, 3, 2, -2},
        {1, -3, 2, -2},  {5, 1, -2, -3},   {7, 0, 5, 0},     {1, 1, 0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "," << c.b;
}

TEST(UiScaleTest, FontHeightsOfTheFiveFonts) {
    UiMetrics m = ComputeUiMetrics(1056, 96.0, 96);
    EXPECT_DOUBLE_EQ(m.f, 1.0);
    EXPECT_EQ(m.fontHeights, (std::array<int, 5>{-12, -13, -17, -23, -29}));
    // 144 DPI: f halves the scale, the heights use the vertical DPI.
    m = ComputeUiMetrics(2112, 144.0, 144);
    EXPECT_DOUBLE_EQ(m.s, 2.0);
    EXPECT_NEAR(m.f, 4.0 / 3.0, 1e-12);
    EXPECT_EQ(m.fontHeights[kFontF9], -MulDiv(12, 144, 72));
    EXPECT_EQ(m.fontHeights[kFontF22], -MulDiv(29, 144, 72));
}

TEST(UiScaleTest, ShortMonitorShrinksFontsAndMaximises) {
    UiMetrics m = ComputeUiMetrics(1056, 96.0, 96);
    EXPECT_FALSE(ShrinkFontsForShortMonitor(m, 697, 96));
    EXPECT_DOUBLE_EQ(m.f, 1.0);
    ASSERT_TRUE(ShrinkFontsForShortMonitor(m, 600, 96));
    EXPECT_DOUBLE_EQ(m.f, 600.0 / 697.0);
    EXPECT_EQ(m.fontHeights[kFontF22], -MulDiv(static_cast<int>(m.f * 22), 96, 72));
}

TEST(UiScaleTest, ProcessWideFactorsStartAtOne) {
    EXPECT_DOUBLE_EQ(UiScale(), 1.0);
    EXPECT_DOUBLE_EQ(FontScale(), 1.0);
    SetUiScaleFactors(1.5, 1.25);
    EXPECT_DOUBLE_EQ(UiScale(), 1.5);
    EXPECT_DOUBLE_EQ(FontScale(), 1.25);
}

}  // namespace
}  // namespace quorva
