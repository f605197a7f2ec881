#include "protocol/WholeFile.h"

#include "platform/office/AtomicFile.h"
#include "platform/office/OfficeError.h"

#include <QFile>

namespace protocol {

QString readErrorMessage(const QString &fileName)
{
    return QStringLiteral("Die Datei kann nicht gelesen werden: ") + fileName;
}

WholeFileRead readWholeFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, readErrorMessage(fileName)};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, readErrorMessage(fileName)};
    return {std::move(bytes), {}};
}

QString writeWholeFile(const QString &fileName, const QByteArray &bytes)
{
    try {
        platform::office::writeFileAtomically(fileName, bytes);
    } catch (const platform::office::OfficeError &error) {
        return error.message();
    }
    return {};
}

} // namespace protocol
