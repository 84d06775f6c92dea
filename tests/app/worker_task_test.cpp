// The worker task mechanism with fake tasks: start, progress, cancel, finish, one task at a
// time, and the end message with the task's result; plus the shut-down sequence runner.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "app/once_sequence.h"
#include "app/worker_task.h"

namespace quorva {
namespace {

// Receives the messages posted from the task thread.
class Inbox : public AppMessageTarget {
  public:
    struct Message {
        uint32_t id;
        uintptr_t w;
        intptr_t l;
    };
    void PostAppMessage(uint32_t id, uintptr_t w, intptr_t l) override {
        std::lock_guard lock(mutex_);
        messages_.push_back({id, w, l});
        changed_.notify_all();
    }
    // Waits (without a deadline) until a message with the id arrived.
    Message WaitFor(uint32_t id) {
        std::unique_lock lock(mutex_);
        for (;;) {
            for (const Message& m : messages_)
                if (m.id == id) return m;
            changed_.wait(lock);
        }
    }
    std::vector<Message> All() {
        std::lock_guard lock(mutex_);
        return messages_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Message> messages_;
};

TEST(WorkerTask, RunsToTheEndWithProgressAndSuccess) {
    Inbox inbox;
    WorkerTask task(&inbox);
    ASSERT_TRUE(task.Start([](TaskControl& c) -> intptr_t {
        for (int i = 1; i <= 4; ++i)
            c.Progress(i, 4);
        c.SetSucceeded();
        return 7;
    }));
    const Inbox::Message done = inbox.WaitFor(WM_APP_TASK_DONE);
    EXPECT_EQ(done.l, 7);
    EXPECT_FALSE(task.Busy());  // cleared by the task before it posted its end
    EXPECT_TRUE(task.HasThread());
    EXPECT_TRUE(task.Finish());
    EXPECT_FALSE(task.HasThread());
    EXPECT_FALSE(task.Finish()) << "the completion is reported once";

    std::vector<uintptr_t> done_counts;
    for (const auto& m : inbox.All())
        if (m.id == WM_APP_PROGRESS) {
            done_counts.push_back(m.w);
            EXPECT_EQ(m.l, 4);
        }
    EXPECT_EQ(done_counts, (std::vector<uintptr_t>{1, 2, 3, 4}));
    // The end message comes last.
    EXPECT_EQ(inbox.All().back().id, static_cast<uint32_t>(WM_APP_TASK_DONE));
}

TEST(WorkerTask, FinishCancelsARunningTaskWithoutSuccess) {
    Inbox inbox;
    WorkerTask task(&inbox);
    std::atomic<bool> running{false};
    std::atomic<int> steps{0};
    ASSERT_TRUE(task.Start([&](TaskControl& c) -> intptr_t {
        running = true;
        while (c.Busy()) {  // polls the busy flag, as every task does
            ++steps;
            std::this_thread::yield();
        }
        return 0;  // stopped early: no success
    }));
    while (!running)
        std::this_thread::yield();
    EXPECT_TRUE(task.Busy());
    EXPECT_FALSE(task.Start([](TaskControl&) -> intptr_t { return 0; })) << "one task at a time";
    EXPECT_FALSE(task.Finish());
    EXPECT_FALSE(task.HasThread());
    EXPECT_GT(steps.load(), 0);
    // The end message was still posted, and a new task may start.
    inbox.WaitFor(WM_APP_TASK_DONE);
    EXPECT_TRUE(task.Start([](TaskControl&) -> intptr_t { return 1; }));
    task.Finish();
}

TEST(WorkerTask, ACancelAfterCompletionStillReportsTheSuccess) {
    Inbox inbox;
    WorkerTask task(&inbox);
    ASSERT_TRUE(task.Start([](TaskControl& c) -> intptr_t {
        c.SetSucceeded();
        return 0;
    }));
    inbox.WaitFor(WM_APP_TASK_DONE);
    EXPECT_TRUE(task.Finish());
}

TEST(WorkerTask, TheDeleteTaskEndsWithItsOwnMessageAndTheBusyFlagFeedsRoutines) {
    Inbox inbox;
    WorkerTask task(&inbox);
    const std::atomic<bool>* flag = nullptr;
    ASSERT_TRUE(task.Start(
        [&](TaskControl& c) -> intptr_t {
            flag = &c.BusyFlag();
            return flag->load() ? 3 : -1;
        },
        WM_APP_DELETE_DONE));
    const Inbox::Message done = inbox.WaitFor(WM_APP_DELETE_DONE);
    EXPECT_EQ(done.l, 3);
    task.Finish();
    for (const auto& m : inbox.All())
        EXPECT_NE(m.id, static_cast<uint32_t>(WM_APP_TASK_DONE));
    EXPECT_FALSE(task.Start(TaskFunction()));
}

TEST(WorkerTask, TheDestructorJoinsARunningTask) {
    Inbox inbox;
    std::atomic<bool> left{false};
    {
        WorkerTask task(&inbox);
        task.Start([&](TaskControl& c) -> intptr_t {
            while (c.Busy())
                std::this_thread::yield();
            left = true;
            return 0;
        });
    }
    EXPECT_TRUE(left.load());
}

TEST(WorkerTask, ProgressPercent) {
    EXPECT_EQ(ProgressPercent(5, 0), 100);
    EXPECT_EQ(ProgressPercent(5, -3), 100);
    EXPECT_EQ(ProgressPercent(0, 10), 0);
    EXPECT_EQ(ProgressPercent(50, 200), 25);
    EXPECT_EQ(ProgressPercent(199, 200), 99);
    EXPECT_EQ(ProgressPercent(300, 200), 100);
    // No overflow for counts of bytes of large files.
    EXPECT_EQ(ProgressPercent(INTPTR_MAX / 2, INTPTR_MAX), 49);
}

TEST(WorkerTask, HugeProgressCountsKeepTheirRatio) {
    Inbox inbox;
    TaskControl control(&inbox);
    control.Progress(UINT64_MAX / 2, UINT64_MAX);
    const auto m = inbox.All().front();
    EXPECT_GT(m.l, 0);
    EXPECT_EQ(ProgressPercent(m.w, m.l), 49);
}

TEST(OnceSequence, RunsItsStepsInOrderOnce) {
    OnceSequence sequence;
    std::vector<int> ran;
    sequence.Add("one", [&] { ran.push_back(1); });
    sequence.Add("two", [&] {
        ran.push_back(2);
        EXPECT_FALSE(sequence.Run()) << "a road taken while it runs finds it running";
    });
    sequence.Add("three", [&] { ran.push_back(3); });
    EXPECT_TRUE(sequence.Run());
    EXPECT_FALSE(sequence.Run());
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(sequence.Trace(), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_TRUE(sequence.HasRun());
}

}  // namespace
}  // namespace quorva
