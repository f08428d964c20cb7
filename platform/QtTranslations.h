#pragma once

class QCoreApplication;

// Loads Qt's own Japanese texts (file dialogs, standard buttons, context menus of line
// edits) whatever the user's locale, as the rest of the interface is Japanese too. Returns
// false when the translation files are not installed; Qt then speaks English.
bool InstallQtJapanese(QCoreApplication& application);
