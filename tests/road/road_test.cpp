// The road of one recording against a fake player group and fake timers: open, start, the
// playback tick, seeks, the end of a recording, failed opens, continuous play.
#include <gtest/gtest.h>

#include "appcore/ui_text.h"
#include "road/playback_command_ids.h"
#include "road_fixture.h"

namespace quorva::test {
namespace {

using namespace command;

TEST_F(RoadTest, OpenWaitsForTheDelayThenStartsAtPositionZero) {
    road->OnRecordingSelected(1);
    EXPECT_TRUE(road->Opening());
    EXPECT_TRUE(window.waitCursor);
    EXPECT_FALSE(window.buttons.Enabled(ID_OPEN_SOURCE));  // everything disabled while opening
    timers.Advance(kOpenDelayMs - 1);
    EXPECT_TRUE(players.opened.empty());
    timers.Advance(1);
    ASSERT_EQ(players.opened, std::vector<std::string>{PathOf(1)});
    Ready();
    EXPECT_TRUE(road->Started());
    EXPECT_FALSE(road->Opening());
    EXPECT_FALSE(window.waitCursor);
    EXPECT_FALSE(timers.IsRunning(TIMER_OPEN_TIMEOUT));
    EXPECT_TRUE(timers.IsRunning(TIMER_PLAYBACK));
    EXPECT_EQ(players.State(0), kSlotStopped);  // waits at its start
    EXPECT_EQ(window.face, PlayFace::kPlay);
    EXPECT_EQ(window.seekMax, 1800);
    EXPECT_EQ(window.graphFrames, 1800);
    EXPECT_EQ(window.seekPos, 0);
    EXPECT_EQ(window.resolutionCode, 12);
    EXPECT_EQ(window.graphRangeStep, 2);  // largest G 1.0
    EXPECT_EQ(window.rateText, UiText(57));
    EXPECT_TRUE(window.buttons.Enabled(ID_PLAY_PAUSE));
    EXPECT_EQ(players.Prefetched().front(), PathOf(1));
}

TEST_F(RoadTest, TickMovesThePanelsWithThePlayer) {
    OpenAndPlay(0);
    players.position = 250;
    Tick();
    EXPECT_EQ(window.seekPos, 250);
    EXPECT_EQ(window.graphCursor, 250);
    EXPECT_EQ(window.infoPosition, 250);
    EXPECT_DOUBLE_EQ(window.infoG[2], 1.0);
    EXPECT_TRUE(window.infoFix);
    EXPECT_DOUBLE_EQ(window.infoSpeed, 40.0);

    // Past the drive data: no sample, the panels show missing values.
    players.MakeDriveData(100);
    players.position = 300;
    Tick();
    EXPECT_EQ(window.seekPos, 300);
    EXPECT_DOUBLE_EQ(window.infoG[0], -5.0);
    EXPECT_FALSE(window.infoFix);
}

TEST_F(RoadTest, PanelsWaitForTheSeekTarget) {
    struct Case {
        int reported, shown;
    };
    for (Case c : {Case{469, 500}, Case{470, 470}, Case{530, 530}, Case{531, 500}}) {
        SCOPED_TRACE(c.reported);
        OpenAndPlay(0);
        road->OnSliderBegin(IDC_SEEK_SLIDER, 500, true);
        road->OnSliderEnd(IDC_SEEK_SLIDER, 500, true);
        EXPECT_EQ(players.seeks.back(), 500);
        EXPECT_EQ(players.State(0), kSlotPlaying);  // resumes in the state it had
        EXPECT_EQ(window.seekPos, 500);
        players.position = c.reported;  // the player has not quite got there yet
        Tick();
        EXPECT_EQ(window.seekPos, c.shown);
        EXPECT_EQ(window.graphCursor, c.shown);
        road->ClearCurrent();
    }
}

TEST_F(RoadTest, SeekStopsBeforeTheEndGuardZone) {
    for (auto [rate, target] : {std::pair{1, 1780}, {2, 1760}, {4, 1720}}) {
        SCOPED_TRACE(rate);
        OpenAndPlay(0);
        players.slot[0].rate = rate;
        road->OnMapSeek(1799);
        EXPECT_EQ(players.seeks.back(), target);
        EXPECT_EQ(window.seekPos, 1799);  // the panels show where the user pointed
        EXPECT_EQ(players.State(0), kSlotPlaying);
        road->ClearCurrent();
    }
}

TEST_F(RoadTest, StalledPlayerIsKickedAfterThirtyOneTicks) {
    OpenAndPlay(0);
    players.position = 300;
    Tick();  // first sight of 300
    players.ClearLog();
    Tick(30);
    EXPECT_EQ(players.CountCalls("Pause"), 0);
    Tick();
    EXPECT_EQ(players.calls, (std::vector<std::string>{"Pause", "Seek", "Play"}));
    EXPECT_EQ(players.seeks, std::vector<int64_t>{299});
    EXPECT_EQ(players.State(0), kSlotPlaying);
}

TEST_F(RoadTest, ButtonsGoDarkNearTheEndAndComeBack) {
    OpenAndPlay(0);
    players.position = 1781;
    Tick();
    EXPECT_TRUE(road->NearEndDisabled());
    EXPECT_FALSE(window.buttons.Enabled(ID_OPEN_SOURCE));
    players.position = 100;  // sought back
    Tick();
    EXPECT_FALSE(road->NearEndDisabled());
    EXPECT_TRUE(window.buttons.Enabled(ID_PLAY_FAST));
}

TEST_F(RoadTest, GuardedCommandsDoNothingInTheLastFramesWhilePlaying) {
    const int commands[] = {ID_PLAY_STOP, ID_PLAY_SLOW, ID_PLAY_FAST, ID_PLAY_PREV,
                            ID_PLAY_NEXT, ID_ZOOM_MODE, ID_SNAPSHOT};
    for (int command : commands) {
        SCOPED_TRACE(command);
        OpenAndPlay(1);
        players.position = 1780;
        players.ClearLog();
        road->HandleCommand(command);
        road->HandleAppMessage(WM_APP_EVENT_NEXT, 0, 0);
        EXPECT_TRUE(players.calls.empty());
        EXPECT_FALSE(road->ZoomMode());
        EXPECT_EQ(road->CurrentIndex(), 1);
        road->ClearCurrent();
    }
    // One frame earlier the stop goes through: back to the start, stopped.
    OpenAndPlay(1);
    players.position = 1779;
    road->HandleCommand(ID_PLAY_STOP);
    EXPECT_EQ(players.seeks.back(), 0);
    EXPECT_EQ(players.State(0), kSlotStopped);
    EXPECT_EQ(window.seekPos, 0);
}

TEST_F(RoadTest, FastThreeTimesFromNormalPlayback) {
    for (auto [backwards, expected] :
         {std::pair{false, std::vector<int>{2, 2, 2}}, {true, std::vector<int>{2, 4, 4}}}) {
        SCOPED_TRACE(backwards);
        OpenAndPlay(0);
        players.slot[0].canPlayBackwards = backwards;
        std::vector<int> codes;
        for (int i = 0; i < 3; ++i) {
            road->HandleCommand(ID_PLAY_FAST);
            codes.push_back(players.RateCode(0));
        }
        EXPECT_EQ(codes, expected);
        EXPECT_EQ(window.rateText, UiText(expected.back() == 4 ? 59 : 58));
        EXPECT_FALSE(window.buttons.Enabled(ID_PLAY_FAST));
        // Pausing goes back to the normal rate.
        road->HandleCommand(ID_PLAY_PAUSE);
        EXPECT_EQ(players.RateCode(0), 1);
        road->ClearCurrent();
    }
}

TEST_F(RoadTest, SlowStepsWhilePlaying) {
    for (auto [from, to] : {std::pair{1, -1}, {-1, -2}, {2, 1}, {4, 2}}) {
        SCOPED_TRACE(from);
        OpenAndPlay(0);
        players.slot[0].rate = players.slot[1].rate = from;
        road->HandleCommand(ID_PLAY_SLOW);
        EXPECT_EQ(players.RateCode(0), to);
        road->ClearCurrent();
    }
    // Not playing: the rate goes back to normal.
    Open(0);
    players.slot[0].rate = 2;
    road->HandleCommand(ID_PLAY_SLOW);
    EXPECT_EQ(players.RateCode(0), 1);
}

TEST_F(RoadTest, EndOfARecordingOpensTheNextOneAndPlaysIt) {
    OpenAndPlay(0);
    players.position = 1795;
    road->HandleAppMessage(WM_APP_PLAYER_ENDED, 0, 0);
    EXPECT_EQ(road->CurrentIndex(), 1);
    EXPECT_EQ(window.selections.back(), (std::pair<int, bool>{1, true}));
    EXPECT_EQ(window.seekPos, 0);
    timers.Advance(kOpenDelayMs);
    EXPECT_EQ(players.opened.back(), PathOf(1));
    Ready();
    EXPECT_TRUE(road->Started());
    EXPECT_EQ(players.State(0), kSlotPlaying);
    EXPECT_EQ(window.face, PlayFace::kPause);
    EXPECT_EQ(messages.Pending(), 0u);  // started at once, without the data reader
}

TEST_F(RoadTest, EndOfTheLastRecordingOfTheLastFolderWaitsAtItsStart) {
    OpenAndPlay(2);
    players.position = 1795;
    road->OnPlayerEnded();
    EXPECT_EQ(road->CurrentIndex(), 2);
    EXPECT_TRUE(road->EndHandled());
    EXPECT_FALSE(road->ContinuousPlay());
    EXPECT_EQ(window.seekPos, 0);
    EXPECT_TRUE(timers.IsRunning(TIMER_OPEN_DELAY));

    // Further end notices are ignored until the next schedule.
    const auto calls = players.calls;
    const auto selections = window.selections;
    road->OnPlayerEnded();
    road->OnPlayerEnded();
    EXPECT_EQ(players.calls, calls);
    EXPECT_EQ(window.selections, selections);

    timers.Advance(kOpenDelayMs);
    EXPECT_EQ(players.opened.back(), PathOf(2));
    Ready();
    EXPECT_TRUE(road->Started());
    EXPECT_EQ(players.State(0), kSlotStopped);
    EXPECT_EQ(window.face, PlayFace::kPlay);
    EXPECT_EQ(window.seekPos, 0);
}

TEST_F(RoadTest, FailedOpenShowsItsMessageOnce) {
    for (auto [result, text] : {std::pair{0, 96}, {2, 97}}) {
        SCOPED_TRACE(result);
        players.openResults[PathOf(1)] = result;
        window.messages.clear();
        road->OnRecordingSelected(1);
        timers.Advance(kOpenDelayMs);
        EXPECT_EQ(window.messages, std::vector<std::string>{UiText(text)});
        EXPECT_TRUE(road->OpenFailed());
        EXPECT_FALSE(road->Opening());
        EXPECT_FALSE(window.waitCursor);
        EXPECT_FALSE(timers.IsRunning(TIMER_OPEN_TIMEOUT));
        EXPECT_TRUE(window.buttons.Enabled(ID_OPEN_SOURCE));
        EXPECT_TRUE(window.buttons.Enabled(ID_DELETE_FILES));
        EXPECT_FALSE(window.buttons.Enabled(ID_PLAY_PAUSE));
        timers.Advance(2 * kOpenTimeoutMs);
        EXPECT_EQ(window.messages.size(), 1u);
        road->OnRecordingSelected(0);  // away, so that the next selection opens again
        timers.Advance(kOpenDelayMs);
        Ready();
    }
}

TEST_F(RoadTest, FailedOpenDuringContinuousPlayIsSkippedSilently) {
    players.openResults[PathOf(1)] = 0;
    OpenAndPlay(0);
    road->OnPlayerEnded();
    timers.Advance(kOpenDelayMs);  // recording 1 fails and is skipped
    EXPECT_EQ(road->CurrentIndex(), 2);
    EXPECT_TRUE(road->Opening());
    EXPECT_TRUE(timers.IsRunning(TIMER_OPEN_TIMEOUT));  // the next open keeps its time-out
    timers.Advance(kOpenDelayMs);
    EXPECT_EQ(players.opened, (std::vector<std::string>{PathOf(0), PathOf(1), PathOf(2)}));
    Ready();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_FALSE(road->OpenFailed());
    EXPECT_EQ(players.State(0), kSlotPlaying);
}

TEST_F(RoadTest, OpenThatNeverGetsReadyIsAbandoned) {
    road->OnRecordingSelected(1);
    timers.Advance(kOpenTimeoutMs);
    EXPECT_FALSE(road->Opening());
    EXPECT_TRUE(road->AutoOpenAllowed());
    EXPECT_FALSE(window.waitCursor);
    EXPECT_TRUE(window.buttons.Enabled(ID_OPEN_SOURCE));
    EXPECT_FALSE(window.buttons.Enabled(ID_DELETE_FILES));
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(RoadTest, LateDataOfAnEarlierRecordingIsDropped) {
    road->OnRecordingSelected(0);
    timers.Advance(kOpenDelayMs);
    road->OnPlayerReady();  // the reader of recording 0 runs
    FakeMessages::Message late{};
    ASSERT_TRUE(messages.Wait(late));
    road->OnRecordingSelected(1);  // the user moved on before its answer was handled
    road->HandleAppMessage(late.id, late.wParam, late.lParam);
    EXPECT_FALSE(road->Started());
    EXPECT_TRUE(road->Opening());
    timers.Advance(kOpenDelayMs);
    Ready();
    EXPECT_TRUE(road->Started());
    EXPECT_EQ(road->CurrentIndex(), 1);
}

TEST_F(RoadTest, ContinuousPlayMovesThroughFoldersSkippingEmptyOnes) {
    const std::string third = RecordingPath("/card/Normal3", 9);
    SetFolders(
        {{RecordingPath("/card/Normal1", 1), RecordingPath("/card/Normal1", 2)}, {}, {third}});
    OpenAndPlay(1);
    road->OnPlayerEnded();
    EXPECT_EQ(window.selectedFolder, 3u);
    EXPECT_EQ(window.loadedFolders, (std::vector<FolderTreeItem>{2, 3}));
    EXPECT_EQ(road->CurrentIndex(), 0);
    EXPECT_FALSE(road->EndStepRunning());
    timers.Advance(kOpenDelayMs);
    EXPECT_EQ(players.opened.back(), third);
    Ready();
    EXPECT_EQ(players.State(0), kSlotPlaying);

    // The end of the last folder: back to the start of its last recording.
    road->OnPlayerEnded();
    EXPECT_FALSE(road->ContinuousPlay());
    timers.Advance(kOpenDelayMs);
    EXPECT_EQ(players.opened.back(), third);
    Ready();
    EXPECT_EQ(players.State(0), kSlotStopped);
}

TEST_F(RoadTest, NoFolderWithRecordingsEndsContinuousPlay) {
    SetFolders({{RecordingPath("/card/Normal1", 1)}, {}, {}});
    OpenAndPlay(0);
    window.fullScreen = true;
    road->OnPlayerEnded();
    EXPECT_FALSE(road->ContinuousPlay());
    EXPECT_EQ(window.fullScreenLeft, 1);
    EXPECT_EQ(window.selectedFolder, 2u);  // the walk's start is selected again
    EXPECT_TRUE(catalogue.empty());
    EXPECT_FALSE(timers.IsRunning(TIMER_OPEN_DELAY));
}

TEST_F(RoadTest, APauseShowsThePositionOnScreenAndAStepStartsFromIt) {
    Open(0);
    road->OnKeyPlayPause();
    ASSERT_EQ(players.State(0), kSlotPlaying);
    // Between two timer ticks the picture moved on; the pause stops on the frame shown.
    players.position = 700;
    road->OnKeyPlayPause();
    ASSERT_EQ(players.State(0), kSlotPaused);
    EXPECT_EQ(window.seekPos, 700);
    EXPECT_EQ(window.infoPosition, 700);
    road->OnKeyStep(+1);
    EXPECT_EQ(players.seeks.back(), 701);
}

TEST_F(RoadTest, KeysObeyTheButtonsRules) {
    Open(0);
    road->OnKeyPlayPause();
    EXPECT_EQ(players.State(0), kSlotPlaying);
    road->OnKeyStep(+1);                      // no stepping while playing
    EXPECT_TRUE(players.seeks.size() == 1u);  // only the seek to 0 at ready
    road->OnKeyPlayPause();
    EXPECT_EQ(players.State(0), kSlotPaused);

    road->SeekTo(500, kSlotPaused);
    road->OnKeyStep(+1);
    EXPECT_EQ(players.seeks.back(), 501);
    EXPECT_EQ(window.seekPos, 501);
    road->OnKeyStep(-1);
    road->OnKeyStep(-1);
    EXPECT_EQ(players.seeks.back(), 499);
    EXPECT_EQ(players.State(0), kSlotPaused);

    road->SeekTo(1780, kSlotPaused);  // the last frame a seek can reach
    const size_t seeks = players.seeks.size();
    road->OnKeyStep(+1);
    EXPECT_EQ(players.seeks.size(), seeks);
    road->SeekTo(0, kSlotPaused);
    road->OnKeyStep(-1);
    EXPECT_EQ(players.seeks.back(), 0);
    EXPECT_EQ(players.seeks.size(), seeks + 1);

    road->SeekTo(900, kSlotPaused);
    road->OnKeyPlayPause();
    road->OnKeyHome();
    EXPECT_EQ(players.seeks.back(), 0);
    EXPECT_EQ(window.seekPos, 0);
    EXPECT_EQ(players.State(0), kSlotPlaying);

    // Near the end while playing, Home is guarded like the buttons.
    players.position = 1790;
    road->OnKeyHome();
    EXPECT_EQ(players.seeks.back(), 0);
    EXPECT_EQ(players.position, 1790);
}

TEST_F(RoadTest, KeysDoNothingWithoutARecordingOrWhileOpening) {
    road->OnKeyPlayPause();
    road->OnKeyHome();
    road->OnKeyStep(1);
    road->OnRecordingSelected(0);
    road->OnKeyPlayPause();
    road->OnKeyHome();
    EXPECT_TRUE(players.calls.empty());
}

TEST_F(RoadTest, ContextMenuByState) {
    road->OnMovieMenu(10, 10);  // nothing opened: settings and source
    ASSERT_EQ(window.menusShown, 1);
    EXPECT_EQ(window.menu.front().id, ID_SETTINGS);

    road->OnRecordingSelected(0);
    road->OnMovieMenu(10, 10);  // refused while opening
    EXPECT_EQ(window.menusShown, 1);

    timers.Advance(kOpenDelayMs);
    Ready();
    road->OnPlayPause();
    road->OnPlayPause();  // paused
    window.fullScreen = true;
    road->OnMovieMenu(10, 10);
    ASSERT_EQ(window.menu.size(), 5u);
    EXPECT_EQ(window.menu[0].text, "再生");
    EXPECT_EQ(window.menu[1].text, "停止");
    EXPECT_EQ(window.menu[2].id, ID_ASPECT_TOGGLE);
    EXPECT_TRUE(window.menu[3].separator);
    EXPECT_EQ(window.menu[4].id, ID_LEAVE_FULL_SCREEN);

    road->OnPlayPause();
    players.position = 1790;
    road->OnMovieMenu(10, 10);  // refused near the end
    EXPECT_EQ(window.menusShown, 2);
}

TEST_F(RoadTest, AspectToggleAndZoomPoints) {
    Open(0);
    road->HandleCommand(ID_ASPECT_TOGGLE);
    EXPECT_EQ(players.KeepAspect(0), 0);
    EXPECT_EQ(players.KeepAspect(1), 0);
    road->HandleCommand(ID_ASPECT_TOGGLE);
    EXPECT_EQ(players.KeepAspect(0), 1);
    ASSERT_GE(settings.size(), 2u);
    EXPECT_EQ(settings[settings.size() - 2], std::make_tuple("DISPLAY", "ASPECT", "off"));
    EXPECT_EQ(settings.back(), std::make_tuple("DISPLAY", "ASPECT", "on"));

    road->OnMovieClick(1, 120, 80);  // not in zoom mode: nothing
    EXPECT_FLOAT_EQ(players.lastZoom[1].factor, 1.0f);
    road->HandleCommand(ID_ZOOM_MODE);
    EXPECT_TRUE(window.zoomMode);
    road->OnMovieClick(1, 120, 80);
    EXPECT_FLOAT_EQ(players.lastZoom[1].factor, 2.0f);
    EXPECT_EQ(players.lastZoom[1].anchorX, 120);
    EXPECT_EQ(players.lastZoom[1].anchorY, 80);
    EXPECT_FLOAT_EQ(players.lastZoom[0].factor, 1.0f);
    road->OnMovieClick(1, 10, 10);  // a second click zooms back out
    EXPECT_FLOAT_EQ(players.lastZoom[1].factor, 1.0f);
    road->OnMovieClick(0, 30, 40);
    road->HandleCommand(ID_ZOOM_MODE);  // leaving zoom mode resets both
    EXPECT_FALSE(window.zoomMode);
    EXPECT_FLOAT_EQ(players.lastZoom[0].factor, 1.0f);
}

TEST_F(RoadTest, ClearCurrentJoinsTheReadersAndForgetsTheRecording) {
    OpenAndPlay(0);
    road->ClearCurrent();
    EXPECT_EQ(road->CurrentIndex(), -1);
    EXPECT_FALSE(road->Started());
    EXPECT_FALSE(timers.IsRunning(TIMER_PLAYBACK));
    EXPECT_EQ(window.seekMax, 0);
    EXPECT_TRUE(road->EventsCopy().empty());
    const auto prefetched = players.Prefetched();
    EXPECT_EQ(prefetched.back(), "");  // slot 0's prefetch store emptied
    // The next-recording preloader ran before it was joined.
    EXPECT_NE(std::find(prefetched.begin(), prefetched.end(), PathOf(1)), prefetched.end());
}

}  // namespace
}  // namespace quorva::test

namespace quorva::test {
namespace {

using namespace command;

TEST_F(RoadTest, SliderMessages) {
    OpenAndPlay(0);
    auto slider = [&](uint32_t message, int control, int value) {
        road->HandleAppMessage(message, static_cast<uintptr_t>(control), value);
    };
    players.ClearLog();
    slider(WM_APP_SLIDER_BEGIN, IDC_SEEK_SLIDER, 300);  // the thumb is grabbed
    EXPECT_EQ(players.State(0), kSlotPaused);
    EXPECT_TRUE(players.seeks.empty());
    slider(WM_APP_SLIDER_TRACK, IDC_SEEK_SLIDER, 600);
    EXPECT_EQ(window.seekPos, 600);  // the panels and the picture follow the thumb
    EXPECT_EQ(players.seeks, std::vector<int64_t>{600});
    EXPECT_EQ(players.State(0), kSlotPaused);
    slider(WM_APP_SLIDER_END, IDC_SEEK_SLIDER, 700);
    EXPECT_EQ(players.seeks, (std::vector<int64_t>{600, 700}));
    EXPECT_EQ(players.State(0), kSlotPlaying);  // as it was when grabbed

    window.pressOnThumb = false;  // a click on the track jumps at once
    slider(WM_APP_SLIDER_BEGIN, IDC_SEEK_SLIDER, 900);
    EXPECT_EQ(players.seeks.back(), 900);
    EXPECT_EQ(players.State(0), kSlotPlaying);
    slider(WM_APP_SLIDER_END, IDC_SEEK_SLIDER, 950);
    EXPECT_EQ(players.seeks.size(), 3u);

    slider(WM_APP_SLIDER_END, IDC_VOLUME_SLIDER, 1000);
    EXPECT_EQ(road->Volume(), 1000);
    EXPECT_EQ(players.volume[0], 1000);
    EXPECT_EQ(players.volume[1], 0);  // the sub camera stays silent
    EXPECT_EQ(settings.back(), std::make_tuple("DISPLAY", "VOLUME", "1000"));

    road->OnRecordingSelected(1);  // while opening the sliders are ignored
    slider(WM_APP_SLIDER_END, IDC_VOLUME_SLIDER, 5);
    EXPECT_EQ(road->Volume(), 1000);
}

TEST_F(RoadTest, ADragSeeksLiveWithOneSeekInFlightAndEndsOnTheLastTarget) {
    OpenAndPlay(0);
    players.ClearLog();
    auto slider = [&](uint32_t message, int value) {
        road->HandleAppMessage(message, static_cast<uintptr_t>(IDC_SEEK_SLIDER), value);
    };
    slider(WM_APP_SLIDER_BEGIN, 100);
    // 100 moves, faster than pictures come: one every 5 ms, a picture 40 ms after its seek.
    int64_t inFlightSince = -1;
    size_t pictures = 0;
    for (int i = 1; i <= 100; ++i) {
        slider(WM_APP_SLIDER_TRACK, 100 + 10 * i);
        EXPECT_EQ(window.seekPos, 100 + 10 * i);  // the panels follow every move
        timers.Advance(5);
        if (players.seeks.size() > pictures) {
            if (inFlightSince < 0) inFlightSince = timers.NowMs();
            if (timers.NowMs() - inFlightSince >= 40) {
                window.picturePosition = players.seeks.back();
                pictures = players.seeks.size();
                inFlightSince = -1;
            }
        }
        // Never a second seek before the picture of the one in flight is shown.
        EXPECT_LE(players.seeks.size(), pictures + 1) << i;
    }
    const size_t during = players.seeks.size();
    EXPECT_GE(during, 5u);
    EXPECT_LE(during, 20u);
    EXPECT_EQ(players.State(0), kSlotPaused);
    slider(WM_APP_SLIDER_END, 1100);
    EXPECT_EQ(players.seeks.back(), 1100);
    EXPECT_EQ(players.State(0), kSlotPlaying);
    // Nothing waits after the release: the ticks that follow seek no more.
    const size_t after = players.seeks.size();
    window.picturePosition = 1100;
    Tick(5);
    EXPECT_EQ(players.seeks.size(), after);

    // A target that waits while the picture never comes goes after the time limit.
    slider(WM_APP_SLIDER_BEGIN, 1100);
    players.ClearLog();
    slider(WM_APP_SLIDER_TRACK, 200);
    slider(WM_APP_SLIDER_TRACK, 300);
    EXPECT_EQ(players.seeks, std::vector<int64_t>{200});
    timers.Advance(kScrubSeekLimitMs + kPlaybackTickMs);
    EXPECT_EQ(players.seeks, (std::vector<int64_t>{200, 300}));
    slider(WM_APP_SLIDER_END, 300);
}

TEST_F(RoadTest, WorkerTasksStopOrPauseAndReopenAfterwards) {
    OpenAndPlay(0);
    players.position = 700;
    Tick();
    ASSERT_TRUE(road->PrepareTask(ID_EXPORT_CSV));
    EXPECT_EQ(players.State(0), kSlotPaused);
    road->AfterTask(1);
    timers.Advance(kOpenDelayMs);
    Ready();
    EXPECT_EQ(players.seeks.back(), 700);  // back where the export found it, waiting
    EXPECT_EQ(window.seekPos, 700);
    EXPECT_EQ(players.State(0), kSlotPaused);
    EXPECT_FALSE(road->ReopenAfterTask());

    road->OnPlayPause();
    ASSERT_TRUE(road->PrepareTask(ID_SAVE_JOINED));
    EXPECT_EQ(players.seeks.back(), 0);
    EXPECT_EQ(players.State(0), kSlotStopped);

    road->AfterTask(1);
    timers.Advance(kOpenDelayMs);
    Ready();
    road->OnPlayPause();
    players.position = 1790;
    EXPECT_FALSE(road->PrepareTask(ID_SAVE_JOINED));  // refused near the end
    EXPECT_FALSE(road->PrepareTask(ID_DELETE_FILES));
}

}  // namespace
}  // namespace quorva::test

namespace quorva::test {
namespace {

TEST_F(RoadTest, KindFilterThatEmptiesTheListClearsTheRecording) {
    OpenAndPlay(0);
    road->HandleCommand(command::ID_FILTER_0 + 1);
    EXPECT_EQ(window.filtersToggled, std::vector<int>{1});
    EXPECT_TRUE(road->Started());  // the list still holds recordings: playback goes on

    window.filterEmptiesList = true;
    road->HandleCommand(command::ID_FILTER_0 + 5);  // the id no button sends is accepted
    EXPECT_EQ(road->CurrentIndex(), -1);
    EXPECT_FALSE(road->Started());
    EXPECT_EQ(players.State(0), kSlotClosed);
    EXPECT_EQ(window.face, PlayFace::kPlay);
    EXPECT_TRUE(window.buttons.Enabled(command::ID_OPEN_SOURCE));
    EXPECT_FALSE(window.buttons.Enabled(command::ID_PLAY_PAUSE));
    EXPECT_FALSE(road->HandleCommand(command::ID_FILTER_0 + 6));
}

}  // namespace
}  // namespace quorva::test
