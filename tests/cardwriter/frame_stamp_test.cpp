// The frame stamp survives the ways a test meets a picture: exact planes, RGB(A) copies,
// scaling with noise, a picture inside a larger surface; and damaged stamps are refused.
#include "cardwriter/frame_stamp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace quorva::cardwriter {
namespace {

// A YUV 4:2:0 picture filled with mid grey.
struct Picture {
    int w, h;
    std::vector<uint8_t> y, u, v;
    Picture(int width, int height)
        : w(width),
          h(height),
          y(size_t(width) * height, 120),
          u(size_t((width + 1) / 2) * ((height + 1) / 2), 128),
          v(u) {}
    YuvCanvas Canvas() {
        YuvCanvas c;
        c.plane[0] = y.data();
        c.plane[1] = u.data();
        c.plane[2] = v.data();
        c.stride[0] = w;
        c.stride[1] = c.stride[2] = (w + 1) / 2;
        c.width = w;
        c.height = h;
        return c;
    }
};

// Box-filter scaling of a grey plane to another size, with deterministic noise.
std::vector<uint8_t> Scale(const std::vector<uint8_t>& src, int sw, int sh, int dw, int dh,
                           int noise) {
    std::vector<uint8_t> dst(size_t(dw) * dh);
    unsigned seed = 12345;
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x) {
            const int x0 = x * sw / dw, x1 = std::max(x0 + 1, (x + 1) * sw / dw);
            const int y0 = y * sh / dh, y1 = std::max(y0 + 1, (y + 1) * sh / dh);
            int sum = 0, n = 0;
            for (int yy = y0; yy < y1; ++yy)
                for (int xx = x0; xx < x1; ++xx, ++n)
                    sum += src[size_t(yy) * sw + xx];
            seed = seed * 1103515245u + 12345u;
            const int jitter = noise ? int((seed >> 16) % (2 * noise + 1)) - noise : 0;
            dst[size_t(y) * dw + x] = uint8_t(std::clamp(sum / n + jitter, 0, 255));
        }
    return dst;
}

TEST(FrameStamp, ReadsBackWhatWasDrawnAtManySizes) {
    struct Case {
        int w, h, camera, frame;
    } cases[] = {{640, 360, 0, 0},     {320, 180, 1, 1},     {1920, 1080, 0, kStampMaxFrame},
                 {176, 144, 1, 12345}, {48, 32, 0, 0x2AAAA}, {1280, 720, 1, 1799}};
    for (const Case& c : cases) {
        Picture p(c.w, c.h);
        YuvCanvas canvas = p.Canvas();
        DrawFrameStamp(canvas, c.camera, c.frame);
        const auto s = ReadFrameStamp(p.y.data(), c.w, c.h, c.w);
        ASSERT_TRUE(s) << c.w << "x" << c.h << " frame " << c.frame;
        EXPECT_EQ(s->camera, c.camera);
        EXPECT_EQ(s->frame, c.frame);
    }
}

TEST(FrameStamp, SurvivesScalingNoiseAndColourFormats) {
    Picture p(640, 360);
    YuvCanvas canvas = p.Canvas();
    DrawFrameStamp(canvas, 1, 4242);
    for (auto [dw, dh] : {std::pair{213, 120}, {1001, 563}, {96, 54}}) {
        const auto scaled = Scale(p.y, 640, 360, dw, dh, 25);
        const auto s = ReadFrameStamp(scaled.data(), dw, dh, dw);
        ASSERT_TRUE(s) << dw << "x" << dh;
        EXPECT_EQ(*s, (FrameStamp{1, 4242}));
    }
    // The same picture as RGBA and BGRA with a padded stride.
    const int stride = 640 * 4 + 64;
    std::vector<uint8_t> rgba(size_t(stride) * 360, 0);
    for (int y = 0; y < 360; ++y)
        for (int x = 0; x < 640; ++x) {
            uint8_t* px = &rgba[size_t(y) * stride + x * 4];
            px[0] = px[1] = px[2] = p.y[size_t(y) * 640 + x];
            px[3] = 255;
        }
    for (StampPixels f : {StampPixels::kRgba32, StampPixels::kBgra32}) {
        const auto s = ReadFrameStamp(rgba.data(), 640, 360, stride, f);
        ASSERT_TRUE(s);
        EXPECT_EQ(*s, (FrameStamp{1, 4242}));
    }
}

TEST(FrameStamp, ReadsAPictureInsideALargerSurface) {
    // A 320x180 movie picture letterboxed at (40, 60) in a 400x300 grey surface.
    Picture movie(320, 180);
    YuvCanvas canvas = movie.Canvas();
    DrawFrameStamp(canvas, 0, 77);
    std::vector<uint8_t> surface(400 * 300, 60);
    for (int y = 0; y < 180; ++y)
        std::copy_n(&movie.y[size_t(y) * 320], 320, &surface[size_t(y + 60) * 400 + 40]);
    const auto s = ReadFrameStamp(&surface[60 * 400 + 40], 320, 180, 400);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->frame, 77);
    EXPECT_FALSE(ReadFrameStamp(surface.data(), 400, 300, 400)) << "misplaced band";
}

TEST(FrameStamp, RefusesPicturesWithoutAValidStamp) {
    Picture flat(320, 180);
    EXPECT_FALSE(ReadFrameStamp(flat.y.data(), 320, 180, 320));
    EXPECT_FALSE(ReadFrameStamp(nullptr, 320, 180, 320));
    EXPECT_FALSE(ReadFrameStamp(flat.y.data(), 20, 8, 20)) << "too small to hold the cells";

    // One bit cell inverted: the parity no longer holds.
    Picture p(320, 180);
    YuvCanvas canvas = p.Canvas();
    DrawFrameStamp(canvas, 0, 1000);
    Picture damaged = p;
    const int left = 10 * 320 / kStampCells, right = 11 * 320 / kStampCells;
    for (int y = 0; y < StampBandHeight(180); ++y)
        for (int x = left; x < right; ++x)
            damaged.y[size_t(y) * 320 + x] ^= 0xFF;
    EXPECT_TRUE(ReadFrameStamp(p.y.data(), 320, 180, 320));
    EXPECT_FALSE(ReadFrameStamp(damaged.y.data(), 320, 180, 320));

    // Washed out to almost no contrast.
    Picture faint = p;
    for (uint8_t& v : faint.y)
        v = uint8_t(120 + (v - 120) / 10);
    EXPECT_FALSE(ReadFrameStamp(faint.y.data(), 320, 180, 320));
}

}  // namespace
}  // namespace quorva::cardwriter
