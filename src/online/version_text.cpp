#include "online/version_text.h"

namespace quorva {

std::string VersionPrefix(std::string_view version) {
    int dots = 0;
    for (size_t i = 0; i < version.size(); ++i) {
        if (version[i] == '.' && ++dots == 3) return std::string(version.substr(0, i));
    }
    return std::string(version);
}

std::string DateWithSlashes(std::string_view digits) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 2);
    for (size_t i = 0; i < digits.size(); ++i) {
        out.push_back(digits[i]);
        if (i % 2 == 1 && i != 5) out.push_back('/');
    }
    return out;
}

}  // namespace quorva
