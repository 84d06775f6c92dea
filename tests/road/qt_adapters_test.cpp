// The Qt side of the playback controller: its window-style timers and the adapter over the
// player slots.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <string>
#include <vector>

#include "road/qt/playback_player_group_adapter.h"
#include "road/qt/playback_qt_timers.h"

namespace quorva {
namespace {

// Runs the event loop until the condition holds or two seconds have passed.
template <typename Condition>
bool SpinUntil(Condition done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

TEST(QtPlaybackTimers, FireByIdUntilKilled) {
    QtPlaybackTimers timers;
    std::vector<int> fired;
    timers.SetHandler([&](int id) {
        fired.push_back(id);
        if (id == 101) timers.Kill(101);  // the open delay kills itself when it fires
    });
    timers.Start(101, 10);
    timers.Start(100, 10);
    EXPECT_TRUE(timers.IsRunning(100));
    ASSERT_TRUE(SpinUntil([&] { return std::count(fired.begin(), fired.end(), 100) >= 3; }));
    EXPECT_EQ(std::count(fired.begin(), fired.end(), 101), 1);
    EXPECT_FALSE(timers.IsRunning(101));
    timers.Kill(100);
    EXPECT_FALSE(timers.IsRunning(100));
    const size_t count = fired.size();
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 60)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(fired.size(), count);
}

std::vector<std::string> g_calls;

PlayerOps RecordingOps() {
    PlayerOps ops{};
    ops.Stop = [](PlayerSlot& s) {
        g_calls.push_back("Stop " + std::to_string(s.index));
        return 1;
    };
    ops.GetPosition = [](PlayerSlot& s) {
        g_calls.push_back("GetPosition " + std::to_string(s.index));
        return 42;
    };
    ops.SetVolume = [](PlayerSlot& s, int v) {
        g_calls.push_back("SetVolume " + std::to_string(s.index) + " " + std::to_string(v));
        return 1;
    };
    return ops;
}

TEST(PlaybackPlayerGroupAdapter, ReachesOnlyValidSlots) {
    g_calls.clear();
    static const PlayerOps ops = RecordingOps();
    PlayerGroup group(ops);
    group.slot[0].valid = 1;
    group.slot[0].state = SLOT_PAUSED;
    group.slot[0].rateCode = -2;
    group.slot[1].valid = 0;
    group.slot[1].state = SLOT_PLAYING;
    PlaybackPlayerGroupAdapter players(group);

    EXPECT_EQ(players.State(0), kSlotPaused);
    EXPECT_EQ(players.State(1), kSlotClosed);  // an invalid slot counts as closed
    EXPECT_EQ(players.RateCode(0), -2);
    EXPECT_EQ(players.Stop(0), 1);
    EXPECT_EQ(players.Stop(1), 0);
    EXPECT_EQ(players.SetVolume(1, 9), 0);
    EXPECT_EQ(players.GetPosition(), 42);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"Stop 0", "GetPosition 0"}));

    group.slot[0].valid = 0;
    EXPECT_EQ(players.GetPosition(), 0);  // no call into an invalid main slot
    EXPECT_EQ(g_calls.size(), 2u);

    players.LockAll();
    const ShownDriveData shown = players.Shown();
    players.UnlockAll();
    EXPECT_EQ(shown.g.FrameCount(), 0);
    EXPECT_EQ(shown.gpsCount, 0u);
    EXPECT_EQ(shown.timeLapse, 0);
}

}  // namespace
}  // namespace quorva

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
