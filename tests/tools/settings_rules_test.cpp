// The settings dialog's rules: the places of its controls at a UI scale, its items'
// detectors and its version text.
#include <gtest/gtest.h>

#include "tools/settings_rules.h"

namespace quorva {
namespace {

TEST(SettingsRules, LayoutAtScaleOne) {
    const SettingsLayout l = SettingsLayoutAt(1.0);
    EXPECT_EQ(l.width, 460);
    EXPECT_EQ(l.height, 315);
    EXPECT_EQ(l.detectorGroup, (SettingsRect{10, 30, 444, 190}));  // 434 x 160
    EXPECT_EQ(l.items[0], (SettingsRect{40, 60, 200, 100}));
    EXPECT_EQ(l.items[1], (SettingsRect{240, 60, 400, 100}));
    EXPECT_EQ(l.versionGroup, (SettingsRect{10, 190, 444, 300}));  // 434 x 110
    EXPECT_EQ(l.versionText, (SettingsRect{20, 210, 434, 270}));
}

TEST(SettingsRules, LayoutTruncatesEachProduct) {
    // s = 1.33: every design length becomes int(length x s) on its own before it is added.
    const SettingsLayout l = SettingsLayoutAt(1.33);
    EXPECT_EQ(l.width, 611);   // int(611.8)
    EXPECT_EQ(l.height, 418);  // int(418.95)
    EXPECT_EQ(l.items[0].top, 13 + 26 + 39);
    EXPECT_EQ(l.items[0].bottom, 13 + 26 + 39 + 53);
    EXPECT_EQ(l.detectorGroup.Width(), 611 - 34);
    EXPECT_EQ(l.versionText, (SettingsRect{2 * 13, 13 + 212 + 2 * 26, 611 - 34 - 26 + 2 * 13,
                                           146 - 66 + 212 + 2 * 26 + 13}));
}

TEST(SettingsRules, ItemsAndVersionText) {
    EXPECT_EQ(SettingsItemDetector(0), 4);  // emergency recording stop
    EXPECT_EQ(SettingsItemDetector(1), 5);  // parking monitoring
    EXPECT_EQ(SettingsItemDetector(2), -1);
    EXPECT_EQ(SettingsItemText(0), 124);
    EXPECT_EQ(SettingsItemText(1), 125);

    EXPECT_EQ(BuildYear("Feb 24 2023"), "2023");
    EXPECT_EQ(BuildYear("Feb  4 2023"), "2023");
    const std::string text = SettingsVersionText("1.0.0", "Feb 24 2023");
    EXPECT_EQ(text.substr(0, 14), "version 1.0.0\n");
    EXPECT_NE(text.find("2023", 14), std::string::npos);
    EXPECT_EQ(text.find('\n', 14), std::string::npos);  // two lines
    // This build's own date has the form the year is taken from.
    EXPECT_EQ(BuildYear(BuildDate()).size(), 4u);
}

}  // namespace
}  // namespace quorva
