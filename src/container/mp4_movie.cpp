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
    explicit ParseContext(sMP4MOVIE& m) : movie(m) {}
    sMP4MOVIE& movie;
    ViewWindow window{movie.file};
    int64_t nodes = 0;
    std::string error;  // why the parse failed

    bool Fail(std::string why) {
        if (error.empty()) error = std::move(why);
        return false;
    }
    bool FailAt(uint64_t offset, const std::string& what) {
        return Fail("box at offset " + std::to_string(offset) + " " + what);
    }
};

// Types that hold nothing but boxes, whatever their first child is.
bool IsContainerType(const char* type) {
    for (const char* t :
         {"moov", "trak", "mdia", "minf", "stbl", "edts", "dinf", "mvex", "moof", "traf", "mfra"})
        if (std::memcmp(type, t, 4) == 0) return true;
    return false;
}

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
    if (++ctx.nodes > kMaxBoxNodes) return ctx.Fail("more boxes than any movie holds");
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
        if (!head) return ctx.FailAt(offset - 8, "cannot be read");
        if (IsKnownBoxType(head + 4)) return true;  // holds boxes
        // A pure container holds boxes even when its first child is of an unknown type,
        // as long as that child is a well-formed box.
        const uint32_t first = ReadBe32(head);
        if (IsContainerType(type) && first >= 8 && first <= size) return true;
    }
    node.leaf = 1;
    if (size > kMaxLeafCopy) return true;  // too large to hold: streamed when written
    const uint8_t* all = ctx.window.At(offset, size);
    if (!all) return ctx.FailAt(offset - 8, "cannot be read");
    node.payload.assign(all, all + size);
    node.copiedSize = size;
    if (node.Is("udat")) NoteDriveDataBlock(node);
    return true;
}

// Copies the payload of a box that is raw data whatever it looks like.
bool MakeRawLeaf(ParseContext& ctx, MovieBox& box) {
    box.leaf = 1;
    if (box.HasCopy() || box.size == 0 || box.size > kMaxLeafCopy) return true;
    const uint8_t* all = ctx.window.At(box.offset, box.size);
    if (!all) return ctx.Fail("a box cannot be read");
    box.payload.assign(all, all + box.size);
    box.copiedSize = box.size;
    return true;
}

bool ParseChildren(ParseContext& ctx, MovieBox& node, int depth) {
    node.depth = depth;
    if (depth > kMaxBoxDepth) return ctx.Fail("boxes are nested deeper than any movie's");
    const bool pureContainer = depth > 0 && IsContainerType(node.type);
    const uint64_t end = node.offset + node.size;  // checked against the file by the caller
    uint64_t pos = node.offset;
    while (end - pos >= 8) {
        uint8_t header[16];
        {
            const uint8_t* at = ctx.window.At(pos, 8);
            if (!at) return ctx.FailAt(pos, "cannot be read");
            std::memcpy(header, at, 8);
        }
        const bool known = IsKnownBoxType(header + 4);
        uint64_t boxSize = ReadBe32(header);
        uint64_t headerSize = 8;
        if (boxSize == 1 && end - pos >= 16) {
            // The 64-bit form: the size follows the type.
            const uint8_t* at = ctx.window.At(pos + 8, 8);
            if (!at) return ctx.FailAt(pos, "cannot be read");
            boxSize = ReadBe64(at);
            headerSize = 16;
        } else if (boxSize == 0 && depth == 0) {
            boxSize = end - pos;  // the last box of the file runs to its end
        }
        const bool wellFormed = boxSize >= headerSize && boxSize <= end - pos;
        if (!known) {
            // Unknown types are never containers. The first box of a payload decides that
            // the payload is raw data (pure containers excepted). A well-formed box of an
            // unknown type after known ones (such as the "wide" box that common tools write
            // after "ftyp", or a maker's own box in "moov") is kept as a leaf and the walk
            // goes on; bytes that are no box end the walk.
            if (node.children.empty() && !pureContainer) {
                if (depth == 0) node.leaf = 1;
                break;
            }
            if (!wellFormed) break;
        }
        if (boxSize < headerSize) {
            return ctx.FailAt(pos, boxSize == 0 ? "has size 0 inside another box"
                                                : "has a size smaller than its header");
        }
        if (boxSize > end - pos) {
            if (depth == 0 && std::memcmp(header + 4, "mdat", 4) == 0) {
                // The media data of a movie cut short: it ends with the file, and the
                // samples whose data is gone are left out by the readers of the tables.
                boxSize = end - pos;
                ctx.movie.cutShort = true;
            } else {
                return ctx.FailAt(pos, depth == 0 ? "runs past the end of the file"
                                                  : "runs past the end of its parent box");
            }
        }
        if (boxSize < headerSize) return ctx.FailAt(pos, "is cut short");
        MovieBox child;
        char type[5] = {static_cast<char>(header[4]), static_cast<char>(header[5]),
                        static_cast<char>(header[6]), static_cast<char>(header[7]), 0};
        if (!CreateNode(ctx, child, type, boxSize - headerSize, pos + headerSize,
                        /*copyLeaves=*/true))
            return false;
        child.depth = depth + 1;
        child.headerSize = static_cast<uint8_t>(headerSize);
        if (!known) {
            // An unknown box is raw data, whatever its payload looks like.
            if (!MakeRawLeaf(ctx, child)) return false;
        } else if (!child.leaf && child.size > 4) {
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
                                     ProgressCallback progress, std::string* error) {
    auto fail = [&](std::string why) -> std::unique_ptr<sMP4MOVIE> {
        if (error) *error = std::move(why);
        return nullptr;
    };
    BuildKnownTypes();
    auto movie = std::make_unique<sMP4MOVIE>();
    movie->path = std::make_shared<const std::string>(path);
    if (!movie->file.Open(path)) return fail("cannot be opened");
    movie->fileSize = movie->file.Size();
    if (movie->fileSize < 8) return fail("too short to hold a box");
    {
        ParseContext ctx{*movie};
        if (!CreateNode(ctx, movie->root, "\0\0\0\0", movie->fileSize, 0, copyLeaves))
            return fail(ctx.error);
        movie->root.type[0] = 0;
        if (!movie->root.leaf || !movie->root.HasCopy()) {
            movie->root.leaf = 0;
            if (!ParseChildren(ctx, movie->root, 0)) return fail(ctx.error);
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

}  // namespace quorva
