// Writes a (merged) box tree back out as a movie file: sizes recomputed from the payloads
// and children, leaf copies written from memory, media data streamed from the source
// files in chunks of at most 32 MiB.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "container/movie_box.h"
#include "platform/output_file.h"

namespace quorva {

constexpr size_t kCopyChunk = 32u << 20;

// The size a box will have in the output (header included).
uint64_t OutputBoxSize(const MovieBox& box);
// The header a box with this payload size is written with: 8 bytes, or 16 (the 64-bit size
// form) when its size does not fit 32 bits.
uint64_t BoxHeaderSize(uint64_t payloadSize);
// Writes the header of a box of this type and payload size, in the form above.
bool WriteBoxHeader(OutputFile& out, const char* type, uint64_t payloadSize);

struct MovieWriteOptions {
    // Cleared to stop the write between chunks (the write then fails).
    const std::atomic<bool>* running = nullptr;
    // Bytes of media data copied so far and in all, after every chunk.
    std::function<void(uint64_t done, uint64_t total)> copied;
};

// Writes root's children (the root itself has no header). Boxes of 4 GiB or more get the
// 64-bit size form. False when a read or write failed or the write was stopped.
bool WriteMovie(const MovieBox& root, OutputFile& out, const MovieWriteOptions& options = {});

}  // namespace quorva
