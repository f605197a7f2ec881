#pragma once

#include <QString>

// The program title: the executable's file name without directory and without
// its last extension ("C:/Sport/Tavrin.exe" -> "Tavrin"). It names the window
// and the settings store, so a renamed copy keeps settings of its own.
QString programTitle(const QString &executablePath);

// The title of the running program.
QString programTitle();
