// Skin buttons and check buttons: which frame and label colour each state shows, hover and
// leave, and that the keyboard does nothing.
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "appcore/ui_scale.h"
#include "skin/skin_button.h"
#include "skin/skin_check_button.h"
#include "skin/skin_resources.h"
#include "skin_fixture.h"

namespace quorva {
namespace {

void Enter(QWidget* w, QPoint at) {
    QEnterEvent enter(at, w->mapTo(w->window(), at), w->mapToGlobal(at));
    QCoreApplication::sendEvent(w, &enter);
}

void Leave(QWidget* w) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(w, &leave);
}

void Move(QWidget* w, QPoint at) {
    QTest::mouseMove(w, at);
}

class SkinButtonTest : public test::ScaledTest {
  protected:
    void SetUp() override {
        button.Create(QRect(0, 0, 32, 32), 38002);
        button.SetImage(IDB_PLAY, QSize(32, 32));
        button.show();
    }
    QImage Face() { return test::Face(button); }
    QImage FrameImage(int i) {
        return button.Strip().Frame(i).toImage().convertToFormat(
            QImage::Format_ARGB32_Premultiplied);
    }

    CSkinButton button;
};

TEST_F(SkinButtonTest, EachStateShowsItsFrameAndLabelColour) {
    struct Case {
        const char* name;
        std::function<void(CSkinButton&)> set;
        int frame;
        QColor text;
    };
    const QColor white(0xFF, 0xFF, 0xFF), grey(0x80, 0x80, 0x80);
    const Case cases[] = {
        {"normal", [](CSkinButton&) {}, kFrameNormal, white},
        {"disabled", [](CSkinButton& b) { b.setEnabled(false); }, kFrameDisabled, grey},
        {"pressed", [](CSkinButton& b) { b.setDown(true); }, kFramePressed, grey},
        {"checked", [](CSkinButton& b) { b.SetCheck(true); }, kFramePressed, white},
        {"active", [](CSkinButton& b) { b.SetActive(true); }, kFramePressed, grey},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CSkinButton b;
        b.Create(QRect(0, 0, 32, 32), 1);
        b.SetImage(IDB_PLAY, QSize(32, 32));
        c.set(b);
        EXPECT_EQ(b.CurrentFrame(), c.frame);
        EXPECT_EQ(b.CurrentTextColor(), c.text);
    }
}

TEST_F(SkinButtonTest, DrawsTheFrameOfItsState) {
    EXPECT_EQ(Face(), FrameImage(kFrameNormal));
    button.setEnabled(false);
    EXPECT_EQ(Face(), FrameImage(kFrameDisabled));
}

TEST_F(SkinButtonTest, HoverShowsFrameOneUntilLeave) {
    Enter(&button, QPoint(5, 5));
    EXPECT_TRUE(button.Hovered());
    EXPECT_EQ(button.CurrentFrame(), kFrameHover);
    EXPECT_EQ(Face(), FrameImage(kFrameHover));
    Leave(&button);
    EXPECT_EQ(button.CurrentFrame(), kFrameNormal);
    EXPECT_EQ(Face(), FrameImage(kFrameNormal));
}

TEST_F(SkinButtonTest, NoHoverFrameWhenDisabledActiveOrHidden) {
    button.setEnabled(false);
    Enter(&button, QPoint(5, 5));
    EXPECT_EQ(button.CurrentFrame(), kFrameDisabled);
    EXPECT_EQ(Face(), FrameImage(kFrameDisabled));

    button.setEnabled(true);
    button.SetActive(true);
    Enter(&button, QPoint(5, 5));
    EXPECT_EQ(button.CurrentFrame(), kFramePressed);

    button.SetActive(false);
    button.SetHiddenFace(true);
    Enter(&button, QPoint(5, 5));
    EXPECT_EQ(test::OpaquePixels(Face()), 0);  // draws nothing at all
}

TEST_F(SkinButtonTest, ClickSendsItsCommandButKeysDoNothing) {
    QSignalSpy commands(&button, &CSkinButton::command);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 38002);
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Select})
        QTest::keyClick(&button, key);
    EXPECT_EQ(commands.count(), 1);
    EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
}

TEST_F(SkinButtonTest, LabelSitsAtTheBottomInWhite) {
    CSkinButton labelled;
    labelled.Create(QRect(0, 0, 150, 40), 17);
    labelled.setText(QStringLiteral("ファイルサムネイル表示"));
    labelled.show();
    const QImage face = test::Face(labelled);
    EXPECT_TRUE(test::HasColorNear(face, QRect(0, 20, 150, 20), Qt::white, 30));
    EXPECT_FALSE(test::HasColorNear(face, QRect(0, 0, 150, 8), Qt::white, 30));
}

TEST_F(SkinButtonTest, ADisabledToggleStillShowsThatItIsOn) {
    CSkinButton toggle;
    toggle.Create(QRect(0, 0, 12, 12), 1);
    toggle.SetImage(IDB_CHECK_MARK, QSize(12, 12));
    toggle.setEnabled(false);
    toggle.show();
    const QImage off = test::Face(toggle);
    toggle.SetCheck(true);
    const QImage on = test::Face(toggle);
    EXPECT_NE(on, off);
    toggle.setEnabled(true);
    EXPECT_NE(test::Face(toggle), on);  // and the enabled face is brighter still
}

TEST_F(SkinButtonTest, MissingPictureLeavesOnlyTheLabel) {
    CSkinButton b;
    b.Create(QRect(0, 0, 32, 32), 1);
    b.SetImage(130, QSize(32, 32));
    EXPECT_TRUE(b.Strip().IsEmpty());
    b.show();
    EXPECT_EQ(test::OpaquePixels(test::Face(b)), 0);
}

class SkinCheckButtonTest : public test::ScaledParamTest {
  protected:
    void SetUp() override {
        ScaledParamTest::SetUp();
        check.Create(QRect(0, 0, Scaled(120, s()), Scaled(26, s())), 39000);
        check.SetImage(IDB_OPTION_MARK);
        check.setText(QStringLiteral("SDカード"));
        check.show();
    }
    double s() const { return GetParam(); }
    CSkinCheckButton check;
};

TEST_P(SkinCheckButtonTest, MarkIsTwelveScaledAtFourDown) {
    const int side = Scaled(12, s());
    EXPECT_EQ(check.Strip().FrameSize(), QSize(side, side));
    EXPECT_EQ(check.MarkRect(), QRect(0, Scaled(4, s()), side, side));
    const QImage face = test::Face(check);
    const QImage mark = face.copy(check.MarkRect());
    EXPECT_EQ(mark, check.Strip()
                        .Frame(kFrameNormal)
                        .toImage()
                        .convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

TEST_P(SkinCheckButtonTest, HoverOnlyOverTheMarkAndNotWhenChecked) {
    const QRect mark = check.MarkRect();
    Move(&check, QPoint(mark.right() + Scaled(40, s()), mark.center().y()));
    EXPECT_FALSE(check.MarkHovered());
    EXPECT_EQ(check.CurrentFrame(), kFrameNormal);
    Move(&check, mark.center());
    EXPECT_TRUE(check.MarkHovered());
    EXPECT_EQ(check.CurrentFrame(), kFrameHover);
    Leave(&check);
    EXPECT_EQ(check.CurrentFrame(), kFrameNormal);

    check.SetCheck(true);
    Move(&check, mark.center());
    EXPECT_EQ(check.CurrentFrame(), kFramePressed);
    check.SetCheck(false);
    check.setEnabled(false);
    Move(&check, mark.center());
    EXPECT_EQ(check.CurrentFrame(), kFrameDisabled);
}

TEST_P(SkinCheckButtonTest, DisabledButtonStillShowsWhetherItIsTicked) {
    for (int bitmap : {IDB_OPTION_MARK, IDB_CHECK_MARK}) {
        check.SetImage(bitmap);
        check.setEnabled(false);
        check.SetCheck(false);
        const QImage off = test::Face(check).copy(check.MarkRect());
        check.SetCheck(true);
        const QImage on = test::Face(check).copy(check.MarkRect());
        EXPECT_NE(on, off) << bitmap;
        // Still unlike the enabled ticked face, so that it reads as disabled.
        check.setEnabled(true);
        EXPECT_NE(test::Face(check).copy(check.MarkRect()), on) << bitmap;
        check.SetCheck(false);
    }
}

TEST_P(SkinCheckButtonTest, ClickDoesNotToggleByItself) {
    QSignalSpy commands(&check, &CSkinButton::command);
    QTest::mouseClick(&check, Qt::LeftButton, {}, check.MarkRect().center());
    EXPECT_EQ(commands.count(), 1);
    EXPECT_FALSE(check.GetCheck());
}

INSTANTIATE_TEST_SUITE_P(Scales, SkinCheckButtonTest, ::testing::Values(1.0, 2.0));

}  // namespace
}  // namespace quorva
