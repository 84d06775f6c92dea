// Qt's own dialogs and buttons (the folder chooser, the standard buttons, context menus of
// edits) speak the language of the chosen text slot: Qt's Japanese translations for slot 0,
// Qt's English for slot 1.
#pragma once

#include <QString>

namespace quorva {

// Installs (slot 0) or removes (slot 1) Qt's Japanese translations for the application.
// Returns true when Qt's texts now follow the slot (false when the translations are missing).
bool UseQtTranslationsFor(int languageSlot);
// The folder Qt's translations are read from ("" when Qt names none).
QString QtTranslationsFolder();

}  // namespace quorva
