#include "cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace quorva::cli {

namespace {

// Length of the well-formed UTF-8 sequence starting at s[i], or 0 when it is not one.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t n = 0;
    uint32_t cp = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (size_t k = 1; k < n; ++k) {
        const auto cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (cc & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

}  // namespace

// Bytes that are not well-formed UTF-8 (file names on a card need not be) become U+FFFD, so
// that the document stays valid JSON.
std::string JsonEscape(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 2);
    out += '"';
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80) {
            const size_t n = Utf8SequenceLength(s, i);
            if (n == 0) {
                out += "\\ufffd";
            } else {
                out.append(s.substr(i, n));
                i += n - 1;
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
    return out;
}

void JsonWriter::Separate() {
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ',';
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::BeginObject() {
    Separate();
    out_ += '{';
    first_.push_back(true);
    return *this;
}
JsonWriter& JsonWriter::EndObject() {
    out_ += '}';
    first_.pop_back();
    return *this;
}
JsonWriter& JsonWriter::BeginArray() {
    Separate();
    out_ += '[';
    first_.push_back(true);
    return *this;
}
JsonWriter& JsonWriter::EndArray() {
    out_ += ']';
    first_.pop_back();
    return *this;
}
JsonWriter& JsonWriter::Key(std::string_view key) {
    Separate();
    out_ += JsonEscape(key);
    out_ += ':';
    after_key_ = true;
    return *this;
}
JsonWriter& JsonWriter::String(std::string_view value) {
    Separate();
    out_ += JsonEscape(value);
    return *this;
}
JsonWriter& JsonWriter::Int(int64_t value) {
    Separate();
    out_ += std::to_string(value);
    return *this;
}
JsonWriter& JsonWriter::UInt(uint64_t value) {
    Separate();
    out_ += std::to_string(value);
    return *this;
}
JsonWriter& JsonWriter::Double(double value) {
    Separate();
    if (!std::isfinite(value)) {
        out_ += "null";
        return *this;
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value);  // shortest exact form
    out_.append(buf, res.ptr);
    return *this;
}
JsonWriter& JsonWriter::Bool(bool value) {
    Separate();
    out_ += value ? "true" : "false";
    return *this;
}
JsonWriter& JsonWriter::Null() {
    Separate();
    out_ += "null";
    return *this;
}

double ShortestOfFloat(double v) {
    const float f = static_cast<float>(v);
    if (!std::isfinite(f) || static_cast<double>(f) != v) return v;
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, f);
    double out = v;
    std::from_chars(buf, res.ptr, out);
    return out;
}

}  // namespace quorva::cli
