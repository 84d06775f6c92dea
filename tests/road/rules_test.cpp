// The playback rules on their own: rate steps, end guard, seek limits, the pending-target
// window, the stall watch, the enabled state of the buttons and the movie context menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "appcore/ui_text.h"
#include "road/playback_buttons.h"
#include "road/playback_end_guard.h"
#include "road/playback_movie_menu.h"
#include "road/playback_player_group.h"
#include "road/playback_rate_steps.h"
#include "road/playback_recording_rules.h"

namespace quorva {
namespace {

using namespace command;

TEST(RateSteps, FasterAndSlowerByCurrentCode) {
    struct Row {
        int current, fasterBack, faster, slowerSession, slowerLegacy;
    };
    const Row rows[] = {
        {-4, -2, -2, 1, -4}, {-2, -1, 1, -2, -4}, {-1, 1, 1, -2, -2}, {1, 2, 2, -1, -1},
        {2, 4, 2, 1, 1},     {4, 4, 4, 2, 2},     {3, 1, 1, 1, 1},  // a code outside the table
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.current);
        EXPECT_EQ(FasterRateCode(r.current, true, true), r.fasterBack);
        EXPECT_EQ(FasterRateCode(r.current, true, false), r.faster);
        EXPECT_EQ(SlowerRateCode(r.current, true, false), r.slowerSession);
        EXPECT_EQ(SlowerRateCode(r.current, true, true), r.slowerLegacy);
        // Not playing: every step goes back to normal.
        EXPECT_EQ(FasterRateCode(r.current, false, true), 1);
        EXPECT_EQ(SlowerRateCode(r.current, false, false), 1);
    }
}

TEST(RateSteps, NormalCodeAndLabel) {
    EXPECT_EQ(NormalRateCode("/card/Normal/AN__-240131-083015-000123M.MOV"), 1);
    EXPECT_EQ(NormalRateCode("/card/Normal/TN__-240131-083015-000123M.MOV"), -2);
    EXPECT_EQ(NormalRateCode("/card/Normal/PNT_-240131-083015-000123M.MOV"), -2);
    const std::vector<std::pair<int, int>> labels = {{1, 57},  {2, 58},  {4, 59}, {-2, 60},
                                                     {-4, 61}, {-1, -1}, {0, -1}};
    for (auto [code, text] : labels)
        EXPECT_EQ(RateTextIndex(code), text) << code;
}

TEST(EndGuard, MarginsByRateAndState) {
    struct Row {
        int state, rate;
        int64_t position;
        bool started, blocks;
    };
    const Row rows[] = {
        {kSlotPlaying, 1, 1779, true, false}, {kSlotPlaying, 1, 1780, true, true},
        {kSlotPlaying, -2, 1780, true, true}, {kSlotPlaying, 2, 1759, true, false},
        {kSlotPlaying, 2, 1760, true, true},  {kSlotPlaying, 4, 1719, true, false},
        {kSlotPlaying, 4, 1720, true, true},  {kSlotPaused, 1, 1799, true, false},
        {kSlotStopped, 4, 1799, true, false}, {kSlotPaused, 1, 10, false, true},
    };
    for (const Row& r : rows) {
        EndGuardInput in{r.started, r.state, r.rate, r.position, 1800};
        EXPECT_EQ(EndGuardBlocks(in), r.blocks)
            << "state " << r.state << " rate " << r.rate << " at " << r.position;
    }
    // An unknown duration never blocks a started recording.
    EXPECT_FALSE(EndGuardBlocks({true, kSlotPlaying, 1, 5000, 0}));
}

TEST(EndGuard, SeekTargetsAndShownPositions) {
    EXPECT_EQ(SeekTargetFor(1799, 1800, 1), 1780);
    EXPECT_EQ(SeekTargetFor(1799, 1800, 2), 1760);
    EXPECT_EQ(SeekTargetFor(1799, 1800, 4), 1720);
    EXPECT_EQ(SeekTargetFor(500, 1800, 4), 500);
    // A recording shorter than the margin seeks to its start, never before it.
    EXPECT_EQ(SeekTargetFor(10, 15, 1), 0);
    EXPECT_EQ(SeekTargetFor(-7, 1800, 1), 0);
    EXPECT_EQ(ShownPositionFor(1800, 0, 1800), 1799);
    EXPECT_EQ(ShownPositionFor(-3, 0, 1800), 0);
}

TEST(EndGuard, PendingTargetWindowExcludesItsEnds) {
    EXPECT_EQ(PendingWindow(1800), 31);
    for (auto [p, reached] : std::vector<std::pair<int, bool>>{
             {469, false}, {470, true}, {500, true}, {530, true}, {531, false}}) {
        EXPECT_EQ(PendingTargetReached(500, p, 1800), reached) << p;
    }
    EXPECT_TRUE(PendingTargetReached(-1, 12345, 1800));
}

TEST(EndGuard, StallWatchKicksAfterThirtyOneTicksOnOnePosition) {
    StallWatch watch;
    EXPECT_FALSE(watch.Observe(300));  // first sight of the position
    for (int i = 1; i <= 30; ++i)
        EXPECT_FALSE(watch.Observe(300)) << i;
    EXPECT_TRUE(watch.Observe(300));
    EXPECT_EQ(watch.SameCount(), 0);  // counting starts again
    EXPECT_FALSE(watch.Observe(301));
}

TEST(RecordingRules, ParkingNamesAndResolution) {
    EXPECT_TRUE(IsParkingLikeName("/c/PN__-240131-083015-000001M.MOV"));
    EXPECT_TRUE(IsParkingLikeName("/c/_NT_-240131-083015-000001M.MOV"));
    EXPECT_FALSE(IsParkingLikeName("/c/ANT_-240131-083015-000001M.MOV"));
    EXPECT_FALSE(IsParkingLikeName("/c/TNT_-240131-083015-000001M.MOV"));
    EXPECT_FALSE(IsParkingLikeName("/c/AN__-240131-083015-000001M.MOV"));
    EXPECT_FALSE(ParkingTraceFor(false, "/c/PN__-240131-083015-000001M.MOV"));
    EXPECT_EQ(ResolutionCodeForHeight(720), 11);
    EXPECT_EQ(ResolutionCodeForHeight(1080), 12);
    EXPECT_EQ(ResolutionCodeForHeight(480), 0);
}

// The enabled bottom buttons, as a string of the 14 in command order ('1' enabled).
std::string Bottom(const PlaybackButtonStates& s) {
    std::string out;
    for (bool on : s.bottom)
        out += on ? '1' : '0';
    return out;
}

TEST(Buttons, EnabledStateBySlotState) {
    //                 stop prev pause slow fast next snap join zoom open del set csv map
    struct Row {
        int state, rate, index;
        bool loaded;
        const char* expected;
    };
    const Row rows[] = {
        {kSlotClosed, 1, 1, false, "01000101011101"},
        {kSlotStopped, 1, 1, true, "01100111111101"},
        {kSlotPaused, 1, 1, true, "11100111111101"},
        {kSlotPlaying, 1, 1, true, "11111111111101"},
        {kSlotPlaying, 2, 1, true, "11110111111101"},
        {kSlotPlaying, -2, 1, true, "11101111111101"},
        {kSlotPlaying, -4, 0, false, "10101101011101"},  // first recording, no data
        {kSlotPaused, 1, 2, true, "11100011111101"},     // last recording
    };
    for (const Row& r : rows) {
        PlaybackButtonInputs in;
        in.listShown = true;
        in.listCount = 3;
        in.currentIndex = r.index;
        in.mainState = r.state;
        in.rateCode = r.rate;
        in.mainDataLoaded = r.loaded;
        in.sourceKind = 1;
        const auto s = ComputeButtonStates(in);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(Bottom(*s), r.expected) << "state " << r.state << " rate " << r.rate;
        EXPECT_TRUE(s->captions);
        EXPECT_TRUE(s->panels);
    }
}

TEST(Buttons, ListSourceAndFailedOpen) {
    PlaybackButtonInputs in;
    in.listShown = false;
    EXPECT_FALSE(ComputeButtonStates(in).has_value());  // nothing until the list is shown

    in.listShown = true;
    in.listCount = 0;
    in.csvAllowed = true;
    EXPECT_EQ(Bottom(*ComputeButtonStates(in)), "00000000010010");

    in.listCount = 1;  // one recording: neither previous nor next
    in.currentIndex = 0;
    in.mainState = kSlotStopped;
    in.mainDataLoaded = true;
    in.sourceKind = 3;  // a single file: no join, no delete
    in.csvAllowed = false;
    EXPECT_EQ(Bottom(*ComputeButtonStates(in)), "00100010110101");
    in.sourceKind = 2;  // a folder of recordings: join and delete as on a card
    EXPECT_EQ(Bottom(*ComputeButtonStates(in)), "00100011111101");

    EXPECT_EQ(Bottom(ButtonsAfterFailedOpen(true)), "00000000011000");
    EXPECT_EQ(Bottom(ButtonsAfterFailedOpen(false)), "00000000010000");
    EXPECT_TRUE(ButtonsAfterFailedOpen(false).panels);
    EXPECT_EQ(Bottom(AllButtonsDisabled()), "00000000000000");
    EXPECT_FALSE(AllButtonsDisabled().captions);
}

std::vector<std::string> Texts(const std::vector<PlaybackMenuItem>& items) {
    std::vector<std::string> out;
    for (const PlaybackMenuItem& i : items)
        out.push_back(i.separator ? "-" : i.text);
    return out;
}

TEST(MovieMenu, ItemsByState) {
    using V = std::vector<std::string>;
    const std::string keep = UiText(88), stretch = UiText(89), leave = UiText(174);
    MovieMenuInput in;
    EXPECT_EQ(Texts(BuildMovieMenu(in)), (V{"設定", "-", "参照"}));
    in.fullScreen = true;
    EXPECT_EQ(Texts(BuildMovieMenu(in)), (V{"設定", "-", "参照", "-", leave}));
    in.fullScreen = false;

    in.mainValid = true;
    in.mainState = kSlotStopped;
    EXPECT_EQ(Texts(BuildMovieMenu(in)), (V{"再生", "-", "静止画", "設定", "-", "参照"}));

    in.mainState = kSlotPaused;
    in.fullScreen = true;
    in.keepAspect = 1;  // keeps the aspect: the item offers stretching
    EXPECT_EQ(Texts(BuildMovieMenu(in)), (V{"再生", "停止", stretch, "-", leave}));

    in.mainState = kSlotPlaying;
    in.keepAspect = 0;
    in.rateCode = -2;
    const auto playing = BuildMovieMenu(in);
    EXPECT_EQ(Texts(playing), (V{"一時停止", "停止", "早送り", "スロー", keep, "-", leave}));
    EXPECT_TRUE(playing[2].enabled);
    EXPECT_FALSE(playing[3].enabled);  // slow is greyed at every negative code
    EXPECT_EQ(playing[4].id, ID_ASPECT_TOGGLE);
    EXPECT_EQ(playing[6].id, ID_LEAVE_FULL_SCREEN);
    EXPECT_TRUE(playing[6].enabled);

    in.fullScreen = false;
    in.rateCode = 2;
    const auto fast = BuildMovieMenu(in);
    EXPECT_FALSE(fast[2].enabled);  // fast is greyed from code 2
    EXPECT_TRUE(fast[3].enabled);
    EXPECT_EQ(fast.size(), 9u);
}

}  // namespace
}  // namespace quorva
