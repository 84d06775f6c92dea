// The pure rules of the player: rate table, picture placement, snapshot names, position
// numbers and the presenter's timing decisions.
#include <gtest/gtest.h>

#include "player/audio_sync_queue.h"
#include "player/frame_timeline.h"
#include "player/frame_timing.h"
#include "player/picture_placement.h"
#include "player/playback_load.h"
#include "player/position_numbers.h"
#include "player/presenter_status.h"
#include "player/preview_levels.h"
#include "player/rate_table.h"
#include "player/snapshot_naming.h"

namespace quorva {
namespace {

TEST(RateTable, EveryCodeGivesItsRateAndStoredCode) {
    struct Case {
        int code;
        bool backwards;
        int current;
        double rate;
        int stored;
    };
    const Case cases[] = {
        {2, false, 1, 2.0, 2},   {4, false, 1, 4.0, 4},   {-2, true, 1, -2.0, -2},
        {-2, false, 1, 0.5, -2}, {-4, true, 1, -4.0, -4}, {-4, false, 1, 0.25, -4},
        {-1, true, 1, -1.0, -1}, {-1, false, 1, 0.5, -2}, {-1, false, -2, 1.0, 1},
        {-1, false, 4, 1.0, -1}, {1, false, 4, 1.0, 1},   {7, false, 1, 1.0, 7},
        {0, true, 2, 1.0, 0},
    };
    for (const Case& c : cases) {
        const RateChoice r = ChooseRate(c.code, c.backwards, c.current);
        EXPECT_DOUBLE_EQ(r.rate, c.rate) << "code " << c.code << " current " << c.current;
        EXPECT_EQ(r.storedCode, c.stored) << "code " << c.code << " current " << c.current;
    }
}

TEST(RateTable, MinusOneAlternatesNormalAndHalfSpeedForwardOnly) {
    int code = 1;
    double rates[4];
    for (double& rate : rates) {
        const RateChoice r = ChooseRate(-1, false, code);
        rate = r.rate;
        code = r.storedCode;
    }
    EXPECT_EQ(rates[0], 0.5);
    EXPECT_EQ(rates[1], 1.0);
    EXPECT_EQ(rates[2], 0.5);
    EXPECT_EQ(rates[3], 1.0);
}

TEST(RateTable, SoundOnlyAtCodeOneAndThinningOnlyAboveTwo) {
    EXPECT_EQ(AudibleVolume(1, 40000), 40000);
    EXPECT_EQ(AudibleVolume(2, 40000), 0);
    EXPECT_EQ(AudibleVolume(-2, 40000), 0);
    EXPECT_FALSE(IsThinnedRate(2.0));
    EXPECT_TRUE(IsThinnedRate(4.0));
    EXPECT_FALSE(IsThinnedRate(0.25));
}

TEST(PicturePlacement, KeepAspectFitsFullHdIntoFourByThree) {
    auto r = PlacePicture({800, 600}, ZoomSettings{}, true, {1920, 1080});
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (PlayerRect{0, 75, 800, 526}));
}

TEST(PicturePlacement, KeepAspectFitsHeightInWideWindow) {
    auto r = PlacePicture({1000, 300}, ZoomSettings{}, true, {640, 480});
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (PlayerRect{300, 0, 700, 301}));
}

TEST(PicturePlacement, ZoomOneWithoutPanIsTheClientRectangle) {
    auto r = PlacePicture({640, 360}, ZoomSettings{100, 50, 0, 0, 1.0f}, false, {});
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (PlayerRect{0, 0, 640, 360}));
}

TEST(PicturePlacement, ZoomGrowsAroundTheAnchorAndPanMovesIt) {
    // Factor 2 around (200, 100) in 800 x 400: the anchor stays put.
    auto r = ZoomedRect({800, 400}, ZoomSettings{200, 100, 0, 0, 2.0f});
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (PlayerRect{-200, -100, 1400, 700}));
    auto panned = ZoomedRect({800, 400}, ZoomSettings{200, 100, 30, -20, 2.0f});
    ASSERT_TRUE(panned);
    EXPECT_EQ(*panned, (PlayerRect{-170, -120, 1430, 680}));
}

TEST(PicturePlacement, ZeroZoomAndUnknownPictureAreRefused) {
    EXPECT_FALSE(ZoomedRect({800, 600}, ZoomSettings{0, 0, 0, 0, 0.0f}));
    EXPECT_FALSE(PlacePicture({800, 600}, ZoomSettings{}, true, {0, 0}));
    EXPECT_TRUE(PlacePicture({800, 600}, ZoomSettings{}, false, {0, 0}));
    // A zoom below zero that turns the rectangle inside out.
    EXPECT_FALSE(ZoomedRect({800, 600}, ZoomSettings{400, 300, 0, 0, -1.0f}));
}

TEST(PicturePlacement, BlackBandsSurroundTheVideoRectangle) {
    const auto bands = BlackBands({800, 600}, PlayerRect{0, 75, 800, 526});
    EXPECT_TRUE(bands[0].IsEmpty());  // no left band
    EXPECT_EQ(bands[1], (PlayerRect{0, 0, 800, 75}));
    EXPECT_TRUE(bands[2].IsEmpty());  // no right band
    EXPECT_EQ(bands[3], (PlayerRect{0, 526, 800, 600}));
    // A zoomed rectangle larger than the window leaves no band at all.
    for (const auto& b : BlackBands({800, 600}, PlayerRect{-100, -50, 900, 700}))
        EXPECT_TRUE(b.IsEmpty());
}

TEST(PicturePlacement, OverlaySitsInTheLowerRightCorner) {
    // A 1280 x 720 picture in a 640 x 360 window: 150 x 60 client pixels.
    const NormalizedRect n = OverlayPlacement({640, 360}, {1280, 720}, true);
    EXPECT_FLOAT_EQ(n.left, 1.0f - 150.0f / 640.0f);
    EXPECT_FLOAT_EQ(n.top, 1.0f - 60.0f / 360.0f);
    EXPECT_FLOAT_EQ(n.right, 1.0f);
    EXPECT_FLOAT_EQ(n.bottom, 1.0f);
    // Stretching takes the smaller scale for both axes.
    const NormalizedRect s = OverlayPlacement({1280, 360}, {1280, 720}, false);
    EXPECT_FLOAT_EQ(s.left, 1.0f - 150.0f / 1280.0f);
}

TEST(PicturePlacement, PicturesAreConvertedAtTheRectangleSizeOnlyWhenShrunk) {
    const PlayerSize hd{1920, 1080};
    EXPECT_EQ(PresentSizeFor(hd, {10, 20, 650, 380}), (PlayerSize{640, 360}));
    EXPECT_EQ(PresentSizeFor(hd, {0, 0, 1920, 1080}), hd);
    // Zoomed larger than the picture on either side, or no rectangle: the picture's own.
    EXPECT_EQ(PresentSizeFor(hd, {-200, 0, 2200, 1000}), hd);
    EXPECT_EQ(PresentSizeFor(hd, {0, 0, 1000, 1200}), hd);
    EXPECT_EQ(PresentSizeFor(hd, {}), hd);
    EXPECT_EQ(PresentSizeFor({2, 2}, {0, 0, 1, 1}), (PlayerSize{1, 1}));
}

TEST(SnapshotNaming, RecordingNameGivesDateTimeCameraAndPosition) {
    const std::string base = SnapshotBaseName("/cards/Normal/AG__-240131-083015-000123M.MOV");
    EXPECT_EQ(base, "240131-083015-M");
    const std::string main = SnapshotMainPath("/home/u/Snap", base, 456);
    EXPECT_EQ(main, "/home/u/Snap/240131-083015-M-000456.jpg");
    EXPECT_EQ(SnapshotSubPath(main), "/home/u/Snap/240131-083015-S-000456.jpg");
    EXPECT_EQ(SnapshotSubPath(SnapshotSubPath(main)), main);
}

TEST(SnapshotNaming, FolderRulesAndUnusualNames) {
    struct Case {
        std::string folder;
        std::string recording;
        int64_t position;
        std::string main;
        std::string sub;
    };
    const Case cases[] = {
        // A folder at the root gets no second separator.
        {"/", "AG__-240131-083015-000123M.MOV", 7, "/240131-083015-M-000007.jpg",
         "/240131-083015-S-000007.jpg"},
        {"/media/snap/", "AG__-240131-083015-000123S.MOV", 0,
         "/media/snap/240131-083015-S-000000.jpg", "/media/snap/240131-083015-M-000000.jpg"},
        // More than six digits are written in full; the letter still swaps.
        {"/s", "AG__-240131-083015-000123M.MOV", 12345678, "/s/240131-083015-M-12345678.jpg",
         "/s/240131-083015-S-12345678.jpg"},
        // Not a recording name: the same character rule, an unknown letter stays.
        {"/s", "holiday_video.mp4", 3, "/s/ay_videoo-000003.jpg", "/s/ay_videoo-000003.jpg"},
        {"/s", "abc.mov", 1, "/s/-000001.jpg", "/s/-000001.jpg"},
    };
    for (const Case& c : cases) {
        const std::string main =
            SnapshotMainPath(c.folder, SnapshotBaseName(c.recording), c.position);
        EXPECT_EQ(main, c.main);
        EXPECT_EQ(SnapshotSubPath(main), c.sub);
    }
    EXPECT_EQ(SnapshotMainPath("/s", "240131-083015-M", -1), "/s");
}

TEST(PositionNumbers, TimeAndPositionRoundTripOnEveryFrame) {
    for (double frameMs : {33.366665, 33.333332, 66.666664, 40.0, 36.363636}) {
        for (int64_t n : {0, 1, 2, 29, 30, 899, 1799, 107999}) {
            EXPECT_EQ(PositionAtMs(MsOfPosition(n, frameMs), frameMs), n) << frameMs;
            EXPECT_EQ(PositionAtMs(MsOfPosition(n, frameMs) + frameMs * 0.99, frameMs), n);
        }
    }
    EXPECT_EQ(PositionAtMs(100.0, 0.0), 0);
}

TEST(PositionNumbers, SubSlotFollowsTheMainSlotsTime) {
    EXPECT_EQ(SubSlotPosition(100, 33.3f, 66.6f), 50);
    EXPECT_EQ(SubSlotPosition(100, 33.3f, 0.0f), 100);
    EXPECT_EQ(SubSlotPosition(0, 33.3f, 66.6f), 0);
    EXPECT_EQ(SubSlotPosition(901, 33.366665f, 33.366665f), 901);
}

TEST(FrameTimeline, AConstantRateKeepsPositionTimesFrameDuration) {
    for (double frameMs : {33.366665, 40.0, 66.666664}) {
        const FrameTimeline t = FrameTimeline::Constant(1800, frameMs);
        EXPECT_TRUE(t.IsConstant());
        EXPECT_EQ(t.FrameCount(), 1800);
        for (int64_t n : {0, 1, 29, 899, 1799}) {
            EXPECT_EQ(t.StartMs(n), MsOfPosition(n, frameMs));
            EXPECT_EQ(t.PositionAt(t.StartMs(n) + frameMs * 0.99), n);
            EXPECT_EQ(t.DurationMs(n), frameMs);
        }
        EXPECT_EQ(t.PositionAt(2000 * frameMs), 2000);  // not limited, as before
        EXPECT_DOUBLE_EQ(t.EndMs(), 1800 * frameMs);
    }
}

TEST(FrameTimeline, AVariableRateKeepsEachFramesOwnStart) {
    // 30 frames a second, then 15, then a last frame as long as its own duration says.
    std::vector<double> starts;
    for (int i = 0; i < 30; ++i)
        starts.push_back(i * 1000.0 / 30);
    for (int i = 0; i < 15; ++i)
        starts.push_back(1000.0 + i * 1000.0 / 15);
    const FrameTimeline t = FrameTimeline::Listed(starts, 2000.0);
    EXPECT_FALSE(t.IsConstant());
    EXPECT_EQ(t.FrameCount(), 45);
    EXPECT_NEAR(t.FrameMs(), 2000.0 / 45, 1e-9);
    for (int64_t n = 0; n < 45; ++n) {
        EXPECT_EQ(t.PositionAt(t.StartMs(n)), n);
        EXPECT_EQ(t.PositionAt(t.StartMs(n) + t.DurationMs(n) * 0.99), n);
    }
    EXPECT_NEAR(t.DurationMs(29), 1000.0 / 30, 1e-9);
    EXPECT_NEAR(t.DurationMs(30), 1000.0 / 15, 1e-9);
    EXPECT_NEAR(t.DurationMs(44), 1000.0 / 15, 1e-9);
    EXPECT_EQ(t.PositionAt(-5.0), 0);
    EXPECT_EQ(t.PositionAt(5000.0), 44);
    EXPECT_EQ(t.StartMs(-3), 0.0);
    EXPECT_EQ(t.StartMs(99), t.StartMs(44));
    EXPECT_EQ(FrameTimeline::Listed({}, 0.0).FrameCount(), 0);
}

TEST(FrameTiming, QuarterLateAndThreeQuartersEarlyThresholds) {
    const double f = 40.0;
    EXPECT_EQ(DecideFrame(0.0, f, 1.0).action, FrameAction::kPresent);
    EXPECT_EQ(DecideFrame(-9.9, f, 1.0).action, FrameAction::kPresent);
    EXPECT_EQ(DecideFrame(-10.1, f, 1.0).action, FrameAction::kPresentLate);
    EXPECT_EQ(DecideFrame(30.0, f, 1.0).action, FrameAction::kPresent);
    const FrameDecision early = DecideFrame(50.0, f, 1.0);
    EXPECT_EQ(early.action, FrameAction::kWait);
    EXPECT_DOUBLE_EQ(early.waitMs, 20.0);
    // The wait is in wall time: twice as fast, half the wait.
    EXPECT_DOUBLE_EQ(DecideFrame(50.0, f, 2.0).waitMs, 10.0);
    // Backwards the sign turns.
    EXPECT_EQ(DecideFrame(50.0, f, -1.0).action, FrameAction::kPresentLate);
}

TEST(AudioSyncQueue, PlaysWhatIsDueWaitsForWhatIsAheadDropsWhatIsBehind) {
    // 1000 samples per second, mono: one sample per ms.
    AudioSyncQueue q(1000, 1);
    std::vector<int16_t> a(100, 1), b(100, 2), c(100, 3);
    q.Push(a.data(), 100, 0.0);    // 0..100 ms
    q.Push(b.data(), 100, 100.0);  // 100..200 ms
    q.Push(c.data(), 100, 500.0);  // 500..600 ms
    EXPECT_DOUBLE_EQ(q.QueuedMs(), 300.0);
    std::vector<int16_t> out(150);
    // Paused: silence, nothing consumed.
    EXPECT_EQ(q.Read(out.data(), out.size(), 0.0, false), 0u);
    EXPECT_DOUBLE_EQ(q.QueuedMs(), 300.0);
    // At 0 ms: the first chunk and half of the second.
    EXPECT_EQ(q.Read(out.data(), out.size(), 0.0, true), 150u);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[149], 2);
    // At 400 ms the rest of the second chunk is behind by more than 100 ms: dropped; the
    // third is not due yet: silence.
    EXPECT_EQ(q.Read(out.data(), out.size(), 400.0, true), 0u);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(q.Read(out.data(), 50, 490.0, true), 50u);
    EXPECT_EQ(out[0], 3);
    q.Clear();
    EXPECT_EQ(q.Read(out.data(), out.size(), 550.0, true), 0u);
}

TEST(AudioSyncQueue, ChannelLevelsAndTheQueueLimit) {
    AudioSyncQueue q(1000, 2);
    std::vector<int16_t> stereo = {1000, 1000, 1000, 1000};
    q.SetLevels({0.5f, 0.0f});
    q.Push(stereo.data(), 2, 0.0);
    std::vector<int16_t> out(4);
    EXPECT_EQ(q.Read(out.data(), 4, 0.0, true), 4u);
    EXPECT_EQ(out, (std::vector<int16_t>{500, 0, 500, 0}));
    // More than three seconds queued: the oldest goes.
    std::vector<int16_t> second(2000, 7);
    for (int i = 0; i < 4; ++i)
        q.Push(second.data(), 1000, 1000.0 * i);
    EXPECT_LE(q.QueuedMs(), AudioSyncQueue::kMaxQueuedMs);
    EXPECT_EQ(q.Read(out.data(), 2, 1000.0, true), 2u);  // the chunk at 0 ms is gone
    EXPECT_EQ(out[0], 3);                                // 7 at level 0.5
}

TEST(PreviewLevels, BalanceTurnsDownTheOtherSide) {
    EXPECT_EQ(PreviewChannelLevels(2, 0.8f, 0.0f), (std::vector<float>{0.8f, 0.8f}));
    const auto right = PreviewChannelLevels(2, 1.0f, 0.25f);  // to the right: left quieter
    EXPECT_FLOAT_EQ(right[0], 0.75f);
    EXPECT_FLOAT_EQ(right[1], 1.0f);
    const auto left = PreviewChannelLevels(2, 0.5f, -0.5f);
    EXPECT_FLOAT_EQ(left[0], 0.5f);
    EXPECT_FLOAT_EQ(left[1], 0.25f);
    // An odd count: the last channel keeps the plain volume.
    const auto three = PreviewChannelLevels(3, 0.5f, 1.0f);
    EXPECT_FLOAT_EQ(three[0], 0.0f);
    EXPECT_FLOAT_EQ(three[1], 0.5f);
    EXPECT_FLOAT_EQ(three[2], 0.5f);
    EXPECT_TRUE(PreviewChannelLevels(0, 1.0f, 0.0f).empty());
}

TEST(PresenterStatus, EveryEventLeadsWhereItShould) {
    using S = PresenterStatus;
    using E = PresenterEvent;
    struct Case {
        S from;
        E event;
        bool playWanted;
        S to;
    };
    const Case cases[] = {
        // A seek from anywhere syncs; its picture then plays on or stays paused.
        {S::kPlaying, E::kSeek, true, S::kSyncing},
        {S::kEnded, E::kSeek, false, S::kSyncing},
        {S::kSyncing, E::kPictureUp, false, S::kReady},
        {S::kSyncing, E::kPictureUp, true, S::kPlaying},
        {S::kSyncing, E::kPictureFailed, false, S::kReady},
        {S::kSyncing, E::kPictureFailed, true, S::kDraining},
        // Play and pause; a pause keeps what is on screen.
        {S::kReady, E::kPlay, true, S::kPlaying},
        {S::kEnded, E::kPlay, true, S::kPlaying},
        {S::kSyncing, E::kPlay, true, S::kSyncing},
        {S::kPlaying, E::kPause, false, S::kReady},
        {S::kDraining, E::kPause, false, S::kReady},
        {S::kSyncing, E::kPause, false, S::kSyncing},
        // A step only from a paused picture, and back to it.
        {S::kReady, E::kStep, false, S::kStepping},
        {S::kPlaying, E::kStep, true, S::kPlaying},
        {S::kStepping, E::kPictureUp, false, S::kReady},
        {S::kStepping, E::kPictureFailed, false, S::kReady},
        // Out of frames: the last one stays its time, then the end.
        {S::kPlaying, E::kOutOfFrames, true, S::kDraining},
        {S::kReady, E::kOutOfFrames, false, S::kReady},
        {S::kDraining, E::kLastFrameOver, false, S::kEnded},
        {S::kPlaying, E::kLastFrameOver, true, S::kPlaying},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextStatus(c.from, c.event, c.playWanted), c.to)
            << StatusName(c.from) << " + event " << static_cast<int>(c.event) << " -> "
            << StatusName(NextStatus(c.from, c.event, c.playWanted));
    }
    EXPECT_TRUE(PicturePending(S::kSyncing));
    EXPECT_TRUE(PicturePending(S::kStepping));
    EXPECT_FALSE(PicturePending(S::kReady));
}

TEST(PlaybackLoad, TheSubCameraGivesWayStepByStepAndComesBackAfterAQuietSpell) {
    using namespace std::chrono_literals;
    PlaybackLoad load;
    const auto t0 = PlaybackLoad::Clock::now();
    EXPECT_EQ(load.Level(t0), SubLevel::kEveryFrame);
    load.MainTrouble(t0);  // one late frame is no trouble yet
    EXPECT_EQ(load.Level(t0 + 100ms), SubLevel::kEveryFrame);
    load.MainTrouble(t0 + 1500ms);  // the first one is over a second old
    EXPECT_EQ(load.Level(t0 + 1500ms), SubLevel::kEveryFrame);
    load.MainTrouble(t0 + 1600ms);
    EXPECT_EQ(load.Level(t0 + 1600ms), SubLevel::kEverySecondFrame);
    // Further trouble within a second of the change does not go deeper yet.
    load.MainTrouble(t0 + 1700ms);
    load.MainTrouble(t0 + 1800ms);
    EXPECT_EQ(load.Level(t0 + 1800ms), SubLevel::kEverySecondFrame);
    load.MainTrouble(t0 + 2700ms);
    EXPECT_EQ(load.Level(t0 + 2700ms), SubLevel::kKeyFramesOnly);
    load.MainTrouble(t0 + 3800ms);
    load.MainTrouble(t0 + 3900ms);
    EXPECT_EQ(load.Level(t0 + 3900ms), SubLevel::kKeyFramesOnly);  // the deepest
    // Three quiet seconds bring it back one step each.
    EXPECT_EQ(load.Level(t0 + 6800ms), SubLevel::kKeyFramesOnly);
    EXPECT_EQ(load.Level(t0 + 6900ms), SubLevel::kEverySecondFrame);
    EXPECT_EQ(load.Level(t0 + 8000ms), SubLevel::kEverySecondFrame);
    EXPECT_EQ(load.Level(t0 + 9900ms), SubLevel::kEveryFrame);
    load.MainTrouble(t0 + 10s);
    load.MainTrouble(t0 + 10s + 10ms);
    EXPECT_EQ(load.Level(t0 + 10s + 10ms), SubLevel::kEverySecondFrame);
    load.Reset();
    EXPECT_EQ(load.Level(t0 + 10s + 20ms), SubLevel::kEveryFrame);
}

}  // namespace
}  // namespace quorva
