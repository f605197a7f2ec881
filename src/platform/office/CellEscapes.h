#pragma once

#include <QString>
#include <QStringView>

namespace platform::office {

// Spreadsheet files write a character XML cannot hold as _xHHHH_ (its UTF-16
// code in hex), and a text that only looks like such an escape with its
// underscore escaped as _x005F_.

// The text an escaped string stands for. An escape of half a surrogate pair
// without its other half becomes U+FFFD.
QString decodeCellEscapes(QStringView text);

// Protects what looks like an escape, so a reader gives the text back as it
// was; control characters are left to the file writer.
QString protectCellEscapes(const QString &text);

} // namespace platform::office
