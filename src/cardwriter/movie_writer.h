// Writes one movie as the recorder does: H.264 pictures (stamped with camera and frame
// number), optional AAC sound, muxed into the recorder's box layout, optionally carrying a
// drive-data block in a "udat" box.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cardwriter/mov_muxer.h"
#include "cardwriter/scene_painter.h"

namespace quorva::cardwriter {

// Frames per second as a fraction: {30, 1}, {55, 2} (27.5), {30000, 1001}.
struct FrameRate {
    int num = 30;
    int den = 1;
    double value() const { return static_cast<double>(num) / den; }
    // Media time units per second and per frame used in the movie.
    uint32_t timescale() const;
    uint32_t frameDelta() const;
};
// Parses "30", "27.5" or "30000/1001"; false on anything else.
bool ParseFrameRate(const std::string& text, FrameRate& rate);

struct MovieRecipe {
    int width = 640;
    int height = 360;
    FrameRate rate;
    int frames = 90;
    int gop = 15;       // a key frame every gop frames
    int camera = 0;     // stamped camera: 0 main, 1 sub
    bool audio = true;  // AAC sound track (the main camera has one)
    int audioRate = 48000;
    int audioChannels = 1;
    std::vector<uint8_t> udat;  // drive-data block carried in "udat"; empty: no such box
    uint32_t creationTime = 0;  // seconds since 1904-01-01
    int crf = 23;
    int threads = 0;  // encoder threads; 0 picks 1 for small and 2 for large pictures
    std::string preset = "ultrafast";
    uint32_t seed = 1;  // varies the skyline
    // What frame i shows beside its stamp; by default a slow drive and "MAIN #i"/"SUB #i".
    std::function<SceneFrame(int frame)> scene;
    MovieQuirks quirks;
};

// What was written (the tables as they are in the file).
struct MovieFacts {
    int frames = 0;
    int keyFrames = 0;
    int audioPackets = 0;
    uint32_t timescale = 0;
    uint32_t frameDelta = 0;
    uint64_t bytes = 0;
};

bool WriteMovie(const std::string& path, const MovieRecipe& desc, std::string* error,
                MovieFacts* facts = nullptr);

// Seconds since 1904-01-01 of a calendar time, as movie headers store it.
uint32_t MovieTimeOf(int64_t unixSeconds);

}  // namespace quorva::cardwriter
