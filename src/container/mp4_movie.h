// sMP4MOVIE: a movie file parsed into its box tree, with the boxes of interest listed by
// type, and the accessors for the video size, frame count and frame rate.
//
// The file is walked through bounded views; only leaf payloads other than "mdat" are
// copied into memory. Every size is checked against the file before it is used.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "container/movie_box.h"
#include "container/progress.h"
#include "platform/mapped_file.h"

namespace quorva {

// The ten per-type box lists, in this order.
enum MovieBoxKind {
    kBoxMdat,
    kBoxStsz,
    kBoxStco,
    kBoxMdhd,
    kBoxStss,
    kBoxStts,
    kBoxMvhd,
    kBoxTkhd,
    kBoxElst,
    kBoxStsd,
    kBoxKindCount
};
const char* MovieBoxKindType(MovieBoxKind kind);

// Leaves larger than this are not copied (they are streamed from the file when written).
constexpr uint64_t kMaxLeafCopy = 64ull << 20;
// A tree deeper than this, or with more nodes, is taken as damaged.
constexpr int kMaxBoxDepth = 64;
constexpr int64_t kMaxBoxNodes = 200000;

class sMP4MOVIE {
  public:
    sMP4MOVIE() = default;
    // Tears the tree down (reporting progress when it was opened with progress on).
    virtual ~sMP4MOVIE();
    sMP4MOVIE(const sMP4MOVIE&) = delete;
    sMP4MOVIE& operator=(const sMP4MOVIE&) = delete;

    // Boxes of one type in pre-order (a box before its children, children in file order).
    const std::vector<MovieBox*>& Boxes(MovieBoxKind kind) const { return lists_[kind]; }
    MovieBox* First(MovieBoxKind kind) const {
        return lists_[kind].empty() ? nullptr : lists_[kind].front();
    }
    // Rebuilds the ten lists from the tree.
    void IndexBoxes();
    void ClearLists();
    // Destroys the tree node by node, reporting progress as set by OpenMovie.
    void DestroyTree();

    ProgressCallback progress;
    bool progressOn = false;
    MappedFile file;
    MovieBox root;
    uint64_t fileSize = 0;
    std::shared_ptr<const std::string> path;

  private:
    std::array<std::vector<MovieBox*>, kBoxKindCount> lists_;
};

// Parses the movie at path. copyLeaves applies to the root box (the boxes found are
// always copied). Null when the file cannot be opened or mapped, a box has a size below
// 8 (0 included) or runs past its parent or the end of the file, or the tree is damaged.
std::unique_ptr<sMP4MOVIE> OpenMovie(const std::string& path, bool copyLeaves = true,
                                     bool progressOn = false, ProgressCallback progress = {});
// Destroys the tree (reporting progress), closes the file and deletes the movie.
void CloseMovie(std::unique_ptr<sMP4MOVIE> movie);

struct VideoDimensions {
    int width = -1;
    int height = -1;
};
// Width and height of the first visual sample entry of the first "stsd"; -1 when absent.
VideoDimensions VideoSize(const sMP4MOVIE& movie);
// The sum of the sample counts of the first "stts"; -1 when there is none.
int64_t FrameCount(const sMP4MOVIE& movie);
// FrameCount x timescale / duration of the first "mvhd"; -1 when it cannot be computed.
float FramesPerSecond(const sMP4MOVIE& movie);

// Time scale and duration of an "mvhd" or "mdhd" payload (versions 0 and 1).
struct MediaTimes {
    uint32_t timescale = 0;
    uint64_t duration = 0;
    bool ok = false;
};
MediaTimes ReadMediaTimes(const std::vector<uint8_t>& payload);

}  // namespace quorva
