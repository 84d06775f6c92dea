// Threads and memory: every thread an engine starts is joined when it closes, whatever state
// it is in; closing a slot that never opened and uninitialising during a prefetch are safe.
#include <fstream>
#include <thread>

#include "cardwriter/drive_data_writer.h"
#include "player_fixture.h"

namespace quorva::testing {
namespace {

using namespace std::chrono_literals;

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

TEST(Resources, OpenAndCloseAThousandTimes) {
    TempFolder folder;
    const std::string movie = WriteStampedMovie(folder, "tiny.MOV", 75, {25, 1}, 25, 0, 160, 96);
    TestPlayers players;
    PlayerSlot& s = players.slot(0);
    const int threads = ThreadCount();
    long residentAt100 = 0;
    // Under AddressSanitizer (which finds leaks itself, and makes every open slow) fewer
    // rounds do.
#if defined(__SANITIZE_ADDRESS__)
    const int rounds = 200;
#else
    const int rounds = 1000;
#endif
    for (int i = 0; i < rounds; ++i) {
        ASSERT_EQ(s.ops->Open(s, movie), 1);
        if (i % 3 == 0) {
            ASSERT_TRUE(WaitForPicture(s, 10000));
        }
        if (i % 5 == 0) s.ops->Play(s);
        ASSERT_EQ(s.ops->Close(s), 1);
        EXPECT_EQ(ThreadCountAfterSettling(threads), threads) << "after open/close " << i;
        if (i == 100) residentAt100 = ResidentKiB();
    }
    // Freed memory may stay with the allocator; a leak of even one picture per open would
    // add far more than this. (AddressSanitizer holds freed memory back on purpose, and
    // finds leaks itself.)
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(ResidentKiB() - residentAt100, 16 * 1024);
#else
    (void)residentAt100;
#endif
}

TEST(Resources, CloseDuringPlaybackAndOfSlotsThatNeverOpened) {
    TempFolder folder;
    const std::string movie = WriteStampedMovie(folder, "play.MOV", 300, {30, 1}, 15);
    const int threads = ThreadCount();
    {
        TestPlayers players;
        PlayerSlot& s = players.slot(0);
        EXPECT_EQ(s.ops->Close(s), 1);  // never opened
        EXPECT_EQ(s.state, SLOT_CLOSED);
        ASSERT_EQ(s.ops->Open(s, movie), 1);
        ASSERT_EQ(s.ops->Play(s), 1);
        ASSERT_TRUE(players.outputs[0].WaitForPresents(5, 10000));
        EXPECT_EQ(s.ops->Close(s), 1);
        EXPECT_EQ(s.state, SLOT_CLOSED);
        EXPECT_EQ(s.ops->GetPosition(s), 0);
        EXPECT_EQ(s.ops->Play(s), 0);
        // Playing and seeking, then Uninitialize without Close.
        ASSERT_EQ(s.ops->Open(s, movie), 1);
        ASSERT_EQ(s.ops->Play(s), 1);
        ASSERT_EQ(s.ops->Seek(s, 200), 1);
        EXPECT_EQ(s.ops->Uninitialize(s), 1);
        EXPECT_EQ(s.state, SLOT_CLOSED);
        // A slot that was never initialised.
        PlayerGroup lonely;
        EXPECT_EQ(lonely.slot[1].ops->Close(lonely.slot[1]), 1);
        EXPECT_EQ(lonely.slot[1].ops->Uninitialize(lonely.slot[1]), 1);
    }
    EXPECT_EQ(ThreadCountAfterSettling(threads), threads);
}

TEST(Resources, UninitializeWhileAPrefetchRuns) {
    TempFolder folder;
    const std::string movie =
        WriteStampedMovie(folder, "AG__-240131-083015-000123M.MOV", 90, {30, 1}, 15);
    const std::string next =
        WriteStampedMovie(folder, "AG__-240131-083115-000124M.MOV", 90, {30, 1}, 15);
    // A large drive-data file for the next recording, so that its load takes a while.
    cardwriter::DriveDataFile data;
    data.records.resize(200000);
    std::string error;
    ASSERT_TRUE(
        cardwriter::WriteDriveDataFile(folder.File("AG__-240131-083115-000124D.ADA"), data, &error))
        << error;
    for (int round = 0; round < 3; ++round) {
        TestPlayers players(1);
        PlayerSlot& s = players.slot(0);
        ASSERT_EQ(s.ops->Open(s, movie), 1);
        std::thread prefetch([&] { s.data.Prefetch(next); });
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + 20 * round));
        EXPECT_EQ(s.ops->Uninitialize(s), 1);
        prefetch.join();
        EXPECT_EQ(s.state, SLOT_CLOSED);
        EXPECT_FALSE(s.engine);
    }
}

}  // namespace
}  // namespace quorva::testing
