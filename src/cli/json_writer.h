// A small streaming JSON writer for the command-line tool's answers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorva::cli {

class JsonWriter {
  public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view value);
    JsonWriter& Int(int64_t value);
    JsonWriter& UInt(uint64_t value);
    JsonWriter& Double(double value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    // Shorthands for "key": value pairs inside an object.
    JsonWriter& Field(std::string_view key, std::string_view value) {
        return Key(key).String(value);
    }
    JsonWriter& Field(std::string_view key, const char* value) { return Key(key).String(value); }
    JsonWriter& Field(std::string_view key, int64_t value) { return Key(key).Int(value); }
    JsonWriter& Field(std::string_view key, int value) { return Key(key).Int(value); }
    JsonWriter& Field(std::string_view key, uint64_t value) { return Key(key).UInt(value); }
    JsonWriter& Field(std::string_view key, double value) { return Key(key).Double(value); }
    JsonWriter& Field(std::string_view key, bool value) { return Key(key).Bool(value); }

    const std::string& str() const { return out_; }

  private:
    void Separate();
    std::string out_;
    std::vector<bool> first_;  // per open container: no element written yet
    bool after_key_ = false;
};

std::string JsonEscape(std::string_view s);

// A value that was single precision, as the shortest decimal that reads back as that float
// (0.6, not 0.6000000238418579); other values are returned as they are.
double ShortestOfFloat(double v);

}  // namespace quorva::cli
