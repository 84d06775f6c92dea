// The small objects the main window owns, each against fakes: the worker-task runner with a
// recording view, and the custom frame over a plain widget with a recording host.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "app/hit_zone.h"
#include "app/main_layout.h"
#include "app/main_window_frame.h"
#include "app/resize_frame.h"
#include "app/task_runner.h"

namespace quorva {
namespace {

// --- The worker-task runner --------------------------------------------------------------------

class RecordingTaskView : public TaskRunnerView {
  public:
    void ShowTaskProgress() override { log.push_back("show"); }
    void SetTaskProgress(int percent) override { log.push_back(std::to_string(percent) + "%"); }
    void HideTaskProgress() override { log.push_back("hide"); }
    void EnableTaskControls(bool enable) override { log.push_back(enable ? "enable" : "disable"); }
    void ShowTaskCompleted() override { log.push_back("completed"); }
    std::vector<std::string> log;
};

// Hands WM_APP_PROGRESS to the runner and notes the end message, as the window does.
class TaskWindow : public QObject {
  public:
    bool event(QEvent* e) override {
        if (e->type() != AppMessageEvent::EventType()) return QObject::event(e);
        auto* m = static_cast<AppMessageEvent*>(e);
        if (m->id() == WM_APP_PROGRESS && runner) runner->OnProgress(m->wParam(), m->lParam());
        if (m->id() == WM_APP_TASK_DONE || m->id() == WM_APP_DELETE_DONE) {
            endId = m->id();
            result = m->lParam();
        }
        return true;
    }
    TaskRunner* runner = nullptr;
    uint32_t endId = 0;
    intptr_t result = 0;
};

TEST(TaskRunner, RunsATaskWithProgressAndShowsTheCompletionOnce) {
    RecordingTaskView view;
    TaskWindow window;
    TaskRunner runner(view, &window);
    window.runner = &runner;
    ASSERT_TRUE(runner.Start([](TaskControl& c) -> intptr_t {
        c.Progress(1, 4);
        c.Progress(4, 4);
        c.SetSucceeded();
        return 5;
    }));
    EXPECT_EQ(view.log, (std::vector<std::string>{"show", "disable"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.endId != 0; }, 5000));
    EXPECT_EQ(window.endId, static_cast<uint32_t>(WM_APP_TASK_DONE));
    EXPECT_EQ(window.result, 5);
    EXPECT_TRUE(runner.Finish());
    EXPECT_FALSE(runner.Finish());  // the completion shows once
    EXPECT_EQ(view.log,
              (std::vector<std::string>{"show", "disable", "25%", "100%", "completed", "enable"}));
}

TEST(TaskRunner, CancelStopsTheTaskWithoutCompletionAndAllowsTheNext) {
    RecordingTaskView view;
    TaskWindow window;
    TaskRunner runner(view, &window);
    std::atomic<bool> started{false};
    ASSERT_TRUE(runner.Start(
        [&](TaskControl& c) -> intptr_t {
            started = true;
            while (c.Busy())
                std::this_thread::yield();
            return 0;  // stopped early: not succeeded
        },
        WM_APP_DELETE_DONE));
    while (!started)
        std::this_thread::yield();
    // A second task is refused while the first has not been finished.
    EXPECT_FALSE(runner.Start([](TaskControl&) -> intptr_t { return 0; }));
    EXPECT_FALSE(runner.Finish());  // the stop button: waits for the thread
    EXPECT_FALSE(runner.HasThread());
    EXPECT_EQ(view.log, (std::vector<std::string>{"show", "disable", "enable"}));
    EXPECT_TRUE(runner.Start([](TaskControl&) -> intptr_t { return 0; }));
    runner.Finish();
}

TEST(TaskRunner, ACommandWithoutATaskStartsNothing) {
    RecordingTaskView view;
    TaskWindow window;
    TaskRunner runner(view, &window);
    EXPECT_FALSE(runner.HasFactory());
    EXPECT_FALSE(runner.HasTaskFor(7));
    EXPECT_FALSE(runner.TaskFor(7));
    runner.SetFactory(
        [](int id) -> TaskFunction {
            if (id != 7) return {};
            return [](TaskControl&) -> intptr_t { return 0; };
        },
        {7});
    EXPECT_TRUE(runner.HasFactory());
    EXPECT_TRUE(runner.HasTaskFor(7));
    EXPECT_FALSE(runner.HasTaskFor(8)) << "its button stays disabled";
    EXPECT_TRUE(runner.TaskFor(7));
    EXPECT_FALSE(runner.Start(runner.TaskFor(8)));
    EXPECT_TRUE(view.log.empty());
}

// --- The custom frame --------------------------------------------------------------------------

class RecordingFrameHost : public FrameHost {
  public:
    explicit RecordingFrameHost(QWidget& w) : window(w) {}
    double FrameScale() const override { return 1.0; }
    double FrameLargestFactor() const override { return 2.0; }
    QRect FrameWorkArea() const override { return area; }
    QRect FrameMaximisedRect(QPoint) const override { return area; }
    void FrameComputeScale() override { log.push_back("scale"); }
    void FrameRescale(const QRect& rect) override {
        if (rect.isValid()) window.setGeometry(rect);
        log.push_back("rescale");
    }
    void FrameLayout() override { log.push_back("layout"); }
    void FrameApplyFullScreen(bool full) override {
        if (full) window.setGeometry(area);
        log.push_back(full ? "full" : "normal");
    }
    void FrameMaximisedChanged(bool maximised) override {
        log.push_back(maximised ? "maximised" : "restored");
    }
    void FramePlaceCompanions() override { log.push_back("companions"); }
    void FrameMinimisedChanged(bool minimised) override {
        log.push_back(minimised ? "minimised" : "shown");
    }
    void FrameSettled() override { log.push_back("settled"); }
    bool FrameResizeAllowed() const override { return resizeAllowed; }
    bool FrameMoveAllowed() const override { return moveAllowed; }
    void FrameStoreFactors(double x, double y) override {
        fx = x;
        fy = y;
        log.push_back("store");
    }

    QWidget& window;
    QRect area{0, 0, 2560, 1400};
    bool resizeAllowed = true;
    bool moveAllowed = true;
    double fx = 0, fy = 0;
    std::vector<std::string> log;
};

class FrameTest : public ::testing::Test {
  protected:
    FrameTest() : host(window), frame(window, host) {
        window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        window.setGeometry(normal);
        frame.SetPlacement(normal);
        frame.CreateOutline(2);
    }
    // Sends a mouse event at a screen point (the frame reads global positions).
    void Mouse(QEvent::Type type, QPoint global, Qt::MouseButtons buttons = Qt::LeftButton) {
        QMouseEvent e(type, QPointF(global - window.geometry().topLeft()), QPointF(global),
                      Qt::LeftButton, buttons, Qt::NoModifier);
        if (type == QEvent::MouseButtonPress) frame.Press(&e);
        if (type == QEvent::MouseMove) frame.Move(&e);
        if (type == QEvent::MouseButtonRelease) frame.Release(&e);
        if (type == QEvent::MouseButtonDblClick) frame.DoubleClick(&e);
    }
    // The caption band at s = 1.
    QPoint Caption() const { return normal.topLeft() + QPoint(200, 10); }

    QWidget window;
    const QRect normal{100, 100, MainWindowSize(1.0, 1.0, 1.0).width(),
                       MainWindowSize(1.0, 1.0, 1.0).height()};
    RecordingFrameHost host;
    MainWindowFrame frame;
};

TEST_F(FrameTest, DragByTheCaptionMovesAndRemembersThePlace) {
    Mouse(QEvent::MouseButtonPress, Caption());
    Mouse(QEvent::MouseMove, Caption() + QPoint(40, 30));
    Mouse(QEvent::MouseButtonRelease, Caption() + QPoint(40, 30), Qt::NoButton);
    EXPECT_EQ(window.pos(), normal.topLeft() + QPoint(40, 30));
    EXPECT_EQ(frame.WindowRect().topLeft(), normal.topLeft() + QPoint(40, 30));
    EXPECT_TRUE(frame.Settling());
}

TEST_F(FrameTest, NoMoveWhileARecordingOpens) {
    host.moveAllowed = false;
    Mouse(QEvent::MouseButtonPress, Caption());
    Mouse(QEvent::MouseMove, Caption() + QPoint(40, 30));
    EXPECT_EQ(window.pos(), normal.topLeft());
    EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
}

TEST_F(FrameTest, ResizeByTheRightEdgeSettlesIntoNewFactors) {
    const QPoint edge(normal.right(), normal.center().y());
    Mouse(QEvent::MouseButtonPress, edge);
    EXPECT_NE(frame.ResizeDirection(), kResizeNone);
    ASSERT_TRUE(frame.Outline());
    const QPoint to = edge + QPoint(200, 0);
    Mouse(QEvent::MouseMove, to);
    Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    EXPECT_EQ(window.width(), normal.width());  // the real window waits for the settle
    frame.Settle();
    EXPECT_GT(frame.FactorX(), 1.0);
    EXPECT_DOUBLE_EQ(host.fx, frame.FactorX());
    EXPECT_GT(window.width(), normal.width());
    EXPECT_EQ(frame.ResizeDirection(), kResizeNone);
    EXPECT_EQ(frame.WindowRect(), window.geometry());
}

TEST_F(FrameTest, NoResizeWhileTheControlsAreDisabled) {
    host.resizeAllowed = false;
    const QPoint edge(normal.right(), normal.center().y());
    Mouse(QEvent::MouseButtonPress, edge);
    Mouse(QEvent::MouseButtonRelease, edge + QPoint(200, 0), Qt::NoButton);
    EXPECT_FALSE(frame.Settling());
    EXPECT_EQ(window.geometry(), normal);
}

TEST_F(FrameTest, MaximiseFillsTheWorkAreaAndRestoreComesBack) {
    Mouse(QEvent::MouseButtonDblClick, Caption());
    EXPECT_TRUE(frame.Maximised());
    EXPECT_EQ(window.geometry(), host.area);
    EXPECT_EQ(frame.RestoreRect(), normal);
    // A second maximise changes nothing; a press in the border zones never resizes.
    frame.Maximise();
    Mouse(QEvent::MouseButtonPress, host.area.topLeft() + QPoint(1, 200));
    EXPECT_EQ(frame.ResizeDirection(), kResizeNone);
    Mouse(QEvent::MouseButtonRelease, host.area.topLeft() + QPoint(1, 200), Qt::NoButton);
    frame.Restore();
    EXPECT_FALSE(frame.Maximised());
    EXPECT_EQ(window.geometry().topLeft(), normal.topLeft());
    EXPECT_EQ(host.log, (std::vector<std::string>{"maximised", "rescale", "companions", "restored",
                                                  "rescale", "companions"}));
}

TEST_F(FrameTest, FullScreenReturnsToTheStateItLeft) {
    frame.SetFullScreen(true);
    EXPECT_TRUE(frame.FullScreen());
    frame.Maximise();  // refused in full-screen
    EXPECT_FALSE(frame.Maximised());
    frame.SetFullScreen(false);
    EXPECT_EQ(window.geometry(), normal);

    frame.Maximise();
    frame.SetFullScreen(true);
    frame.SetFullScreen(false);
    EXPECT_TRUE(frame.Maximised());
    EXPECT_EQ(window.geometry(), host.area);
}

TEST_F(FrameTest, ANewWorkAreaRescalesOnceAndAMaximisedWindowFollowsIt) {
    frame.SetLastWorkArea(host.area);
    frame.CheckMonitorChange();
    EXPECT_TRUE(host.log.empty());
    host.area = QRect(2560, 0, 1920, 1040);
    frame.CheckMonitorChange();
    EXPECT_EQ(host.log, (std::vector<std::string>{"scale", "rescale"}));
    frame.Maximise();
    host.area = QRect(0, 0, 1280, 1000);
    frame.CheckMonitorChange();
    EXPECT_EQ(window.geometry(), host.area);
}

}  // namespace
}  // namespace quorva
