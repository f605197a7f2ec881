#include "help/InstalledHelp.h"

#include "help/HelpManager.h"

#include <QDir>
#include <QFileInfo>

QString installedDataFolder(const QString &executablePath)
{
    const QDir bin = QFileInfo(executablePath).dir();
    // The build sets it from its install folders.
    return QDir::cleanPath(bin.filePath(QStringLiteral(TAVRIN_DATA_FROM_BIN)));
}

QString findHelpFile(const QString &executablePath)
{
    const QString beside = helpFilePath(executablePath);
    const QDir data(installedDataFolder(executablePath));
    const QString candidates[] = {
        beside,
        data.filePath(QFileInfo(beside).fileName()),
        // As resources/help installs it.
        data.filePath(QStringLiteral("Tavrin.hlp")),
    };
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return beside;
}
