// Both slots follow one presentation clock: the sub camera's picture stays within one frame
// of the main camera's, whatever the two frame rates.
#include <cmath>
#include <thread>

#include "player_fixture.h"

namespace quorva::testing {
namespace {

using namespace std::chrono_literals;

TEST(TwoCameras, PositionsAndPausedPicturesStayInStep) {
    TempFolder folder;
    // Main 30 frames per second, sub 27.5, each eight seconds, different sizes.
    const std::string main =
        WriteStampedMovie(folder, "AG__-240131-083015-000123M.MOV", 240, {30, 1}, 15, 0);
    WriteStampedMovie(folder, "AG__-240131-083015-000123S.MOV", 220, {55, 2}, 11, 1, 256, 144);
    TestPlayers players;
    PlayerGroup& g = players.group;
    ASSERT_EQ(GroupOpen(g, main), 1);
    EXPECT_EQ(g.subOpenResult, 1);
    ASSERT_TRUE(WaitForPicture(g.slot[0], 10000));
    ASSERT_TRUE(WaitForPicture(g.slot[1], 10000));
    const double f0 = g.slot[0].frameMs;
    const double f1 = g.slot[1].frameMs;
    const double oneFrame = std::max(f0, f1);

    // The sub slot seeks to the same time: int(100 x 33.33 / 36.36) = 91.
    ASSERT_EQ(GroupSeek(g, 100), 1);
    ASSERT_TRUE(WaitForPicture(g.slot[0], 10000));
    ASSERT_TRUE(WaitForPicture(g.slot[1], 10000));
    int camera = -1;
    EXPECT_EQ(StampedFrame(*CurrentPicture(g.slot[0]), &camera), 100);
    EXPECT_EQ(camera, 0);
    EXPECT_EQ(StampedFrame(*CurrentPicture(g.slot[1]), &camera), 91);
    EXPECT_EQ(camera, 1);
    const double startOffset = SlotMediaMs(g.slot[0]) - SlotMediaMs(g.slot[1]);
    EXPECT_LT(std::fabs(startOffset), oneFrame);

    for (int round = 0; round < 3; ++round) {
        const size_t before = players.outputs[0].PresentCount();
        ASSERT_EQ(GroupPlay(g), 1);
        // While playing, both slots' times come from the one clock: their distance stays
        // what the seek made it (less than a frame), and so do the frames they name.
        for (int i = 0; i < 40; ++i) {
            // Both times at one sample of the clock.
            const double clock = g.clock.NowMs();
            const double t0 = SlotMediaMsAt(g.slot[0], clock);
            const double t1 = SlotMediaMsAt(g.slot[1], clock);
            EXPECT_NEAR(t0 - t1, startOffset, 1e-6);
            const int p0 = g.slot[0].ops->GetPosition(g.slot[0]);
            const int p1 = g.slot[1].ops->GetPosition(g.slot[1]);
            EXPECT_LT(std::fabs(p0 * f0 - p1 * f1), f0 + f1) << p0 << " " << p1;
            std::this_thread::sleep_for(5ms);
        }
        ASSERT_TRUE(players.outputs[0].WaitForPresents(before + 10, 20000));
        ASSERT_EQ(GroupPause(g), 1);
        ASSERT_TRUE(WaitForPicture(g.slot[0], 10000));
        ASSERT_TRUE(WaitForPicture(g.slot[1], 10000));
        // Paused: each slot shows the frame it names, and the two frames are one time.
        const int p0 = g.slot[0].ops->GetPosition(g.slot[0]);
        const int p1 = g.slot[1].ops->GetPosition(g.slot[1]);
        EXPECT_EQ(StampedFrame(*CurrentPicture(g.slot[0])), p0);
        EXPECT_EQ(StampedFrame(*CurrentPicture(g.slot[1])), p1);
        EXPECT_LT(std::fabs(p0 * f0 - p1 * f1), f0 + f1) << p0 << " " << p1;
        EXPECT_NEAR(SlotMediaMs(g.slot[0]) - SlotMediaMs(g.slot[1]), startOffset, 1e-6);
        EXPECT_GT(p0, 100);
    }
    EXPECT_EQ(GroupClose(g), 1);
    EXPECT_EQ(g.slot[0].state, SLOT_CLOSED);
    EXPECT_EQ(g.slot[1].state, SLOT_CLOSED);
}

TEST(TwoCameras, SingleCameraRecordingOpensTheMainSlotOnly) {
    TempFolder folder;
    const std::string main =
        WriteStampedMovie(folder, "AG__-240131-083015-000124M.MOV", 90, {30, 1}, 15, 0);
    TestPlayers players;
    ASSERT_EQ(GroupOpen(players.group, main), 1);
    EXPECT_EQ(players.group.subOpenResult, 0);
    EXPECT_EQ(players.group.slot[1].state, SLOT_CLOSED);
    // The group goes on with the main slot alone.
    EXPECT_EQ(GroupSeek(players.group, 30), 1);
    ASSERT_TRUE(WaitForPicture(players.group.slot[0], 10000));
    EXPECT_EQ(StampedFrame(*CurrentPicture(players.group.slot[0])), 30);
    EXPECT_EQ(GroupPlay(players.group), 1);
    EXPECT_EQ(players.group.slot[1].ops->Play(players.group.slot[1]), 0);
}

}  // namespace
}  // namespace quorva::testing
