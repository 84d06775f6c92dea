#include "tools/settings_rules.h"

#include "appcore/ui_scale.h"

namespace quorva {

int SettingsItemDetector(int item) {
    switch (item) {
        case 0:
            return 4;
        case 1:
            return 5;
        default:
            return -1;
    }
}

int SettingsItemText(int item) {
    return item == 1 ? 125 : 124;
}

SettingsLayout SettingsLayoutAt(double s) {
    auto S = [s](int design) { return Scaled(design, s); };
    SettingsLayout l;
    l.width = S(460);
    l.height = S(315);
    const int groupWidth = S(460) - S(26);
    l.detectorGroup = {S(10), S(10) + S(20), S(10) + groupWidth, S(10) + S(20) + S(160)};
    const int itemTop = S(10) + S(20) + S(30);
    const int itemBottom = itemTop + S(40);
    l.items[0] = {S(40), itemTop, S(200), itemBottom};
    l.items[1] = {S(240), itemTop, S(400), itemBottom};
    const int versionTop = S(160) + S(10) + S(20);
    l.versionGroup = {S(10), versionTop, S(10) + groupWidth, versionTop + S(110)};
    l.versionText = {2 * S(10), S(10) + S(160) + 2 * S(20), S(460) - S(26) - S(20) + 2 * S(10),
                     S(110) - S(50) + S(160) + 2 * S(20) + S(10)};
    return l;
}

std::string_view BuildYear(std::string_view buildDate) {
    const size_t space = buildDate.find_last_of(' ');
    return space == std::string_view::npos ? buildDate : buildDate.substr(space + 1);
}

std::string SettingsVersionText(std::string_view version, std::string_view buildDate) {
    std::string text = "version ";
    text += version;
    text += "\nCopyright (C) ";
    text += BuildYear(buildDate);
    text += " The Quorva developers";
    return text;
}

const char* BuildDate() {
    return __DATE__;
}

}  // namespace quorva
