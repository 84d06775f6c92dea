// quorva-cli info MOVIE: the movie's picture size, frame count and rate, and the frame
// duration and length the player works with.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/json_writer.h"
#include "container/drive_data_store.h"
#include "container/mp4_movie.h"

namespace quorva::cli {
namespace {

int Info(const std::vector<std::string>& args) {
    if (args.size() != 1 || args[0].rfind("--", 0) == 0) {
        std::fprintf(stderr, "info: give one MOVIE\n");
        return 2;
    }
    const std::string& path = args[0];
    auto movie = OpenMovie(path, true, false);
    if (!movie) {
        std::fprintf(stderr, "info: %s cannot be read as a movie\n", path.c_str());
        return 1;
    }
    const VideoDimensions size = VideoSize(*movie);
    const int64_t frames = FrameCount(*movie);
    const float fps = FramesPerSecond(*movie);
    CloseMovie(std::move(movie));
    FrameDurationInfo duration;
    const bool timed = ReadFrameDuration(path, duration);

    JsonWriter json;
    json.BeginObject();
    json.Field("width", size.width);
    json.Field("height", size.height);
    json.Field("frames", frames);
    json.Field("fps", ShortestOfFloat(fps));
    json.Key("frame_ms");
    timed ? json.Double(ShortestOfFloat(duration.frameMs)) : json.Null();
    json.Key("duration_s");
    timed ? json.Double(ShortestOfFloat(duration.seconds)) : json.Null();
    json.EndObject();
    std::printf("%s\n", json.str().c_str());
    return 0;
}

const CliCommand kInfo("info", "MOVIE", Info);

}  // namespace
}  // namespace quorva::cli
