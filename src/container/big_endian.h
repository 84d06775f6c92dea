// Big-endian reads and writes of the binary fields of movie boxes and drive-data blocks.
#pragma once

#include <cstdint>

namespace quorva {

inline uint16_t ReadBe16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}
inline uint32_t ReadBe32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
inline uint64_t ReadBe64(const uint8_t* p) {
    return (uint64_t{ReadBe32(p)} << 32) | ReadBe32(p + 4);
}
inline void WriteBe16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v >> 8);
    p[1] = static_cast<uint8_t>(v);
}
inline void WriteBe32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}
inline void WriteBe64(uint8_t* p, uint64_t v) {
    WriteBe32(p, static_cast<uint32_t>(v >> 32));
    WriteBe32(p + 4, static_cast<uint32_t>(v));
}

}  // namespace quorva
