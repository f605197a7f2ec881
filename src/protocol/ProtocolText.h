#pragma once

#include "protocol/ProtocolData.h"

#include <QByteArray>
#include <QString>

// The protocol as a text file: one line per occupied row, header first, four
// cells each followed by a TAB, CR LF line ends.

namespace protocol {

// The file's bytes for the rows (header row first). Windows-1252 when every
// character fits, else UTF-8 with a byte-order mark so no name is mangled.
QByteArray encodeProtocolText(const ProtocolRows &rows);

// The data rows a file's bytes give (header lines, those whose first cell is
// "Nr.", skipped), at least one, so a protocol replaced by them is never
// row-less. Bytes that are no text give one empty row.
QList<ProtocolRow> decodeProtocolText(const QByteArray &bytes);

// Writes the file atomically: on failure the earlier file stays untouched and
// the message for the user is returned; empty on success.
QString saveProtocolTextFile(const QString &fileName, const ProtocolRows &rows);

struct ProtocolTextLoad
{
    QList<ProtocolRow> rows; // the data rows that replace the protocol's
    QString error;           // for the user; empty on success

    bool ok() const { return error.isEmpty(); }
};

// Reads a whole file first, so a failure leaves the caller's protocol as it
// is. A file that is no text (a workbook, a document) is refused.
ProtocolTextLoad loadProtocolTextFile(const QString &fileName);

} // namespace protocol
