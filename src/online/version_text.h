// Version and date texts of the update check.
#pragma once

#include <string>
#include <string_view>

namespace quorva {

// The text up to (not including) its third "."; the whole text when it has fewer.
// "92.0.902.49" gives "92.0.902".
std::string VersionPrefix(std::string_view version);

// A "/" after the characters at the odd positions 1, 3, 7, 9, ... (counted from 0), never
// after position 5: "240131" gives "24/01/31".
std::string DateWithSlashes(std::string_view digits);

}  // namespace quorva
