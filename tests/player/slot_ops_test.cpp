// The operation table over the FFmpeg engine: results, states, notifications, placement,
// overlay, snapshot, rates.
#include <QImage>

#include <fstream>
#include <thread>

#include "player/snapshot_naming.h"
#include "player_fixture.h"

namespace quorva::testing {
namespace {

using namespace std::chrono_literals;

bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000) {
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (done()) return true;
        std::this_thread::sleep_for(10ms);
    }
    return done();
}

class SlotOps : public ::testing::Test {
  protected:
    TempFolder folder;
};

TEST_F(SlotOps, TableHasItsEntriesInOrderAndUnusedOnesAreHarmless) {
    const PlayerOps& ops = FfmpegPlayerOps();
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    for (auto unused : {ops.Unused8, ops.Unused14, ops.Unused15, ops.Unused17, ops.Unused19,
                        ops.Unused23, ops.Unused29, ops.Unused33})
        EXPECT_EQ(unused(s), 0);
    EXPECT_EQ(ops.Seek, ops.Seek2);
    EXPECT_EQ(ops.GetDuration, ops.GetDuration2);
    EXPECT_EQ(ops.SetHardwareDecode(s, 1), &s);
    EXPECT_EQ(s.hardwareDecode, 1);
    EXPECT_EQ(s.state, SLOT_CLOSED);
}

TEST_F(SlotOps, ProbeAndOpenResults) {
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    // Not a movie: too short, or no "ftyp" at offset 4.
    const std::string small = folder.File("small.MOV");
    std::ofstream(small) << "1234ftypxxxx";
    const std::string other = folder.File("other.MOV");
    std::ofstream(other) << std::string(300, 'x');
    EXPECT_EQ(s.ops->Probe(s, small), 0);
    EXPECT_EQ(s.ops->Open(s, small), 0);
    EXPECT_EQ(s.ops->Open(s, other), 0);
    EXPECT_EQ(s.ops->Open(s, folder.File("missing.MOV")), 0);
    // 2.0 s is too short unless the movie runs at 15 frames per second; 2.1 s opens.
    const std::string twoSeconds = WriteStampedMovie(folder, "two.MOV", 60, {30, 1}, 15);
    const std::string fifteen = WriteStampedMovie(folder, "fifteen.MOV", 30, {15, 1}, 15);
    const std::string longer = WriteStampedMovie(folder, "longer.MOV", 63, {30, 1}, 15);
    EXPECT_EQ(s.ops->Probe(s, twoSeconds), 1);
    EXPECT_EQ(s.ops->Open(s, twoSeconds), 2);
    EXPECT_EQ(s.state, SLOT_CLOSED);
    EXPECT_EQ(s.ops->Open(s, fifteen), 1);
    EXPECT_EQ(s.state, SLOT_STOPPED);
    EXPECT_NEAR(s.ops->GetFrameMs(s), 1000.0f / 15.0f, 0.01f);
    EXPECT_EQ(s.ops->Open(s, longer), 1);
    EXPECT_EQ(s.ops->GetDuration(s), 63);
    int w = 0, h = 0;
    EXPECT_EQ(s.ops->GetVideoSize(s, &w, &h), 1);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 180);
}

TEST_F(SlotOps, FrameRateFromTheVideoTrackWhenTheMovieHeaderGivesNoLength) {
    // A movie whose "mvhd" gives no length (duration 0): the video track's own time scale and
    // durations give the frame duration; the tracks play.
    const std::string movie = WriteStampedMovie(folder, "nohead.MOV", 75, {25, 1}, 15);
    std::string bytes;
    {
        std::ifstream in(movie, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const size_t at = bytes.find("mvhd");
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(bytes[at + 4], 0);                      // version 0: 32-bit fields
    bytes.replace(at + 20, 4, std::string(4, '\0'));  // duration
    std::ofstream(movie, std::ios::binary | std::ios::trunc) << bytes;
    FrameDurationInfo header;
    ASSERT_TRUE(ReadFrameDuration(movie, header));
    EXPECT_NEAR(header.frameMs, 40.0f, 0.01f);
    EXPECT_NEAR(header.seconds, 3.0f, 0.01f);
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    ASSERT_EQ(s.ops->Open(s, movie), 1);
    EXPECT_NEAR(s.ops->GetFrameMs(s), 40.0f, 0.01f);
    EXPECT_EQ(s.ops->GetDuration(s), 75);
    EXPECT_EQ(s.state, SLOT_STOPPED);
    ASSERT_EQ(s.ops->Seek(s, 33), 1);
    ASSERT_TRUE(WaitForPicture(s, 10000));
    EXPECT_EQ(StampedFrame(*CurrentPicture(s)), 33);
}

TEST_F(SlotOps, ReadyAfterOpenAndEndedAfterTheLastFrame) {
    const std::string movie = WriteStampedMovie(folder, "end.MOV", 75, {30, 1}, 15);
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    ASSERT_EQ(s.ops->Open(s, movie), 1);
    ASSERT_TRUE(WaitFor([&] { return players.messages[0].Count(WM_APP_SESSION_READY) == 1; }));
    EXPECT_EQ(StampedFrame(*CurrentPicture(s)), 0);  // the first picture is up
    ASSERT_EQ(s.ops->SetRate(s, 2), 1);
    EXPECT_EQ(s.rateCode, 2);
    ASSERT_EQ(s.ops->Seek(s, 50), 1);
    ASSERT_EQ(s.ops->Play(s), 1);
    EXPECT_EQ(s.state, SLOT_PLAYING);
    ASSERT_TRUE(WaitFor([&] { return players.messages[0].Count(WM_APP_SESSION_ENDED) == 1; }));
    EXPECT_EQ(s.ops->GetPosition(s), 74);  // it stays on the last frame
    EXPECT_EQ(players.messages[0].Count(WM_APP_SESSION_READY), 1);
    // Both notices name the open they belong to; closing and opening again names another.
    const uintptr_t first = s.openSerial;
    EXPECT_EQ(players.messages[0].Params(WM_APP_SESSION_READY), std::vector<uintptr_t>{first});
    EXPECT_EQ(players.messages[0].Params(WM_APP_SESSION_ENDED), std::vector<uintptr_t>{first});
    EXPECT_EQ(s.ops->Close(s), 1);
    EXPECT_EQ(s.state, SLOT_CLOSED);
    EXPECT_NE(s.openSerial, first);
    ASSERT_EQ(s.ops->Open(s, movie), 1);
    ASSERT_TRUE(WaitFor([&] { return players.messages[0].Count(WM_APP_SESSION_READY) == 2; }));
    const std::vector<uintptr_t> readies = players.messages[0].Params(WM_APP_SESSION_READY);
    EXPECT_EQ(readies.back(), s.openSerial);
    EXPECT_NE(readies.back(), first);
}

TEST_F(SlotOps, ThinnedPlaybackAtRateFourShowsKeyFramesOnly) {
    const std::string movie = WriteStampedMovie(folder, "thin.MOV", 150, {30, 1}, 10);
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    ASSERT_EQ(s.ops->Open(s, movie), 1);
    ASSERT_TRUE(WaitForPicture(s, 10000));
    // Paused, a change to key frames only keeps the exact frame on screen.
    ASSERT_EQ(s.ops->Seek(s, 37), 1);
    ASSERT_TRUE(WaitForPicture(s, 10000));
    ASSERT_EQ(s.ops->SetRate(s, 4), 1);
    ASSERT_TRUE(WaitForPicture(s, 10000));
    EXPECT_EQ(StampedFrame(*CurrentPicture(s)), 37);
    EXPECT_EQ(s.ops->GetPosition(s), 37);
    ASSERT_EQ(s.ops->Seek(s, 0), 1);
    ASSERT_TRUE(WaitForPicture(s, 10000));
    players.outputs[0].KeepPictures(1000);
    ASSERT_EQ(s.ops->Play(s), 1);
    ASSERT_TRUE(WaitFor([&] { return SlotEnded(s); }));
    int shown = 0;
    for (const FramePtr& p : players.outputs[0].Pictures()) {
        if (p->position == 0) continue;
        EXPECT_EQ(StampedFrame(*p) % 10, 0) << StampedFrame(*p);
        EXPECT_TRUE(p->keyFrame);
        ++shown;
    }
    EXPECT_GT(shown, 3);
    // Back at the normal rate every frame is shown again. (The change of reading mode shows
    // its own picture first; the count starts after it.)
    ASSERT_EQ(s.ops->SetRate(s, 1), 1);
    ASSERT_TRUE(WaitForPicture(s, 10000));
    players.outputs[0].ClearRecords();
    ASSERT_EQ(s.ops->Seek(s, 120), 1);
    ASSERT_TRUE(WaitForPicture(s, 10000));
    ASSERT_EQ(s.ops->Pause(s), 1);
    ASSERT_EQ(s.ops->Play(s), 1);
    ASSERT_TRUE(WaitFor([&] { return SlotEnded(s); }));
    const EngineStats stats = SlotStats(s);
    const auto pictures = players.outputs[0].Pictures();
    EXPECT_EQ(static_cast<int64_t>(pictures.size()), 30 - stats.dropped);
}

TEST_F(SlotOps, VolumeAndRateCodes) {
    const std::string movie =
        WriteStampedMovie(folder, "sound.MOV", 90, {30, 1}, 15, 0, 320, 180, true);
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    ASSERT_EQ(s.ops->Open(s, movie), 1);  // with or without an audio device
    EXPECT_EQ(s.ops->SetVolume(s, 70000), 1);
    EXPECT_EQ(s.volume, 65535);
    EXPECT_EQ(s.ops->SetRate(s, -1), 1);  // forward only: half speed
    EXPECT_EQ(s.rateCode, -2);
    EXPECT_DOUBLE_EQ(players.group.clock.Rate(), 0.5);
    EXPECT_EQ(s.ops->SetRate(s, -1), 1);
    EXPECT_EQ(s.rateCode, 1);
    EXPECT_DOUBLE_EQ(players.group.clock.Rate(), 1.0);
    ASSERT_EQ(s.ops->Close(s), 1);
    EXPECT_EQ(s.ops->SetRate(s, 2), 0);  // nothing open: stored only
    EXPECT_EQ(s.rateCode, 2);
}

TEST_F(SlotOps, PlacementZoomAndBands) {
    const std::string movie = WriteStampedMovie(folder, "place.MOV", 90, {30, 1}, 15, 0, 640, 360);
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    players.outputs[0].SetClientSize({800, 600});
    EXPECT_EQ(s.ops->SetZoom(s, 0, 0, 0, 0, 1.0f, 1), 0);  // nothing open
    ASSERT_EQ(s.ops->Open(s, movie), 1);
    ASSERT_EQ(s.ops->SetAspect(s, 1), 1);
    EXPECT_EQ(players.outputs[0].VideoRect(), (PlayerRect{0, 75, 800, 526}));
    ASSERT_EQ(s.ops->SetAspect(s, 0), 1);
    EXPECT_EQ(s.keepAspect, 0);
    EXPECT_EQ(players.outputs[0].VideoRect(), (PlayerRect{0, 0, 800, 600}));
    ASSERT_EQ(s.ops->SetZoom(s, 400, 300, 10, 0, 2.0f, 1), 1);
    EXPECT_EQ(s.videoRect, (PlayerRect{-390, -300, 1210, 900}));
    // A zero factor fails and leaves the picture where it was.
    EXPECT_EQ(s.ops->SetZoom(s, 0, 0, 0, 0, 0.0f, 1), 0);
    EXPECT_EQ(players.outputs[0].VideoRect(), (PlayerRect{-390, -300, 1210, 900}));
    EXPECT_FLOAT_EQ(s.zoom.factor, 2.0f);
}

TEST_F(SlotOps, OverlayNeedsAPicture) {
    const std::string movie = WriteStampedMovie(folder, "overlay.MOV", 90, {30, 1}, 15);
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    EXPECT_EQ(s.ops->ShowOverlayText(s, ""), 0);
    ASSERT_EQ(s.ops->Open(s, movie), 1);
    ASSERT_TRUE(WaitForPicture(s, 10000));
    ASSERT_EQ(s.ops->ShowOverlayText(s, "x2"), 1);
    auto overlay = players.outputs[0].Overlay();
    ASSERT_TRUE(overlay);
    ASSERT_TRUE(overlay->pixels);
    EXPECT_EQ(overlay->pixels->width, 300);
    EXPECT_EQ(overlay->pixels->height, 120);
    int green = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 300; ++x)
            green += overlay->pixels->PixelAt(x, y) == 0xFF00FF00u;
    EXPECT_GT(green, 50);  // the text is drawn in green on black
    EXPECT_LT(overlay->placement.left, 1.0f);
    EXPECT_EQ(s.ops->ClearOverlay(s), 1);
    EXPECT_FALSE(players.outputs[0].Overlay());
}

TEST_F(SlotOps, SnapshotIsTheShownPictureAtNativeSize) {
    const std::string movie = WriteStampedMovie(folder, "snap.MOV", 90, {30, 1}, 15, 0, 640, 360);
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    EXPECT_EQ(s.ops->SaveSnapshot(s, folder.File("none.jpg")), 0);
    ASSERT_EQ(s.ops->Open(s, movie), 1);
    ASSERT_EQ(s.ops->Seek(s, 47), 1);
    ASSERT_TRUE(WaitForPicture(s, 10000));
    const std::string path = SnapshotMainPath(
        folder.path(), SnapshotBaseName("AG__-240131-083015-000123M.MOV"), s.ops->GetPosition(s));
    ASSERT_EQ(s.ops->SaveSnapshot(s, path), 1);
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 640);
    EXPECT_EQ(image.height(), 360);
    image = image.convertToFormat(QImage::Format_RGB32);
    auto stamp = cardwriter::ReadFrameStamp(image.constBits(), image.width(), image.height(),
                                            image.bytesPerLine(), cardwriter::StampPixels::kBgra32);
    ASSERT_TRUE(stamp);
    EXPECT_EQ(stamp->frame, 47);
    // A folder that does not exist: not saved.
    EXPECT_EQ(s.ops->SaveSnapshot(s, folder.File("no/such/folder/x.jpg")), 0);
}

}  // namespace
}  // namespace quorva::testing
