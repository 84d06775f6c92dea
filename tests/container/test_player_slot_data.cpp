// The slot-side stores: load, prefetch hand-over, show, release, locks and the group track.
#include <gtest/gtest.h>

#include <thread>

#include "container/player_slot_data.h"
#include "container_fixtures.h"
#include "recordings/recording_name.h"

namespace quorva {
namespace {

using test::Bytes;

class SlotDataTest : public ::testing::Test {
  protected:
    // A recording in a backup folder: movie and drive data side by side.
    std::string Recording(int number, int records, bool withData = true) {
        char name[64];
        std::snprintf(name, sizeof name, "A___-240131-083015-%06dM.MOV", number);
        const std::string movie = dir_ / name;
        test::WriteFile(movie, Bytes{0, 0, 0, 8, 'f', 't', 'y', 'p'});
        if (withData)
            test::WriteFile(DriveDataPath(movie), test::MakeBlock(test::MakeRecords(records)));
        return movie;
    }
    test::TempDir dir_;
};

TEST_F(SlotDataTest, LoadThenShowMovesTheDataIntoTheShownStore) {
    PlayerSlotData slot;
    const std::string movie = Recording(1, 20);
    slot.SetFrameDuration(33.3667f);
    EXPECT_TRUE(slot.LoadData(movie, 60));
    EXPECT_EQ(slot.CurrentMoviePath(), movie);
    EXPECT_EQ(slot.Current().RecordCount(), 20);
    EXPECT_TRUE(slot.Current().IsIndexed());
    const GSensorSample* g3 = &slot.Current().GSensor()[3];
    EXPECT_TRUE(slot.ShowLoaded());
    EXPECT_TRUE(slot.Current().Gps().empty());
    ASSERT_EQ(slot.Shown().RecordCount(), 20);
    EXPECT_EQ(&slot.Shown().GSensor()[3], g3);
    EXPECT_EQ(slot.Shown().FrameIndex().size(), 60u);
    slot.ReleaseData();
    EXPECT_TRUE(slot.Shown().Gps().empty());
    EXPECT_FALSE(slot.ShowLoaded());  // nothing to show
}

TEST_F(SlotDataTest, ARecordingWithoutDriveDataHasNoSamples) {
    PlayerSlotData slot;
    slot.SetFrameDuration(33.3667f);
    ASSERT_TRUE(slot.LoadData(Recording(1, 10), 30));
    ASSERT_TRUE(slot.ShowLoaded());
    // The next recording has none: the previous samples do not stay.
    EXPECT_FALSE(slot.LoadData(Recording(2, 0, false), 30));
    EXPECT_TRUE(slot.Current().Gps().empty());
    EXPECT_FALSE(slot.ShowLoaded());
    EXPECT_TRUE(slot.Shown().Gps().empty());
}

TEST_F(SlotDataTest, PrefetchedDataIsHandedOverOnlyToItsOwnRecording) {
    PlayerSlotData slot;
    slot.SetFrameDuration(33.3667f);
    const std::string first = Recording(1, 10);
    const std::string second = Recording(2, 25);
    ASSERT_TRUE(slot.Prefetch(second));
    const GpsSample* prefetched = &slot.Prefetched().Gps()[0];
    // Another recording: the prefetch store is cleared and the file loaded.
    ASSERT_TRUE(slot.LoadData(first, 30));
    EXPECT_EQ(slot.Current().RecordCount(), 10);
    EXPECT_TRUE(slot.Prefetched().Gps().empty());

    ASSERT_TRUE(slot.Prefetch(second));
    prefetched = &slot.Prefetched().Gps()[0];
    ASSERT_TRUE(slot.LoadData(second, 90));
    EXPECT_EQ(&slot.Current().Gps()[0], prefetched);  // moved, not read again
    EXPECT_EQ(slot.Current().RecordCount(), 25);
    EXPECT_EQ(slot.Current().FrameIndex().size(), 90u);
    EXPECT_FALSE(slot.Prefetched().IsLoaded());
}

TEST_F(SlotDataTest, PrefetchWaitsForThePlayerAndClearsWithoutAPath) {
    bool ready = false;
    PlayerSlotData slot([&] { return ready; });
    const std::string movie = Recording(1, 5);
    EXPECT_FALSE(slot.Prefetch(movie));
    EXPECT_FALSE(slot.Prefetched().IsLoaded());
    ready = true;
    EXPECT_TRUE(slot.Prefetch(movie));
    EXPECT_TRUE(slot.Prefetched().IsLoaded());
    EXPECT_TRUE(slot.Prefetch(""));
    EXPECT_FALSE(slot.Prefetched().IsLoaded());
    EXPECT_TRUE(slot.Prefetched().Path().empty());
    EXPECT_FALSE(slot.Prefetch(Recording(2, 0, false)));
}

TEST_F(SlotDataTest, FrameDurationReadUsesTheShownStoreAsScratch) {
    PlayerSlotData slot;
    test::MovieRecipe desc;
    const std::string movie = dir_ / "A___-240131-083015-000007M.MOV";
    test::WriteFile(movie, test::MakeMovie(desc));
    test::WriteFile(DriveDataPath(movie), test::MakeBlock(test::MakeRecords(5)));
    slot.SetFrameDuration(33.3667f);
    ASSERT_TRUE(slot.LoadData(movie, 30));
    ASSERT_TRUE(slot.ShowLoaded());
    FrameDurationInfo info;
    ASSERT_TRUE(slot.ReadFrameDuration(movie, info));
    EXPECT_NEAR(info.frameMs, 33.3667, 0.001);
    EXPECT_TRUE(slot.Shown().Gps().empty());  // the previous samples are gone now
}

TEST_F(SlotDataTest, LoadDuringARunningPrefetchOfAnotherRecordingDoesNotDeadlock) {
    PlayerSlotData slot;
    slot.SetFrameDuration(33.3667f);
    std::vector<std::string> movies;
    for (int i = 0; i < 6; ++i)
        movies.push_back(Recording(i + 1, 3000));
    std::atomic<bool> stop{false};
    std::thread prefetcher([&] {
        for (int i = 0; !stop; ++i)
            slot.Prefetch(movies[static_cast<size_t>(i % 5)]);
    });
    for (int i = 0; i < 30; ++i) {
        const std::string& m = movies[static_cast<size_t>(i % 6)];
        EXPECT_TRUE(slot.LoadData(m, 100));
        EXPECT_EQ(slot.Current().RecordCount(), 3000);
        EXPECT_EQ(slot.Current().Path(), DriveDataPath(m));
    }
    stop = true;
    prefetcher.join();
    EXPECT_EQ(SlotWaitCount(), 0);
}

TEST_F(SlotDataTest, LockAllSlotsCountsItsWaits) {
    PlayerSlotData s0, s1;
    EXPECT_EQ(SlotWaitCount(), 0);
    {
        AllSlotsLock lock(s0, s1);
        EXPECT_EQ(SlotWaitCount(), 2);
        // The locks are recursive: the holder may call slot operations.
        EXPECT_FALSE(s0.ShowLoaded());
        std::atomic<bool> got{false};
        std::thread other([&] {
            CountedLock l(s1.SlotLock());
            got = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_FALSE(got.load());
        EXPECT_EQ(SlotWaitCount(), 3);
        UnlockAllSlots(s0, s1);
        other.join();
        EXPECT_TRUE(got.load());
        LockAllSlots(s0, s1);
    }
    EXPECT_EQ(SlotWaitCount(), 0);
}

TEST_F(SlotDataTest, GroupTrackStopsAtTheFirstRecordingWithoutDriveData) {
    std::vector<RecordingEntry> entries(3);
    entries[0].path = Recording(1, 4);
    entries[1].path = Recording(2, 6);
    entries[2].path = Recording(3, 2);
    PlayerSlotData slot;
    ASSERT_TRUE(slot.ReadGpsTrack(entries));
    {
        AllSlotsLock lock(slot, slot);
        ASSERT_EQ(GroupGpsTrack().size(), 12u);
        EXPECT_EQ(GroupGpsTrack()[4].index, 0);  // indices count within each file
        EXPECT_EQ(GroupGpsTrack()[11].index, 1);
    }
    entries.insert(entries.begin() + 1, RecordingEntry{});
    entries[1].path = Recording(9, 0, false);
    EXPECT_FALSE(slot.ReadGpsTrack(entries));
    EXPECT_EQ(GroupGpsTrack().size(), 4u);
}

}  // namespace
}  // namespace quorva
