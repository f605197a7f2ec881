#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// What a file the user opens as text says, whichever way it was saved.

namespace protocol {

// The text of a file's bytes: UTF-8 or UTF-16 (either byte order) by its
// byte-order mark, UTF-8 without a mark when the bytes are valid UTF-8, else
// Windows-1252, the format's own code page. None when the bytes are no text:
// a zip package (a workbook or a document) or NUL bytes outside UTF-16.
std::optional<QString> decodeTextFile(QByteArrayView bytes);

} // namespace protocol
