// The frame's hit zones, the system's caption answer, the resize directions and cursors.
#include <gtest/gtest.h>

#include "app/hit_zone.h"

namespace quorva {
namespace {

const QRect kWindow(100, 50, 1120, 697);  // screen coordinates; right 1219, bottom 746

struct ZoneCase {
    QPoint point;
    bool maximised;
    int zone;
};

class HitZones : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(HitZones, FirstMatchWins) {
    const ZoneCase& c = GetParam();
    EXPECT_EQ(HitZone(c.point, kWindow, 1.0, c.maximised), c.zone)
        << c.point.x() << "," << c.point.y() << (c.maximised ? " maximised" : "");
}

INSTANTIATE_TEST_SUITE_P(
    AtScaleOne, HitZones,
    ::testing::Values(
        ZoneCase{{100, 50}, false, kZoneTopLeft}, ZoneCase{{105, 55}, false, kZoneTopLeft},
        ZoneCase{{1219, 50}, false, kZoneTopRight}, ZoneCase{{1214, 55}, false, kZoneTopRight},
        ZoneCase{{600, 50}, false, kZoneTop}, ZoneCase{{600, 55}, false, kZoneTop},
        ZoneCase{{100, 746}, false, kZoneBottomLeft},
        ZoneCase{{1219, 746}, false, kZoneBottomRight}, ZoneCase{{100, 400}, false, kZoneLeft},
        ZoneCase{{105, 400}, false, kZoneLeft}, ZoneCase{{1219, 400}, false, kZoneRight},
        ZoneCase{{600, 746}, false, kZoneBottom}, ZoneCase{{600, 741}, false, kZoneBottom},
        // The caption band: below the top border, between the side borders, 24 high.
        ZoneCase{{600, 56}, false, kZoneCaption}, ZoneCase{{106, 73}, false, kZoneCaption},
        ZoneCase{{600, 74}, false, kZoneNone},
        // The bottom bar above the bottom border: 38 + 2 high.
        ZoneCase{{600, 740}, false, kZoneBottomBar}, ZoneCase{{600, 707}, false, kZoneBottomBar},
        ZoneCase{{600, 706}, false, kZoneNone},
        // Outside the window.
        ZoneCase{{99, 400}, false, kZoneNone}, ZoneCase{{1220, 400}, false, kZoneNone},
        // Maximised: the whole top band is caption, also the corners; the sides still
        // answer their zones below it.
        ZoneCase{{100, 50}, true, kZoneCaption}, ZoneCase{{1219, 73}, true, kZoneCaption},
        ZoneCase{{100, 74}, true, kZoneLeft}));

TEST(HitZones, FollowTheScale) {
    const QRect w(0, 0, 2240, 1394);
    EXPECT_EQ(HitZone({11, 500}, w, 2.0, false), kZoneLeft);  // border int(6 s) = 12
    EXPECT_EQ(HitZone({12, 500}, w, 2.0, false), kZoneNone);
    EXPECT_EQ(HitZone({500, 47}, w, 2.0, false), kZoneCaption);  // caption int(24 s) = 48
    EXPECT_EQ(HitZone({500, 48}, w, 2.0, false), kZoneNone);
    EXPECT_EQ(HitZone({500, 1394 - 80}, w, 2.0, false), kZoneBottomBar);  // 76 + 4
    EXPECT_EQ(HitZone({500, 1394 - 81}, w, 2.0, false), kZoneNone);
}

TEST(HitZones, TheSystemMovesTheWindowOnlyByTheCaption) {
    EXPECT_TRUE(HitIsCaption({600, 60}, kWindow, 1.0, false));
    EXPECT_FALSE(HitIsCaption({600, 52}, kWindow, 1.0, false));  // top border: the window's
    EXPECT_FALSE(HitIsCaption({101, 51}, kWindow, 1.0, false));  // corner
    EXPECT_FALSE(HitIsCaption({600, 400}, kWindow, 1.0, false));
    EXPECT_TRUE(HitIsCaption({101, 51}, kWindow, 1.0, true));  // maximised: all caption
}

TEST(HitZones, ZonesStartTheirResizeDirectionAndShowTheirArrow) {
    struct Row {
        int zone, direction;
        Qt::CursorShape cursor;
    };
    const Row rows[] = {
        {kZoneLeft, kResizeLeft, Qt::SizeHorCursor},
        {kZoneRight, kResizeRight, Qt::SizeHorCursor},
        {kZoneTop, kResizeTop, Qt::SizeVerCursor},
        {kZoneBottom, kResizeBottom, Qt::SizeVerCursor},
        {kZoneTopLeft, kResizeTopLeft, Qt::SizeFDiagCursor},
        {kZoneBottomRight, kResizeBottomRight, Qt::SizeFDiagCursor},
        {kZoneTopRight, kResizeTopRight, Qt::SizeBDiagCursor},
        {kZoneBottomLeft, kResizeBottomLeft, Qt::SizeBDiagCursor},
        {kZoneCaption, kResizeNone, Qt::ArrowCursor},
        {kZoneBottomBar, kResizeNone, Qt::ArrowCursor},
        {kZoneNone, kResizeNone, Qt::ArrowCursor},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ResizeDirectionForZone(r.zone), r.direction) << "zone " << r.zone;
        EXPECT_EQ(CursorForZone(r.zone), r.cursor) << "zone " << r.zone;
        EXPECT_EQ(IsResizeZone(r.zone), r.direction != kResizeNone) << "zone " << r.zone;
    }
}

}  // namespace
}  // namespace quorva
