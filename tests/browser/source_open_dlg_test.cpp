// The source dialog: its rows, the drive list, the two choosers, the refusal of a movie
// that is not a recording, and what OK stores.
#include "browser/source_open_dlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include "appcore/settings_store.h"
#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "browser_fixture.h"
#include "gui_fixture.h"
#include "skin/skin_button.h"
#include "skin/skin_check_button.h"

namespace quorva {
namespace {

class SourceDialogTest : public ::testing::TestWithParam<double> {
  protected:
    void SetUp() override { scale = std::make_unique<test::ScaleScope>(GetParam()); }
    void TearDown() override { scale.reset(); }
    int S(double design) const { return Scaled(design, GetParam()); }
    static std::vector<int> Checked(const CSourceOpenDlg& dlg) {
        std::vector<int> rows;
        for (int row : {kSourceRowDrive, kSourceRowFolder, kSourceRowFile})
            if (dlg.RowButton(row)->GetCheck()) rows.push_back(row);
        return rows;
    }
    static void Click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {},
                          QPoint(widget->width() / 4, widget->height() / 2));
    }

    test::SettingsScope settings;
    std::unique_ptr<test::ScaleScope> scale;
};

TEST_P(SourceDialogTest, OpensOnTheStoredRowWithItsControlsInPlace) {
    WriteSetting("SOURCE", "SELECT", "FOLDER");
    WriteSetting("SOURCE", "FOLDER", "/home/user/backup");
    CSourceOpenDlg dlg(nullptr, std::vector<std::string>{});
    EXPECT_EQ(dlg.windowTitle(), QString::fromStdString(UiText(132)));
    EXPECT_EQ(dlg.size(), QSize(S(540), S(250)));
    // The row buttons sit 3 s lower, so that label and mark line up with the edits' text.
    EXPECT_EQ(dlg.RowButton(kSourceRowDrive)->geometry(),
              QRect(S(30), S(50) + S(3), S(120), S(26)));
    EXPECT_EQ(dlg.RowButton(kSourceRowFile)->geometry(),
              QRect(S(30), S(150) + S(3), S(120), S(26)));
    EXPECT_EQ(dlg.DriveList()->geometry(), QRect(S(150), S(50), S(300), S(26)));
    EXPECT_EQ(dlg.FolderEdit()->geometry(), QRect(S(150), S(100), S(300), S(26)));
    EXPECT_EQ(dlg.FileButton()->geometry(), QRect(S(470), S(150), S(40), S(26)));
    EXPECT_EQ(dlg.OkButton()->geometry(), QRect(S(410), S(200), S(100), S(26)));
    EXPECT_EQ(dlg.RowButton(kSourceRowDrive)->text().toStdString(), UiText(133));
    EXPECT_EQ(dlg.RowButton(kSourceRowFolder)->text().toStdString(), UiText(131));
    EXPECT_EQ(dlg.RowButton(kSourceRowFile)->text().toStdString(), UiText(130));
    ASSERT_NE(dlg.CloseButton(), nullptr);

    EXPECT_EQ(Checked(dlg), (std::vector<int>{kSourceRowFolder}));
    EXPECT_EQ(dlg.FolderEdit()->text(), QStringLiteral("/home/user/backup"));
    EXPECT_TRUE(dlg.OkButton()->isEnabled());
    // No removable drive: the card row keeps OK disabled.
    EXPECT_EQ(dlg.DriveList()->count(), 0);
    dlg.show();
    Click(dlg.RowButton(kSourceRowDrive));
    EXPECT_EQ(Checked(dlg), (std::vector<int>{kSourceRowDrive}));
    EXPECT_FALSE(dlg.OkButton()->isEnabled());
    EXPECT_EQ(dlg.Kind(), 1);
}

TEST_P(SourceDialogTest, TheLastDriveIsSelectedAndChoosingOneSelectsTheCardRow) {
    WriteSetting("SOURCE", "SELECT", "FILE");
    CSourceOpenDlg dlg(nullptr, {"/media/user/CARD1", "/media/user/CARD2"});
    EXPECT_EQ(dlg.DriveList()->count(), 2);
    EXPECT_EQ(dlg.DriveList()->currentIndex(), 1);
    EXPECT_EQ(Checked(dlg), (std::vector<int>{kSourceRowFile})) << "the stored row";
    EXPECT_FALSE(dlg.OkButton()->isEnabled()) << "no stored file";
    emit dlg.DriveList()->activated(0);
    EXPECT_EQ(Checked(dlg), (std::vector<int>{kSourceRowDrive}));
    EXPECT_TRUE(dlg.OkButton()->isEnabled());
    EXPECT_EQ(dlg.Path(), "/media/user/CARD1");
    dlg.Confirm();
    EXPECT_EQ(dlg.result(), 1);
    EXPECT_EQ(ReadSetting("SOURCE", "SELECT"), "SD");
    EXPECT_EQ(ReadSetting("SOURCE", "SD"), "/media/user/CARD1");
}

TEST_P(SourceDialogTest, AMovieThatIsNotARecordingIsRefusedWithAMessage) {
    const std::string kept = "/media/x/" + test::Name("A___", "240131", 10);
    WriteSetting("SOURCE", "FILE", kept);
    CSourceOpenDlg dlg(nullptr, std::vector<std::string>{});
    QString asked;
    QString answer = QStringLiteral("/media/x/clip.mov");
    dlg.SetFileDialog([&](QWidget*, const QString&, const QString& filter) {
        asked = filter;
        return answer;
    });
    dlg.show();
    test::MessageAnswerer answerer;
    Click(dlg.FileButton());
    EXPECT_TRUE(answerer.Seen());
    EXPECT_EQ(answerer.Text().toStdString(), UiText(96));
    EXPECT_EQ(asked, QStringLiteral("Movie Files(*.mov);;All Files(*.*)"));
    EXPECT_EQ(dlg.FileEdit()->text().toStdString(), kept);
    EXPECT_EQ(Checked(dlg), (std::vector<int>{kSourceRowDrive}));

    const std::string chosen = "/media/y/" + test::Name("PG__", "240130", 3);
    answer = QString::fromStdString(chosen);
    Click(dlg.FileButton());
    EXPECT_EQ(dlg.FileEdit()->text().toStdString(), chosen);
    EXPECT_EQ(Checked(dlg), (std::vector<int>{kSourceRowFile}));
    EXPECT_EQ(dlg.Kind(), 3);
    EXPECT_EQ(dlg.Path(), chosen);
}

TEST_P(SourceDialogTest, OkWithTheFolderRowStoresTheFolder) {
    test::TempFolder dir;
    const std::string folder = dir / "backup";
    std::filesystem::create_directories(folder);
    WriteSetting("SOURCE", "FOLDER", dir.str());
    CSourceOpenDlg dlg(nullptr, {"/media/user/CARD"});
    QString start, title;
    dlg.SetFolderDialog([&](QWidget*, const QString& t, const QString& s) {
        title = t;
        start = s;
        return QUrl::fromLocalFile(QString::fromStdString(folder));
    });
    dlg.show();
    Click(dlg.FolderButton());
    EXPECT_EQ(title.toStdString(), UiText(102));
    EXPECT_EQ(start.toStdString(), dir.str()) << "starts at the stored folder";
    EXPECT_EQ(dlg.FolderEdit()->text().toStdString(), folder);
    EXPECT_EQ(Checked(dlg), (std::vector<int>{kSourceRowFolder}));
    Click(dlg.OkButton());
    EXPECT_EQ(dlg.result(), 1);
    EXPECT_EQ(dlg.Kind(), 2);
    EXPECT_EQ(dlg.Path(), folder);
    EXPECT_EQ(ReadSetting("SOURCE", "SELECT"), "FOLDER");
    EXPECT_EQ(ReadSetting("SOURCE", "FOLDER"), folder);
    EXPECT_EQ(ReadSetting("SOURCE", "SD"), "") << "only the chosen row is written";
}

TEST_P(SourceDialogTest, TheCloseButtonCancelsWithoutStoring) {
    CSourceOpenDlg dlg(nullptr, {"/media/user/CARD"});
    dlg.show();
    ASSERT_TRUE(dlg.OkButton()->isEnabled());
    Click(dlg.CloseButton());
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(ReadSetting("SOURCE", "SELECT"), "");
}

INSTANTIATE_TEST_SUITE_P(Scales, SourceDialogTest, ::testing::Values(1.0, 2.0));

}  // namespace
}  // namespace quorva
