// Picture buffers hold what the converter writes: for every picture size (any parity, the
// smallest ones included) and the pixel formats decoders give, conversion stays inside the
// frame the pool hands out, and turning a picture keeps every pixel.
#include <gtest/gtest.h>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <memory>
#include <vector>

#include "player/picture_converter.h"
#include "player/video_frame.h"

namespace quorva::testing {
namespace {

struct FrameDeleter {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
using FrameHandle = std::unique_ptr<AVFrame, FrameDeleter>;

// A decoded-looking picture: planes from FFmpeg's own allocator, filled with a pattern.
FrameHandle MakePicture(int w, int h, AVPixelFormat format) {
    FrameHandle f(av_frame_alloc());
    f->width = w;
    f->height = h;
    f->format = format;
    if (av_frame_get_buffer(f.get(), 0) < 0) return nullptr;
    for (int p = 0; p < 4 && f->buf[p]; ++p)
        for (size_t i = 0; i < f->buf[p]->size; ++i)
            f->buf[p]->data[i] = static_cast<uint8_t>(i * 7 + p * 31);
    return f;
}

constexpr uint8_t kGuard = 0xA5;
constexpr size_t kGuardBytes = 4096;

// Converts (at its own size, or resized to width x height) into a copy of the frame's buffer
// followed by guard bytes; true when the guard is untouched.
bool ConvertStaysInside(PictureConverter& converter, FramePool& pool, const AVFrame& picture,
                        int width = 0, int height = 0) {
    if (width <= 0) width = picture.width;
    if (height <= 0) height = picture.height;
    auto frame = pool.Acquire(width, height);
    std::vector<uint8_t> guarded(frame->pixels.size() + kGuardBytes, kGuard);
    if (!converter.ConvertInto(picture, guarded.data(), frame->stride, width, height))
        return false;
    return std::all_of(guarded.begin() + static_cast<long>(frame->pixels.size()), guarded.end(),
                       [](uint8_t b) { return b == kGuard; });
}

TEST(PictureBuffers, EverySizeAndFormatStaysInsideItsFrame) {
    const AVPixelFormat formats[] = {
        AV_PIX_FMT_YUV420P, AV_PIX_FMT_YUVJ420P,    AV_PIX_FMT_YUV422P,     AV_PIX_FMT_YUV444P,
        AV_PIX_FMT_NV12,    AV_PIX_FMT_YUV420P10LE, AV_PIX_FMT_YUV422P10LE, AV_PIX_FMT_P010LE,
        AV_PIX_FMT_GRAY8,   AV_PIX_FMT_YUVJ422P,    AV_PIX_FMT_RGB24,       AV_PIX_FMT_YUYV422};
    std::vector<std::pair<int, int>> sizes;
    for (int w = 1; w <= 70; ++w)
        for (int h : {1, 2, 3, 16, 17})
            sizes.emplace_back(w, h);
    for (auto wh : {std::pair{126, 5}, {127, 7}, {426, 240}, {427, 241}, {1922, 1082}})
        sizes.push_back(wh);
    auto pool = FramePool::Create();
    for (AVPixelFormat format : formats) {
        PictureConverter converter;
        for (auto [w, h] : sizes) {
            FrameHandle picture = MakePicture(w, h, format);
            ASSERT_TRUE(picture);
            EXPECT_TRUE(ConvertStaysInside(converter, *pool, *picture))
                << av_get_pix_fmt_name(format) << " " << w << "x" << h;
            // Resized as the presenter converts for a smaller window (odd sizes included).
            const int w2 = std::max(1, w * 2 / 3), h2 = std::max(1, (h + 1) / 2);
            EXPECT_TRUE(ConvertStaysInside(converter, *pool, *picture, w2, h2))
                << av_get_pix_fmt_name(format) << " " << w << "x" << h << " to " << w2 << "x"
                << h2;
            // The pool's own frames, as the engine converts (a write past them shows under
            // valgrind and AddressSanitizer).
            auto frame = converter.Convert(*picture, *pool);
            ASSERT_TRUE(frame);
            EXPECT_EQ(frame->stride % kRowAlignment, 0);
            EXPECT_GE(frame->pixels.size(), static_cast<size_t>(frame->stride) * h);
        }
    }
}

TEST(PictureBuffers, LargestPicturesConvert) {
    auto pool = FramePool::Create();
    PictureConverter converter;
    for (auto [w, h] : {std::pair{4097, 2161}, {8192, 4320}}) {
        FrameHandle picture = MakePicture(w, h, AV_PIX_FMT_YUV420P);
        ASSERT_TRUE(picture);
        EXPECT_TRUE(ConvertStaysInside(converter, *pool, *picture)) << w << "x" << h;
    }
    FrameHandle tooLarge = MakePicture(kMaxPictureSide + 2, 2, AV_PIX_FMT_YUV420P);
    ASSERT_TRUE(tooLarge);
    EXPECT_FALSE(converter.Convert(*tooLarge, *pool));
}

TEST(PictureBuffers, TurningKeepsEveryPixel) {
    auto pool = FramePool::Create();
    auto picture = pool->Acquire(3, 2);
    // Pixel (x, y) holds x + 10 y in its blue byte.
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            std::fill_n(picture->pixels.data() + y * picture->stride + x * 4, 4,
                        static_cast<uint8_t>(x + 10 * y));
    auto at = [](const VideoFrame& f, int x, int y) { return f.Row(y)[x * 4]; };
    auto quarter = TurnPicture(*picture, 90, *pool);
    ASSERT_TRUE(quarter);
    ASSERT_EQ(quarter->width, 2);
    ASSERT_EQ(quarter->height, 3);
    // Clockwise: the bottom-left corner comes to the top left.
    EXPECT_EQ(at(*quarter, 0, 0), 10);
    EXPECT_EQ(at(*quarter, 1, 0), 0);
    EXPECT_EQ(at(*quarter, 0, 2), 12);
    auto half = TurnPicture(*picture, 180, *pool);
    ASSERT_TRUE(half);
    EXPECT_EQ(at(*half, 0, 0), 12);
    EXPECT_EQ(at(*half, 2, 1), 0);
    auto three = TurnPicture(*picture, 270, *pool);
    ASSERT_TRUE(three);
    EXPECT_EQ(at(*three, 0, 0), 2);
    EXPECT_EQ(at(*three, 1, 2), 10);
    EXPECT_FALSE(TurnPicture(*picture, 45, *pool));
}

}  // namespace
}  // namespace quorva::testing
