// The hover preview's popup: the first picture of the recording asked for, the player
// stopped and closed when the popup hides, requests that come faster than opens (only the
// last one is shown), and a recording that cannot be opened.
#include <QSignalSpy>
#include <QTest>

#include "player/preview_window.h"
#include "player/qt_video_widget.h"
#include "player_fixture.h"

namespace quorva::testing {
namespace {

constexpr int kWaitMs = 15000;

// The camera number and frame stamped in the picture the popup holds.
std::pair<int, int> Stamp(const CPreviewWindow& window) {
    const FramePtr picture = window.Video()->LastPicture();
    if (!picture) return {-1, -1};
    int camera = -1;
    const int frame = StampedFrame(*picture, &camera);
    return {camera, frame};
}

TEST(PreviewWindow, ShowsTheFirstPictureAndClosesWhenHidden) {
    TempFolder folder;
    const std::string movie =
        WriteStampedMovie(folder, "A___-240131-080000-000010M.MOV", 60, {30, 1}, 15, 1);
    CPreviewWindow window;
    EXPECT_EQ(window.objectName(), QStringLiteral("TipWindow"));
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    window.show();
    QSignalSpy shown(&window, &CPreviewWindow::previewShown);
    window.Preview(movie);
    ASSERT_TRUE(shown.wait(kWaitMs));
    EXPECT_EQ(shown.front().front().toString(), QString::fromStdString(movie));
    EXPECT_EQ(window.ShownPath(), QString::fromStdString(movie));
    EXPECT_EQ(Stamp(window), std::make_pair(1, 0));
    EXPECT_TRUE(window.Video()->PicturePainting());
    // Left on its first picture: open and paused.
    EXPECT_EQ(window.PlayerFlags() & (CMFSession::kOpen | CMFSession::kPaused),
              CMFSession::kOpen | CMFSession::kPaused);
    QTest::qWait(300);
    EXPECT_EQ(Stamp(window).second, 0);

    window.hide();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return window.Idle() && window.PlayerFlags() == 0; }, kWaitMs));
    EXPECT_EQ(window.ShownPath(), QString());
    EXPECT_FALSE(window.Video()->PicturePainting());
    EXPECT_EQ(window.OpensBegun(), 1);
}

TEST(PreviewWindow, OnlyTheLastOfManyRequestsIsShown) {
    TempFolder folder;
    const std::string a =
        WriteStampedMovie(folder, "A___-240131-080000-000010M.MOV", 30, {30, 1}, 15, 0);
    const std::string b =
        WriteStampedMovie(folder, "A___-240131-080100-000011M.MOV", 30, {30, 1}, 15, 1);
    CPreviewWindow window;
    window.show();
    QSignalSpy shown(&window, &CPreviewWindow::previewShown);
    constexpr int kRequests = 40;  // the mouse running down a list
    for (int i = 0; i < kRequests; ++i)
        window.Preview(i % 2 == 0 ? a : b);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.Idle() && shown.size() > 0; }, kWaitMs));
    QTest::qWait(100);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front().front().toString(), QString::fromStdString(b));
    EXPECT_EQ(Stamp(window), std::make_pair(1, 0));
    // The requests overtaken before their turn were never opened.
    EXPECT_LT(window.OpensBegun(), kRequests / 4);
}

TEST(PreviewWindow, ARecordingThatCannotBeOpenedHidesThePopup) {
    TempFolder folder;
    CPreviewWindow window;
    window.show();
    QSignalSpy failed(&window, &CPreviewWindow::previewFailed);
    window.Preview(folder.File("missing.MOV"));
    ASSERT_TRUE(failed.wait(kWaitMs));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.ShownPath(), QString());
    EXPECT_EQ(window.PlayerFlags(), 0u);
}

TEST(PreviewWindow, SizeFollowsTheScale) {
    EXPECT_EQ(CPreviewWindow::SizeAt(1.0), QSize(220, 123));
    EXPECT_EQ(CPreviewWindow::SizeAt(2.0), QSize(440, 247));
    CPreviewWindow window;
    window.ApplyScale(1.5);
    EXPECT_EQ(window.size(), QSize(330, 185));
    EXPECT_EQ(window.Video()->geometry(), window.rect().adjusted(1, 1, -1, -1));
}

}  // namespace
}  // namespace quorva::testing
