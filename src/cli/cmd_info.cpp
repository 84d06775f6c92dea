// quorva-cli info MOVIE: the video track's picture size, frame count and rate, the frame
// duration and length the player works with, and the turn that shows the picture upright.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/json_writer.h"
#include "container/drive_data_store.h"
#include "container/video_track.h"

namespace quorva::cli {
namespace {

int Info(const std::vector<std::string>& args) {
    if (args.size() != 1 || args[0].rfind("--", 0) == 0) {
        std::fprintf(stderr, "info: give one MOVIE\n");
        return 2;
    }
    const std::string& path = args[0];
    // The rule every reader of movies keeps: a movie with a video track that has frames.
    VideoTrack track;
    std::string why;
    if (!ReadMovieVideoTrack(path, track, &why)) {
        std::fprintf(stderr, "info: %s: %s\n", path.c_str(), why.c_str());
        return 1;
    }
    FrameDurationInfo duration;
    const bool timed = ReadFrameDuration(path, duration);

    JsonWriter json;
    json.BeginObject();
    json.Field("width", track.width);
    json.Field("height", track.height);
    json.Field("frames", track.FrameCount());
    json.Field("fps", ShortestOfFloat(static_cast<float>(track.FramesPerSecond())));
    json.Key("frame_ms");
    timed ? json.Double(ShortestOfFloat(duration.frameMs)) : json.Null();
    json.Key("duration_s");
    timed ? json.Double(ShortestOfFloat(duration.seconds)) : json.Null();
    json.Field("rotation", track.rotation);
    json.EndObject();
    std::printf("%s\n", json.str().c_str());
    return 0;
}

const CliCommand kInfo("info",
                       "MOVIE\n      the video track's picture size (as stored), frame count and "
                       "rate, frame duration,\n      length and the clockwise turn that shows it "
                       "upright; answers {\"width\",\"height\",\n      \"frames\",\"fps\","
                       "\"frame_ms\",\"duration_s\",\"rotation\"}",
                       Info);

}  // namespace
}  // namespace quorva::cli
