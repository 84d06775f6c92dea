// The message dialog: its size follows the text, its buttons sit where they belong for each
// kind, it answers 1 for OK and 2 for Cancel, and keys do nothing.
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "skin/msg_dlg.h"
#include "skin/ui_fonts.h"
#include "skin_fixture.h"

namespace quorva {
namespace {

class MsgDlgTest : public test::ScaledParamTest {
  protected:
    double s() const { return GetParam(); }
    int S(double design) const { return Scaled(design, s()); }
};

TEST_P(MsgDlgTest, TwoLinesSizeTheDialogForTheWiderLineAndTwoLineHeights) {
    const QString wide = QStringLiteral("同名のファイルが存在します。続行しますか？");
    const QString narrow = QStringLiteral("確認");
    CMsgDlg dialog(nullptr, narrow + "\n" + wide, "ERROR", 0);
    const QFontMetrics metrics(UiFont(kFontF10));
    const int textWidth = metrics.horizontalAdvance(wide);
    const int textHeight = 2 * metrics.lineSpacing();
    EXPECT_EQ(CMsgDlg::MeasureText(narrow + "\n" + wide, UiFont(kFontF10)),
              QSize(textWidth, textHeight));
    EXPECT_EQ(dialog.width(), textWidth + 2 * S(40));
    EXPECT_EQ(dialog.height(), textHeight + 2 * S(30) + S(60) + S(20));
    EXPECT_EQ(dialog.MessageStatic()->geometry(),
              QRect(S(40), S(30), textWidth + S(40), textHeight + S(30)));
    EXPECT_EQ(dialog.windowTitle(), "ERROR");
}

TEST_P(MsgDlgTest, ButtonsOfEachKind) {
    const QSize button(S(100), S(30));
    CMsgDlg message(nullptr, "text", "ERROR", 0);
    message.show();
    const QPoint corner(message.width() - S(15) - button.width(),
                        message.height() - S(15) - button.height());
    EXPECT_TRUE(message.OkButton()->isVisible());
    EXPECT_FALSE(message.CancelButton()->isVisible());
    EXPECT_EQ(message.OkButton()->geometry(), QRect(corner, button));

    CMsgDlg question(nullptr, "text", "確認", 1);
    question.show();
    const QPoint qcorner(question.width() - S(15) - button.width(),
                         question.height() - S(15) - button.height());
    EXPECT_TRUE(question.CancelButton()->isVisible());
    EXPECT_EQ(question.CancelButton()->geometry(), QRect(qcorner, button));
    EXPECT_EQ(question.OkButton()->geometry(),
              QRect(qcorner - QPoint(button.width() + S(15), 0), button));

    // A kind the dialog does not know still offers OK, so it can always be closed.
    CMsgDlg odd(nullptr, "text", "ERROR", 7);
    odd.show();
    EXPECT_TRUE(odd.OkButton()->isVisible());
}

TEST_P(MsgDlgTest, TextAreaIsWhiteAboveTheButtonBand) {
    CMsgDlg dialog(nullptr, "text", "ERROR", 0);
    dialog.show();
    const QImage face = dialog.grab().toImage();
    EXPECT_EQ(QColor(face.pixel(2, S(20) + 2)), QColor(Qt::white));
    EXPECT_EQ(QColor(face.pixel(2, dialog.height() - S(60) - 1)), QColor(Qt::white));
    EXPECT_NE(QColor(face.pixel(2, dialog.height() - S(60) + 1)), QColor(Qt::white));
}

INSTANTIATE_TEST_SUITE_P(Scales, MsgDlgTest, ::testing::Values(1.0, 2.0));

TEST(MsgDlg, IsCentredOnItsOwner) {
    QWidget owner;
    owner.setGeometry(200, 150, 1120, 697);
    owner.show();
    CMsgDlg dialog(&owner, "text", "ERROR", 0);
    EXPECT_EQ(dialog.geometry().center(), owner.frameGeometry().center());
}

TEST(MsgDlg, AnswersOkAndCancelAndIgnoresKeys) {
    for (int button : {IDOK, IDCANCEL}) {
        CMsgDlg dialog(nullptr, "続行しますか？", "確認", 1);
        bool keysIgnored = false;
        QTimer::singleShot(0, [&] {
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space}) {
                QTest::keyClick(&dialog, key);
                QTest::keyClick(dialog.OkButton(), key);
            }
            keysIgnored = dialog.isVisible();
            (button == IDOK ? dialog.OkButton() : dialog.CancelButton())->click();
        });
        EXPECT_EQ(dialog.exec(), button);
        EXPECT_TRUE(keysIgnored);
    }
}

TEST(MsgDlg, ClosedByTheWindowManagerAnswersCancel) {
    CMsgDlg dialog(nullptr, "text", "ERROR", 0);
    QTimer::singleShot(0, [&] { dialog.close(); });
    EXPECT_EQ(dialog.exec(), IDCANCEL);
}

TEST(ShowMessage, ShowsTheTextWithItsCaptionAndReturnsTheAnswer) {
    test::MessageAnswerer answer(IDOK);
    EXPECT_EQ(ShowMessage(nullptr, UiText(95)), IDOK);
    ASSERT_TRUE(answer.Seen());
    EXPECT_EQ(answer.Text().toStdString(), UiText(95));
    EXPECT_EQ(answer.Caption(), "ERROR");

    test::MessageAnswerer cancel(IDCANCEL);
    EXPECT_EQ(CMsgBox(nullptr).Show(UiText(90), UiText(104), 1), IDCANCEL);
    EXPECT_EQ(cancel.Caption().toStdString(), UiText(104));
}

TEST(ShowMessage, FromAWorkerThreadRunsOnTheUserInterfaceThread) {
    test::MessageAnswerer answer(IDCANCEL);
    int result = 0;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        result = ShowMessage(nullptr, UiText(94), "ERROR", 1);
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    worker.join();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(answer.Text().toStdString(), UiText(94));
}

TEST(ShowMessage, TextIsShownAsPlainText) {
    CMsgDlg dialog(nullptr, "<b>clip.mov</b>", "ERROR", 0);
    EXPECT_EQ(dialog.MessageStatic()->textFormat(), Qt::PlainText);
}

}  // namespace
}  // namespace quorva
