#include "settings/ProgramTitle.h"

#include <QCoreApplication>
#include <QFileInfo>

QString programTitle(const QString &executablePath)
{
    return QFileInfo(executablePath).completeBaseName();
}

QString programTitle()
{
    return programTitle(QCoreApplication::applicationFilePath());
}
