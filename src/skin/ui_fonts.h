// The five UI fonts F9, F10, F13, F17 and F22 as Qt fonts: the face "メイリオ", which
// fontconfig does not know on this platform, falls back to a Japanese face (Noto Sans CJK JP).
#pragma once

#include <QFont>
#include <QStringList>

#include "appcore/ui_scale.h"

namespace quorva {

// The family list every UI font uses, the first installed one wins.
QStringList UiFontFamilies();

// The font of design size F9..F22 for the current font scale (FontScale()) at the vertical
// logical DPI last set by SetUiFontDpi (96 until then).
QFont UiFont(UiFontIndex index);
// The same for any font scale and DPI (the height rule of the settings and scale module).
QFont UiFontFor(UiFontIndex index, double fontScale, int logicalDpiY);

void SetUiFontDpi(int logicalDpiY);
int UiFontDpi();

}  // namespace quorva
