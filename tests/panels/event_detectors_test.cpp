#include "panels/event_detectors.h"

#include <gtest/gtest.h>

#include <cmath>

#include "panel_fixture.h"

namespace quorva {
namespace {

using test::DriveDataFixture;

TEST(EventDetectorsTest, ClassifiersMapAxisAndEventCodesToKinds) {
    struct Case {
        int axis;
        int eventCode;
        int expected[EventDetectors::kCount];
    };
    const Case cases[] = {
        {1, -1, {0, -1, -1, -1, -1, -1}}, {2, -1, {-1, 2, -1, -1, -1, -1}},
        {3, -1, {-1, -1, 3, -1, -1, -1}}, {0, 5, {-1, -1, -1, 5, -1, -1}},
        {0, 6, {-1, -1, -1, -1, 6, -1}},  {0, 7, {-1, -1, -1, -1, -1, 7}},
        {1, 6, {0, -1, -1, -1, 6, -1}},   {4, 4, {-1, -1, -1, -1, -1, -1}},
    };
    for (const Case& c : cases) {
        GSensorSample s;
        s.axis = c.axis;
        s.eventCode = c.eventCode;
        for (int j = 0; j < EventDetectors::kCount; ++j) {
            EXPECT_EQ(EventDetectors::Classify(j, s), c.expected[j])
                << "axis " << c.axis << " code " << c.eventCode << " detector " << j;
        }
    }
    GSensorSample s;
    s.axis = 1;
    EXPECT_EQ(EventDetectors::Classify(6, s), kNoEvent);
    EXPECT_EQ(EventDetectors::Classify(-1, s), kNoEvent);
}

TEST(EventDetectorsTest, SwitchesStartOnAndSetTogetherOrApart) {
    EventDetectors d;
    for (int j = 0; j < EventDetectors::kCount; ++j) {
        EXPECT_EQ(d.GraphSwitch(j), 1);
        EXPECT_EQ(d.MapSwitch(j), 1);
    }
    d.SetSwitches(1, 0);
    EXPECT_EQ(d.GraphSwitch(1), 0);
    EXPECT_EQ(d.MapSwitch(1), 0);
    d.SetMapSwitch(1, 1);
    EXPECT_EQ(d.GraphSwitch(1), 0);
    EXPECT_EQ(d.MapSwitch(1), 1);
    d.SetGraphSwitch(9, 0);  // ignored
    EXPECT_EQ(d.GraphSwitch(9), 0);
}

TEST(EventDetectorsTest, EventStartIsNewOnlyWhereTheClassifierChanges) {
    DriveDataFixture d(10);
    d.SetAxis(0, 2, 1);  // X from frame 0
    d.SetAxis(5, 7, 1);  // X again from frame 5
    const GSensorView v = d.View();
    EXPECT_TRUE(TestEventStart(v, 0, 0).isNew);
    EXPECT_EQ(TestEventStart(v, 0, 0).kind, 0);
    EXPECT_TRUE(TestEventStart(v, 1, 0).IsEvent());
    EXPECT_FALSE(TestEventStart(v, 1, 0).isNew);
    EXPECT_FALSE(TestEventStart(v, 3, 0).IsEvent());
    EXPECT_TRUE(TestEventStart(v, 5, 0).isNew);
    EXPECT_FALSE(TestEventStart(v, 6, 0).isNew);
    EXPECT_FALSE(TestEventStart(v, 5, 1).IsEvent());  // another detector sees nothing

    // Outside the index, a null reference or one outside the samples: no event.
    EXPECT_FALSE(TestEventStart(v, -1, 0).IsEvent());
    EXPECT_FALSE(TestEventStart(v, 10, 0).IsEvent());
    GSensorSample stray;
    stray.axis = 1;
    d.frames[6] = &stray;
    d.frames[7] = nullptr;
    EXPECT_FALSE(TestEventStart(d.View(), 6, 0).IsEvent());
    EXPECT_FALSE(TestEventStart(d.View(), 7, 0).IsEvent());
}

TEST(EventDetectorsTest, RepeatedFrameOfOneSampleStartsTheEventOnce) {
    // Three frames per sample: an event starts at the first frame showing its sample.
    DriveDataFixture d(4);
    d.SetAxis(2, 2, 3);
    d.frames.clear();
    for (const GSensorSample& s : d.samples) {
        for (int k = 0; k < 3; ++k)
            d.frames.push_back(&s);
    }
    const auto events = BuildEventList(d.View(), EventDetectors{});
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].frame, 6);
    EXPECT_EQ(events[0].kind, 3);
    EXPECT_EQ(events[0].sampleIndex, 2);
    EXPECT_EQ(events[0].position, 2);
}

TEST(EventDetectorsTest, EventListKeepsTheFirstDetectorOfAFrame) {
    DriveDataFixture d(100);
    d.SetAxis(10, 14, 1);       // X from 10
    d.SetAxis(20, 22, 2);       // Y from 20 ...
    d.SetEventCode(20, 21, 5);  // ... with a manual mark at the same frame
    d.SetAxis(30, 40, 3);       // Z from 30 ...
    d.SetEventCode(35, 36, 7);  // ... still running when the parking mark starts
    d.SetEventCode(50, 50, 6);
    const auto events = BuildEventList(d.View(), EventDetectors{});
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].frame, 10);
    EXPECT_EQ(events[0].detector, 0);
    EXPECT_EQ(events[0].kind, 0);
    EXPECT_EQ(events[1].frame, 20);
    EXPECT_EQ(events[1].detector, 1);  // the manual mark at 20 is not listed
    EXPECT_EQ(events[2].frame, 30);
    EXPECT_EQ(events[2].kind, 3);
    EXPECT_EQ(events[3].frame, 50);  // the parking mark at 35 is hidden by the running Z event
    EXPECT_EQ(events[3].kind, 6);
    EXPECT_EQ(events[3].sample, &d.samples[50]);

    // With Y's map switch off the manual mark at 20 is the first detector's event there.
    EventDetectors noY;
    noY.SetMapSwitch(1, 0);
    const auto withoutY = BuildEventList(d.View(), noY);
    ASSERT_EQ(withoutY.size(), 4u);
    EXPECT_EQ(withoutY[1].frame, 20);
    EXPECT_EQ(withoutY[1].kind, 5);
    EXPECT_EQ(withoutY[1].detector, 3);

    // Emergency stops off: frame 50 contributes nothing.
    EventDetectors noStop;
    noStop.SetMapSwitch(4, 0);
    EXPECT_EQ(BuildEventList(d.View(), noStop).size(), 3u);

    EXPECT_TRUE(BuildEventList(DriveDataFixture(0).View(), EventDetectors{}).empty());
}

TEST(EventDetectorsTest, NavigationWrapsAroundAndSkipsSwitchedOffDetectors) {
    DriveDataFixture d(300);
    d.SetAxis(30, 32, 1);         // X at 30
    d.SetAxis(100, 102, 2);       // Y at 100
    d.SetEventCode(200, 201, 5);  // manual at 200
    EventDetectors on;
    const auto events = BuildEventList(d.View(), on);
    ASSERT_EQ(events.size(), 3u);
    auto positionOf = [&](std::optional<size_t> i) { return i ? events[*i].position : -100; };

    EXPECT_EQ(positionOf(FindNextEvent(events, on, 0)), 30);
    EXPECT_EQ(positionOf(FindNextEvent(events, on, 30)), 100);
    EXPECT_EQ(positionOf(FindNextEvent(events, on, 150)), 200);
    EXPECT_EQ(positionOf(FindNextEvent(events, on, 200)), 30);  // wraps to the first
    EXPECT_EQ(positionOf(FindPreviousEvent(events, on, 150, 300)), 100);
    EXPECT_EQ(positionOf(FindPreviousEvent(events, on, 100, 300)), 30);
    EXPECT_EQ(positionOf(FindPreviousEvent(events, on, 30, 300)), 200);  // wraps to the last
    EXPECT_EQ(positionOf(FindPreviousEvent(events, on, 0, 300)), 200);

    EventDetectors noY = on;
    noY.SetGraphSwitch(1, 0);
    EXPECT_EQ(positionOf(FindNextEvent(events, noY, 30)), 200);
    EXPECT_EQ(positionOf(FindPreviousEvent(events, noY, 200, 300)), 30);

    EventDetectors onlyY;
    for (int j = 0; j < EventDetectors::kCount; ++j)
        onlyY.SetGraphSwitch(j, j == 1);
    EXPECT_EQ(positionOf(FindNextEvent(events, onlyY, 100)), 100);  // wraps onto itself
    EXPECT_EQ(positionOf(FindPreviousEvent(events, onlyY, 100, 300)), 100);

    EventDetectors none;
    for (int j = 0; j < EventDetectors::kCount; ++j)
        none.SetGraphSwitch(j, 0);
    EXPECT_FALSE(FindNextEvent(events, none, 0));
    EXPECT_FALSE(FindPreviousEvent(events, none, 299, 300));
    EXPECT_FALSE(FindNextEvent({}, on, 0));
}

TEST(EventDetectorsTest, ScaleFollowsTheLargestG) {
    const std::pair<double, int> cases[] = {{0.0, 0}, {0.49, 0}, {0.5, 1}, {0.99, 1},
                                            {1.0, 2}, {1.49, 2}, {1.5, 3}, {3.5, 3}};
    for (auto [m, index] : cases)
        EXPECT_EQ(ScaleIndexForMaxG(m), index) << m;
    EXPECT_EQ(ScaleIndexForMaxG(std::nan("")), 0);
}

}  // namespace
}  // namespace quorva
