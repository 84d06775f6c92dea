// The video track of a parsed movie and its own timing: the first track with a visual
// sample description, its time scale, its samples (from the sample tables in "moov" and
// from movie fragments), its edit list and its display matrix.
//
// Frames are the samples the presentation shows, in presentation order: samples whose
// composition time falls inside an edit (all of them without an edit list) and whose data
// lies inside the file. Frame n is position n of the player.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "container/mp4_movie.h"

namespace quorva {

struct VideoTrack {
    uint32_t trackId = 0;
    uint32_t timescale = 0;  // media time scale ("mdhd")
    int width = -1;          // of the first sample description
    int height = -1;
    std::string codec;  // the sample entry's type ("avc1", "hvc1", "jpeg", ...)
    // Clockwise turn that shows the picture upright (0, 90, 180 or 270), from the track's
    // display matrix.
    int rotation = 0;
    bool fragmented = false;  // samples come from movie fragments
    bool cutShort = false;    // samples whose data lies past the end of the file were left out
    uint64_t samples = 0;     // samples in the track, shown or not
    // Presentation time of every frame (track time scale), from the first frame's (0).
    std::vector<int64_t> frameTimes;
    std::vector<uint32_t> frameDurations;  // each frame's own duration
    std::vector<bool> keyFrames;           // whether each frame is a sync sample
    int64_t durationTicks = 0;             // from the first frame's start to the last's end

    int64_t FrameCount() const { return static_cast<int64_t>(frameTimes.size()); }
    // Frames per second over the frames' own durations; 0 when unknown.
    double FramesPerSecond() const;
    double Seconds() const;
    // Each frame's start in milliseconds from the first frame.
    std::vector<double> FrameTimesMs() const;
    // Whether every frame starts where a constant frame rate puts it (within an eighth of a
    // frame).
    bool ConstantRate() const;
};

// The first track whose handler is "vide" (or, without a handler, whose sample description
// is a picture's); with no such track, the first track of no known kind. Null when there is
// none.
const MovieBox* FindVideoTrak(const sMP4MOVIE& movie);

// Reads the video track's facts and frames (the time scale may be 0 in a damaged movie).
// False, with why, when the movie has no video track or its tables give no frames.
bool ReadVideoTrack(const sMP4MOVIE& movie, VideoTrack& track, std::string* why = nullptr);

// Opens the movie at path and reads its video track: the one rule for whether a movie can
// be shown, kept by the viewer's engine and the command line alike. False, with why, when
// the file cannot be read as a movie, has no video track, or its video track has no time
// scale or no frames.
bool ReadMovieVideoTrack(const std::string& path, VideoTrack& track, std::string* why = nullptr);

// Whether the movie is made of fragments ("mvex" in "moov", or "moof" boxes).
bool IsFragmented(const sMP4MOVIE& movie);

// Clockwise degrees (0, 90, 180, 270) of a 3x3 display matrix in file order (a, b, u, c,
// d, v, x, y, w), as players turn the picture.
int DisplayRotation(const int32_t matrix[9]);

}  // namespace quorva
