// The UI text table: every user-visible text, by index, in two language slots: slot 0 holds
// the Japanese texts, slot 1 the English ones.
#pragma once

#include <string>
#include <string_view>

namespace quorva {

constexpr int kUiTextCount = 260;  // entries per slot
constexpr int kUsedUiTexts = 175;  // entries 0..174 are used, 175..259 are empty
constexpr int kJapaneseSlot = 0;
constexpr int kEnglishSlot = 1;

// Text of the chosen language slot; "" for an index outside 0..259 or an unused entry.
const std::string& UiText(int index);
// Text of the given slot (0 or 1); "" for an index or slot out of range.
const std::string& UiTextIn(int slot, int index);

// Slot 0 for a Japanese locale ("ja", "ja_JP.UTF-8", "ja-JP"), slot 1 for every other one
// (the C locale included). A preference of "ja" or "en" (the DISPLAY/LANGUAGE setting)
// overrides the locale; any other preference is ignored.
int LanguageSlotFor(std::string_view localeName, std::string_view preference = {});
// The locale that names the user's language, as the C library picks its messages' locale:
// LC_ALL, else LC_MESSAGES, else LANG ("" when none is set).
std::string UserLocaleName();

// Chooses the slot once at start: from the user's locale and the stored preference.
void ChooseLanguageSlot(std::string_view preference = {});
void ChooseLanguageSlotFor(std::string_view localeName, std::string_view preference = {});
int LanguageSlot();

}  // namespace quorva
