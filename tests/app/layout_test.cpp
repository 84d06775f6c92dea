// The main window's layout table at s = 1 (the design values), at s = 2 (every length
// doubled) and at s = 1440 / 1056 (where truncation, also of negative lengths, shows).
#include <gtest/gtest.h>

#include <string>

#include "app/main_layout.h"

namespace quorva {
namespace {

struct Expected {
    double s;
    QSize window;
    QRect movie, seek, info, graph, browser;
    int buttonTop, buttonSide;
    int buttonLeft[3];  // buttons 0, 8 and 9 (the gap before the tenth)
    QRect volume;
    int captionLeft[4];  // close, maximise, minimise, thumbnail
    int captionWidth[4];
    int captionHeight;
    QRect title;
    QSize detached;
    QRect detachedContent;
};

class LayoutTable : public ::testing::TestWithParam<Expected> {};

TEST_P(LayoutTable, PlacesEveryChild) {
    const Expected& e = GetParam();
    const MainLayout l = ComputeMainLayout(e.window, e.s);
    EXPECT_EQ(l.movie, e.movie);
    EXPECT_EQ(l.seekSlider, e.seek);
    EXPECT_EQ(l.infoPanel, e.info);
    EXPECT_EQ(l.graph, e.graph);
    EXPECT_EQ(l.browser, e.browser);
    EXPECT_EQ(l.bottomButtons[0].top(), e.buttonTop);
    EXPECT_EQ(l.bottomButtons[0].size(), QSize(e.buttonSide, e.buttonSide));
    EXPECT_EQ(l.bottomButtons[0].left(), e.buttonLeft[0]);
    EXPECT_EQ(l.bottomButtons[8].left(), e.buttonLeft[1]);
    EXPECT_EQ(l.bottomButtons[9].left(), e.buttonLeft[2]);
    EXPECT_EQ(l.volumeSlider, e.volume);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(l.captionButtons[i].left(), e.captionLeft[i]) << "caption button " << i;
        EXPECT_EQ(l.captionButtons[i].width(), e.captionWidth[i]) << "caption button " << i;
        EXPECT_EQ(l.captionButtons[i].top(), 0);
        EXPECT_EQ(l.captionButtons[i].height(), e.captionHeight);
    }
    EXPECT_EQ(l.title, e.title);
    EXPECT_EQ(DetachedWindowSize(e.s), e.detached);
    EXPECT_EQ(DetachedContentRect(e.s), e.detachedContent);
    // The progress bar lies inside the bottom of the movie view.
    EXPECT_TRUE(l.movie.contains(l.progressBar));
    EXPECT_EQ(l.progressBar.bottom(), l.movie.bottom() - static_cast<int>(2 * e.s));
}

INSTANTIATE_TEST_SUITE_P(Scales, LayoutTable,
                         ::testing::Values(Expected{1.0,
                                                    {1120, 697},
                                                    {6, 24, 656, 370},
                                                    {6, 394, 656, 10},
                                                    {7, 404, 655, 105},
                                                    {7, 509, 655, 146},
                                                    {662, 25, 452, 630},
                                                    661,
                                                    32,
                                                    {20, 20 + 8 * 47, 20 + 9 * 47 + 30},
                                                    {1000, 667, 100, 20},
                                                    {1064, 1038, 1012, 862},
                                                    {46, 26, 26, 150},
                                                    18,
                                                    QRect(QPoint(10, 4), QPoint(399, 29)),
                                                    {452, 368},
                                                    {1, 20, 450, 347}},
                                           Expected{2.0,
                                                    {2240, 1394},
                                                    {12, 48, 1312, 740},
                                                    {12, 788, 1312, 20},
                                                    {14, 808, 1310, 210},
                                                    {14, 1018, 1310, 292},
                                                    {1324, 49, 904, 1261},
                                                    1322,
                                                    64,
                                                    {40, 40 + 8 * 94, 40 + 9 * 94 + 60},
                                                    {2000, 1334, 200, 40},
                                                    {2128, 2076, 2024, 1724},
                                                    {92, 52, 52, 300},
                                                    36,
                                                    QRect(QPoint(20, 8), QPoint(799, 59)),
                                                    {904, 737},
                                                    {2, 40, 900, 695}},
                                           Expected{1440.0 / 1056.0,
                                                    {1527, 950},
                                                    {8, 32, 895, 507},
                                                    {8, 539, 895, 13},
                                                    {9, 552, 894, 143},
                                                    {9, 695, 894, 198},
                                                    {903, 33, 616, 861},
                                                    902,
                                                    43,
                                                    {27, 27 + 8 * 63, 27 + 9 * 63 + 41},
                                                    {1364, 911, 136, 27},
                                                    {1452, 1417, 1382, 1178},
                                                    {62, 35, 35, 204},
                                                    24,
                                                    QRect(QPoint(13, 5), QPoint(544, 39)),
                                                    {616, 504},
                                                    {1, 27, 614, 476}}),
                         [](const ::testing::TestParamInfo<Expected>& info) {
                             return "Scale" + std::to_string(static_cast<int>(info.param.s * 1000));
                         });

TEST(Layout, WindowSizeFollowsTheFactors) {
    EXPECT_EQ(MainWindowBaseSize(1.0), QSize(1120, 697));
    EXPECT_EQ(MainWindowSize(1.0, 1.5, 1.0), QSize(1680, 697));
    EXPECT_EQ(MainWindowSize(1440.0 / 1056.0, 1.0, 1.0), QSize(1527, 950));
    EXPECT_EQ(MainWindowSize(1.0, 1.25, 1.1), QSize(1400, 766));
}

TEST(Layout, DetachedWindowGoesBesideTheMainWindowWhereItFits) {
    const QRect work(0, 0, 1920, 1056);
    const QSize size = DetachedWindowSize(1.0);
    // Room on the right.
    EXPECT_EQ(PlaceDetachedWindow(QRect(100, 100, 1120, 697), work, 1.0),
              QRect(QPoint(100 + 1120 + 6, 124), size));
    // No room on the right, room on the left.
    EXPECT_EQ(PlaceDetachedWindow(QRect(700, 100, 1120, 697), work, 1.0),
              QRect(QPoint(700 - 6 - 452, 124), size));
    // No room beside it (maximised): over the lower right of the window, clear of its bottom
    // bar with the volume slider.
    const QRect over = PlaceDetachedWindow(work, work, 1.0);
    EXPECT_TRUE(work.contains(over));
    EXPECT_EQ(over.bottomRight(), QPoint(1920 - 1 - 12, 1056 - 1 - 38 - 6));
    const MainLayout l = ComputeMainLayout(work.size(), 1.0);
    EXPECT_FALSE(over.intersects(l.volumeSlider));
    EXPECT_FALSE(over.intersects(l.bottomBar));
}

TEST(Layout, StartPlaceCentresTheWindowAndItsNeighbourTogether) {
    const QRect work(0, 0, 1920, 1056);
    const QRect r = InitialMainWindowRect(QSize(1120, 697), work, 1.0);
    const int pair = 1120 + 6 + 452;
    EXPECT_EQ(r.left(), (1920 - pair) / 2);
    EXPECT_EQ(r.top(), (1056 - 697) / 2);
    // Too narrow for both: the window alone, centred; never left of the work area.
    EXPECT_EQ(InitialMainWindowRect(QSize(1120, 697), QRect(0, 0, 1300, 800), 1.0).left(), 90);
    EXPECT_EQ(InitialMainWindowRect(QSize(1400, 900), QRect(10, 20, 1300, 800), 1.0).topLeft(),
              QPoint(10, 20));
}

}  // namespace
}  // namespace quorva
