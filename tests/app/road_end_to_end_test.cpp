// The road of one recording through the whole viewer: the main window with the FFmpeg engine
// on a recorder card written for the test (two groups of two short recordings, small
// pictures), drawing offscreen. A recording is chosen in the list, opens, reads its drive
// data, plays with the slider, the graph and the info panel following the player, jumps to
// its event, steps by key, saves its snapshots and moves on to the next recording and the
// next group by itself.
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/cquorva_dlg.h"
#include "app/cquorva_road.h"
#include "appcore/settings_store.h"
#include "appcore/ui_text.h"
#include "browser/filer_container_dlg.h"
#include "browser/folder_tree_ctrl.h"
#include "cardwriter/card_writer.h"
#include "container/player_slot_data.h"
#include "panels/gsensor_dlg.h"
#include "panels/info_dlg.h"
#include "road/elapsed_time_text.h"
#include "skin/skin_button.h"
#include "skin/skin_slider.h"

namespace quorva::test {
namespace {

namespace fs = std::filesystem;

// Generous limits: the machine may be busy; nothing here measures time.
constexpr int kOpenLimitMs = 20000;
constexpr int kPlayLimitMs = 30000;

class RoadEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override { WriteCard(2, 2); }

    void WriteCard(int runs, int perRun, double seconds = 3.0) {
        ASSERT_TRUE(temp_.isValid());
        dir_ = temp_.path().toStdString();
        SetSettingsDirectory(dir_);
        cardwriter::QuietCodecLogs();
        cardwriter::CardRecipe card;
        card.root = dir_ + "/card";
        card.runs = runs;
        card.perRun = perRun;
        card.seconds = seconds;  // 3 s, 90 frames: long enough to play, short enough to be quick
        card.extras = false;
        card.width = 320;
        card.height = 180;
        card.subWidth = 160;
        card.subHeight = 90;
        card.audio = false;
        const cardwriter::CardResult written = cardwriter::WriteDemoCard(card);
        ASSERT_TRUE(written.ok) << written.error;
        card_ = card.root;
        recordings_ = written.recordings;
        for (const auto& r : written.recordings)
            names_.push_back(r.name);
        fs::create_directories(dir_ + "/snapshots");
    }

    std::unique_ptr<CquorvaDlg> StartViewer() {
        MainWindowOptions options;
        options.commandLineSource = card_;
        options.settingsDirectory = dir_;
        options.workArea = QRect(0, 0, 1920, 1056);
        StartupEnvironment env = DefaultStartupEnvironment();
        env.removableVolumes = [] { return std::vector<std::string>(); };
        env.workingDirectory = dir_;
        options.startup = env;
        options.showMessage = [this](QWidget*, const std::string& text, const std::string&) {
            messages_.push_back(text);
            return 1;
        };
        const std::string snapshots = dir_ + "/snapshots";
        options.pickSnapshotFolder = [snapshots](QWidget*, const std::string&) {
            return snapshots;
        };
        auto window = std::make_unique<CquorvaDlg>(std::move(options));
        window->Initialize();
        window->show();
        return window;
    }

    static int PlayerPosition(CquorvaDlg& w) {
        PlayerSlot& main = w.Players().slot[0];
        return main.ops->GetPosition(main);
    }
    static int MainState(CquorvaDlg& w) { return w.Players().slot[0].state; }
    static std::string FileName(const std::string& path) {
        return fs::path(path).filename().string();
    }

    // Slider, graph cursor and info panel show the same position, and the info panel the
    // G values of that frame's sample.
    static void ExpectPanelsAt(CquorvaDlg& w, int position) {
        EXPECT_EQ(w.SeekSlider()->Pos(), position);
        EXPECT_EQ(w.Graph()->CursorFrame(), position);
        EXPECT_EQ(w.Info()->State().position, position);
        AllSlotsLock lock(w.Players().slot[0].data, w.Players().slot[1].data);
        const auto index = w.Players().slot[0].data.Shown().FrameIndex();
        ASSERT_LT(static_cast<size_t>(position), index.size());
        ASSERT_NE(index[static_cast<size_t>(position)], nullptr);
        const GSensorSample& sample = *index[static_cast<size_t>(position)];
        EXPECT_DOUBLE_EQ(w.Info()->State().g[0], sample.g1);
        EXPECT_DOUBLE_EQ(w.Info()->State().g[1], sample.g2);
        EXPECT_DOUBLE_EQ(w.Info()->State().g[2], sample.g3);
    }

    // While the recording plays, the panels follow the player: each look finds them a
    // little behind the player at most, and further on than at the look before.
    void ExpectPanelsFollowThePlayer(CquorvaDlg& w, PlaybackController& road) {
        int before = road.Cursor();
        for (int look = 0; look < 4; ++look) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return road.Cursor() >= before + 8; }, kPlayLimitMs))
                << "the panels stopped at " << road.Cursor();
            if (MainState(w) != SLOT_PLAYING) break;  // the recording ended meanwhile
            const int shown = road.Cursor();
            const int player = PlayerPosition(w);
            ExpectPanelsAt(w, shown);
            EXPECT_GE(player, shown);
            EXPECT_LE(player - shown, 15) << "the panels lag behind the picture";
            before = shown;
        }
    }

    QTemporaryDir temp_;
    std::string dir_;
    std::string card_;
    std::vector<std::string> messages_;
    std::vector<std::string> names_;  // the main movies in recording order
    std::vector<cardwriter::RecordingFiles> recordings_;
};

// Cuts a file to its first half, as a copy interrupted by pulling the card would.
void Truncate(const std::string& path) {
    fs::resize_file(path, fs::file_size(path) / 2);
}

// Replaces a file by bytes that start like a movie and go on as noise.
void Scramble(const std::string& path) {
    std::string bytes(
        "\0\0\0\x18"
        "ftypqt  \0\0\0\0qt  \0\0\0\0",
        24);
    bytes += std::string("\0\0\x10\0moov\xff\xff\xff\xfftrak", 16);
    uint32_t x = 12345;
    for (int i = 0; i < 4000; ++i) {
        x = x * 1103515245u + 12345u;
        bytes += static_cast<char>(x >> 24);
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A run of damaged recordings: a good one whose second camera was cut short, one whose
// movie was cut short, one of noise, and a good one whose drive data are noise. Played on
// from the first, the viewer shows the first, passes over the two it cannot open without a
// word, and plays the last with its picture but without drive data.
// A user clicking through the list faster than recordings open: whatever was still opening,
// reading or ending, the recording chosen last is the one that opens, with its own frames.
TEST_F(RoadEndToEndTest, QuickChangesOfTheRecordingEndOnTheLastOneChosen) {
    auto w = StartViewer();
    PlaybackController& road = w->OwnRoad()->Controller();
    CFilerContainerDlg& browser = *w->Browser();
    ASSERT_TRUE(QTest::qWaitFor([&] { return road.Started(); }, kOpenLimitMs));
    ASSERT_EQ(browser.RowCount(), 2);
    // Pauses around the open delay (500 ms), the ready notice and the data reader.
    const int pausesMs[] = {0, 40, 480, 520, 700, 10, 600, 250, 900, 0, 530, 1200};
    int row = 0;
    for (int pause : pausesMs) {
        row = 1 - row;
        browser.SelectRecordingRow(row, false);
        if (pause == 900) w->OnCommand(ID_PLAY_PAUSE);  // a play in between
        QTest::qWait(pause);
    }
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return road.CurrentIndex() == row && road.Started() && !road.Opening(); },
        kOpenLimitMs));
    QTest::qWait(700);  // anything still on its way arrives
    EXPECT_EQ(road.CurrentIndex(), row);
    EXPECT_TRUE(road.Started());
    EXPECT_EQ(MainState(*w), SLOT_STOPPED) << "it waits at its start";
    EXPECT_EQ(PlayerPosition(*w), 0);
    EXPECT_EQ(w->Players().slot[0].ops->GetDuration(w->Players().slot[0]), 90);
    ExpectPanelsAt(*w, 0);
    EXPECT_TRUE(w->Button(ID_PLAY_PAUSE)->isEnabled());
    EXPECT_TRUE(messages_.empty()) << messages_.front();
    // And it plays when asked.
    w->OnCommand(ID_PLAY_PAUSE);
    ASSERT_TRUE(QTest::qWaitFor([&] { return road.Cursor() > 10; }, kPlayLimitMs));
    EXPECT_EQ(road.CurrentIndex(), row);
    w->RunShutdown();
}

// Recordings of two seconds or less at 30 frames per second are too short to be played.
class RoadShortCardTest : public RoadEndToEndTest {
  protected:
    void SetUp() override { WriteCard(1, 1, 1.5); }
};

TEST_F(RoadShortCardTest, ATooShortRecordingSaysSoAndLeavesNoCameraOpen) {
    auto w = StartViewer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages_.empty(); }, kOpenLimitMs));
    EXPECT_EQ(messages_, std::vector<std::string>{UiText(97)});
    EXPECT_FALSE(w->OwnRoad()->Controller().Started());
    EXPECT_EQ(w->Players().slot[0].state, SLOT_CLOSED);
    EXPECT_EQ(w->Players().slot[1].state, SLOT_CLOSED);
    w->RunShutdown();
}

class RoadDamagedCardTest : public RoadEndToEndTest {
  protected:
    void SetUp() override { WriteCard(1, 4); }
};

TEST_F(RoadDamagedCardTest, ContinuousPlayPassesOverMoviesItCannotOpen) {
    ASSERT_EQ(recordings_.size(), 4u);
    ASSERT_FALSE(recordings_[0].sub.empty());
    Truncate(recordings_[0].sub);
    Truncate(recordings_[1].movie);
    Scramble(recordings_[2].movie);
    Scramble(recordings_[3].data);

    auto w = StartViewer();
    PlaybackController& road = w->OwnRoad()->Controller();
    CFilerContainerDlg& browser = *w->Browser();
    ASSERT_TRUE(QTest::qWaitFor([&] { return road.Started(); }, kOpenLimitMs));
    ASSERT_EQ(browser.RowCount(), 4);
    EXPECT_EQ(road.CurrentIndex(), 0);

    w->OnCommand(ID_PLAY_PAUSE);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return road.CurrentIndex() == 3 && road.Started() && MainState(*w) == SLOT_PLAYING &&
                   road.Cursor() > 10;
        },
        kPlayLimitMs * 2))
        << "stopped at recording " << road.CurrentIndex();
    EXPECT_EQ(w->Players().slot[0].ops->GetDuration(w->Players().slot[0]), 90);
    {
        AllSlotsLock lock(w->Players().slot[0].data, w->Players().slot[1].data);
        EXPECT_TRUE(w->Players().slot[0].data.Shown().GSensor().empty())
            << "noise gives no G samples";
    }
    EXPECT_TRUE(road.EventsCopy().empty());
    EXPECT_TRUE(messages_.empty()) << messages_.front();

    // The last recording of the card ends and waits at its start.
    ASSERT_TRUE(QTest::qWaitFor([&] { return MainState(*w) != SLOT_PLAYING && road.Cursor() == 0; },
                                kPlayLimitMs));
    EXPECT_EQ(road.CurrentIndex(), 3);

    // Chosen by the user, the recording whose main movie was cut short says so once, and
    // its second camera, which is whole, is not left open on its own.
    browser.SelectRecordingRow(1, false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages_.empty(); }, kOpenLimitMs));
    EXPECT_EQ(messages_, std::vector<std::string>{UiText(96)});
    EXPECT_EQ(road.CurrentIndex(), 1);
    EXPECT_FALSE(road.Started());
    EXPECT_EQ(w->Players().slot[1].state, SLOT_CLOSED);
    w->RunShutdown();
}

TEST_F(RoadEndToEndTest, ARecordingPlaysWithItsPanelsAndTheViewerMovesOnThroughTheGroups) {
    auto w = StartViewer();
    ASSERT_NE(w->OwnRoad(), nullptr);
    PlaybackController& road = w->OwnRoad()->Controller();
    CFilerContainerDlg& browser = *w->Browser();

    // The card opens on its first group; its first recording is opened and waits at its
    // start.
    ASSERT_TRUE(QTest::qWaitFor([&] { return road.Started(); }, kOpenLimitMs));
    ASSERT_EQ(browser.RowCount(), 2);
    const uint64_t firstGroup = browser.Tree()->SelectedSerial();

    // The user chooses the impact recording: it opens, its drive data are read.
    ASSERT_EQ(FileName(browser.Rows()[1].path).substr(0, 2), "AG");
    browser.SelectRecordingRow(1, false);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return road.CurrentIndex() == 1 && road.Started(); }, kOpenLimitMs));
    const int frames =
        static_cast<int>(w->Players().slot[0].ops->GetDuration(w->Players().slot[0]));
    EXPECT_EQ(frames, 90);
    EXPECT_EQ(w->SeekSlider()->RangeMax(), frames);
    EXPECT_EQ(w->Graph()->FrameCount(), frames);
    EXPECT_TRUE(w->Graph()->CurvesOn());
    EXPECT_EQ(MainState(*w), SLOT_STOPPED);
    ExpectPanelsAt(*w, 0);
    EXPECT_TRUE(w->SubCameraShown()) << "the second camera beside the main camera";
    EXPECT_TRUE(w->Button(ID_PLAY_PAUSE)->isEnabled());

    // The event jump (a right click on the graph) seeks to the event's frame.
    const std::vector<EventPoint> events = road.EventsCopy();
    ASSERT_FALSE(events.empty()) << "the impact recording has its event";
    const int event = events.front().position;
    ASSERT_GT(event, 0);
    PostAppMessage(w.get(), WM_APP_EVENT_NEXT);
    ASSERT_TRUE(QTest::qWaitFor([&] { return road.Cursor() == event; }, kOpenLimitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return PlayerPosition(*w) == event; }, kOpenLimitMs));
    ExpectPanelsAt(*w, event);

    // Playing and pausing with the space key, one frame on with the right arrow.
    QTest::keyClick(w.get(), Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([&] { return road.Cursor() > event + 5; }, kPlayLimitMs));
    QTest::keyClick(w.get(), Qt::Key_Space);
    ASSERT_EQ(MainState(*w), SLOT_PAUSED);
    const int paused = PlayerPosition(*w);
    QTest::keyClick(w.get(), Qt::Key_Right);
    ASSERT_TRUE(QTest::qWaitFor([&] { return PlayerPosition(*w) == paused + 1; }, kOpenLimitMs));
    ExpectPanelsAt(*w, paused + 1);
    // The mouse on the position slider: a tip names the position as elapsed time.
    QTest::mouseMove(w->SeekSlider(), QPoint(4, w->SeekSlider()->height() / 2));
    const float frameMs = w->Players().slot[0].frameMs;
    EXPECT_EQ(w->SeekSlider()->ValueTipText().toStdString(),
              ElapsedTimeText(std::llround((paused + 1) * frameMs),
                              std::llround(w->SeekSlider()->RangeMax() * frameMs)));

    // The snapshot of both cameras, named by the recording and the frame.
    w->OnCommand(ID_SNAPSHOT);
    const std::string name = FileName(browser.Rows()[1].path);
    const std::string base = dir_ + "/snapshots/" + name.substr(5, 14);
    char number[32];
    std::snprintf(number, sizeof number, "-%06d.jpg", paused + 1);
    EXPECT_TRUE(fs::exists(base + "M" + number)) << base + "M" + number;
    EXPECT_TRUE(fs::exists(base + "S" + number));
    ASSERT_FALSE(messages_.empty());
    EXPECT_EQ(messages_.back(), UiText(44) + "\n\n" + dir_ + "/snapshots\n" + name.substr(5, 14) +
                                    "M" + number + "\n" + name.substr(5, 14) + "S" + number);
    EXPECT_TRUE(w->Movie(0)->isVisible());
    EXPECT_TRUE(w->Movie(0)->PicturePainting());

    // Playing on: the panels follow the player to the end of the recording.
    w->OnCommand(ID_PLAY_PAUSE);
    ASSERT_EQ(MainState(*w), SLOT_PLAYING);
    ExpectPanelsFollowThePlayer(*w, road);

    // It was the last recording of its group: continuous play opens the next group and
    // plays its first recording.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return browser.Tree()->SelectedSerial() != firstGroup && road.CurrentIndex() == 0 &&
                   road.Started() && MainState(*w) == SLOT_PLAYING && road.Cursor() > 10;
        },
        kPlayLimitMs));
    ASSERT_EQ(names_.size(), 4u);
    EXPECT_EQ(FileName(browser.Rows()[0].path), names_[2]);
    ExpectPanelsFollowThePlayer(*w, road);

    // At its end the next recording of the group opens and plays.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return road.CurrentIndex() == 1 && road.Started() && MainState(*w) == SLOT_PLAYING &&
                   road.Cursor() > 10;
        },
        kPlayLimitMs));
    ExpectPanelsFollowThePlayer(*w, road);

    // The end of the last recording of the last group: it waits at its start again.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return road.Started() && MainState(*w) != SLOT_PLAYING && road.Cursor() == 0; },
        kPlayLimitMs));
    EXPECT_EQ(road.CurrentIndex(), 1);
    EXPECT_EQ(FileName(browser.Rows()[1].path), names_[3]);
    EXPECT_EQ(w->SeekSlider()->Pos(), 0);
    EXPECT_EQ(messages_.size(), 1u) << "no message but the snapshot's";
    w->RunShutdown();
}

}  // namespace
}  // namespace quorva::test
