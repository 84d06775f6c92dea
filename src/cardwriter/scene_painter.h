// Paints the pictures of a demo movie: a road under a sky with a city skyline, lane
// markings and roadside poles that move with the distance driven, an overlay with the
// camera, time and speed, and the frame stamp across the top.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cardwriter/yuv_canvas.h"

namespace quorva::cardwriter {

// What one picture shows beside its stamp.
struct SceneFrame {
    double distance = 0.0;  // metres driven since the movie started
    std::string caption;    // the top line, under the stamp ("MAIN #000123")
    std::string overlay;    // the bottom line ("2024/05/18 09:12:03  42KM/H")
};

class ScenePainter {
  public:
    // camera 0 looks ahead (markings come towards the viewer), 1 looks back.
    ScenePainter(int width, int height, int camera, uint32_t seed);

    void Paint(YuvCanvas& canvas, int frame, const SceneFrame& scene) const;

  private:
    void PaintBackground();
    double HalfRoadWidth(double depth) const;  // depth 0 at the horizon, 1 at the bottom

    int width_, height_, camera_;
    uint32_t seed_;
    int horizon_;
    int hoodTop_;
    std::vector<uint8_t> planes_[3];
};

}  // namespace quorva::cardwriter
