// The hover preview and the settings dialog in the whole viewer, on the FFmpeg engine and a
// recorder card written for the test: a hovered row shows its recording's first picture
// beside the list while the chosen recording stays as it was; unticking the emergency
// recording stop in the settings dialog takes its event out of the graph, the event jumps
// and the map's event list at once, and ticking it brings it back.
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/cquorva_dlg.h"
#include "app/cquorva_road.h"
#include "appcore/settings_store.h"
#include "browser/file_list_ctrl.h"
#include "browser/filer_container_dlg.h"
#include "cardwriter/card_writer.h"
#include "cardwriter/frame_stamp.h"
#include "panels/event_detectors.h"
#include "panels/gsensor_dlg.h"
#include "player/preview_window.h"
#include "player/qt_video_widget.h"
#include "skin/skin_check_button.h"
#include "tools/settings_dlg.h"

namespace quorva::test {
namespace {

constexpr int kLimitMs = 20000;

class RoadToolsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        dir_ = temp_.path().toStdString();
        SetSettingsDirectory(dir_);
        cardwriter::QuietCodecLogs();
        cardwriter::CardRecipe card;
        card.root = dir_ + "/card";
        card.runs = 1;
        card.perRun = 6;  // the sixth recording shows an emergency recording stop
        card.seconds = 3.0;
        card.extras = false;
        card.width = 320;
        card.height = 180;
        card.subWidth = 160;
        card.subHeight = 90;
        card.audio = false;
        const cardwriter::CardResult written = cardwriter::WriteDemoCard(card);
        ASSERT_TRUE(written.ok) << written.error;
        card_ = card.root;
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
        options.showMessage = [](QWidget*, const std::string&, const std::string&) { return 1; };
        auto window = std::make_unique<CquorvaDlg>(std::move(options));
        window->Initialize();
        window->show();
        return window;
    }

    static bool SelectAndWait(CquorvaDlg& w, int row) {
        PlaybackController& road = w.OwnRoad()->Controller();
        w.Browser()->SelectRecordingRow(row, false);
        return QTest::qWaitFor(
            [&] { return road.CurrentIndex() == row && road.Started() && !road.Opening(); },
            kLimitMs);
    }

    // Pixels of the graph in the colour of a kind's marker (white for the emergency stop's,
    // which its letter and the graph's texts share).
    static int MarkerPixels(CquorvaDlg& w, int kind) {
        const QImage graph = w.Graph()->Render();
        const QRgb colour = 0xFF000000u | MarkerStyleOfKind(kind).rgb;
        int count = 0;
        for (int y = 0; y < graph.height(); ++y)
            for (int x = 0; x < graph.width(); ++x)
                count += graph.pixel(x, y) == colour;
        return count;
    }

    static int EventsOf(PlaybackController& road, int detector) {
        int n = 0;
        for (const EventPoint& e : road.EventsCopy())
            n += e.detector == detector;
        return n;
    }

    QTemporaryDir temp_;
    std::string dir_;
    std::string card_;
};

TEST_F(RoadToolsTest, AHoveredRowShowsItsFirstPictureBesideTheList) {
    auto w = StartViewer();
    PlaybackController& road = w->OwnRoad()->Controller();
    ASSERT_TRUE(QTest::qWaitFor([&] { return road.Started(); }, kLimitMs));
    w->OnCommand(ID_THUMBNAIL_TOGGLE);
    CFileListCtrl* list = w->Browser()->List();
    CPreviewWindow* preview = w->PreviewWindow();
    QSignalSpy shown(preview, &CPreviewWindow::previewShown);

    const QPoint at = list->visualItemRect(list->topLevelItem(4)).center();
    QMouseEvent move(QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
    ASSERT_TRUE(shown.wait(kLimitMs));
    EXPECT_EQ(shown.front().front().toString(),
              QString::fromStdString(w->Browser()->Rows()[4].path));
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->geometry().right() + 1, list->viewport()->mapToGlobal(QPoint(0, 0)).x());
    const FramePtr picture = preview->Video()->LastPicture();
    ASSERT_TRUE(picture);
    const auto stamp =
        cardwriter::ReadFrameStamp(picture->pixels.data(), picture->width, picture->height,
                                   picture->stride, cardwriter::StampPixels::kBgra32);
    ASSERT_TRUE(stamp);
    EXPECT_EQ(stamp->frame, 0);
    EXPECT_EQ(stamp->camera, 0);
    // The chosen recording is still the first one.
    EXPECT_EQ(road.CurrentIndex(), 0);
    EXPECT_EQ(w->Browser()->CurrentIndex(), 0);

    // Leaving the list stops and closes the preview player.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(list->viewport(), &leave);
    EXPECT_FALSE(preview->isVisible());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return preview->Idle() && preview->PlayerFlags() == 0; }, kLimitMs));
    w->RunShutdown();
}

TEST_F(RoadToolsTest, TheSettingsSwitchesTheGraphTheJumpsAndTheMapEventsAtOnce) {
    auto w = StartViewer();
    PlaybackController& road = w->OwnRoad()->Controller();
    ASSERT_TRUE(QTest::qWaitFor([&] { return road.Started(); }, kLimitMs));
    ASSERT_EQ(w->Browser()->RowCount(), 6);
    ASSERT_TRUE(SelectAndWait(*w, 5));
    ASSERT_EQ(EventsOf(road, 4), 1);
    const int eventAt = road.EventsCopy().front().position;
    const int withMarker = MarkerPixels(*w, 6);

    w->OnCommand(ID_SETTINGS);
    CSettingsDlg* dialog = w->SettingsDialog();
    ASSERT_TRUE(dialog->isVisible());
    CSkinCheckButton* item = dialog->ItemButton(0);
    QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, item->MarkRect().center());
    QTest::qWait(50);  // the message arrives
    EXPECT_EQ(w->Graph()->Detectors().GraphSwitch(4), 0);
    EXPECT_EQ(w->Graph()->Detectors().MapSwitch(4), 0);
    const int withoutMarker = MarkerPixels(*w, 6);
    EXPECT_LT(withoutMarker, withMarker - 50);  // the marker's line and letter are gone
    EXPECT_EQ(EventsOf(road, 4), 0);            // nothing left for the map's icons
    PostAppMessage(w.get(), WM_APP_EVENT_NEXT);
    QTest::qWait(300);
    EXPECT_EQ(road.Cursor(), 0) << "no event to jump to";

    QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, item->MarkRect().center());
    QTest::qWait(50);
    EXPECT_EQ(MarkerPixels(*w, 6), withMarker);
    EXPECT_EQ(EventsOf(road, 4), 1);
    PostAppMessage(w.get(), WM_APP_EVENT_NEXT);
    EXPECT_TRUE(QTest::qWaitFor([&] { return road.Cursor() == eventAt; }, kLimitMs));
    w->RunShutdown();
}

}  // namespace
}  // namespace quorva::test
