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

struct MovieWriteOptions {
    // Cleared to stop the write between chunks (the write then fails).
    const std::atomic<bool>* running = nullptr;
    // Bytes of media data copied so far and in all, after every chunk.
    std::function<void(uint64_t done, uint64_t total)> copied;
};

// Writes root's children (the root itself has no header). False when a read or write
// failed, a size does not fit the 32-bit box header, or the write was stopped.
bool WriteMovie(const MovieBox& root, OutputFile& out, const MovieWriteOptions& options = {});

}  // namespace quorva
