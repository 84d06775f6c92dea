// Seek(n) shows frame n of the recording exactly and GetPosition answers n: proven on movies
// whose pictures carry their frame numbers.
#include <algorithm>
#include <random>

#include "player_fixture.h"

namespace quorva::testing {
namespace {

class ExactFrames : public ::testing::Test {
  protected:
    void SeekAndCheck(PlayerSlot& s, int64_t target, int64_t expected) {
        ASSERT_EQ(s.ops->Seek(s, target), 1);
        ASSERT_TRUE(WaitForPicture(s, 10000)) << "target " << target;
        FramePtr picture = CurrentPicture(s);
        ASSERT_TRUE(picture);
        EXPECT_EQ(StampedFrame(*picture), expected) << "target " << target;
        EXPECT_EQ(picture->position, expected);
        EXPECT_EQ(s.ops->GetPosition(s), expected) << "target " << target;
    }
    TempFolder folder;
};

TEST_F(ExactFrames, EveryKindOfTargetInAnyOrder) {
    // 150 frames, a key frame every 15: targets on, just before and just after key frames,
    // the first and the last frame, in a shuffled order and repeated.
    const std::string movie = WriteStampedMovie(folder, "exact.MOV", 150, {30, 1}, 15);
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    ASSERT_EQ(s.ops->Open(s, movie), 1);
    ASSERT_EQ(s.ops->GetDuration(s), 150);
    std::vector<int64_t> targets = {0,  1,  14,  15,  16,  29,  30,  31, 44, 45,  46, 74,
                                    89, 90, 119, 134, 135, 148, 149, 7,  77, 100, 0,  149};
    std::mt19937 random(7);
    std::shuffle(targets.begin(), targets.end(), random);
    for (int64_t t : targets)
        SeekAndCheck(s, t, t);
    // Beyond the end the last frame is shown; below 0 the first.
    SeekAndCheck(s, 100000, 149);
    SeekAndCheck(s, -5, 0);
}

TEST_F(ExactFrames, NonIntegerFrameRateAndLongGroups) {
    // 27.5 frames per second and one key frame for the whole movie.
    const std::string movie = WriteStampedMovie(folder, "odd.MOV", 120, {55, 2}, 120, 1);
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    ASSERT_EQ(s.ops->Open(s, movie), 1);
    EXPECT_NEAR(s.ops->GetFrameMs(s), 1000.0 / 27.5, 0.01);
    for (int64_t t : {119, 0, 60, 59, 61, 1, 118})
        SeekAndCheck(s, t, t);
}

TEST_F(ExactFrames, StepShowsTheNextFrameAndSeekingAgainFlushesIt) {
    const std::string movie = WriteStampedMovie(folder, "step.MOV", 90, {30, 1}, 15);
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    ASSERT_EQ(s.ops->Open(s, movie), 1);
    SeekAndCheck(s, 13, 13);
    for (int expected = 14; expected <= 17; ++expected) {
        ASSERT_TRUE(StepFrame(s));
        EXPECT_EQ(StampedFrame(*CurrentPicture(s)), expected);
        EXPECT_EQ(s.ops->GetPosition(s), expected);
    }
    // A seek drops what was decoded ahead of the old position.
    SeekAndCheck(s, 40, 40);
    ASSERT_TRUE(StepFrame(s));
    EXPECT_EQ(StampedFrame(*CurrentPicture(s)), 41);
    SeekAndCheck(s, 89, 89);
    EXPECT_FALSE(StepFrame(s, 2000));  // nothing after the last frame
    EXPECT_EQ(s.ops->GetPosition(s), 89);
}

TEST_F(ExactFrames, RepaintShowsTheLastFrameWithoutDecoding) {
    const std::string movie = WriteStampedMovie(folder, "repaint.MOV", 90, {30, 1}, 15);
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    ASSERT_EQ(s.ops->Open(s, movie), 1);
    SeekAndCheck(s, 20, 20);
    const size_t presented = players.outputs[0].PresentCount();
    const EngineStats before = SlotStats(s);
    ASSERT_EQ(s.ops->Repaint(s), 1);
    for (int i = 0; i < 200 && players.outputs[0].RepaintCount() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(players.outputs[0].RepaintCount(), 1);
    EXPECT_EQ(players.outputs[0].PresentCount(), presented);
    EXPECT_EQ(SlotStats(s).immediate, before.immediate);
    EXPECT_EQ(StampedFrame(*players.outputs[0].LastPicture()), 20);
}

}  // namespace
}  // namespace quorva::testing
