// The UI text table: every user-visible text, by index, in two language slots.
#pragma once

#include <string>

namespace quorva {

constexpr int kUiTextCount = 260;  // entries per slot; 0..173 are used

// Text of the chosen language slot; "" for an index outside 0..259 or an unused entry.
const std::string& UiText(int index);

// Slot 1 for US English (the system locale "en_US"), slot 0 otherwise. Called once at start.
void ChooseLanguageSlot();
void ChooseLanguageSlotFor(const std::string& localeName);
int LanguageSlot();

}  // namespace quorva
