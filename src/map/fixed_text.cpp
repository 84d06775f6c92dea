#include "map/fixed_text.h"

#include <charconv>

namespace quorva {

std::string FixedSix(double value) {
    char buffer[400];  // 1e308 with six decimals fits
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

}  // namespace quorva
