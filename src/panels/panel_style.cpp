#include "panels/panel_style.h"

namespace quorva {

PanelLook PanelLook::At(double s, double f) {
    PanelLook look;
    look.s = s;
    look.f = f;
    look.f10 = UiFontFor(kFontF10, f, UiFontDpi());
    look.f13 = UiFontFor(kFontF13, f, UiFontDpi());
    return look;
}

}  // namespace quorva
