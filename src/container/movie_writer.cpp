#include "container/movie_writer.h"

#include <limits>
#include <memory>
#include <vector>

#include "container/big_endian.h"
#include "platform/mapped_file.h"

namespace quorva {

namespace {

struct Copier {
    OutputFile& out;
    const MovieWriteOptions& options;
    uint64_t done = 0;
    uint64_t total = 0;

    bool Stopped() const { return options.running && !options.running->load(); }

    // Copies [offset, offset + size) of the box's source file.
    bool CopyRange(const MovieBox& box, uint64_t offset, uint64_t size) {
        if (size == 0) return true;
        if (!box.sourcePath) return false;
        MappedFile source;
        if (!source.Open(*box.sourcePath)) return false;
        if (offset > source.Size() || size > source.Size() - offset) return false;
        while (size > 0) {
            if (Stopped()) return false;
            const uint64_t n = std::min<uint64_t>(size, kCopyChunk);
            if (!out.CopyFrom(source.Descriptor(), offset, n)) return false;
            offset += n;
            size -= n;
            done += n;
            if (options.copied) options.copied(done, total);
        }
        return true;
    }
};

uint64_t MediaBytes(const MovieBox& box) {
    uint64_t n = 0;
    if (box.Is("mdat")) {
        for (const MovieBox* b = &box; b; b = b->next)
            n += b->size;
    } else if (!box.HasCopy() && box.leaf) {
        n += box.outputSize;
    }
    for (const MovieBox& c : box.children)
        n += MediaBytes(c);
    return n;
}

bool WriteBox(const MovieBox& box, Copier& c) {
    const uint64_t size = OutputBoxSize(box);
    if (size > std::numeric_limits<uint32_t>::max()) return false;
    uint8_t header[8];
    WriteBe32(header, static_cast<uint32_t>(size));
    std::copy(box.type, box.type + 4, header + 4);
    if (!c.out.Write(header, 8)) return false;
    if (box.Is("mdat")) {
        uint64_t written = 0;
        for (const MovieBox* b = &box; b; b = b->next) {
            if (!c.CopyRange(*b, b->offset, b->size)) return false;
            written += b->size;
        }
        return written == box.outputSize;
    }
    if (box.leaf) {
        if (box.HasCopy()) return c.out.Write(box.payload.data(), box.payload.size());
        // Not held in memory (empty, or too large to copy): streamed from its file.
        return c.CopyRange(box, box.outputOffset, box.outputSize);
    }
    for (const MovieBox& child : box.children)
        if (!WriteBox(child, c)) return false;
    return true;
}

}  // namespace

uint64_t OutputBoxSize(const MovieBox& box) {
    if (box.leaf || box.Is("mdat")) return box.outputSize + 8;
    uint64_t n = 8;
    for (const MovieBox& c : box.children)
        n += OutputBoxSize(c);
    return n;
}

bool WriteMovie(const MovieBox& root, OutputFile& out, const MovieWriteOptions& options) {
    Copier c{out, options, 0, MediaBytes(root)};
    if (root.leaf) return false;  // not a movie
    uint64_t bytes = 0;
    for (const MovieBox& child : root.children)
        bytes += OutputBoxSize(child);
    out.Reserve(bytes);
    for (const MovieBox& child : root.children)
        if (!WriteBox(child, c)) return false;
    return true;
}

}  // namespace quorva
