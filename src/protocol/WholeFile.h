#pragma once

#include <QByteArray>
#include <QString>

// Whole-file reads and writes of the protocol's files, with the messages the
// user sees when they fail.

namespace protocol {

struct WholeFileRead
{
    QByteArray bytes;
    QString error; // for the user; empty on success
};

WholeFileRead readWholeFile(const QString &fileName);

// Writes atomically: on failure the earlier file stays untouched and the
// message for the user ("Der Schreibfehler der Datei: " + name) is returned;
// empty on success.
QString writeWholeFile(const QString &fileName, const QByteArray &bytes);

// The message a failed read of fileName reports.
QString readErrorMessage(const QString &fileName);

} // namespace protocol
