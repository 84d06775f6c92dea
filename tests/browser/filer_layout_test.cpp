#include "browser/filer_layout.h"

#include <gtest/gtest.h>

#include <array>

namespace quorva {
namespace {

TEST(FilerLayout, PlacesAtScaleOne) {
    // The browser's place in the main window at s = 1: 452 x 630.
    const FilerLayout l = LayOutFiler({0, 0, 452, 630}, 1.0, 17);
    EXPECT_EQ(l.tree, (BoxRect{4, 26, 217, 600}));
    EXPECT_EQ(l.list, (BoxRect{224, 26, 224, 600}));
    const int buttonX[5] = {7, 62, 117, 209, 264};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(l.buttons[k], (BoxRect{buttonX[k], 8, 12, 12}));
        EXPECT_EQ(l.labels[k], (BoxRect{buttonX[k] + 13, 5, 80, 16}));
    }
    EXPECT_EQ(l.count, (BoxRect{387, 5, 60, 7 + 17}));
    EXPECT_EQ(l.pathLine, (BoxRect{4, 5, 382, 17 + 7}));
}

TEST(FilerLayout, TruncatesEachScaledLengthAndFollowsTheClientOrigin) {
    // s = 1.5: every design length times s, truncated on its own.
    const FilerLayout l = LayOutFiler({10, 20, 678, 945}, 1.5, 25);
    EXPECT_EQ(l.tree, (BoxRect{10 + 6, 20 + 39, 325, 945 - 45}));
    EXPECT_EQ(l.list, (BoxRect{10 + 336, 20 + 39, 336, 945 - 45}));
    const int buttonX[5] = {10, 93, 175, 313, 396};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(l.buttons[k], (BoxRect{10 + buttonX[k], 20 + 12, 18, 18}));
        EXPECT_EQ(l.labels[k], (BoxRect{10 + buttonX[k] + 19, 20 + 7, 120, 24}));
    }
    const int right = 10 + 678;
    EXPECT_EQ(l.count, (BoxRect{right - 90 - 7, 20 + 7, 90, 10 + 7 + 25 - 7}));
    EXPECT_EQ(l.pathLine, (BoxRect{10 + 6, 20 + 6 + 1, 573, 25 + 10}));
}

TEST(FilerLayout, LongLabelsPushTheMarksAfterThemToTheRight) {
    // Japanese labels fit their places: nothing moves.
    const FilerLayout short_ = LayOutFiler({0, 0, 452, 630}, 1.0, 17, {26, 26, 65, 26, 52});
    const int buttonX[5] = {7, 62, 117, 209, 264};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(short_.buttons[k].x, buttonX[k]) << k;
    // "Continuous" (66 px) would run into the second mark at 62: it moves on, and so may the
    // ones after it, each 8 px after the text before it, never left of its own place.
    const std::array<int, 5> widths = {66, 30, 30, 46, 88};
    const FilerLayout l = LayOutFiler({0, 0, 452, 630}, 1.0, 17, widths);
    EXPECT_EQ(l.buttons[0].x, 7);
    EXPECT_EQ(l.buttons[1].x, 7 + 13 + 66 + 8);
    EXPECT_EQ(l.buttons[2].x, l.labels[1].x + 30 + 8);
    EXPECT_EQ(l.buttons[3].x, 209);  // room enough before its own place
    EXPECT_EQ(l.buttons[4].x, l.labels[3].x + 46 + 8);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(l.labels[k].x, l.buttons[k].x + 13);
        if (k < 4) {
            EXPECT_LT(l.labels[k].x + widths[k], l.buttons[k + 1].x);
        }
    }
    EXPECT_EQ(l.labels[4].width, 88);  // a box wide enough for its text
}

TEST(FilerLayout, ZoomHintBoxIsCentred) {
    EXPECT_EQ(ZoomHintTextBox(452, 630, 1.0), (BoxRect{136, 265, 180, 100}));
    EXPECT_EQ(ZoomHintTextBox(904, 1260, 2.0), (BoxRect{272, 530, 360, 200}));
}

}  // namespace
}  // namespace quorva
