// Writes QuickTime boxes into a memory buffer: a 32-bit big-endian size (header included)
// and a four-character type, then the payload; nested boxes patch their size on End().
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorva::cardwriter {

class BoxWriter {
  public:
    void Begin(std::string_view type);  // opens a box; its size is patched by End()
    void End();

    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v);
    void U24(uint32_t v);
    void U32(uint32_t v);
    void U64(uint64_t v);
    void Zeros(size_t n) { bytes_.insert(bytes_.end(), n, 0); }
    void Bytes(const void* data, size_t n);
    void Bytes(const std::vector<uint8_t>& v) { Bytes(v.data(), v.size()); }
    void FourCC(std::string_view type);
    // Version byte and 24-bit flags of a full box.
    void FullHeader(uint8_t version, uint32_t flags) {
        U8(version);
        U24(flags);
    }
    // The unity transformation matrix of movie and track headers.
    void UnityMatrix();

    size_t size() const { return bytes_.size(); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    std::vector<uint8_t>& bytes() { return bytes_; }
    bool balanced() const { return open_.empty(); }

  private:
    std::vector<uint8_t> bytes_;
    std::vector<size_t> open_;
};

// Big-endian helpers for patching and reading buffers.
void PutU32(uint8_t* p, uint32_t v);
uint32_t GetU32(const uint8_t* p);

}  // namespace quorva::cardwriter
