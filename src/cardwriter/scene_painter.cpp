#include "cardwriter/scene_painter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "cardwriter/frame_stamp.h"
#include "cardwriter/pixel_font.h"

namespace quorva::cardwriter {
namespace {

// Small deterministic generator for the skyline.
uint32_t NextRandom(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

int Lerp(int a, int b, double t) {
    return static_cast<int>(a + (b - a) * t + 0.5);
}

constexpr double kCameraHeight = 3.0;  // metres of road visible per unit of 1 / depth
constexpr double kDashPeriod = 12.0;   // metres from one centre dash to the next
constexpr double kDashLength = 5.0;
constexpr double kPolePeriod = 24.0;

}  // namespace

ScenePainter::ScenePainter(int width, int height, int camera, uint32_t seed)
    : width_(width), height_(height), camera_(camera), seed_(seed) {
    horizon_ = height * 47 / 100;
    hoodTop_ = camera == 0 ? height - height / 9 : height;
    PaintBackground();
}

double ScenePainter::HalfRoadWidth(double depth) const {
    return 2.0 + depth * width_ * 0.62;
}

void ScenePainter::PaintBackground() {
    const int cw = (width_ + 1) / 2, ch = (height_ + 1) / 2;
    planes_[0].assign(static_cast<size_t>(width_) * height_, 0);
    planes_[1].assign(static_cast<size_t>(cw) * ch, 128);
    planes_[2].assign(static_cast<size_t>(cw) * ch, 128);
    YuvCanvas c;
    for (int i = 0; i < 3; ++i)
        c.plane[i] = planes_[i].data();
    c.stride[0] = width_;
    c.stride[1] = c.stride[2] = cw;
    c.width = width_;
    c.height = height_;

    // Sky: deep blue above, pale at the horizon (a warmer evening tone behind the car).
    const int top[3] = {camera_ == 0 ? 38 : 70, camera_ == 0 ? 86 : 72, camera_ == 0 ? 168 : 140};
    const int low[3] = {camera_ == 0 ? 176 : 236, camera_ == 0 ? 206 : 178,
                        camera_ == 0 ? 232 : 150};
    for (int y = 0; y < horizon_; ++y) {
        const double t = static_cast<double>(y) / std::max(1, horizon_);
        c.FillSpan(
            y, 0, width_,
            YuvOf(Lerp(top[0], low[0], t), Lerp(top[1], low[1], t), Lerp(top[2], low[2], t)));
    }
    // Skyline: blocks of two tones with rows of lit windows, and now and then a tapering
    // red and white lattice tower.
    uint32_t state = seed_ ^ 0x9E3779B9u;
    const Yuv window = YuvOf(226, 214, 150);
    for (int x = 0; x < width_;) {
        const int w =
            std::max(2, static_cast<int>(width_ * (0.015 + (NextRandom(state) % 40) / 1000.0)));
        const int h =
            std::max(2, static_cast<int>(height_ * (0.02 + (NextRandom(state) % 110) / 1000.0)));
        const int shade = 70 + static_cast<int>(NextRandom(state) % 40);
        c.FillRect(x, horizon_ - h, x + w, horizon_, YuvOf(shade, shade + 8, shade + 26));
        const int cell = std::max(3, height_ / 60);
        for (int wy = horizon_ - h + cell; wy + cell < horizon_; wy += 2 * cell)
            for (int wx = x + cell / 2 + 1; wx + cell < x + w; wx += 2 * cell)
                if (NextRandom(state) % 3 == 0)
                    c.FillRect(wx, wy, wx + std::max(1, cell / 2), wy + std::max(1, cell / 2),
                               window);
        if (NextRandom(state) % 14 == 0) {
            const int th = h + height_ / 8, base = std::max(3, w * 2 / 3);
            const int mid = x + w / 2;
            for (int ty = 0; ty < th; ++ty) {
                const double up = static_cast<double>(ty) / th;  // 0 at the foot
                const int half = std::max(1, static_cast<int>(base / 2 * (1 - up) * (1 - up)) + 1);
                const bool white = static_cast<int>(up * 7) % 2 == 1;
                c.FillSpan(horizon_ - 1 - ty, mid - half, mid + half,
                           white ? YuvOf(236, 236, 236) : YuvOf(214, 72, 44));
            }
        }
        x += w;
    }
    // Ground and road.
    for (int y = horizon_; y < height_; ++y) {
        const double depth = static_cast<double>(y - horizon_) / std::max(1, height_ - horizon_);
        c.FillSpan(y, 0, width_,
                   YuvOf(Lerp(104, 64, depth), Lerp(124, 92, depth), Lerp(84, 52, depth)));
        const double hw = HalfRoadWidth(depth);
        const int cx = width_ / 2;
        c.FillSpan(y, static_cast<int>(cx - hw), static_cast<int>(cx + hw) + 1,
                   YuvOf(Lerp(96, 62, depth), Lerp(96, 62, depth), Lerp(102, 68, depth)));
        const int edge = std::max(1, static_cast<int>(hw * 0.04));
        const Yuv white = YuvOf(228, 228, 220);
        c.FillSpan(y, static_cast<int>(cx - hw * 0.93) - edge, static_cast<int>(cx - hw * 0.93),
                   white);
        c.FillSpan(y, static_cast<int>(cx + hw * 0.93), static_cast<int>(cx + hw * 0.93) + edge,
                   white);
    }
    // The bonnet of the car in front of the forward camera.
    if (hoodTop_ < height_) c.FillRect(0, hoodTop_, width_, height_, YuvOf(28, 30, 36));
}

void ScenePainter::Paint(YuvCanvas& canvas, int frame, const SceneFrame& scene) const {
    const int cw = (width_ + 1) / 2;
    for (int y = 0; y < height_; ++y)
        std::memcpy(canvas.plane[0] + y * canvas.stride[0], planes_[0].data() + y * width_, width_);
    for (int p = 1; p < 3; ++p)
        for (int y = 0; y < (height_ + 1) / 2; ++y)
            std::memcpy(canvas.plane[p] + y * canvas.stride[p], planes_[p].data() + y * cw, cw);

    // Looking ahead, a point of the road at distance s ahead of the start is seen at
    // range s - distance; looking back, at distance - s.
    const double travelled = scene.distance;
    const int cx = width_ / 2;
    const Yuv dash = YuvOf(236, 236, 226);
    for (int y = horizon_ + 1; y < hoodTop_; ++y) {
        const double depth = static_cast<double>(y - horizon_) / std::max(1, height_ - horizon_);
        const double range = kCameraHeight / depth;
        const double s = camera_ == 0 ? range + travelled : travelled - range;
        const double phase = std::fmod(std::fmod(s, kDashPeriod) + kDashPeriod, kDashPeriod);
        if (phase < kDashLength) {
            const double hw = HalfRoadWidth(depth);
            const int half = std::max(1, static_cast<int>(hw * 0.025));
            canvas.FillSpan(y, cx - half, cx + half, dash);
        }
    }
    // Roadside poles on both sides, every kPolePeriod metres.
    const Yuv pole = YuvOf(150, 150, 156), lamp = YuvOf(250, 236, 170);
    const double first = std::floor((camera_ == 0 ? travelled : -travelled) / kPolePeriod);
    for (int k = 0; k < 12; ++k) {
        const double s = (first + k) * kPolePeriod;
        const double range = camera_ == 0 ? s - travelled : s + travelled;
        if (range < 1.2) continue;
        const double depth = kCameraHeight / range;
        if (depth > 1.6) continue;
        const int base = horizon_ + static_cast<int>(depth * (height_ - horizon_));
        const int h = static_cast<int>(depth * height_ * 0.55);
        const int w = std::max(1, static_cast<int>(depth * width_ * 0.012));
        const double hw = HalfRoadWidth(depth) * 1.12;
        for (int side = -1; side <= 1; side += 2) {
            const int x = cx + static_cast<int>(side * hw);
            canvas.FillRect(x - w / 2, base - h, x - w / 2 + w, base, pole);
            canvas.FillRect(x - w, base - h - w, x + w, base - h + w, lamp);
        }
    }

    DrawFrameStamp(canvas, camera_, frame);
    const int dot = std::max(1, height_ / 120);
    const int band = StampBandHeight(height_);
    const Yuv text = YuvOf(250, 250, 250);
    if (!scene.caption.empty()) DrawText(canvas, dot * 3, band + dot * 3, dot, scene.caption, text);
    if (!scene.overlay.empty())
        DrawText(canvas, dot * 3, height_ - dot * 10, dot, scene.overlay, YuvOf(255, 230, 120));
}

}  // namespace quorva::cardwriter
