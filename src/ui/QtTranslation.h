#pragma once

class QCoreApplication;

// Lets Qt's own dialogs (file dialogs, the overwrite question, the print
// dialog, message-box buttons) speak German like the rest of the program,
// whatever the system's language. Looks in Qt's translations folder, then in
// "translations" beside the program. Returns false when no German catalogue
// was found; the dialogs then stay in Qt's English.
bool installQtTranslation(QCoreApplication &app);
