#include "recordings/source_watcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "card_fixture.h"

namespace quorva {
namespace {

using namespace std::chrono_literals;
using namespace quorva::testing;

// Waits (bounded) until the condition holds.
template <typename Condition>
bool Eventually(Condition condition) {
    for (int i = 0; i < 500 && !condition(); ++i)
        std::this_thread::sleep_for(10ms);
    return condition();
}

TEST(SourceWatcherTest, ReportsAVanishedSourceOnce) {
    TempFolder dir;
    fs::create_directories(dir / "card");
    std::atomic<int> reports{0};
    SourceWatcher watcher([&] { ++reports; }, {}, 5ms);
    watcher.Watch(dir / "card");
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(reports.load(), 0);
    EXPECT_FALSE(watcher.Vanished());
    fs::remove(dir / "card");
    ASSERT_TRUE(Eventually([&] { return reports.load() == 1; }));
    EXPECT_TRUE(watcher.Vanished());
    EXPECT_EQ(watcher.WatchedPath(), "");  // cleared: reported once only
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(reports.load(), 1);

    watcher.Watch(dir / "again");  // a new source that is not there either
    EXPECT_FALSE(watcher.Vanished());
    ASSERT_TRUE(Eventually([&] { return reports.load() == 2; }));
}

TEST(SourceWatcherTest, WatchesNothingWithAnEmptyPathAndStopsPromptly) {
    std::atomic<int> checks{0};
    const auto started = std::chrono::steady_clock::now();
    {
        SourceWatcher watcher([] {},
                              [&](const std::string&) {
                                  ++checks;
                                  return false;
                              });  // the default 100 ms interval
        std::this_thread::sleep_for(150ms);
    }
    EXPECT_EQ(checks.load(), 0);
    // The destructor wakes the thread instead of waiting out its interval.
    EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
}

TEST(SourceWatcherTest, UsesTheGivenPresenceTest) {
    std::atomic<bool> mounted{true};
    std::atomic<int> reports{0};
    SourceWatcher watcher([&] { ++reports; }, [&](const std::string&) { return mounted.load(); },
                          5ms);
    watcher.Watch("/media/card");
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(reports.load(), 0);
    mounted = false;
    ASSERT_TRUE(Eventually([&] { return reports.load() == 1; }));
}

}  // namespace
}  // namespace quorva

namespace quorva {
namespace {

TEST(SourceWatcherPresenceTest, CardsMustStayMountedOtherSourcesMustExist) {
    TempFolder dir;
    // A folder taken as a card is not a mount point: it only has to exist.
    const auto folderCard = SourceWatcher::PresenceTestFor(1, dir.str());
    EXPECT_TRUE(folderCard(dir.str()));
    EXPECT_FALSE(folderCard(dir / "missing"));
    const auto file = SourceWatcher::PresenceTestFor(3, dir.str());
    EXPECT_TRUE(file(dir.str()));
    // A mounted volume must still be mounted where it was: the root file system is.
    const auto mounted = SourceWatcher::PresenceTestFor(1, "/");
    EXPECT_TRUE(mounted("/"));
    EXPECT_FALSE(mounted(dir.str()));  // a folder that is not a mount point
}

}  // namespace
}  // namespace quorva
