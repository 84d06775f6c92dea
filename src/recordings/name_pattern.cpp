#include "recordings/name_pattern.h"

#include <array>
#include <cstdint>
#include <regex>

namespace quorva {

namespace {

constexpr const char* kAnyCameraPattern =
    "[APT_]{1,1}[GM_]{1,1}[ORT_]{1,1}[S_]{1,1}-[0-9]{6,6}-[0-9]{6,6}-[0-9]{6,6}[SM]{1,1}.MOV";
constexpr const char* kMainCameraPattern =
    "[APT_]{1,1}[GM_]{1,1}[ORT_]{1,1}[S_]{1,1}-[0-9]{6,6}-[0-9]{6,6}-[0-9]{6,6}[M]{1,1}.MOV";

constexpr size_t kPatternLength = 30;

// The character classes of the pattern, one bit each, looked up by byte.
enum : uint8_t {
    kClassLetter = 1,
    kTriggerLetter = 2,
    kExtraLetter = 4,
    kRunLetter = 8,
    kDigit = 16
};
constexpr std::array<uint8_t, 256> MakeClasses() {
    std::array<uint8_t, 256> classes{};
    auto mark = [&](const char* set, uint8_t bit) {
        for (; *set; ++set)
            classes[static_cast<unsigned char>(*set)] |= bit;
    };
    mark("APT_", kClassLetter);
    mark("GM_", kTriggerLetter);
    mark("ORT_", kExtraLetter);
    mark("S_", kRunLetter);
    mark("0123456789", kDigit);
    return classes;
}
constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

bool In(char c, uint8_t bit) {
    return (kClasses[static_cast<unsigned char>(c)] & bit) != 0;
}

// One position of the pattern. The ECMAScript wildcard matches every character except the
// line terminators.
bool MatchesAt(std::string_view s, size_t at, bool mainOnly) {
    const char* p = s.data() + at;
    if (!In(p[0], kClassLetter) || !In(p[1], kTriggerLetter) || !In(p[2], kExtraLetter) ||
        !In(p[3], kRunLetter))
        return false;
    if (p[4] != '-' || p[11] != '-' || p[18] != '-') return false;
    for (int i : {5, 12, 19}) {
        for (int k = 0; k < 6; ++k) {
            if (!In(p[i + k], kDigit)) return false;
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
