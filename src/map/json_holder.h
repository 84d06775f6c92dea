// CJsonHolder: the map host's own minimal JSON writer and reader for flat objects whose
// members are all strings (the position update sent to the map page and the messages the
// page may send back). Entries are kept ordered by key; each has a value and the separator
// written after it. Nothing is escaped: values must not hold quotes, backslashes, commas,
// colons or braces.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace quorva {

class CJsonHolder {
  public:
    void Clear() { entries_.clear(); }
    void Set(const std::string& key, const std::string& value, const std::string& separator);
    std::optional<std::string> Value(const std::string& key) const;
    size_t Size() const { return entries_.size(); }

    // "{" then, for every entry in key order, "key":"value" and its separator, then "}".
    std::string Write() const;
    // Reads members of the form "key":"value" (later ones replace earlier ones with the same
    // key) into the holder; unquoted values and anything malformed are skipped.
    void Read(const std::string& text);

    // The position update the map page reads once a second: latitude and longitude with six
    // decimals, the play status ("", "pause" or "stop").
    std::string WriteUpdate(double latitude, double longitude, const std::string& status);

  private:
    std::map<std::string, std::pair<std::string, std::string>> entries_;
};

}  // namespace quorva
