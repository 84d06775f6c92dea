// Where the companion window (second camera above the map) goes for every state of the main
// window, and how it divides its inside.
#include <gtest/gtest.h>

#include "app/companion_layout.h"
#include "app/main_layout.h"

namespace quorva {
namespace {

TEST(CompanionLayout, DockedBesideTheMainWindowOrOverItsFileBrowser) {
    const QRect work(0, 0, 1920, 1056);
    const QRect main(100, 100, 1120, 697);
    struct Case {
        const char* name;
        QRect main;
        MainWindowState state;
        QRect work;
        QRect expected;
    } cases[] = {
        {"right", main, MainWindowState::kNormal, work, QRect(1220, 100, 452, 697)},
        {"left", QRect(700, 100, 1120, 697), MainWindowState::kNormal, work,
         QRect(248, 100, 452, 697)},
        {"taller than the work area", QRect(100, -50, 1120, 1200), MainWindowState::kNormal, work,
         QRect(1220, 0, 452, 1056)},
        {"maximised beside", QRect(0, 0, 1468, 1056), MainWindowState::kMaximised, work,
         QRect(1468, 0, 452, 1056)},
        // A 1366 x 768 screen: no room on either side; over the browser, inside the screen.
        {"narrow", QRect(0, 0, 1120, 697), MainWindowState::kNormal, QRect(0, 0, 1366, 738),
         QRect(1120 - 452, 24, 452, 697 - 24 - 38)},
        {"narrow, maximised", QRect(0, 0, 1366, 738), MainWindowState::kMaximised,
         QRect(0, 0, 1366, 738), QRect(1366 - 452, 24, 452, 738 - 24 - 38)},
        {"narrow, main window partly off the screen", QRect(400, 0, 1120, 697),
         MainWindowState::kNormal, QRect(0, 0, 1366, 738), QRect(1366 - 452, 24, 452, 635)},
        {"full-screen", QRect(0, 0, 1920, 1080), MainWindowState::kFullScreen, work, QRect()},
        {"minimised", main, MainWindowState::kMinimised, work, QRect()},
    };
    for (const Case& c : cases) {
        const QRect r = PlaceCompanionWindow(c.main, c.state, c.work, 1.0);
        EXPECT_EQ(r, c.expected) << c.name;
        if (!r.isEmpty()) {
            EXPECT_TRUE(c.work.contains(r)) << c.name;
        }
    }
    // Over the browser it covers only the browser: caption buttons and bottom bar stay free.
    const QRect narrow(0, 0, 1366, 738);
    const QRect over = PlaceCompanionWindow(narrow, MainWindowState::kMaximised, narrow, 1.0);
    const MainLayout l = ComputeMainLayout(narrow.size(), 1.0);
    EXPECT_FALSE(over.intersects(l.bottomBar));
    EXPECT_FALSE(over.intersects(l.caption));
    EXPECT_FALSE(over.intersects(l.movie));
    EXPECT_FALSE(over.intersects(l.graph));
}

TEST(CompanionLayout, MaximisedMainWindowLeavesRoomForTheCompanion) {
    const QRect work(0, 0, 1920, 1056);
    EXPECT_EQ(MaximisedMainWindowRect(work, 1.0, true), QRect(0, 0, 1468, 1056));
    EXPECT_EQ(MaximisedMainWindowRect(work, 1.0, false), work);
    const QRect narrow(0, 0, 1366, 738);
    EXPECT_EQ(MaximisedMainWindowRect(narrow, 1.0, true), narrow);  // 914 < 1120
    const QRect big(1920, 0, 2560, 1400);
    const QRect m = MaximisedMainWindowRect(big, 1.5, true);
    EXPECT_EQ(m, QRect(1920, 0, 2560 - 678, 1400));
    EXPECT_EQ(PlaceCompanionWindow(m, MainWindowState::kMaximised, big, 1.5),
              QRect(1920 + 2560 - 678, 0, 678, 1400));
}

TEST(CompanionLayout, SecondCameraAboveTheMap) {
    const CompanionLayout l = ComputeCompanionLayout(QSize(452, 697), 1.0);
    EXPECT_EQ(l.band, QRect(0, 0, 452, 20));
    EXPECT_EQ(l.subCamera, QRect(1, 20, 450, 253));  // 16:9
    EXPECT_EQ(l.map.top(), 20 + 253 + 4);
    EXPECT_EQ(l.map.bottom(), 697 - 2);
    EXPECT_GT(l.map.height(), 400);
    // A short companion still leaves the map a third.
    const CompanionLayout shortOne = ComputeCompanionLayout(QSize(452, 300), 1.0);
    EXPECT_GE(shortOne.map.height(), (300 - 21) / 3 - 4);
    EXPECT_FALSE(shortOne.subCamera.intersects(shortOne.map));
}

}  // namespace
}  // namespace quorva
