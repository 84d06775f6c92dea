// The known box types: only boxes of these four-character types are recognised, and they
// decide whether a payload holds child boxes. A process-wide read-only table.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorva {

// Builds the table (once; later calls do nothing). Lookups build it when needed.
void BuildKnownTypes();
// Whether the four bytes at type form a known box type.
bool IsKnownBoxType(const uint8_t* type);
// How many distinct known types there are.
size_t KnownTypeCount();

}  // namespace quorva
