// The presenter: a paused picture is the paused position and one step shows the next frame,
// whenever the pause comes; pictures are converted at the size they are shown while the
// read-back keeps the movie's own size; on a machine too weak for both cameras the sub
// camera leaves frames out while the main camera keeps every frame, and comes back.
#include <chrono>
#include <cmath>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

#include "player/offscreen_players.h"
#include "player_fixture.h"

namespace quorva::testing {
namespace {

using namespace std::chrono_literals;

// The frame number stamped in the picture the slot's output shows.
int ShownStamp(TestPlayers& players, int i) {
    const FramePtr picture = players.outputs[i].LastPicture();
    return picture ? StampedFrame(*picture) : -1;
}

TEST(Presenter, APauseAtAnyMomentKeepsThePictureAndOneStepShowsTheNextFrame) {
    TempFolder folder;
    const std::string main =
        WriteStampedMovie(folder, "AG__-240131-083015-000125M.MOV", 240, {30, 1}, 30, 0);
    WriteStampedMovie(folder, "AG__-240131-083015-000125S.MOV", 220, {55, 2}, 11, 1, 256, 144);
    TestPlayers players;
    PlayerGroup& g = players.group;
    PlayerSlot& s = g.slot[0];
    ASSERT_EQ(GroupOpen(g, main), 1);
    ASSERT_TRUE(WaitForPicture(s, 10000));
    ASSERT_TRUE(WaitForPicture(g.slot[1], 10000));
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> playMs(20, 260);
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(GroupPlay(g), 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(playMs(random)));
        ASSERT_EQ(GroupPause(g), 1);
        // At once, without waiting: the position is the frame on screen, and it stays.
        const int paused = s.ops->GetPosition(s);
        EXPECT_EQ(ShownStamp(players, 0), paused);
        std::this_thread::sleep_for(40ms);
        EXPECT_EQ(s.ops->GetPosition(s), paused);
        EXPECT_EQ(ShownStamp(players, 0), paused);
        EXPECT_EQ(StampedFrame(*CurrentPicture(s)), paused);
        // One step, by the engine's own step or (as the viewer's arrow keys do) by an exact
        // seek to the position after the paused one.
        if (round % 2 == 0) {
            ASSERT_TRUE(StepFrame(s));
        } else {
            ASSERT_EQ(GroupSeek(g, paused + 1), 1);
            ASSERT_TRUE(WaitForPicture(s, 10000));
            ASSERT_TRUE(WaitForPicture(g.slot[1], 10000));
        }
        EXPECT_EQ(ShownStamp(players, 0), paused + 1);
        EXPECT_EQ(s.ops->GetPosition(s), paused + 1);
        if (s.ops->GetPosition(s) > 200) {
            ASSERT_EQ(GroupSeek(g, 0), 1);
            ASSERT_TRUE(WaitForPicture(s, 10000));
            ASSERT_TRUE(WaitForPicture(g.slot[1], 10000));
        }
    }
}

TEST(Presenter, PicturesGoUpAtTheirShownSizeAndReadBackAtTheMoviesOwn) {
    TempFolder folder;
    const std::string movie = WriteStampedMovie(folder, "big.MOV", 90, {30, 1}, 15, 0, 1280, 720);
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    OffscreenVideoOutput& out = players.outputs[0];
    out.SetPresentAtRectSize(true);
    out.KeepPictures(64);
    ASSERT_EQ(s.ops->Open(s, movie), 1);
    ASSERT_TRUE(WaitForPicture(s, 10000));
    ASSERT_EQ(s.ops->SetAspect(s, 1), 1);  // 640 x 360 in the default client area
    ASSERT_EQ(s.ops->Seek(s, 20), 1);
    ASSERT_TRUE(WaitForPicture(s, 10000));
    ASSERT_EQ(s.ops->Play(s), 1);
    ASSERT_TRUE(out.WaitForPresents(out.PresentCount() + 10, 10000));
    ASSERT_EQ(s.ops->Pause(s), 1);
    const PlayerRect rect = out.VideoRect();
    EXPECT_NEAR(rect.Width(), 640, 1);
    EXPECT_NEAR(rect.Height(), 360, 1);
    for (const FramePtr& p : out.Pictures()) {
        if (p->position < 20) continue;  // the open's picture came before the placement
        EXPECT_EQ(p->width, rect.Width());
        EXPECT_EQ(p->height, rect.Height());
    }
    const FramePtr shown = out.LastPicture();
    const FramePtr own = CurrentPicture(s);
    ASSERT_TRUE(shown && own);
    EXPECT_EQ(own->width, 1280);
    EXPECT_EQ(own->height, 720);
    EXPECT_EQ(own->position, shown->position);
    EXPECT_EQ(StampedFrame(*own), s.ops->GetPosition(s));
    // A smaller window: the paused picture is converted again at its new size.
    out.SetClientSize({320, 180});
    ASSERT_EQ(s.ops->SetAspect(s, 1), 1);
    const PlayerRect small = out.VideoRect();
    EXPECT_NEAR(small.Width(), 320, 1);
    for (int i = 0; i < 100 && out.LastPicture()->width != small.Width(); ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(out.LastPicture()->width, small.Width());
    EXPECT_EQ(out.LastPicture()->height, small.Height());
    EXPECT_EQ(out.LastPicture()->position, own->position);
}

// The share of the last run's sub-camera pictures that went up within one frame (of the
// slower camera) of the main camera's picture on screen.
double ShareWithinOneFrame(OffscreenPlayers& players) {
    const std::vector<PresentRecord> main = players.output(0).Records();
    const std::vector<PresentRecord> sub = players.output(1).Records();
    const double frameMs = std::max(players.slot(0).frameMs, players.slot(1).frameMs);
    size_t i = 0, compared = 0, within = 0;
    const PresentRecord* shown = nullptr;
    for (const PresentRecord& s : sub) {
        while (i < main.size() && main[i].info.wallTime <= s.info.wallTime)
            shown = &main[i++];
        if (!shown || shown->info.immediate || s.info.immediate) continue;
        ++compared;
        within += std::fabs(shown->mediaMs - s.mediaMs) <= frameMs + 1e-6;
    }
    return compared ? static_cast<double>(within) / static_cast<double>(compared) : 0.0;
}

TEST(Presenter, OnAWeakMachineTheSubCameraGivesWayAndComesBack) {
    TempFolder folder;
    const std::string main =
        WriteStampedMovie(folder, "AG__-240131-083015-000126M.MOV", 480, {30, 1}, 15, 0);
    WriteStampedMovie(folder, "AG__-240131-083015-000126S.MOV", 440, {55, 2}, 11, 1, 256, 144);
    OffscreenPlayers players(2);
    std::string error;
    ASSERT_TRUE(players.Open(main, &error)) << error;
    ASSERT_TRUE(players.SubOpen());
    // One core for both outputs, and every picture costs 18 ms of it: both cameras would
    // need more than the whole core.
    auto core = std::make_shared<std::mutex>();
    players.output(0).SetPresentCost(core, 18.0);
    players.output(1).SetPresentCost(core, 18.0);
    // A second for the load to be seen, then the measured run.
    players.Play(1, 1.5);
    const PlaybackReport weak = players.Play(1, 5.0);
    ASSERT_GT(weak.mainFrames, 120);
    EXPECT_LE(weak.dropped, weak.mainFrames / 100) << "main frames " << weak.mainFrames;
    EXPECT_GT(weak.subDropped, 0);
    EXPECT_GT(SlotStats(players.slot(1)).yielded, 0);  // left out by the load, not only late
    // Every sub-camera picture keeps to the main camera's picture on screen (a rare one
    // more than a frame off has been seen with the whole suite running beside: at most 1 %,
    // and never two frames).
    EXPECT_GE(ShareWithinOneFrame(players), 0.99);
    EXPECT_LT(weak.maxCameraOffsetFrames, 2.0);

    // The machine catches up: the sub camera shows every frame again.
    players.output(0).SetPresentCost(nullptr, 0.0);
    players.output(1).SetPresentCost(nullptr, 0.0);
    const PlaybackReport strong = players.Play(1, 7.5);
    EXPECT_EQ(players.group().load.Level(), SubLevel::kEveryFrame);
    const std::vector<PresentRecord> sub = players.output(1).Records();
    ASSERT_GT(sub.size(), 20u);
    for (size_t i = sub.size() - 15; i < sub.size(); ++i)
        EXPECT_EQ(sub[i].position, sub[i - 1].position + 1) << i;
    EXPECT_GE(ShareWithinOneFrame(players), 0.99);
    EXPECT_LT(strong.maxCameraOffsetFrames, 2.0);
}

}  // namespace
}  // namespace quorva::testing
