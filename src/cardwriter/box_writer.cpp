#include "cardwriter/box_writer.h"

#include <cstring>
#include <stdexcept>

namespace quorva::cardwriter {

void PutU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

uint32_t GetU32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

void BoxWriter::Begin(std::string_view type) {
    open_.push_back(bytes_.size());
    U32(0);
    FourCC(type);
}

void BoxWriter::End() {
    if (open_.empty()) throw std::logic_error("BoxWriter::End without Begin");
    const size_t start = open_.back();
    open_.pop_back();
    PutU32(bytes_.data() + start, static_cast<uint32_t>(bytes_.size() - start));
}

void BoxWriter::U16(uint16_t v) {
    U8(static_cast<uint8_t>(v >> 8));
    U8(static_cast<uint8_t>(v));
}

void BoxWriter::U24(uint32_t v) {
    U8(static_cast<uint8_t>(v >> 16));
    U8(static_cast<uint8_t>(v >> 8));
    U8(static_cast<uint8_t>(v));
}

void BoxWriter::U32(uint32_t v) {
    uint8_t b[4];
    PutU32(b, v);
    Bytes(b, 4);
}

void BoxWriter::U64(uint64_t v) {
    U32(static_cast<uint32_t>(v >> 32));
    U32(static_cast<uint32_t>(v));
}

void BoxWriter::Bytes(const void* data, size_t n) {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + n);
}

void BoxWriter::FourCC(std::string_view type) {
    for (size_t i = 0; i < 4; ++i)
        U8(i < type.size() ? static_cast<uint8_t>(type[i]) : ' ');
}

void BoxWriter::UnityMatrix() {
    const uint32_t m[9] = {0x00010000, 0, 0, 0, 0x00010000, 0, 0, 0, 0x40000000};
    for (uint32_t v : m)
        U32(v);
}

}  // namespace quorva::cardwriter
