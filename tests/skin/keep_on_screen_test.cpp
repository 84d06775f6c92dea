// Keeping a window on the screen across monitors.
#include <gtest/gtest.h>

#include <random>

#include "skin/keep_on_screen.h"

namespace quorva {
namespace {

// One 1920 x 1080 monitor with a 40-pixel panel at the bottom.
const std::vector<ScreenArea> kOne = {{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040)}};
// The same and a 2560 x 1440 monitor to its right, top-aligned, panel at the top.
const std::vector<ScreenArea> kTwo = {{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040)},
                                      {QRect(1920, 0, 2560, 1440), QRect(1920, 32, 2560, 1408)}};

TEST(CDiagonal, FlagsFollowWhichEndsAreOnScreen) {
    struct Case {
        QPoint a, b;
        bool none, onlyFirst, onlySecond, both;
    };
    const Case cases[] = {
        {{10, 10}, {100, 100}, false, false, false, true},
        {{10, 10}, {100, 1060}, false, true, false, false},  // second end on the panel
        {{-50, 10}, {100, 100}, false, false, true, false},
        {{-50, -50}, {5000, 5000}, true, false, false, false},
    };
    for (const Case& c : cases) {
        const CDiagonal d(c.a, c.b, kOne);
        EXPECT_EQ(d.NoneOn(), c.none);
        EXPECT_EQ(d.OnlyFirst(), c.onlyFirst);
        EXPECT_EQ(d.OnlySecond(), c.onlySecond);
        EXPECT_EQ(d.BothOn(), c.both);
        EXPECT_EQ(d.BothOrNone(), c.none || c.both);
        EXPECT_EQ(d.ExactlyOne(), c.onlyFirst || c.onlySecond);
    }
    const CDiagonal across({100, 100}, {2500, 700}, kTwo);
    EXPECT_TRUE(across.BothOn());
    EXPECT_EQ(across.SecondWorkArea(), QRect(1920, 32, 2560, 1408));
}

TEST(WorkAreaNearest, PicksTheMonitorHoldingOrClosestToThePoint) {
    EXPECT_EQ(WorkAreaNearest({100, 100}, kTwo), kTwo[0].workArea);
    EXPECT_EQ(WorkAreaNearest({3000, 1300}, kTwo), kTwo[1].workArea);
    EXPECT_EQ(WorkAreaNearest({100, 1300}, kTwo), kTwo[0].workArea);  // below the first
    EXPECT_EQ(WorkAreaNearest({-900, 100}, kTwo), kTwo[0].workArea);
    EXPECT_TRUE(WorkAreaNearest({0, 0}, {}).isNull());
}

TEST(KeepOnScreen, MovesWindowsBackByTheRules) {
    struct Case {
        const char* name;
        const std::vector<ScreenArea>* screens;
        QRect window, expected;
    };
    const Case cases[] = {
        {"fully on screen stays", &kOne, {100, 100, 1120, 697}, {100, 100, 1120, 697}},
        {"across two monitors stays", &kTwo, {1500, 100, 1120, 697}, {1500, 100, 1120, 697}},
        {"only the bottom-right corner left: pulled up to the work-area top",
         &kOne,
         {-900, -500, 1120, 697},
         {-900, 0, 1120, 697}},
        {"on the second monitor, pulled to its top",
         &kTwo,
         {1000, -600, 1120, 697},
         {1000, 32, 1120, 697}},
        {"left half off stays (a diagonal with one end on screen)",
         &kOne,
         {-500, 100, 1120, 697},
         {-500, 100, 1120, 697}},
        {"hanging below the panel stays", &kOne, {100, 700, 1120, 697}, {100, 700, 1120, 697}},
        {"wholly right of every monitor: back to the right edge",
         &kOne,
         {2500, 100, 1120, 697},
         {800, 0, 1120, 697}},
        {"wholly left of every monitor: back to the left edge",
         &kOne,
         {-1500, 200, 1120, 697},
         {0, 0, 1120, 697}},
        {"wholly below: back to the bottom edge",
         &kOne,
         {300, 1200, 1120, 697},
         {0, 343, 1120, 697}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(KeepOnScreenRect(c.window, *c.screens), c.expected);
    }
}

TEST(KeepOnScreen, AlwaysSettlesForAnyPlacement) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> place(-6000, 6000), size(1, 5000);
    for (int i = 0; i < 20000; ++i) {
        const QRect window(place(random), place(random), size(random), size(random));
        const QRect placed = KeepOnScreenRect(window, i % 2 ? kOne : kTwo);
        EXPECT_EQ(placed.size(), window.size());  // only ever moved, never resized
    }
    EXPECT_EQ(KeepOnScreenRect(QRect(5, 5, 10, 10), {}), QRect(5, 5, 10, 10));
}

}  // namespace
}  // namespace quorva
