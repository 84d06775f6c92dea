// The widget output paints the last picture scaled into the video rectangle and black bands
// around it; the presenter thread only hands the picture over.
#include <QApplication>
#include <QImage>

#include <cstring>
#include <thread>

#include "player/qt_video_widget.h"
#include "player_fixture.h"

namespace quorva::testing {
namespace {

std::shared_ptr<VideoFrame> SolidPicture(int w, int h, uint32_t argb) {
    auto f = std::make_shared<VideoFrame>();
    f->width = w;
    f->height = h;
    f->stride = w * 4;
    f->pixels.resize(static_cast<size_t>(f->stride) * h);
    for (int i = 0; i < w * h; ++i)
        std::memcpy(&f->pixels[static_cast<size_t>(i) * 4], &argb, 4);
    return f;
}

TEST(VideoWidget, PicturePresentedFromAnotherThreadIsPaintedWithBands) {
    QtVideoWidget widget;
    widget.resize(800, 600);
    widget.show();
    EXPECT_EQ(widget.ClientSize(), (PlayerSize{800, 600}));
    widget.SetVideoRect(PlayerRect{0, 75, 800, 526});
    const FramePtr picture = SolidPicture(64, 36, 0xFF2080C0u);
    std::thread presenter([&] { widget.Present(picture, PresentInfo{}); });
    presenter.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(widget.LastPicture(), picture);
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    widget.render(&image);
    EXPECT_EQ(image.pixel(400, 300) & 0xFFFFFF, 0x2080C0u);
    EXPECT_EQ(image.pixel(400, 10) & 0xFFFFFF, 0u);   // top band
    EXPECT_EQ(image.pixel(400, 590) & 0xFFFFFF, 0u);  // bottom band
    // While a snapshot re-lays the windows out, only black is painted.
    widget.SetPicturePainting(false);
    widget.render(&image);
    EXPECT_EQ(image.pixel(400, 300) & 0xFFFFFF, 0u);
}

TEST(VideoWidget, OverlayBlackIsTransparent) {
    QtVideoWidget widget;
    widget.resize(300, 120);
    widget.Present(SolidPicture(300, 120, 0xFF0000FFu), PresentInfo{});
    auto overlay = std::make_shared<OverlayImage>();
    auto pixels = SolidPicture(300, 120, 0xFF000000u);
    std::memcpy(&pixels->pixels[(60 * 300 + 150) * 4], "\x00\xFF\x00\xFF", 4);  // one green pixel
    overlay->pixels = pixels;
    overlay->placement = NormalizedRect{0.0f, 0.0f, 1.0f, 1.0f};
    widget.SetOverlay(overlay);
    QImage image(300, 120, QImage::Format_RGB32);
    widget.render(&image);
    EXPECT_EQ(image.pixel(10, 10) & 0xFFFFFF, 0x0000FFu);  // the picture shows through
    EXPECT_EQ(image.pixel(150, 60) & 0xFFFFFF, 0x00FF00u);
    widget.ClearOverlay();
    widget.render(&image);
    EXPECT_EQ(image.pixel(150, 60) & 0xFFFFFF, 0x0000FFu);
}

}  // namespace
}  // namespace quorva::testing
