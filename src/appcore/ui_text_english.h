// The English texts of the UI text table (language slot 1); ui_text.cpp holds the Japanese
// ones (slot 0).
#pragma once

#include "appcore/ui_text.h"

namespace quorva {

extern const char* const kEnglishUiTexts[kUsedUiTexts];

}  // namespace quorva
