// Decimal text of a number as the map page reads it: six decimals with a dot, whatever the
// locale of the process ("%f" of the C locale).
#pragma once

#include <string>

namespace quorva {

std::string FixedSix(double value);

}  // namespace quorva
