#include "container/mp4_movie.h"

#include <cstring>

#include "container/drive_data_block.h"
#include "container/known_box_types.h"

namespace quorva {

namespace {

constexpr uint64_t kHeaderView = 65535;

constexpr const char* kKindTypes[kBoxKindCount] = {"mdat", "stsz", "stco", "mdhd", "stss",
                                                   "stts", "mvhd", "tkhd", "elst", "stsd"};

// The one view of the file a parse holds: a window of at least 64 KiB that later reads
// use while they fall inside it.
class ViewWindow {
  public:
    explicit ViewWindow(MappedFile& file) : file_(file) {}
    // len bytes at offset, or null when they cannot be mapped (past the end of the file).
    const uint8_t* At(uint64_t offset, uint64_t len) {
        if (view_ && offset >= start_ && offset - start_ <= view_.size() &&
            len <= view_.size() - (offset - start_))
            return view_.data() + (offset - start_);
        view_.Unmap();
        view_ = file_.MapRange(offset, std::max(len, kHeaderView));
        start_ = offset;
        if (!view_ || view_.size() < len) return nullptr;
        return view_.data();
    }

  private:
    MappedFile& file_;
    MappedView view_;
    uint64_t start_ = 0;
};

struct ParseContext {
    sMP4MOVIE& movie;
    ViewWindow window{movie.file};
    int64_t nodes = 0;
};

// Fills the drive-data facts of a "udat" leaf that holds a block.
void NoteDriveDataBlock(MovieBox& box) {
    const auto& p = box.payload;
    if (p.size() < kDriveDataRecordsOffset || std::memcmp(p.data(), "CSMDAT", 6) != 0) return;
    box.recordCount = ReadBe16(p.data() + 32);
    const size_t room = (p.size() - kDriveDataRecordsOffset) / kDriveDataRecordSize;
    size_t records = 0;
    if (box.recordCount == kUncountedRecords) {
        while (records < room &&
               std::memcmp(p.data() + kDriveDataRecordsOffset + records * kDriveDataRecordSize,
                           "CSMEND", 6) != 0)
            ++records;
    } else {
        records = std::min<size_t>(box.recordCount, room);
    }
    box.recordByteLength = records * kDriveDataRecordSize;
}

// Creates a node for a box (or the root). False when a view cannot be mapped.
bool CreateNode(ParseContext& ctx, MovieBox& node, const char* type, uint64_t size, uint64_t offset,
                bool copyLeaves) {
    if (++ctx.nodes > kMaxBoxNodes) return false;
    std::memcpy(node.type, type, 4);
    node.type[4] = 0;
    node.sourcePath = ctx.movie.path;
    node.size = node.outputSize = size;
    node.offset = node.outputOffset = offset;
    if (node.Is("mdat")) {
        // Media data is never copied nor looked into.
        node.leaf = 1;
        return true;
    }
    if (!copyLeaves || size == 0) {
        if (size == 0) node.leaf = 1;
        return true;
    }
    if (size >= 8) {
        const uint8_t* head = ctx.window.At(offset, 8);
        if (!head) return false;
        if (IsKnownBoxType(head + 4)) return true;  // holds boxes
    }
    node.leaf = 1;
    if (size > kMaxLeafCopy) return true;  // too large to hold: streamed when written
    const uint8_t* all = ctx.window.At(offset, size);
    if (!all) return false;
    node.payload.assign(all, all + size);
    node.copiedSize = size;
    if (node.Is("udat")) NoteDriveDataBlock(node);
    return true;
}

bool ParseChildren(ParseContext& ctx, MovieBox& node, int depth) {
    node.depth = depth;
    if (depth > kMaxBoxDepth) return false;
    const uint64_t end = node.offset + node.size;  // checked against the file by the caller
    uint64_t pos = node.offset;
    while (end - pos >= 8) {
        uint8_t header[8];
        {
            const uint8_t* at = ctx.window.At(pos, 8);
            if (!at) return false;
            std::memcpy(header, at, 8);
        }
        const bool known = IsKnownBoxType(header + 4);
        const uint32_t boxSize = ReadBe32(header);
        if (!known) {
            // Unknown types are never containers. The first box of a payload decides that
            // the payload is raw data. At the top level a well-formed box of an unknown type
            // after known ones (such as the "wide" box that common tools write after "ftyp")
            // is kept as a leaf and the walk goes on; anywhere else the walk ends here.
            if (node.children.empty()) {
                if (depth == 0) node.leaf = 1;
                break;
            }
            if (depth != 0 || boxSize < 8 || boxSize > end - pos) break;
        }
        if (boxSize < 8) return false;          // 0, or the unsupported 64-bit form
        if (boxSize > end - pos) return false;  // runs past its parent or the file
        MovieBox child;
        char type[5] = {static_cast<char>(header[4]), static_cast<char>(header[5]),
                        static_cast<char>(header[6]), static_cast<char>(header[7]), 0};
        if (!CreateNode(ctx, child, type, boxSize - 8, pos + 8, /*copyLeaves=*/true)) return false;
        child.depth = depth + 1;
        if (!known) {
            // An unknown top-level box is raw data, whatever its payload looks like.
            if (!child.leaf) {
                child.leaf = 1;
                if (child.size <= kMaxLeafCopy) {
                    const uint8_t* all = ctx.window.At(child.offset, child.size);
                    if (!all) return false;
                    child.payload.assign(all, all + child.size);
                    child.copiedSize = child.size;
                }
            }
        } else if (!child.leaf && boxSize > 12) {
            if (!ParseChildren(ctx, child, depth + 1)) return false;
        }
        node.children.push_back(std::move(child));
        pos += boxSize;
    }
    if (!node.leaf) {
        node.payload.clear();
        node.payload.shrink_to_fit();
        node.copiedSize = 0;
    }
    return true;
}

void IndexInto(const MovieBox& box, std::array<std::vector<MovieBox*>, kBoxKindCount>& lists) {
    for (int k = 0; k < kBoxKindCount; ++k) {
        if (box.Is(kKindTypes[k])) lists[k].push_back(const_cast<MovieBox*>(&box));
    }
    for (const MovieBox& c : box.children)
        IndexInto(c, lists);
}

void DestroyNode(MovieBox& box, const sMP4MOVIE& movie) {
    const int64_t before = box.counted.Release();
    if (movie.progressOn && movie.progress && before >= 0) {
        const float total = static_cast<float>(LastParseBoxCount()) * 1.1f;
        const float done = total - static_cast<float>(before) + 1.0f;
        // One report per node; the receiver repaints on its own thread, so no pause here.
        Report(movie.progress, done > 0 ? static_cast<uint64_t>(done) : 0,
               total > 0 ? static_cast<int64_t>(total) : 0);
    }
    for (MovieBox& c : box.children)
        DestroyNode(c, movie);
    box.children.clear();
    box.children.shrink_to_fit();
    box.payload.clear();
    box.payload.shrink_to_fit();
}

}  // namespace

const char* MovieBoxKindType(MovieBoxKind kind) {
    return kKindTypes[kind];
}

sMP4MOVIE::~sMP4MOVIE() {
    ClearLists();
    file.Close();
    DestroyTree();
}

void sMP4MOVIE::IndexBoxes() {
    ClearLists();
    IndexInto(root, lists_);
}

void sMP4MOVIE::ClearLists() {
    for (auto& l : lists_)
        l.clear();
}

void sMP4MOVIE::DestroyTree() {
    DestroyNode(root, *this);
}

std::unique_ptr<sMP4MOVIE> OpenMovie(const std::string& path, bool copyLeaves, bool progressOn,
                                     ProgressCallback progress) {
    BuildKnownTypes();
    auto movie = std::make_unique<sMP4MOVIE>();
    movie->path = std::make_shared<const std::string>(path);
    if (!movie->file.Open(path)) return nullptr;
    movie->fileSize = movie->file.Size();
    if (movie->fileSize < 8) return nullptr;  // too short to hold a box
    {
        ParseContext ctx{*movie};
        if (!CreateNode(ctx, movie->root, "\0\0\0\0", movie->fileSize, 0, copyLeaves))
            return nullptr;
        movie->root.type[0] = 0;
        if (!movie->root.leaf || !movie->root.HasCopy()) {
            movie->root.leaf = 0;
            if (!ParseChildren(ctx, movie->root, 0)) return nullptr;
        }
    }
    SetLastParseBoxCount(LiveBoxCount());
    movie->IndexBoxes();
    movie->progressOn = progressOn;
    movie->progress = std::move(progress);
    return movie;
}

void CloseMovie(std::unique_ptr<sMP4MOVIE> movie) {
    movie.reset();
}

VideoDimensions VideoSize(const sMP4MOVIE& movie) {
    const MovieBox* stsd = movie.First(kBoxStsd);
    VideoDimensions d;
    if (!stsd || !stsd->HasCopy() || stsd->payload.size() < 44) return d;
    d.width = ReadBe16(stsd->payload.data() + 40);
    d.height = ReadBe16(stsd->payload.data() + 42);
    return d;
}

int64_t FrameCount(const sMP4MOVIE& movie) {
    const MovieBox* stts = movie.First(kBoxStts);
    if (!stts || !stts->HasCopy() || stts->payload.size() < 8) return -1;
    const uint8_t* p = stts->payload.data();
    const uint64_t entries = ReadBe32(p + 4);
    const uint64_t room = (stts->payload.size() - 8) / 8;
    int64_t sum = 0;
    for (uint64_t i = 0; i < entries && i < room; ++i)
        sum += ReadBe32(p + 8 + 8 * i);
    return sum;
}

MediaTimes ReadMediaTimes(const std::vector<uint8_t>& payload) {
    MediaTimes t;
    if (payload.size() < 20) return t;
    const uint8_t* p = payload.data();
    if (p[0] == 1) {
        if (payload.size() < 32) return t;
        t.timescale = ReadBe32(p + 20);
        t.duration = ReadBe64(p + 24);
    } else {
        t.timescale = ReadBe32(p + 12);
        t.duration = ReadBe32(p + 16);
    }
    t.ok = true;
    return t;
}

float FramesPerSecond(const sMP4MOVIE& movie) {
    const MovieBox* mvhd = movie.First(kBoxMvhd);
    if (!mvhd || !mvhd->HasCopy()) return -1.0f;
    const MediaTimes t = ReadMediaTimes(mvhd->payload);
    const int64_t frames = FrameCount(movie);
    if (!t.ok || t.duration == 0 || frames < 0) return -1.0f;
    return static_cast<float>(static_cast<double>(frames) * t.timescale /
                              static_cast<double>(t.duration));
}

}  // namespace quorva
