// The settings dialog: its look at scale 1, the messages its two check buttons post to the
// main window, closing and reopening with its state, and a new dialog ticked again.
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include "appcore/app_messages.h"
#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "message_recorder.h"
#include "skin/skin_button.h"
#include "skin/skin_check_button.h"
#include "tools/settings_dlg.h"

namespace quorva {
namespace {

using test::MessageRecorder;
using test::PostedMessage;

QString Ui(int index) {
    return QString::fromStdString(UiText(index));
}

class SettingsDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetUiScaleFactors(1.0, 1.0);
        main.resize(800, 600);
        main.show();
    }
    // A click on the check mark of item k, as the user gives it.
    static void Click(CSettingsDlg& dialog, int k) {
        CSkinCheckButton* button = dialog.ItemButton(k);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->MarkRect().center());
    }
    MessageRecorder main;
};

TEST_F(SettingsDlgTest, LooksAsItShould) {
    CSettingsDlg dialog(&main);
    dialog.show();
    EXPECT_EQ(dialog.size(), QSize(460, 315));
    EXPECT_EQ(dialog.windowTitle(), Ui(123));
    EXPECT_EQ(dialog.ItemButton(0)->geometry(), QRect(40, 60, 160, 40));
    EXPECT_EQ(dialog.ItemButton(1)->geometry(), QRect(240, 60, 160, 40));
    EXPECT_EQ(dialog.ItemButton(0)->text(), Ui(124));
    EXPECT_EQ(dialog.ItemButton(1)->text(), Ui(125));
    EXPECT_EQ(dialog.ItemButton(0)->ControlId(), 32968);
    EXPECT_EQ(dialog.ItemButton(1)->ControlId(), 32969);
    EXPECT_EQ(dialog.DetectorGroup()->title(), Ui(128));
    EXPECT_EQ(dialog.DetectorGroup()->geometry(), QRect(10, 30, 434, 160));
    EXPECT_EQ(dialog.VersionGroup()->title(), Ui(127));
    EXPECT_EQ(dialog.VersionGroup()->geometry(), QRect(10, 190, 434, 110));
    EXPECT_EQ(dialog.VersionText()->geometry(), QRect(20, 210, 414, 60));
    EXPECT_TRUE(dialog.VersionText()->text().startsWith(QStringLiteral("version 1.0.0\n")));
    EXPECT_TRUE(dialog.VersionText()->isVisible());
    // Both ticked; the controls lie above the group frames, so clicks reach them.
    EXPECT_TRUE(dialog.Ticked(0) && dialog.Ticked(1));
    EXPECT_TRUE(dialog.ItemButton(0)->GetCheck());
    EXPECT_EQ(dialog.childAt(dialog.ItemButton(0)->geometry().center()), dialog.ItemButton(0));
    ASSERT_NE(dialog.CloseButton(), nullptr);
    EXPECT_EQ(dialog.CloseButton()->geometry(), QRect(440, 4, 13, 12));
    // Centred on the main window's monitor.
    const QRect monitor = main.screen()->geometry();
    EXPECT_LE(std::abs(dialog.geometry().center().x() - monitor.center().x()), 1);
    EXPECT_LE(std::abs(dialog.geometry().center().y() - monitor.center().y()), 1);
}

TEST_F(SettingsDlgTest, TogglesPostTheirItemAndState) {
    CSettingsDlg dialog(&main);
    dialog.show();
    Click(dialog, 0);
    Click(dialog, 1);
    Click(dialog, 0);
    main.Deliver();
    EXPECT_EQ(main.messages, (std::vector<PostedMessage>{{WM_APP_SETTING_CHANGED, 0, 0},
                                                         {WM_APP_SETTING_CHANGED, 1, 0},
                                                         {WM_APP_SETTING_CHANGED, 0, 1}}));
    EXPECT_TRUE(dialog.Ticked(0));
    EXPECT_FALSE(dialog.Ticked(1));
    EXPECT_FALSE(dialog.ItemButton(1)->GetCheck());

    // Ids without a button change nothing; keys do nothing.
    main.messages.clear();
    dialog.OnCommand(32970);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::keyClick(&dialog, Qt::Key_Space);
    main.Deliver();
    EXPECT_TRUE(main.messages.empty());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(SettingsDlgTest, CloseAndReopenKeepTheState) {
    auto dialog = std::make_unique<CSettingsDlg>(&main);
    dialog->show();
    Click(*dialog, 1);
    QTest::mouseClick(dialog->CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    dialog->Centre();
    dialog->show();
    EXPECT_TRUE(dialog->Ticked(0));
    EXPECT_FALSE(dialog->Ticked(1));
    EXPECT_FALSE(dialog->ItemButton(1)->GetCheck());
    // A new start shows both ticked.
    dialog = std::make_unique<CSettingsDlg>(&main);
    EXPECT_TRUE(dialog->Ticked(0) && dialog->Ticked(1));
}

TEST_F(SettingsDlgTest, RescaleLaysItOutAgain) {
    CSettingsDlg dialog(&main);
    SetUiScaleFactors(2.0, 2.0);
    dialog.ApplyScale();
    EXPECT_EQ(dialog.size(), QSize(920, 630));
    EXPECT_EQ(dialog.ItemButton(1)->geometry(), QRect(480, 120, 320, 80));
    EXPECT_EQ(dialog.ItemButton(0)->MarkRect(), QRect(0, 8, 24, 24));
    SetUiScaleFactors(1.0, 1.0);
}

}  // namespace
}  // namespace quorva
