#include "recordings/source_watcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
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

TEST(SourceWatcherTest, WatchesNothingWithAnEmptyPath) {
    std::atomic<int> checks{0};
    SourceWatcher watcher([] {},
                          [&](const std::string&) {
                              ++checks;
                              return false;
                          },
                          2ms);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(checks.load(), 0);
    watcher.Watch("/somewhere");
    ASSERT_TRUE(Eventually([&] { return checks.load() > 0; }));
}

TEST(SourceWatcherTest, DestructionWakesTheThreadInsteadOfWaitingOutItsInterval) {
    // With an hour between polls, a destructor that waited for the next poll would hang.
    std::atomic<int> checks{0};
    auto watcher = std::make_unique<SourceWatcher>([] {},
                                                   [&](const std::string&) {
                                                       ++checks;
                                                       return true;
                                                   },
                                                   std::chrono::hours(1));
    watcher->Watch("/media/card");
    watcher.reset();
    EXPECT_EQ(checks.load(), 0);
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
    // The root file system stands in for a mounted card.
    const auto isVolumeRoot = [](const std::string& p) { return p == "/"; };
    // A folder taken as a card is not a mount point: it only has to exist.
    const auto folderCard = SourceWatcher::PresenceTestFor(1, dir.str(), isVolumeRoot);
    EXPECT_TRUE(folderCard(dir.str()));
    EXPECT_FALSE(folderCard(dir / "missing"));
    const auto file = SourceWatcher::PresenceTestFor(3, dir.str(), isVolumeRoot);
    EXPECT_TRUE(file(dir.str()));
    // A mounted volume must still be mounted where it was.
    const auto mounted = SourceWatcher::PresenceTestFor(1, "/", isVolumeRoot);
    EXPECT_TRUE(mounted("/"));
    EXPECT_FALSE(mounted(dir.str()));  // a folder that is not a mount point
}

}  // namespace
}  // namespace quorva
