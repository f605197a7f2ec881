#pragma once

#include <QByteArray>
#include <QString>

namespace platform::office {

// Writes data to a temporary file beside fileName and renames it over the
// target, so the target is either the old file or the complete new one.
// Throws OfficeError with "Der Schreibfehler der Datei: " + fileName.
void writeFileAtomically(const QString &fileName, const QByteArray &data);

// The message a failed write of fileName reports.
QString writeErrorMessage(const QString &fileName);

} // namespace platform::office
