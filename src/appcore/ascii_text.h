// Comparisons of ASCII text that ignore letter case (folder names, settings keys). Bytes
// outside A-Z/a-z compare as they are, so UTF-8 names are matched byte for byte.
#pragma once

#include <string_view>

namespace quorva {

constexpr char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

}  // namespace quorva
