// Movies written by ffmpeg at test time, as users bring them from other tools: a table of
// codecs, frame rates, picture sizes and forms (rotation, fragments, 64-bit boxes, damage).
// They are made once per test run into one folder (the ctest fixture "peer_movies" runs
// make_peer_movies); ffprobe and ffmpeg are the oracle the suites compare with.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace quorva::peers {

// What is done to ffmpeg's file afterwards.
enum class Patch {
    kNone,
    kMdat64,     // the media data box gets the 64-bit size form
    kNoFtyp,     // "ftyp" renamed "free": a movie without a file type box
    kRotate90,   // the video track's display matrix turns the picture 90 degrees clockwise
    kCutInHalf,  // the file cut to half its size
};

struct PeerMovie {
    std::string name;  // file name in the folder
    // ffmpeg's arguments (after "ffmpeg -v error -y"); {OUT} is the movie's path, {SRC} the
    // path of the movie it is made from.
    std::string make;
    std::string from;  // the table entry it is made from ("" none)
    Patch patch = Patch::kNone;
    bool oddSize = false;  // a picture size that once overran the frame buffer
};

const std::vector<PeerMovie>& PeerMovieTable();
const PeerMovie* FindPeerMovie(const std::string& name);

// The folder the movies are made in (QUORVA_PEER_MOVIES, else the build's default).
std::string PeerMovieFolder();
std::string PeerMoviePath(const std::string& name);

// Makes every movie of the table in folder (emptied first), then writes its stamp file.
bool MakePeerMovies(const std::string& folder, std::string* error);
// Whether the folder's stamp file says it holds the movies of this table.
bool HoldsPeerMovies(const std::string& folder);
// Makes them in PeerMovieFolder() unless it holds them already (a test run by hand).
bool EnsurePeerMovies(std::string* error);

// Runs a shell command; its standard output in output. True when it exited with 0.
bool RunCommand(const std::string& command, std::string* output = nullptr);
bool HaveTool(const std::string& name);
std::string Quote(const std::string& s);

// ffprobe's key=value lines for the first video stream (with -count_frames).
std::map<std::string, std::string> ProbeVideo(const std::string& movie);
// A rational such as "30000/1001" as a number (0 for 0/0).
double Rate(const std::string& fraction);

// ffmpeg's own pictures (B, G, R, A bytes, turned upright as ffmpeg shows them) of the
// frames listed (frame n = the nth frame ffmpeg decodes), in ascending order of number.
struct PeerFrames {
    int width = 0;
    int height = 0;
    std::map<int64_t, std::vector<uint8_t>> pictures;
};
bool DecodeFrames(const std::string& movie, const std::vector<int64_t>& numbers, PeerFrames& out,
                  std::string* error);

// How long ffmpeg shows the movie: from its first frame's start to its last frame's end.
double ShownSeconds(const std::string& movie);

// The key-frame marks of every frame ffmpeg decodes, in order.
std::vector<bool> KeyFrames(const std::string& movie);

}  // namespace quorva::peers
