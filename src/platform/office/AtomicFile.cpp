#include "platform/office/AtomicFile.h"

#include "platform/office/OfficeError.h"

#include <QSaveFile>

namespace platform::office {

QString writeErrorMessage(const QString &fileName)
{
    return QStringLiteral("Der Schreibfehler der Datei: ") + fileName;
}

void writeFileAtomically(const QString &fileName, const QByteArray &data)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw OfficeError(writeErrorMessage(fileName));
}

} // namespace platform::office
