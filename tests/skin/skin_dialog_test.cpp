// Skin dialogs: keys never close them, the close button sits in the caption band at every
// scale, and dragging the caption moves the window.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "appcore/ui_scale.h"
#include "skin/skin_button.h"
#include "skin/skin_dialog.h"
#include "skin_fixture.h"

namespace quorva {
namespace {

class SkinDialogTest : public test::ScaledParamTest {
  protected:
    double s() const { return GetParam(); }
};

TEST_P(SkinDialogTest, EnterAndEscapeDoNothing) {
    CSkinDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    edit->setGeometry(10, 40, 100, 24);
    dialog.resize(300, 200);
    dialog.show();
    QSignalSpy finished(&dialog, &QDialog::finished);
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(&dialog, key);
        QTest::keyClick(edit, key);
    }
    QTest::keyClicks(edit, "abc");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(edit->text().isEmpty());  // key presses inside are swallowed too
}

TEST_P(SkinDialogTest, CloseButtonFollowsTheRightEdgeAndEndsTheDialog) {
    CSkinDialog dialog;
    dialog.resize(Scaled(460, s()), Scaled(315, s()));
    dialog.CreateCloseButton(17);
    dialog.show();
    CSkinButton* close = dialog.CloseButton();
    ASSERT_NE(close, nullptr);
    const QSize size(Scaled(13, s()), Scaled(12, s()));
    EXPECT_EQ(close->geometry(),
              QRect(QPoint(dialog.width() - Scaled(20, s()), Scaled(4, s())), size));
    EXPECT_EQ(close->Strip().Count(), 4);
    EXPECT_EQ(close->Strip().FrameSize(), size);

    dialog.resize(dialog.width() + 100, dialog.height());
    EXPECT_EQ(close->geometry().topLeft(),
              QPoint(dialog.width() - Scaled(20, s()), Scaled(4, s())));

    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::mouseClick(close, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
    EXPECT_FALSE(dialog.isVisible());
}

TEST_P(SkinDialogTest, DraggingTheCaptionMovesTheWindow) {
    CSkinDialog dialog;
    dialog.resize(400, 300);
    dialog.move(100, 100);
    dialog.show();
    const QPoint start = dialog.pos();
    const QPoint grip(50, CSkinDialog::CaptionBandHeight() / 2);
    QTest::mousePress(&dialog, Qt::LeftButton, {}, grip);
    ASSERT_TRUE(dialog.Dragging());
    QTest::mouseMove(&dialog, grip + QPoint(30, 20));
    QTest::mouseRelease(&dialog, Qt::LeftButton, {}, grip + QPoint(30, 20));
    EXPECT_FALSE(dialog.Dragging());
    EXPECT_EQ(dialog.pos(), start + QPoint(30, 20));

    // A press below the caption band does not move it.
    const QPoint body(50, CSkinDialog::DragBandHeight() + 10);
    QTest::mousePress(&dialog, Qt::LeftButton, {}, body);
    EXPECT_FALSE(dialog.Dragging());
    QTest::mouseRelease(&dialog, Qt::LeftButton, {}, body);
}

TEST_P(SkinDialogTest, CaptionBandCarriesTheTitle) {
    CSkinDialog dialog;
    dialog.setWindowTitle(QStringLiteral("参照先"));
    dialog.resize(Scaled(540, s()), Scaled(250, s()));
    dialog.show();
    const QImage face = dialog.grab().toImage();
    const int band = Scaled(20, s());
    EXPECT_EQ(CSkinDialog::CaptionBandHeight(), band);
    EXPECT_EQ(QColor(face.pixel(face.width() - 2, band / 2)), CSkinDialog::CaptionColor());
    EXPECT_TRUE(test::HasColorNear(face, QRect(Scaled(5, s()), 0, Scaled(60, s()), band),
                                   CSkinDialog::CaptionTextColor(), 60));
    EXPECT_NE(QColor(face.pixel(face.width() - 2, band + 4)), CSkinDialog::CaptionColor());
}

INSTANTIATE_TEST_SUITE_P(Scales, SkinDialogTest, ::testing::Values(1.0, 2.0));

}  // namespace
}  // namespace quorva
