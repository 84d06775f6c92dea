// The two recording-name patterns, searched anywhere in a name:
//   any camera:
//   [APT_]{1,1}[GM_]{1,1}[ORT_]{1,1}[S_]{1,1}-[0-9]{6,6}-[0-9]{6,6}-[0-9]{6,6}[SM]{1,1}.MOV main
//   camera: the same with [M]{1,1} for the camera letter.
// The '.' before "MOV" is the regex wildcard. The std::regex search is the reference; the
// hand-written matcher answers exactly as it does (proved by the test suite) and serves the
// scans, which test every file of a card several times.
#pragma once

#include <string_view>

namespace quorva {

enum class NamePattern { kAnyCamera, kMainCamera };

const char* NamePatternText(NamePattern pattern);

// std::regex_search of the pattern (ECMAScript).
bool SearchNamePatternRegex(std::string_view name, NamePattern pattern);
// The same answer without the regex engine.
bool SearchNamePattern(std::string_view name, NamePattern pattern);

}  // namespace quorva
