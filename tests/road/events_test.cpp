// The event list of the current recording, the jumps between its events and what the map
// is told.
#include <gtest/gtest.h>

#include <algorithm>

#include "road_fixture.h"

namespace quorva::test {
namespace {

// An X-axis event from frame 100 and a manual recording from frame 400.
class EventsTest : public RoadTest {
  protected:
    void SetUp() override {
        RoadTest::SetUp();
        players.MarkEvent(100, 105, 1, -1);
        players.MarkEvent(400, 402, 0, 5);
    }
    // Shows a position while the recording waits, then jumps.
    int64_t JumpFrom(int cursor, bool next) {
        road->SeekTo(cursor, players.State(0));
        players.ClearLog();
        road->HandleAppMessage(next ? WM_APP_EVENT_NEXT : WM_APP_EVENT_PREV, 0, 0);
        return players.seeks.empty() ? -1 : players.seeks.back();
    }
};

TEST_F(EventsTest, JumpsGoToTheNeighbouringEventAndWrapAround) {
    Open(0);
    const auto events = road->EventsCopy();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].position, 100);
    EXPECT_EQ(events[1].position, 400);
    struct Case {
        int cursor;
        bool next;
        int64_t target;
    };
    for (Case c : {Case{200, true, 400}, Case{200, false, 100}, Case{0, true, 100},
                   Case{400, true, 100}, Case{100, false, 400}, Case{401, false, 400}}) {
        EXPECT_EQ(JumpFrom(c.cursor, c.next), c.target)
            << (c.next ? "next" : "previous") << " from " << c.cursor;
        EXPECT_EQ(window.seekPos, c.target);
    }
}

TEST_F(EventsTest, JumpWhilePlayingPausesAndPlaysOn) {
    OpenAndPlay(0);
    players.position = 200;
    Tick();
    players.ClearLog();
    road->HandleAppMessage(WM_APP_EVENT_NEXT, 0, 0);
    EXPECT_EQ(players.calls, (std::vector<std::string>{"Pause", "Seek", "Play"}));
    EXPECT_EQ(players.seeks.back(), 400);
    EXPECT_EQ(players.State(0), kSlotPlaying);
}

TEST_F(EventsTest, SwitchedOffDetectorsAreSkipped) {
    Open(0);
    road->HandleAppMessage(WM_APP_EVENT_FILTER, 0, 0);  // the X toggle of the info panel
    EXPECT_EQ(detectors.GraphSwitch(0), 0);
    EXPECT_EQ(detectors.MapSwitch(0), 0);
    EXPECT_EQ(JumpFrom(200, false), 400);  // wraps to the only event left
    EXPECT_EQ(JumpFrom(0, true), 400);

    for (int d = 1; d < EventDetectors::kCount; ++d)
        detectors.SetGraphSwitch(d, 0);
    EXPECT_EQ(JumpFrom(200, true), -1);
    EXPECT_EQ(JumpFrom(200, false), -1);
    EXPECT_EQ(window.seekPos, 200);  // the picture did not move

    // The settings dialog's items switch detectors 4 and 5; other items are ignored.
    road->HandleAppMessage(WM_APP_SETTING_CHANGED, 1, 0);
    EXPECT_EQ(detectors.MapSwitch(5), 0);
    road->HandleAppMessage(WM_APP_SETTING_CHANGED, 7, 0);
    road->HandleAppMessage(WM_APP_EVENT_FILTER, 42, 0);
    EXPECT_EQ(detectors.MapSwitch(4), 1);
}

class FakeMap : public PlaybackMap {
  public:
    bool Exists() const override { return true; }
    bool PageReady() const override { return true; }
    bool SwitchedOn() const override { return true; }
    int ConnectTest() override { return 1; }
    void Show(bool shown) override { shownCalls.push_back(shown); }
    void LoadGrid(int recording, bool groupTrack) override {
        grids.emplace_back(recording, groupTrack);
    }
    bool AddEventIcon(const EventPoint& event) override {
        icons.push_back(event.position);
        return true;
    }
    std::vector<bool> shownCalls;
    std::vector<std::pair<int, bool>> grids;
    std::vector<int> icons;
};

class MapEventsTest : public EventsTest {
  protected:
    PlaybackMap& map() override { return fakeMap; }
    FakeMap fakeMap;
};

TEST_F(MapEventsTest, EventsWithoutCoordinatesStayOffTheMapButReachable) {
    players.gps[100].latitude = 0.0;
    players.gps[100].longitude = 0.0;
    OpenAndPlay(0);
    fakeMap.icons.clear();
    Tick(3);  // the events go to the map once per recording, with the group track
    EXPECT_EQ(fakeMap.icons, std::vector<int>{400});
    ASSERT_FALSE(fakeMap.grids.empty());
    EXPECT_EQ(fakeMap.grids.back(), (std::pair<int, bool>{0, true}));
    road->HandleCommand(command::ID_PLAY_PAUSE);
    EXPECT_EQ(JumpFrom(200, false), 100);
}

TEST_F(MapEventsTest, TheSettingsDialogsItemsTakeTheirEventsOffTheMapAtOnce) {
    players.MarkEvent(250, 253, 0, 6);  // an emergency recording stop (detector 4)
    OpenAndPlay(0);
    fakeMap.icons.clear();
    players.position = 50;
    Tick(3);
    EXPECT_EQ(fakeMap.icons, (std::vector<int>{400, 250, 100}));
    fakeMap.icons.clear();
    fakeMap.grids.clear();
    road->HandleAppMessage(WM_APP_SETTING_CHANGED, 0, 0);
    // The current recording's events again, without the group track, and no jump to it.
    EXPECT_EQ(fakeMap.grids, (std::vector<std::pair<int, bool>>{{0, false}}));
    EXPECT_EQ(fakeMap.icons, (std::vector<int>{400, 100}));
    EXPECT_EQ(JumpFrom(200, true), 400);
    fakeMap.icons.clear();
    road->HandleAppMessage(WM_APP_SETTING_CHANGED, 0, 1);
    EXPECT_EQ(fakeMap.icons, (std::vector<int>{400, 250, 100}));
    EXPECT_EQ(JumpFrom(200, true), 250);
}

TEST_F(MapEventsTest, ParkingRecordingsNeverShowTheMap) {
    SetFolders({{RecordingPath("/card/Parking", 1, 'P'), RecordingPath("/card/Normal", 2)}});
    OpenAndPlay(0);
    players.position = 50;
    Tick();
    EXPECT_EQ(std::count(fakeMap.shownCalls.begin(), fakeMap.shownCalls.end(), true), 0);
    EXPECT_TRUE(window.logoShown);

    road->OnRecordingSelected(1);
    timers.Advance(kOpenDelayMs);
    Ready();
    road->OnPlayPause();
    players.position = 50;
    Tick();
    EXPECT_FALSE(window.logoShown);
    EXPECT_EQ(fakeMap.shownCalls.back(), true);
}

}  // namespace
}  // namespace quorva::test
