// A small INI document in the private-profile style: "[SECTION]" lines, "KEY=VALUE" lines,
// everything else kept as it stands. Section and key names match ignoring ASCII case; the
// first match wins. Text is UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorva {

class IniDocument {
  public:
    static IniDocument Parse(std::string_view text);

    // The value with surrounding blanks removed and one pair of enclosing quotes stripped.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Replaces the key's first line in the section, else adds the key at the end of the
    // section, else adds the section at the end of the document.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialize() const;

  private:
    struct Line {
        std::string text;
        std::string section;  // set on "[...]" lines
        std::string key;      // set on "KEY=VALUE" lines
        bool isSection = false;
        bool isKey = false;
    };
    static Line Classify(std::string text);

    std::vector<Line> lines_;
    std::string lineEnd_ = "\n";
    bool bom_ = false;
};

// Whether a section, key or value can be stored without changing the document's shape.
bool IsStorableIniName(std::string_view name);
bool IsStorableIniValue(std::string_view value);

}  // namespace quorva
