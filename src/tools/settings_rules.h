// The settings dialog's plain rules: where its controls lie at a UI scale, which detector
// each of its two items switches, and its version text.
#pragma once

#include <string>
#include <string_view>

namespace quorva {

// Command ids of the dialog: item k is check button kSettingsItemFirst + k; the ids up to
// kSettingsItemLast toggle their item, of which only the first two exist.
inline constexpr int kSettingsItemFirst = 32968;
inline constexpr int kSettingsItemLast = 32975;
inline constexpr int kSettingsItemCount = 2;
inline constexpr int kSettingsVersionTextId = 32981;
inline constexpr int kSettingsCloseCommand = 17;

// The event detector of an item (0: emergency recording stop, detector 4; 1: parking
// monitoring, detector 5); -1 for an item that does not exist.
int SettingsItemDetector(int item);
// The UI text of an item's label (124, 125).
int SettingsItemText(int item);

struct SettingsRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const SettingsRect&, const SettingsRect&) = default;
};

// Client coordinates at UI scale s (design pixels times s, truncated).
struct SettingsLayout {
    int width = 0, height = 0;
    SettingsRect detectorGroup;  // "加速度グラフ/マップアイコン表示設定"
    SettingsRect items[kSettingsItemCount];
    SettingsRect versionGroup;  // "バージョン情報"
    SettingsRect versionText;
};
SettingsLayout SettingsLayoutAt(double s);

// The year of a build date in the form "Feb 24 2023": the text after its last space.
std::string_view BuildYear(std::string_view buildDate);
// "version 1.0.0", a line break, and a line with the build year naming who made it.
std::string SettingsVersionText(std::string_view version, std::string_view buildDate);

// The date this program was built ("Mmm dd yyyy").
const char* BuildDate();

}  // namespace quorva
