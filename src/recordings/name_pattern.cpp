#include "recordings/name_pattern.h"

#include <regex>

namespace quorva {

namespace {

constexpr const char* kAnyCameraPattern =
    "[APT_]{1,1}[GM_]{1,1}[ORT_]{1,1}[S_]{1,1}-[0-9]{6,6}-[0-9]{6,6}-[0-9]{6,6}[SM]{1,1}.MOV";
constexpr const char* kMainCameraPattern =
    "[APT_]{1,1}[GM_]{1,1}[ORT_]{1,1}[S_]{1,1}-[0-9]{6,6}-[0-9]{6,6}-[0-9]{6,6}[M]{1,1}.MOV";

constexpr size_t kPatternLength = 30;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// One position of the pattern. The ECMAScript wildcard matches every character except the
// line terminators.
bool MatchesAt(std::string_view s, size_t at, bool mainOnly) {
    const char* p = s.data() + at;
    auto in = [](char c, const char* set) {
        for (; *set; ++set) {
            if (*set == c) return true;
        }
        return false;
    };
    if (!in(p[0], "APT_") || !in(p[1], "GM_") || !in(p[2], "ORT_") || !in(p[3], "S_")) return false;
    if (p[4] != '-' || p[11] != '-' || p[18] != '-') return false;
    for (int i : {5, 12, 19}) {
        for (int k = 0; k < 6; ++k) {
            if (!IsDigit(p[i + k])) return false;
        }
    }
    if (mainOnly ? p[25] != 'M' : (p[25] != 'M' && p[25] != 'S')) return false;
    if (p[26] == '\n' || p[26] == '\r') return false;
    return p[27] == 'M' && p[28] == 'O' && p[29] == 'V';
}

}  // namespace

const char* NamePatternText(NamePattern pattern) {
    return pattern == NamePattern::kMainCamera ? kMainCameraPattern : kAnyCameraPattern;
}

bool SearchNamePatternRegex(std::string_view name, NamePattern pattern) {
    static const std::regex anyCamera(kAnyCameraPattern);
    static const std::regex mainCamera(kMainCameraPattern);
    return std::regex_search(name.begin(), name.end(),
                             pattern == NamePattern::kMainCamera ? mainCamera : anyCamera);
}

bool SearchNamePattern(std::string_view name, NamePattern pattern) {
    if (name.size() < kPatternLength) return false;
    const bool mainOnly = pattern == NamePattern::kMainCamera;
    for (size_t at = 0; at + kPatternLength <= name.size(); ++at) {
        if (MatchesAt(name, at, mainOnly)) return true;
    }
    return false;
}

}  // namespace quorva
