// The main window with its settings dialog, hover preview and update notice: the settings
// button and the context menu's item open the dialog, whose switches reach the road; the
// thumbnail toggle turns the list's hover preview on and off, and a hovered row is handed
// to the preview player; a source with versions and an update server on the loopback
// address bring up the update notice once.
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

#include "appcore/settings_store.h"
#include "browser/file_list_ctrl.h"
#include "loopback_http_server.h"
#include "map/map_dlg_wrap.h"
#include "online/update_dialog.h"
#include "online/update_rules.h"
#include "player/preview_window.h"
#include "recordings/recording_name.h"
#include "skin/skin_button.h"
#include "skin/skin_check_button.h"
#include "tools/settings_dlg.h"
#include "window_fixture.h"

namespace quorva::test {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;

class ToolsWindowTest : public WindowTest {
  protected:
    // A card of three recordings with drive data (firmware 1.5.2, GPS data 240401) and the
    // marker file that enables the firmware check.
    std::string MakeCard() {
        const std::string card = MakeFolder("card");
        for (const char* name : {"A__S-240518-091230-000101M.MOV", "A___-240518-091233-000102M.MOV",
                                 "A___-240518-091236-000103M.MOV"}) {
            const std::string movie = card + "/Normal/" + name;
            WriteMovie(movie);
            std::string header = "0600060009001000M010502J1 ";
            fs::create_directories(card + "/_NData");
            std::ofstream(card + "/_NData/" + std::string(name).replace(25, 5, "D.ADA"),
                          std::ios::binary)
                << "CSMDAT" << header << std::string(2, '\0') << "CSMEND"
                << "240401";
        }
        std::ofstream(card + "/Velmora_download.url") << "[InternetShortcut]\n";
        return card;
    }
    void Hover(CFileListCtrl* list, int row) {
        const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
        QMouseEvent move(QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
    }
};

TEST_F(ToolsWindowTest, TheSettingsButtonOpensTheDialogWhoseSwitchesReachTheRoad) {
    MainWindowOptions options;
    options.commandLineSource = MakeCard();
    auto w = StartWindow(std::move(options));
    FakeRoad road;
    w->SetRoad(&road);
    CSettingsDlg* dialog = w->SettingsDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->isVisible());  // made hidden with the window
    CSkinButton* button = w->Button(ID_SETTINGS);
    ASSERT_TRUE(button->isEnabled());
    button->click();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->parentWidget(), w.get());

    CSkinCheckButton* item = dialog->ItemButton(0);
    QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, item->MarkRect().center());
    Deliver(w.get());
    EXPECT_THAT(road.messages, Contains(FakeRoad::Message{WM_APP_SETTING_CHANGED, 0, 0}));

    // Closed and opened again (the context menu's item gives the same command): as it was.
    QTest::mouseClick(dialog->CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    w->OnCommand(ID_SETTINGS);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->Ticked(0));
    EXPECT_TRUE(dialog->Ticked(1));
    // The settings command is the window's own: the road never sees it.
    EXPECT_THAT(road.commands, ::testing::Not(Contains(ID_SETTINGS)));
    w->SetRoad(nullptr);
}

TEST_F(ToolsWindowTest, TheThumbnailToggleTurnsTheHoverPreviewOnAndOff) {
    MainWindowOptions options;
    options.commandLineSource = MakeCard();
    auto w = StartWindow(std::move(options));
    CFileListCtrl* list = w->Browser()->List();
    CPreviewWindow* preview = w->PreviewWindow();
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(w->Browser()->RowCount(), 3);
    EXPECT_FALSE(list->PreviewEnabled());
    Hover(list, 1);
    EXPECT_FALSE(preview->isVisible());

    w->OnCommand(ID_THUMBNAIL_TOGGLE);
    EXPECT_TRUE(list->PreviewEnabled());
    EXPECT_EQ(ReadSetting("DISPLAY", "THUMBNAIL"), "1");
    // A hovered row goes to the preview player (these stand-in movies cannot be decoded,
    // so the popup hides itself again).
    QSignalSpy failed(preview, &CPreviewWindow::previewFailed);
    Hover(list, 1);
    EXPECT_TRUE(preview->isVisible());
    ASSERT_TRUE(failed.wait(10000));
    EXPECT_EQ(failed.front().front().toString(),
              QString::fromStdString(w->Browser()->Rows()[1].path));
    EXPECT_FALSE(preview->isVisible());

    // Hidden before the window handles the row: nothing is opened.
    const int begun = preview->OpensBegun();
    Hover(list, 2);
    list->EndPreview();
    Deliver(w.get());
    QTest::qWait(100);
    EXPECT_EQ(preview->OpensBegun(), begun);

    w->OnCommand(ID_THUMBNAIL_TOGGLE);
    EXPECT_FALSE(list->PreviewEnabled());
    EXPECT_EQ(ReadSetting("DISPLAY", "THUMBNAIL"), "0");
}

TEST_F(ToolsWindowTest, TheStoredThumbnailFlagHoldsAtStartUp) {
    WriteSetting("DISPLAY", "THUMBNAIL", "1");
    auto w = StartWindow();
    EXPECT_TRUE(w->Browser()->List()->PreviewEnabled());
}

TEST_F(ToolsWindowTest, ANewerVersionOnTheUpdateServerBringsTheNotice) {
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Start());
    server.SetRoute("/taiou/dr_updata/velmo/velmora_sw_version.txt", 200, "VER:1.6.0\r\n");
    server.SetRoute("/0_recorder/viewer/RaveVorira02/RaveVorira02_version.txt", 200,
                    "VER:1.0.0\r\n");
    server.SetRoute("/gps_data/drgps_01.txt", 200, "<b>240501</b>");
    const std::string base = server.BaseUrl().toStdString();
    WriteSetting("ONLINE", "UPDATE_SERVER", base + "/");
    MainWindowOptions options;
    options.commandLineSource = MakeCard();
    auto w = StartWindow(std::move(options));
    EXPECT_EQ(w->UpdateCheckInputs().firmware, "1.5.2");
    EXPECT_EQ(w->UpdateCheckInputs().gpsData, "240401");
    EXPECT_EQ(w->UpdateCheckInputs().modelMarker, std::string(kModelMarker));

    ASSERT_TRUE(QTest::qWaitFor([&] { return w->UpdateDialog() != nullptr; }, 15000));
    CUpdateDialog* notice = w->UpdateDialog();
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->parentWidget(), nullptr);  // a window of its own
    EXPECT_EQ(
        notice->NoticeText(),
        BuildUpdateNotice({{UpdateItemKind::kFirmware, "1.5.2", "1.6.0",
                            base + "/taiou/dr_updata/velmora/velmora.html"},
                           {UpdateItemKind::kGpsData, "24/04/01", GpsDataForm("<b>240501</b>"),
                            base + "/taiou/gps_data/dr_01/dr01.html"}}));
    EXPECT_EQ(server.Requests(), 3);

    // Once per run: another source and the start-up message again ask nothing more.
    PostAppMessage(w.get(), WM_APP_STARTUP);
    Deliver(w.get());
    QTest::qWait(300);
    EXPECT_EQ(server.Requests(), 3);
    w->RunShutdown();
    EXPECT_EQ(w->UpdateDialog(), nullptr);
}

TEST_F(ToolsWindowTest, NoUpdateServerNoRequest) {
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Start());
    MainWindowOptions options;
    options.commandLineSource = MakeCard();
    auto w = StartWindow(std::move(options));
    QTest::qWait(300);
    EXPECT_EQ(server.Requests(), 0);
    ASSERT_NE(w->MapController(), nullptr);
    EXPECT_FALSE(w->MapController()->Checker().UpdateStarted());
}

}  // namespace
}  // namespace quorva::test
