// The simulated drive stays plausible over a long run, and record times roll over
// calendar boundaries as a clock does.
#include "cardwriter/drive_route.h"

#include <gtest/gtest.h>

#include <cmath>

#include "cardwriter/civil_time.h"

namespace quorva::cardwriter {
namespace {

TEST(CivilTime, AddsSecondsAcrossDaysMonthsAndLeapYears) {
    struct Case {
        CivilTime from;
        int64_t seconds;
        const char* record;  // YYMMDDhhmmss
    } cases[] = {{{2024, 5, 18, 9, 12, 30}, 3, "240518091233"},
                 {{2024, 2, 28, 23, 59, 59}, 1, "240229000000"},
                 {{2023, 2, 28, 23, 59, 59}, 1, "230301000000"},
                 {{2024, 12, 31, 23, 59, 58}, 5, "250101000003"},
                 {{2024, 3, 1, 0, 0, 0}, -1, "240229235959"},
                 {{2000, 1, 1, 0, 0, 0}, 86400 * 366, "010101000000"}};
    for (const Case& c : cases)
        EXPECT_EQ(RecordTime(AddSeconds(c.from, c.seconds)), c.record);
    EXPECT_EQ(OverlayTime({2024, 5, 18, 9, 2, 3}), "2024/05/18 09:02:03");
    EXPECT_EQ(NameDate({2031, 11, 7, 0, 0, 0}) + "-" + NameTime({2031, 11, 7, 8, 5, 9}),
              "311107-080509");
}

TEST(DriveRoute, DrivesAPlausibleLoopThroughTokyo) {
    DriveRoute route(3);
    const double dt = 0.1;
    DrivePoint last = route.Current();
    int stoppedSteps = 0, stops = 0, longestStop = 0;
    double maxSpeed = 0, maxLateral = 0, minLongitudinal = 0, farthest = 0;
    const DrivePoint start = last;
    for (int i = 0; i < 20 * 60 * 10; ++i) {  // twenty minutes
        const DrivePoint p = route.Drive(dt);
        ASSERT_TRUE(p.latitude > 35.67 && p.latitude < 35.70) << i;
        ASSERT_TRUE(p.longitude > 139.74 && p.longitude < 139.77) << i;
        const double step = std::hypot((p.latitude - last.latitude) * 111320,
                                       (p.longitude - last.longitude) * 90400);
        ASSERT_LE(step, p.speed / 3.6 * dt + 0.6) << "no jumps at step " << i;
        ASSERT_NEAR(p.odometer - last.odometer, p.speed / 3.6 * dt, 0.6) << i;
        maxSpeed = std::max(maxSpeed, p.speed);
        maxLateral = std::max(maxLateral, std::fabs(p.lateral));
        minLongitudinal = std::min(minLongitudinal, p.longitudinal);
        farthest = std::max(farthest, std::hypot((p.latitude - start.latitude) * 111320,
                                                 (p.longitude - start.longitude) * 90400));
        if (p.speed < 0.5) {
            if (stoppedSteps++ == 0) ++stops;
            longestStop = std::max(longestStop, stoppedSteps);
        } else {
            stoppedSteps = 0;
        }
        last = p;
    }
    EXPECT_LE(maxSpeed, 50.0);
    EXPECT_GE(maxSpeed, 40.0);
    EXPECT_GE(stops, 3) << "waits at red lights";
    EXPECT_GE(longestStop, 50) << "a wait lasts seconds";
    EXPECT_GT(maxLateral, 0.1) << "corners push sideways";
    EXPECT_LT(maxLateral, 0.5);
    EXPECT_LT(minLongitudinal, -0.15) << "braking for corners and lights";
    EXPECT_GT(last.odometer, 4000.0) << "about once round the palace";
    EXPECT_GT(farthest, 1500.0);

    // Parked, the car stays put and the sensor only trembles.
    const DrivePoint parked = route.Park(1.0);
    const DrivePoint later = route.Park(60.0);
    EXPECT_EQ(later.latitude, parked.latitude);
    EXPECT_EQ(later.speed, 0.0);
    EXPECT_LT(std::fabs(later.vertical), 0.01);
}

}  // namespace
}  // namespace quorva::cardwriter
