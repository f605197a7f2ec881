#include "protocol/DialogFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace protocol {

namespace {

// Permission bits lie for root and for read-only mounts, so try it.
bool isWritableFolder(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("tavrin-probe-XXXXXX")));
    return probe.open();
}

} // namespace

QString dialogStartFolder(const QString &programFolder, const QString &documentsFolder)
{
    if (isWritableFolder(programFolder) || documentsFolder.isEmpty())
        return programFolder;
    return documentsFolder;
}

QString dialogStartFolder()
{
    return dialogStartFolder(QCoreApplication::applicationDirPath(),
                             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

} // namespace protocol
