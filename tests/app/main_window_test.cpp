// The main window: start-up order and stored settings, the message table, the worker task
// with its progress bar, the removal of the source, the shut-down sequence and its roads,
// and the keys it ignores.
#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QToolTip>

#include <gmock/gmock.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "app/movie_dialog.h"
#include "appcore/settings_store.h"
#include "appcore/ui_text.h"
#include "browser/file_list_ctrl.h"
#include "browser/folder_tree_ctrl.h"
#include "map/map_dlg_wrap.h"
#include "panels/gsensor_dlg.h"
#include "panels/info_dlg.h"
#include "skin/logo_dlg.h"
#include "skin/skin_button.h"
#include "skin/skin_progress_bar.h"
#include "skin/skin_slider.h"
#include "window_fixture.h"

namespace quorva::test {
namespace {

using ::testing::ElementsAre;

size_t IndexOf(const std::vector<std::string>& trace, const std::string& step) {
    const auto it = std::find(trace.begin(), trace.end(), step);
    EXPECT_NE(it, trace.end()) << "missing step " << step;
    return static_cast<size_t>(it - trace.begin());
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// --- Start-up ---------------------------------------------------------------------------------

TEST_F(WindowTest, StartUpRunsInItsOrderAndWritesTheFirstRunSettings) {
    auto w = MakeWindow();
    w->Initialize();
    const auto& t = w->StartupTrace();
    // Each step relies on the ones before it.
    EXPECT_LT(IndexOf(t, "settings directory"), IndexOf(t, "language slot"));
    EXPECT_LT(IndexOf(t, "language slot"), IndexOf(t, "dark look"));
    EXPECT_LT(IndexOf(t, "dark look"), IndexOf(t, "skin images"));
    EXPECT_LT(IndexOf(t, "language slot"), IndexOf(t, "ui scale"));
    EXPECT_LT(IndexOf(t, "ui scale"), IndexOf(t, "skin images"));
    EXPECT_LT(IndexOf(t, "skin images"), IndexOf(t, "children"));
    EXPECT_LT(IndexOf(t, "children"), IndexOf(t, "first-run settings"));
    EXPECT_LT(IndexOf(t, "first-run settings"), IndexOf(t, "player slots"));
    EXPECT_LT(IndexOf(t, "player slots"), IndexOf(t, "hardware decode"));
    EXPECT_LT(IndexOf(t, "first-run settings"), IndexOf(t, "aspect and volume"));
    EXPECT_LT(IndexOf(t, "aspect and volume"), IndexOf(t, "layout"));
    EXPECT_LT(IndexOf(t, "layout"), IndexOf(t, "size factors"));
    EXPECT_EQ(t.back(), "post startup");

    // The first-run defaults, then the volume written back at once: nothing else yet.
    const std::string ini = ReadFile(SettingsFilePath());
    EXPECT_EQ(std::count(ini.begin(), ini.end(), '='), 3) << ini;
    EXPECT_EQ(ReadSetting("DISPLAY", "INFOCHECK"), "31");
    EXPECT_EQ(ReadSetting("DISPLAY", "ASPECT"), "on");
    EXPECT_EQ(ReadSetting("DISPLAY", "VOLUME"), "65535");
    EXPECT_TRUE(w->KeepAspect());
    // Both slots initialised with their movie windows, the sub slot muted.
    EXPECT_EQ(FakePlayer::Get().Count("Initialize 0"), 1);
    EXPECT_EQ(FakePlayer::Get().Count("Initialize 1"), 1);
    EXPECT_TRUE(w->Players().slot[0].valid && w->Players().slot[1].valid);
    EXPECT_EQ(w->Players().slot[0].window.output, w->Movie(0));
    EXPECT_EQ(w->Players().slot[1].window.output, w->Movie(1));
    EXPECT_EQ(w->Players().slot[0].volume, 65535);
    EXPECT_EQ(w->Players().slot[1].volume, 0);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Quorva Viewer"));

    // The deferred start-up waits for the message and runs once.
    EXPECT_FALSE(w->StartupDone());
    Deliver(w.get());
    EXPECT_TRUE(w->StartupDone());
}

TEST_F(WindowTest, TheLanguageComesFromTheLocaleOrTheSettingAndQtSpeaksItToo) {
    const char* lang = std::getenv("LANG");
    const std::string savedLang = lang ? lang : "";
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    auto cancelText = [] {
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        return box.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&'));
    };
    struct Case {
        const char* locale;
        const char* setting;
        int slot;
    };
    for (const Case& c : {Case{"ja_JP.UTF-8", "", 0}, Case{"de_DE.UTF-8", "", 1},
                          Case{"ja_JP.UTF-8", "en", 1}, Case{"C", "ja", 0}}) {
        setenv("LANG", c.locale, 1);
        WriteSetting("DISPLAY", "LANGUAGE", c.setting);
        auto w = StartWindow();
        EXPECT_EQ(LanguageSlot(), c.slot) << c.locale << " " << c.setting;
        EXPECT_EQ(w->Detached()->windowTitle().toStdString(), UiTextIn(c.slot, 151));
        EXPECT_EQ(cancelText(),
                  c.slot == 0 ? QStringLiteral("キャンセル") : QStringLiteral("Cancel"))
            << c.locale << " " << c.setting;
    }
    setenv("LANG", savedLang.c_str(), 1);
}

TEST_F(WindowTest, QtsOwnWindowsTakeTheDarkLookAndTheListsKeepTheirColours) {
    auto w = StartWindow();
    EXPECT_LT(QApplication::palette().color(QPalette::Window).lightness(), 70);
    EXPECT_LT(QApplication::palette().color(QPalette::Base).lightness(), 70);
    EXPECT_LT(QToolTip::palette().color(QPalette::ToolTipBase).lightness(), 70);
    EXPECT_EQ(QApplication::style()->name().toLower(), "fusion");
    // The tree and the recording list keep the colours of the file browser.
    EXPECT_EQ(w->Browser()->List()->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(w->Browser()->Tree()->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST_F(WindowTest, StoredSettingsAreAppliedAtStart) {
    WriteSetting("DISPLAY", "ASPECT", "off");
    WriteSetting("DISPLAY", "VOLUME", "1234");
    WriteSetting("DISPLAY", "SCALEX", "1.5");
    WriteSetting("DISPLAY", "SCALEY", "0");
    WriteSetting("DECODE", "HW", "on");
    auto w = StartWindow();
    EXPECT_FALSE(w->KeepAspect());
    EXPECT_EQ(w->Volume(), 1234);
    EXPECT_EQ(w->Players().slot[0].volume, 1234);
    EXPECT_EQ(w->VolumeSlider()->Pos(), 1234);
    EXPECT_EQ(w->size(), QSize(1680, 697));
    EXPECT_EQ(w->Players().slot[0].hardwareDecode, 1);
    EXPECT_EQ(w->Players().slot[1].hardwareDecode, 0);
    EXPECT_EQ(w->Players().slot[0].keepAspect, 0);
}

TEST_F(WindowTest, TheCommandLineSourceIsOpenedAtStart) {
    const std::string card = MakeFolder("card");
    MakeFolder("card/Normal");
    MakeFile("card/pvtrace.txt");
    MainWindowOptions options;
    options.commandLineSource = card;
    auto w = StartWindow(std::move(options));
    EXPECT_EQ(w->SourcePath(), card);
    EXPECT_EQ(w->SourceKind(), 1);
    EXPECT_TRUE(w->CsvAllowed());
    EXPECT_TRUE(w->TraceFilePresent());
    EXPECT_TRUE(shown_.empty());
}

TEST_F(WindowTest, AnUnusableCommandLineSourceIsReportedOnce) {
    MakeFolder("stored");
    WriteSetting("SOURCE", "FOLDER", Dir() + "/stored");
    MainWindowOptions options;
    options.commandLineSource = Dir() + "/missing";
    auto w = StartWindow(std::move(options));
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].first, UiText(96));
    EXPECT_EQ(shown_[0].second, "ERROR");
    // The stored folder opened instead; CSV export only for a card.
    EXPECT_EQ(w->SourcePath(), Dir() + "/stored");
    EXPECT_EQ(w->SourceKind(), 2);
    EXPECT_FALSE(w->CsvAllowed());
    PostAppMessage(w.get(), WM_APP_STARTUP);
    Deliver(w.get());
    EXPECT_EQ(shown_.size(), 1u);
}

TEST_F(WindowTest, ChildrenSitWhereTheLayoutTableSays) {
    auto w = StartWindow();
    ASSERT_DOUBLE_EQ(w->Scale(), 1.0);
    const MainLayout l = ComputeMainLayout(w->size(), 1.0);
    EXPECT_EQ(w->Movie(0)->geometry(), l.movie);
    EXPECT_EQ(w->SeekSlider()->geometry(), l.seekSlider);
    EXPECT_EQ(w->Info()->geometry(), l.infoPanel);
    EXPECT_EQ(w->Graph()->geometry(), l.graph);
    EXPECT_EQ(w->Browser()->geometry(), l.browser);
    EXPECT_EQ(w->VolumeSlider()->geometry(), l.volumeSlider);
    for (int i = 0; i < kBottomButtonCount; ++i)
        EXPECT_EQ(w->Button(ID_PLAY_STOP + i)->geometry(), l.bottomButtons[i]) << i;
    EXPECT_EQ(w->Button(ID_WND_CLOSE)->geometry(), l.captionButtons[0]);
    EXPECT_EQ(w->Button(ID_THUMBNAIL_TOGGLE)->geometry(), l.captionButtons[3]);
    EXPECT_EQ(w->Button(ID_THUMBNAIL_TOGGLE)->text(), QString::fromStdString(UiText(171)));
    EXPECT_EQ(w->Button(ID_PLAY_NEXT)->toolTip(), QString::fromStdString(UiText(9)));
    // The companion window docked on its right, as high as it, holding the logo panel.
    EXPECT_EQ(w->Detached()->geometry(),
              QRect(w->geometry().right() + 1, w->geometry().top(), 452, 697));
    EXPECT_TRUE(w->Detached()->isVisible());
    EXPECT_EQ(w->Detached()->windowTitle(), QString::fromStdString(UiText(151)));
    EXPECT_FALSE(w->Detached()->geometry().intersects(w->geometry()));
    // Nothing open: of the bottom buttons only the source button works.
    for (int i = 0; i < kBottomButtonCount; ++i)
        EXPECT_EQ(w->Button(ID_PLAY_STOP + i)->isEnabled(), ID_PLAY_STOP + i == ID_OPEN_SOURCE)
            << i;
}

// --- Messages ---------------------------------------------------------------------------------

TEST_F(WindowTest, EveryMessageOfTheTableReachesItsHandler) {
    auto w = StartWindow();
    FakeRoad road;
    w->SetRoad(&road);
    // The road's messages go on to it with their parameters, in order.
    const uint32_t roadIds[] = {WM_APP_GRAPH_EVENT,     WM_APP_SLIDER_BEGIN, WM_APP_MAP_READY,
                                WM_APP_MAP_SEEK,        WM_APP_EVENT_PREV,   WM_APP_EVENT_NEXT,
                                WM_APP_SETTING_CHANGED, WM_APP_MOVIE_CLICK,  WM_APP_PLAYER_ENDED,
                                WM_APP_PLAYER_READY,    WM_APP_EVENT_FILTER, WM_APP_FOLDER_SELECTED,
                                WM_APP_PRELOAD_DONE};
    std::vector<FakeRoad::Message> expected;
    uintptr_t n = 1;
    for (uint32_t id : roadIds) {
        PostAppMessage(w.get(), id, n, -static_cast<intptr_t>(n));
        expected.push_back({id, n, -static_cast<intptr_t>(n)});
        ++n;
    }
    // The window's own: the hover preview's row and the update notice (none here).
    PostAppMessage(w.get(), WM_APP_PREVIEW_ITEM, 0);
    PostAppMessage(w.get(), WM_APP_UPDATE_AVAILABLE);
    // Accepted and ignored.
    for (uint32_t id : {0x8002u, 0x825Du, 0x825Eu, 0x8385u, 0x857Au})
        PostAppMessage(w.get(), id);
    Deliver(w.get());
    EXPECT_EQ(road.messages, expected);

    // A called message (from a movie window) is handled at once.
    road.messages.clear();
    w->OnMovieMessage(WM_APP_PLAYER_READY, 0, 0);
    EXPECT_THAT(road.messages, ElementsAre(FakeRoad::Message{WM_APP_PLAYER_READY, 0, 0}));
    w->SetRoad(nullptr);
}

TEST_F(WindowTest, ProgressAndVolumeMessages) {
    auto w = StartWindow();
    PostAppMessage(w.get(), WM_APP_PROGRESS, 50, 200);
    Deliver(w.get());
    EXPECT_EQ(w->ProgressBar()->Pos(), 25);
    PostAppMessage(w.get(), WM_APP_PROGRESS, 5, 0);
    Deliver(w.get());
    EXPECT_EQ(w->ProgressBar()->Pos(), 100);

    // The volume slider sets the volume: stored, main slot loud, sub slot muted.
    PostAppMessage(w.get(), WM_APP_SLIDER_TRACK, IDC_VOLUME_SLIDER, 4000);
    Deliver(w.get());
    EXPECT_EQ(w->Volume(), 4000);
    EXPECT_EQ(ReadSetting("DISPLAY", "VOLUME"), "4000");
    EXPECT_EQ(w->Players().slot[0].volume, 4000);
    EXPECT_EQ(w->Players().slot[1].volume, 0);
    EXPECT_EQ(w->VolumeSlider()->Pos(), 4000);
    // Out of range values are kept in range.
    PostAppMessage(w.get(), WM_APP_SLIDER_END, IDC_VOLUME_SLIDER, 90000);
    Deliver(w.get());
    EXPECT_EQ(w->Volume(), 65535);

    // While a recording opens the sliders are ignored; the position slider is the road's.
    FakeRoad road;
    w->SetRoad(&road);
    road.opening = true;
    PostAppMessage(w.get(), WM_APP_SLIDER_TRACK, IDC_VOLUME_SLIDER, 10);
    PostAppMessage(w.get(), WM_APP_SLIDER_TRACK, IDC_SEEK_SLIDER, 10);
    Deliver(w.get());
    EXPECT_EQ(w->Volume(), 65535);
    EXPECT_TRUE(road.messages.empty());
    road.opening = false;
    PostAppMessage(w.get(), WM_APP_SLIDER_END, IDC_SEEK_SLIDER, 77);
    Deliver(w.get());
    EXPECT_THAT(road.messages,
                ElementsAre(FakeRoad::Message{WM_APP_SLIDER_END, IDC_SEEK_SLIDER, 77}));
    w->SetRoad(nullptr);
}

TEST_F(WindowTest, PlaybackCommandsGoToTheRoad) {
    auto w = StartWindow();
    FakeRoad road;
    w->SetRoad(&road);
    for (int id : std::initializer_list<int>{ID_PLAY_PAUSE, ID_PLAY_NEXT, ID_PLAY_STOP,
                                             ID_ASPECT_TOGGLE, ID_FILTER_0 + 3})
        w->OnCommand(id);
    EXPECT_EQ(road.commands, (std::vector<int>{ID_PLAY_PAUSE, ID_PLAY_NEXT, ID_PLAY_STOP,
                                               ID_ASPECT_TOGGLE, ID_FILTER_0 + 3}));
    w->SetRoad(nullptr);
}

// --- Worker task ------------------------------------------------------------------------------

TEST_F(WindowTest, ATaskRunsWithTheProgressBarAndEndsWithTheCompletionMessage) {
    auto w = StartWindow();
    FakeRoad road;
    w->SetRoad(&road);
    std::atomic<bool> release{false};
    ASSERT_TRUE(w->StartTask([&](TaskControl& c) -> intptr_t {
        c.Progress(1, 2);
        while (!release)
            std::this_thread::yield();
        c.SetSucceeded();
        return 42;
    }));
    EXPECT_TRUE(w->ProgressBar()->isVisible());
    EXPECT_TRUE(w->Movie(0)->geometry().contains(w->ProgressBar()->geometry()));
    EXPECT_FALSE(w->ControlsEnabled());
    EXPECT_FALSE(w->Button(ID_OPEN_SOURCE)->isEnabled());
    EXPECT_FALSE(w->Browser()->isEnabled());
    EXPECT_TRUE(w->Button(ID_PLAY_STOP)->isEnabled()) << "the stop button cancels the task";
    EXPECT_FALSE(w->StartTask([](TaskControl&) -> intptr_t { return 0; }));

    release = true;
    while (w->TaskBusy())
        std::this_thread::yield();
    Deliver(w.get());  // progress, then the end
    EXPECT_FALSE(w->TaskThreadAlive());
    EXPECT_FALSE(w->ProgressBar()->isVisible());
    EXPECT_TRUE(w->ControlsEnabled());
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].first, UiText(44));
    EXPECT_EQ(shown_[0].second, UiText(45));
    EXPECT_THAT(road.afterTask, ElementsAre(42));
    w->SetRoad(nullptr);
}

TEST_F(WindowTest, TheStopButtonCancelsARunningTask) {
    auto w = StartWindow();
    std::atomic<int> polls{0};
    ASSERT_TRUE(w->StartTask([&](TaskControl& c) -> intptr_t {
        while (c.Busy())
            ++polls;
        return 0;
    }));
    while (polls == 0)
        std::this_thread::yield();
    w->OnCommand(ID_PLAY_STOP);
    EXPECT_FALSE(w->TaskBusy());
    EXPECT_FALSE(w->TaskThreadAlive());
    EXPECT_TRUE(w->ControlsEnabled());
    Deliver(w.get());
    EXPECT_FALSE(w->ProgressBar()->isVisible());
    EXPECT_TRUE(shown_.empty()) << "a cancelled task shows no completion message";
}

TEST_F(WindowTest, TaskCommandsAskTheirQuestionsOnlyWhenTheRoadAllows) {
    // The viewer's own tasks, installed by its start-up.
    std::vector<std::string> asked;
    MainWindowOptions options;
    options.pickTaskFolder = [&](QWidget*, const std::string& title) {
        asked.push_back(title);
        return std::string();  // the user cancels
    };
    auto w = StartWindow(std::move(options));
    for (int id : {ID_EXPORT_CSV, ID_SAVE_JOINED, ID_DELETE_FILES, ID_EXPORT_GPX})
        EXPECT_TRUE(w->CommandHasTask(id)) << id;
    FakeRoad road;
    w->SetRoad(&road);
    road.prepare = false;
    w->OnCommand(ID_EXPORT_CSV);
    EXPECT_TRUE(asked.empty()) << "the road refused: nothing is asked";
    EXPECT_TRUE(road.afterTask.empty());

    // A cancelled question starts nothing, and the recording comes back as after a task.
    road.prepare = true;
    w->OnCommand(ID_EXPORT_CSV);
    EXPECT_THAT(asked, ElementsAre(UiText(101)));
    EXPECT_FALSE(w->TaskThreadAlive());
    EXPECT_FALSE(w->ProgressBar()->isVisible());
    EXPECT_THAT(road.afterTask, ElementsAre(0));
    EXPECT_TRUE(shown_.empty());
    w->SetRoad(nullptr);
}

// --- Source removed ---------------------------------------------------------------------------

struct Mounts {
    std::set<std::string> mounted{"/media/card"};
    DriveProbe Probe() {
        DriveProbe p;
        p.volumeRootOf = [](const std::string& path) {
            return path.rfind("/media/card", 0) == 0 ? std::string("/media/card")
                                                     : std::string("/");
        };
        p.isVolumeRoot = [this](const std::string& path) { return mounted.count(path) != 0; };
        p.exists = [](const std::string&) { return true; };
        return p;
    }
};

TEST_F(WindowTest, RemovingTheCardTheViewerRunsFromEndsIt) {
    Mounts mounts;
    MainWindowOptions options;
    options.drives = mounts.Probe();
    options.programPath = "/media/card/quorva";
    auto w = StartWindow(std::move(options));
    QSignalSpy closed(w.get(), &CquorvaDlg::closed);
    w->LoadSource("/media/card", 1);
    mounts.mounted.clear();
    PostAppMessage(w.get(), WM_APP_SOURCE_REMOVED);
    Deliver(w.get());
    EXPECT_TRUE(w->ShutDown());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(WindowTest, RemovingAnotherSourceOnlyClearsTheView) {
    Mounts mounts;
    MainWindowOptions options;
    options.drives = mounts.Probe();
    options.programPath = "/usr/bin/quorva";
    auto w = StartWindow(std::move(options));
    QSignalSpy closed(w.get(), &CquorvaDlg::closed);
    w->LoadSource("/media/card", 1);
    w->SetCsvAllowed(true);
    mounts.mounted.clear();
    PostAppMessage(w.get(), WM_APP_SOURCE_REMOVED);
    Deliver(w.get());
    EXPECT_FALSE(w->ShutDown());
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(w->SourcePath().empty());
    EXPECT_FALSE(w->CsvAllowed());
    EXPECT_GE(FakePlayer::Get().Count("Close 0"), 1);
}

TEST_F(WindowTest, RemovingAFolderOnTheViewersOwnStillMountedDriveDoesNotEndIt) {
    Mounts mounts;
    MainWindowOptions options;
    options.drives = mounts.Probe();
    options.programPath = "/media/card/quorva";
    auto w = StartWindow(std::move(options));
    w->LoadSource("/media/card/backup", 2);
    PostAppMessage(w.get(), WM_APP_SOURCE_REMOVED);
    Deliver(w.get());
    EXPECT_FALSE(w->ShutDown());
}

// --- Shut-down --------------------------------------------------------------------------------

TEST_F(WindowTest, ShutDownRunsItsStepsInOrderOnceWhicheverRoadIsTaken) {
    auto w = StartWindow();
    std::vector<std::string> roadTrace;
    FakeRoad road;
    road.trace = &roadTrace;
    w->SetRoad(&road);
    QSignalSpy closed(w.get(), &CquorvaDlg::closed);

    w->OnCommand(ID_WND_CLOSE);  // the close button
    EXPECT_THAT(
        w->ShutdownTrace(),
        ElementsAre("application bar", "restore and store factors", "stop players", "reset view",
                    "playback tick", "player slots", "mutexes", "worker task", "map", "windows"));
    EXPECT_THAT(roadTrace, ElementsAre("road StopAll", "road ResetView", "road StopTick"));
    EXPECT_EQ(FakePlayer::Get().Count("Uninitialize 0"), 1);
    EXPECT_EQ(FakePlayer::Get().Count("Uninitialize 1"), 1);
    EXPECT_FALSE(w->Players().slot[0].valid);
    EXPECT_EQ(w->Detached(), nullptr);
    EXPECT_EQ(w->MapController(), nullptr);
    EXPECT_EQ(w->ResizeFrame(), nullptr);
    EXPECT_EQ(ReadSetting("DISPLAY", "SCALEX"), "1.000000");
    EXPECT_EQ(closed.count(), 1);

    // The system close and a removal afterwards change nothing.
    w->close();
    PostAppMessage(w.get(), WM_APP_SOURCE_REMOVED);
    Deliver(w.get());
    EXPECT_EQ(w->ShutdownTrace().size(), 10u);
    EXPECT_EQ(roadTrace.size(), 3u);
    EXPECT_EQ(closed.count(), 1);
    w->SetRoad(nullptr);
}

TEST_F(WindowTest, TheSystemCloseRunsTheSameShutDown) {
    auto w = StartWindow();
    QSignalSpy closed(w.get(), &CquorvaDlg::closed);
    w->close();
    EXPECT_TRUE(w->ShutDown());
    EXPECT_EQ(w->ShutdownTrace().back(), "windows");
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(WindowTest, ClosingWhileATaskRunsWaitsForItsThread) {
    auto w = StartWindow();
    std::atomic<bool> left{false};
    ASSERT_TRUE(w->StartTask([&](TaskControl& c) -> intptr_t {
        while (c.Busy())
            std::this_thread::yield();
        left = true;
        return 0;
    }));
    w->OnCommand(ID_WND_CLOSE);
    EXPECT_TRUE(left.load());
    EXPECT_FALSE(w->TaskThreadAlive());
    const auto& t = w->ShutdownTrace();
    EXPECT_LT(IndexOf(t, "worker task"), IndexOf(t, "windows"));
}

TEST_F(WindowTest, EnterAndEscapeDoNotCloseTheWindow) {
    auto w = StartWindow();
    QSignalSpy closed(w.get(), &CquorvaDlg::closed);
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(w.get(), &press);
        EXPECT_TRUE(press.isAccepted());
    }
    Deliver(w.get());
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->ShutDown());
    EXPECT_EQ(closed.count(), 0);
}

TEST_F(WindowTest, TheThumbnailToggleIsStoredAndRelabelled) {
    auto w = StartWindow();
    w->OnCommand(ID_THUMBNAIL_TOGGLE);
    EXPECT_TRUE(w->Thumbnail());
    EXPECT_EQ(ReadSetting("DISPLAY", "THUMBNAIL"), "1");
    EXPECT_EQ(w->Button(ID_THUMBNAIL_TOGGLE)->text(), QString::fromStdString(UiText(172)));
    w->OnCommand(ID_THUMBNAIL_TOGGLE);
    EXPECT_EQ(ReadSetting("DISPLAY", "THUMBNAIL"), "0");
    // The next start reads it.
    WriteSetting("DISPLAY", "THUMBNAIL", "1");
    auto again = StartWindow();
    EXPECT_TRUE(again->Thumbnail());
}

TEST_F(WindowTest, TheMapToggleSwitchesTheMapBelowTheSecondCamera) {
    auto w = StartWindow();
    // Nothing open: the logo panel stands in the map's place; the map is off, and its
    // checker asks nothing.
    EXPECT_FALSE(w->MapShown());
    ASSERT_NE(w->MapController(), nullptr);
    EXPECT_FALSE(w->MapController()->MapSwitch());
    EXPECT_FALSE(w->Movie(1)->isVisible());
    EXPECT_TRUE(w->Logo()->isVisible());
    EXPECT_EQ(w->Detached()->windowTitle(), QString::fromStdString(UiText(151)));

    // A recording with both cameras: the second camera above the map's place, whether the
    // map is on or off.
    ASSERT_EQ(GroupOpen(w->Players(), Dir() + "/A___-240518-091230-000101M.MOV"), 1);
    w->OnCommand(ID_MAP_TOGGLE);
    EXPECT_TRUE(w->MapShown());
    EXPECT_TRUE(w->MapController()->MapSwitch());
    EXPECT_TRUE(w->SubCameraShown());
    EXPECT_TRUE(w->Movie(1)->isVisible());
    EXPECT_TRUE(w->Logo()->isVisible());  // no map data: the logo panel in the map's place
    EXPECT_EQ(w->Detached()->windowTitle(), QString::fromStdString(UiText(146)));
    EXPECT_FALSE(w->Movie(1)->geometry().intersects(w->Logo()->geometry()));
    EXPECT_LT(w->Movie(1)->geometry().bottom(), w->Logo()->geometry().top());
    w->OnCommand(ID_MAP_TOGGLE);
    EXPECT_FALSE(w->MapShown());
    EXPECT_FALSE(w->MapController()->MapSwitch());
    EXPECT_TRUE(w->Movie(1)->isVisible());

    // A recording without a second camera shows only the map's place.
    GroupClose(w->Players());
    FakePlayer::Get().script[1].openResult = 0;
    ASSERT_EQ(GroupOpen(w->Players(), Dir() + "/A___-240518-091230-000102M.MOV"), 1);
    w->OnCommand(ID_MAP_TOGGLE);
    w->OnCommand(ID_MAP_TOGGLE);
    EXPECT_FALSE(w->Movie(1)->isVisible());
    EXPECT_TRUE(w->Logo()->isVisible());
    EXPECT_EQ(w->Detached()->windowTitle(), QString::fromStdString(UiText(151)));
}

}  // namespace
}  // namespace quorva::test
