#pragma once

#include <QString>

// The folder an installed program's data lies in: "share/tavrin" beside its
// "bin" folder ("/usr/bin/Tavrin" -> "/usr/share/tavrin"). Relative to the
// executable, so a package unpacked elsewhere finds its own files.
QString installedDataFolder(const QString &executablePath);

// The help file F1 shows. The one beside the executable, named like it, comes
// first (a build folder, a copy on a stick); then the installed data folder's,
// named like the executable, then as the package ships it, so a renamed copy
// of an installed program keeps its help. With none of them there, the one
// beside the executable: F1 then shows nothing.
QString findHelpFile(const QString &executablePath);
