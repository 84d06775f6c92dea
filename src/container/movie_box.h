// MovieBox: one node of a parsed movie's box tree, stored by value in its parent's child
// array. Leaves other than "mdat" hold a copy of their payload; containers hold children.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorva {

// Process-wide node counters: live nodes, and the live count at the end of the last parse.
int64_t LiveBoxCount();
int64_t LastParseBoxCount();
void SetLastParseBoxCount(int64_t n);
void ResetBoxCounters();

// Counts one live node for as long as it exists; moves hand the count over.
class BoxCountToken {
  public:
    BoxCountToken();
    ~BoxCountToken() { Release(); }
    BoxCountToken(BoxCountToken&& other) noexcept : counted_(other.counted_) {
        other.counted_ = false;
    }
    BoxCountToken& operator=(BoxCountToken&& other) noexcept;
    BoxCountToken(const BoxCountToken&) = delete;
    BoxCountToken& operator=(const BoxCountToken&) = delete;
    // Uncounts the node now (teardown); the live count before the decrement, or -1 when it
    // was already uncounted.
    int64_t Release();

  private:
    bool counted_ = true;
};

struct MovieBox {
    int32_t depth = 0;             // 0 for the root
    std::vector<uint8_t> payload;  // the payload copy (leaves other than "mdat" only)
    std::vector<MovieBox> children;
    int32_t leaf = 0;        // 1 when the payload is raw data
    uint8_t headerSize = 8;  // 16 for a box read in the 64-bit size form
    char type[5] = {};       // empty for the root
    std::shared_ptr<const std::string> sourcePath;
    uint64_t size = 0;              // payload size (box size - 8); the file size for the root
    uint64_t offset = 0;            // file offset of the payload
    uint64_t copiedSize = 0;        // bytes held in the payload copy
    uint64_t outputSize = 0;        // payload size as it will be written
    uint64_t outputOffset = 0;      // source offset to copy from when writing
    uint64_t recordByteLength = 0;  // "udat": bytes of the drive-data records in the block
    uint16_t recordCount = 0;       // "udat": the block's stored record count
    MovieBox* next = nullptr;       // the same box in further files (join)
    MovieBox* tail = nullptr;       // last box of that chain
    BoxCountToken counted;

    std::string_view Type() const { return std::string_view(type); }
    bool Is(std::string_view t) const { return Type() == t; }
    bool HasCopy() const { return copiedSize > 0 && payload.size() == copiedSize; }
};

}  // namespace quorva
