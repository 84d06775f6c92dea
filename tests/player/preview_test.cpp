// The hover preview's engine: one small picture of a recording, its flags, seeks and sound
// settings.
#include "player/preview_session.h"
#include "player_fixture.h"

namespace quorva::testing {
namespace {

class Preview : public ::testing::Test {
  protected:
    // The sequence the file list uses: open, play without loop, pause on the first frame.
    void OpenPaused(CMFSession& session, const std::string& movie) {
        ASSERT_EQ(session.OpenURL(movie), kPreviewOk);
        ASSERT_EQ(session.Play(false), kPreviewOk);
        ASSERT_EQ(session.TogglePause(), kPreviewOk);
        ASSERT_TRUE(session.Engine()->WaitForPicture(10000));
    }
    TempFolder folder;
    OffscreenVideoOutput output{{220, 124}};
    MessageLog window;
};

TEST_F(Preview, ShowsThePictureOfAMovieWithSound) {
    // Picture in stream 0 and sound in stream 1: the picture is shown all the same.
    const std::string movie =
        WriteStampedMovie(folder, "sound.MOV", 90, {30, 1}, 15, 0, 320, 180, true);
    CMFSession session(&output, &window);
    OpenPaused(session, movie);
    EXPECT_TRUE(session.HasVideo());
    EXPECT_TRUE(session.HasAudio());
    EXPECT_EQ(session.Flags() & (CMFSession::kOpen | CMFSession::kPlaying | CMFSession::kPaused),
              CMFSession::kOpen | CMFSession::kPlaying | CMFSession::kPaused);
    ASSERT_TRUE(output.LastPicture());
    EXPECT_EQ(StampedFrame(*output.LastPicture()), 0);
    int w = 0, h = 0;
    EXPECT_EQ(session.GetVideoSize(&w, &h), 1);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 180);
    EXPECT_EQ(session.GetDurationMs(), 3000);
    for (int i = 0; i < 200 && window.Count(kPreviewSessionEvent) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(window.Count(kPreviewSessionEvent), 1);  // the ready event
    // Volume and balance: in range with sound, refused outside it.
    EXPECT_EQ(session.SetVolume(500), 1);
    EXPECT_FLOAT_EQ(session.Volume(), 0.5f);
    EXPECT_EQ(session.SetVolume(1001), 0);
    EXPECT_EQ(session.SetBalance(-1001), 0);
    EXPECT_EQ(session.SetBalance(-300), 1);
    EXPECT_FLOAT_EQ(session.Balance(), -0.3f);
    EXPECT_EQ(session.SetVideoPosition(10, 20, 0, 0), 1);
    EXPECT_EQ(output.VideoRect(), (PlayerRect{10, 20, 330, 200}));
}

TEST_F(Preview, SingleStreamSeeksAndStop) {
    const std::string movie = WriteStampedMovie(folder, "quiet.MOV", 90, {30, 1}, 15);
    CMFSession session(&output, &window);
    OpenPaused(session, movie);
    EXPECT_TRUE(session.HasVideo());
    EXPECT_FALSE(session.HasAudio());
    EXPECT_EQ(session.SetVolume(500), 0);  // no sound to set
    EXPECT_EQ(session.SetBalance(0), 0);
    // Beyond the end goes to the end, below 0 to the start.
    ASSERT_EQ(session.SeekMs(100000), kPreviewOk);
    ASSERT_TRUE(session.Engine()->WaitForPicture(10000));
    EXPECT_EQ(StampedFrame(*output.LastPicture()), 89);
    ASSERT_EQ(session.SkipBack(1000), kPreviewOk);
    ASSERT_TRUE(session.Engine()->WaitForPicture(10000));
    EXPECT_EQ(StampedFrame(*output.LastPicture()), 59);
    ASSERT_EQ(session.SeekMs(-5), kPreviewOk);
    ASSERT_TRUE(session.Engine()->WaitForPicture(10000));
    EXPECT_EQ(StampedFrame(*output.LastPicture()), 0);
    // Stop leaves a paused preview as it is and stops a playing one.
    ASSERT_EQ(session.Stop(), kPreviewOk);
    EXPECT_TRUE(session.IsPlaying());
    EXPECT_TRUE(session.Flags() & CMFSession::kPaused);
    ASSERT_EQ(session.TogglePause(), kPreviewOk);
    EXPECT_FALSE(session.Flags() & CMFSession::kPaused);
    ASSERT_EQ(session.Stop(), kPreviewOk);
    EXPECT_FALSE(session.IsPlaying());
    EXPECT_EQ(session.SetRate(4.0f), kPreviewUnsupportedRate);
    EXPECT_EQ(session.SetRate(2.0f), kPreviewOk);
    EXPECT_EQ(session.Close(), 1);
    EXPECT_EQ(session.Flags(), 0u);
    EXPECT_EQ(session.SeekMs(10), kPreviewAbort);
    EXPECT_EQ(session.OpenURL(folder.File("missing.MOV")), kPreviewFail);
}

TEST_F(Preview, EndOfPresentationLoopsOrStops) {
    const std::string movie = WriteStampedMovie(folder, "loop.MOV", 30, {30, 1}, 15);
    CMFSession session(&output, &window);
    ASSERT_EQ(session.OpenURL(movie), kPreviewOk);
    ASSERT_EQ(session.Play(true), kPreviewOk);
    EXPECT_EQ(session.HandleEvent(kPreviewEndOfPresentation), 1);
    EXPECT_TRUE(session.IsPlaying());  // looping: it starts again
    ASSERT_EQ(session.Stop(), kPreviewOk);
    ASSERT_EQ(session.OpenURL(movie), kPreviewOk);
    ASSERT_EQ(session.Play(false), kPreviewOk);
    EXPECT_EQ(session.HandleEvent(kPreviewEndOfPresentation), 1);
    EXPECT_FALSE(session.IsPlaying());
}

}  // namespace
}  // namespace quorva::testing
