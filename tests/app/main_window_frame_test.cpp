// The main window's own frame: resizing through a border with the outline and the settle
// timer, maximise and restore by the caption button and the caption double-click, and the
// full-screen switch.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/movie_dialog.h"
#include "app/resize_frame.h"
#include "appcore/settings_store.h"
#include "appcore/ui_text.h"
#include "panels/info_dlg.h"
#include "skin/skin_button.h"
#include "window_fixture.h"

namespace quorva::test {
namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
    const QPointF local = w->mapFromGlobal(QPointF(global));
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Runs the event loop until the condition holds (the settle timer fires after half the
// double-click time).
template <typename Condition>
bool Eventually(Condition condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > 5000) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

TEST_F(WindowTest, DraggingTheRightBorderResizesOnceTheDragSettles) {
    auto w = StartWindow();
    const QRect before = w->geometry();
    const QPoint border(before.right() - 1, before.center().y());
    SendMouse(w.get(), QEvent::MouseButtonPress, border, Qt::LeftButton);
    ASSERT_NE(w->ResizeFrame(), nullptr);
    EXPECT_TRUE(w->ResizeFrame()->isVisible());
    EXPECT_EQ(w->ResizeDirectionNow(), 3);
    SendMouse(w.get(), QEvent::MouseMove, border + QPoint(224, 0), Qt::LeftButton);
    EXPECT_EQ(w->geometry(), before) << "the window keeps its size while the outline moves";
    EXPECT_EQ(w->ResizeFrame()->geometry().width(), before.width() + 224);
    SendMouse(w.get(), QEvent::MouseButtonRelease, border + QPoint(224, 0), Qt::NoButton);
    EXPECT_FALSE(w->ResizeFrame()->isVisible());
    ASSERT_TRUE(Eventually([&] { return w->width() == before.width() + 224; }));
    EXPECT_EQ(w->height(), before.height());
    EXPECT_DOUBLE_EQ(w->FactorX(), (1120.0 + 224) / 1120);
    EXPECT_EQ(ReadSetting("DISPLAY", "SCALEX"), "1.200000");
    EXPECT_EQ(ReadSetting("DISPLAY", "SCALEY"), "1.000000");
    // The children follow the new size.
    EXPECT_EQ(w->Movie(0)->geometry(), ComputeMainLayout(w->size(), 1.0).movie);
}

TEST_F(WindowTest, ABorderDraggedInwardsStopsAtTheBaseSize) {
    auto w = StartWindow();
    const QRect before = w->geometry();
    const QPoint border(before.right() - 1, before.center().y());
    SendMouse(w.get(), QEvent::MouseButtonPress, border, Qt::LeftButton);
    SendMouse(w.get(), QEvent::MouseButtonRelease, border - QPoint(600, 0), Qt::NoButton);
    QApplication::processEvents();
    ASSERT_TRUE(Eventually([&] { return w->ResizeDirectionNow() == 0; }));
    EXPECT_EQ(w->size(), QSize(1120, 697));
    EXPECT_DOUBLE_EQ(w->FactorX(), 1.0);
}

TEST_F(WindowTest, MaximiseAndRestore) {
    auto w = StartWindow();
    const QRect before = w->geometry();
    w->OnCommand(ID_WND_MAXIMIZE);
    EXPECT_TRUE(w->Maximised());
    // The work area less the companion window, which stays docked on the right, beside it.
    EXPECT_EQ(w->geometry(), QRect(0, 0, 1920 - 452, 1056));
    EXPECT_EQ(w->Detached()->geometry(), QRect(1920 - 452, 0, 452, 1056));
    EXPECT_TRUE(w->Detached()->isVisible());
    EXPECT_DOUBLE_EQ(w->InfoTextFactor(), 1.3);
    EXPECT_EQ(w->Button(ID_WND_MAXIMIZE)->toolTip(), QString::fromStdString(UiText(170)));
    EXPECT_EQ(w->Movie(0)->geometry(), ComputeMainLayout(QSize(1920 - 452, 1056), 1.0).movie);
    w->OnCommand(ID_WND_MAXIMIZE);
    EXPECT_FALSE(w->Maximised());
    EXPECT_EQ(w->geometry(), before);
    EXPECT_EQ(w->Detached()->geometry(), QRect(before.right() + 1, before.top(), 452, 697));
    EXPECT_DOUBLE_EQ(w->InfoTextFactor(), 1.0);
    EXPECT_EQ(w->Button(ID_WND_MAXIMIZE)->toolTip(), QString::fromStdString(UiText(169)));

    // A double-click on the caption band does the same; on the bottom bar it does nothing.
    auto caption = [&] { return QPoint(w->geometry().center().x(), w->geometry().top() + 12); };
    SendMouse(w.get(), QEvent::MouseButtonDblClick, caption(), Qt::LeftButton);
    EXPECT_TRUE(w->Maximised());
    SendMouse(w.get(), QEvent::MouseButtonDblClick, caption(), Qt::LeftButton);
    EXPECT_FALSE(w->Maximised());
    const QPoint bar(w->geometry().center().x(), w->geometry().bottom() - 10);
    SendMouse(w.get(), QEvent::MouseButtonDblClick, bar, Qt::LeftButton);
    EXPECT_FALSE(w->Maximised());
}

TEST_F(WindowTest, TheCompanionWindowStaysWithTheMainWindowThroughEveryState) {
    auto w = StartWindow();
    auto docked = [&] {
        return w->Detached()->isVisible() &&
               w->Detached()->geometry() ==
                   QRect(w->geometry().right() + 1, w->geometry().top(), 452, w->height());
    };
    ASSERT_TRUE(docked());
    w->move(w->pos() + QPoint(-60, 40));  // a drag of the caption or an edge
    EXPECT_TRUE(docked());
    w->resize(w->size() + QSize(80, 40));
    EXPECT_TRUE(docked());

    // Full-screen from maximised hides it; leaving brings it back beside the window, clear
    // of the file list.
    w->OnCommand(ID_WND_MAXIMIZE);
    FakePlayer::Get().script[0].duration = 300;
    FakePlayer::Get().script[0].position = 100;
    ASSERT_TRUE(GroupOpen(w->Players(), Dir() + "/A__S-240518-091230-000101M.MOV"));
    w->ToggleFullScreen(true);
    ASSERT_TRUE(w->FullScreen());
    EXPECT_FALSE(w->Detached()->isVisible());
    w->ToggleFullScreen(true);
    EXPECT_TRUE(w->Maximised());
    EXPECT_TRUE(docked());
    EXPECT_FALSE(
        w->Detached()->geometry().intersects(w->Browser()->geometry().translated(w->pos())));

    // Minimised together, restored together.
    w->OnCommand(ID_WND_MINIMIZE);
    EXPECT_TRUE(w->Detached()->isMinimized() || !w->Detached()->isVisible());
    w->OnCommand(ID_WND_MAXIMIZE);  // back from the maximised state
    w->showNormal();

    // A screen too narrow for both: over the file browser, on the screen.
    w->SetFixedWorkArea(QRect(0, 0, 1366, 738));
    w->OnCommand(ID_WND_MAXIMIZE);
    if (!w->Maximised()) w->OnCommand(ID_WND_MAXIMIZE);
    const QRect work(0, 0, 1366, 738);
    EXPECT_TRUE(work.contains(w->Detached()->geometry()));
    EXPECT_TRUE(
        w->Browser()->geometry().translated(w->pos()).intersects(w->Detached()->geometry()));
}

TEST_F(WindowTest, FullScreenNeedsARecordingAwayFromItsEnd) {
    auto w = StartWindow();
    const QRect before = w->geometry();
    w->ToggleFullScreen(true);
    EXPECT_FALSE(w->FullScreen()) << "nothing open";

    FakePlayer::Get().script[0].duration = 300;
    FakePlayer::Get().script[0].position = 295;
    ASSERT_TRUE(GroupOpen(w->Players(), Dir() + "/A__S-240518-091230-000101M.MOV"));
    w->ToggleFullScreen(true);
    EXPECT_FALSE(w->FullScreen()) << "within the last 10 frames";

    WriteSetting("DISPLAY", "ASPECT", "off");
    FakePlayer::Get().script[0].position = 100;
    w->ToggleFullScreen(true);
    ASSERT_TRUE(w->FullScreen());
    EXPECT_EQ(w->geometry(), w->ScreenRect());
    EXPECT_EQ(w->Movie(0)->geometry(), QRect(QPoint(0, 0), w->ScreenRect().size()));
    EXPECT_FALSE(w->Browser()->isVisible());
    EXPECT_FALSE(w->Info()->isVisible());
    EXPECT_FALSE(w->Button(ID_WND_CLOSE)->isVisible());
    EXPECT_FALSE(w->Detached()->isVisible());

    // Leaving full-screen always keeps the aspect ratio again.
    w->ToggleFullScreen(true);
    EXPECT_FALSE(w->FullScreen());
    EXPECT_EQ(w->geometry(), before);
    EXPECT_TRUE(w->Browser()->isVisible());
    EXPECT_TRUE(w->Detached()->isVisible());
    EXPECT_EQ(ReadSetting("DISPLAY", "ASPECT"), "on");
    EXPECT_EQ(w->Players().slot[0].keepAspect, 1);
    EXPECT_EQ(w->Players().slot[1].keepAspect, 1);
}

TEST_F(WindowTest, EscapeAndTheMenuItemLeaveFullScreenAndOnlyFullScreen) {
    auto w = StartWindow();
    FakeRoad road;
    road.started = true;
    w->SetRoad(&road);
    FakePlayer::Get().script[0].duration = 300;
    ASSERT_TRUE(GroupOpen(w->Players(), Dir() + "/A__S-240518-091230-000101M.MOV"));
    auto press = [&](int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(w.get(), &event);
        EXPECT_TRUE(event.isAccepted());
    };
    w->ToggleFullScreen(true);
    ASSERT_TRUE(w->FullScreen());
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        press(key);
        EXPECT_TRUE(w->FullScreen()) << key;
    }
    press(Qt::Key_Escape);
    EXPECT_FALSE(w->FullScreen());
    EXPECT_TRUE(w->Browser()->isVisible());
    press(Qt::Key_Escape);  // in the window Escape does nothing
    EXPECT_FALSE(w->FullScreen());
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->ShutDown());

    // The full-screen menu's last item leaves it; in the window the command does nothing.
    w->ToggleFullScreen(true);
    ASSERT_TRUE(w->FullScreen());
    w->OnCommand(ID_LEAVE_FULL_SCREEN);
    EXPECT_FALSE(w->FullScreen());
    w->OnCommand(ID_LEAVE_FULL_SCREEN);
    EXPECT_FALSE(w->FullScreen());
    EXPECT_TRUE(road.commands.empty());  // the window's own command, not the road's
    w->SetRoad(nullptr);
}

TEST_F(WindowTest, ADoubleClickOnTheMainViewTogglesFullScreenOnlyForAStartedRecording) {
    auto w = StartWindow();
    FakeRoad road;
    w->SetRoad(&road);
    FakePlayer::Get().script[0].duration = 300;
    ASSERT_TRUE(GroupOpen(w->Players(), Dir() + "/A__S-240518-091230-000101M.MOV"));
    w->OnMovieDoubleClick(0);
    EXPECT_FALSE(w->FullScreen());
    road.started = true;
    w->OnMovieDoubleClick(0);
    EXPECT_TRUE(w->FullScreen());
    w->OnMovieDoubleClick(0);
    EXPECT_FALSE(w->FullScreen());
    w->SetRoad(nullptr);
}

}  // namespace
}  // namespace quorva::test

namespace quorva::test {
namespace {

TEST_F(WindowTest, TheCaptionBandMovesTheWindow) {
    auto w = StartWindow();
    const QRect before = w->geometry();
    const QPoint caption(before.left() + 300, before.top() + 12);
    SendMouse(w.get(), QEvent::MouseButtonPress, caption, Qt::LeftButton);
    SendMouse(w.get(), QEvent::MouseMove, caption + QPoint(-120, 40), Qt::LeftButton);
    SendMouse(w.get(), QEvent::MouseButtonRelease, caption + QPoint(-120, 40), Qt::NoButton);
    EXPECT_EQ(w->geometry(), before.translated(-120, 40));
    EXPECT_EQ(w->size(), before.size());
    EXPECT_FALSE(w->ResizeFrame()->isVisible());
}

TEST_F(WindowTest, OnAMonitorWithAnotherWorkAreaTheScaleAndLengthsFollow) {
    auto w = StartWindow();
    ASSERT_DOUBLE_EQ(w->Scale(), 1.0);
    // As after a move to a 2560 x 1440 monitor: the work-area notice re-applies the layout.
    w->SetFixedWorkArea(QRect(0, 0, 2560, 1440));
    PostAppMessage(w.get(), WM_APP_APPBAR, 1);
    Deliver(w.get());
    EXPECT_DOUBLE_EQ(w->Scale(), 1440.0 / 1056.0);
    EXPECT_EQ(w->size(), QSize(1527, 950));
    EXPECT_EQ(w->Movie(0)->geometry(), ComputeMainLayout(QSize(1527, 950), w->Scale()).movie);
    EXPECT_EQ(w->Button(ID_PLAY_STOP)->size(), QSize(43, 43));
    EXPECT_EQ(w->Detached()->size(), QSize(DetachedWindowSize(w->Scale()).width(), 950));
    // Other notice codes change nothing.
    w->SetFixedWorkArea(QRect(0, 0, 1920, 1056));
    PostAppMessage(w.get(), WM_APP_APPBAR, 2);
    Deliver(w.get());
    EXPECT_EQ(w->size(), QSize(1527, 950));
}

}  // namespace
}  // namespace quorva::test
