// The folder chooser starts at the stored folder (else the settings directory), answers the
// chosen path or "" on cancel, and refuses a choice that is not a local folder with text 95.
#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "appcore/settings_store.h"
#include "appcore/ui_text.h"
#include "skin/pick_folder.h"
#include "skin_fixture.h"

namespace quorva {
namespace {

class PickFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(settingsDir.isValid());
        previous = SettingsDirectory();
        SetSettingsDirectory(settingsDir.path().toStdString());
    }
    void TearDown() override { SetSettingsDirectory(previous); }

    // A dialog that remembers what it was asked and answers the given location.
    FolderDialog Answer(QUrl answer) {
        return [this, answer](QWidget*, const QString& title, const QString& start) {
            askedTitle = title;
            askedStart = start;
            return answer;
        };
    }

    QTemporaryDir settingsDir;
    std::string previous;
    QString askedTitle, askedStart;
};

TEST_F(PickFolderTest, StartsAtTheStoredFolderAndAnswersTheChoice) {
    QTemporaryDir stored, chosen;
    ASSERT_TRUE(WriteSetting("FOLDERPATH", "CSV_FOLDER", stored.path().toStdString()));
    const std::string result = PickFolderWith(Answer(QUrl::fromLocalFile(chosen.path() + "/")),
                                              nullptr, "FOLDERPATH", "CSV_FOLDER", UiText(101));
    EXPECT_EQ(askedStart, stored.path());
    EXPECT_EQ(askedTitle.toStdString(), UiText(101));
    EXPECT_EQ(result, chosen.path().toStdString());  // without the trailing separator
    // The chooser leaves storing the choice to its caller.
    EXPECT_EQ(ReadSetting("FOLDERPATH", "CSV_FOLDER"), stored.path().toStdString());
}

TEST_F(PickFolderTest, WithoutAStoredFolderStartsInTheSettingsDirectory) {
    PickFolderWith(Answer(QUrl()), nullptr, "FOLDERPATH", "SNAPSHOT_FOLDER", "title");
    EXPECT_EQ(askedStart, settingsDir.path());
}

TEST_F(PickFolderTest, CancelAnswersEmptyWithoutAMessage) {
    test::MessageAnswerer answer;
    EXPECT_EQ(PickFolderWith(Answer(QUrl()), nullptr, "SOURCE", "FOLDER", "t"), "");
    QCoreApplication::processEvents();
    EXPECT_FALSE(answer.Seen());
}

TEST_F(PickFolderTest, AChoiceWithoutALocalPathShowsText95) {
    test::MessageAnswerer answer;
    EXPECT_EQ(PickFolderWith(Answer(QUrl("smb://server/share")), nullptr, "SOURCE", "FOLDER", "t"),
              "");
    ASSERT_TRUE(answer.Seen());
    EXPECT_EQ(answer.Text().toStdString(), UiText(95));
    EXPECT_EQ(answer.Caption(), "ERROR");
}

TEST_F(PickFolderTest, TheFolderDialogOpensAtTheStartFolder) {
    QTemporaryDir stored;
    QDir(stored.path()).mkdir("movies");
    ASSERT_TRUE(WriteSetting("SOURCE", "FOLDER", stored.path().toStdString()));
    QString shownAt;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        poll.stop();
        shownAt = dialog->directory().absolutePath();
        dialog->setDirectory(stored.path() + "/movies");
        QMetaObject::invokeMethod(dialog, "accept");
    });
    poll.start(20);
    const std::string result = PickFolder(nullptr, "SOURCE", "FOLDER", UiText(102));
    EXPECT_EQ(shownAt, stored.path());
    EXPECT_EQ(result, (stored.path() + "/movies").toStdString());
}

}  // namespace
}  // namespace quorva
