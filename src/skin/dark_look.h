// One dark look for the windows the skin does not draw itself: Qt's own dialogs (the folder
// chooser, message buttons), scroll bars, tooltips, menus and edits take the skin's colours
// from the application's palette, set once at start-up.
#pragma once

#include <QPalette>

namespace quorva {

// The skin's palette: dark window and base colours, white text, the accent as highlight, and
// a dimmed disabled group.
QPalette DarkPalette();

// Sets the Fusion style (which draws from the palette alone), the dark palette and the
// tooltips' palette for the whole application. Widgets that set their own colours (the
// group tree, the recording list, the message dialog) keep them.
void ApplyDarkLook();
// ApplyDarkLook the first time it is called in this process; later calls do nothing (every
// main window's start-up asks for it).
void ApplyDarkLookOnce();

}  // namespace quorva
