#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The code page of the protocol's text files, built in so reading and writing
// them needs no codec library on any platform. The five bytes the code page
// leaves unassigned map to the control characters of the same number, as
// Windows does, so every byte reads and writes back unchanged.

namespace protocol {

QString fromWindows1252(QByteArrayView bytes);

// None when a character has no place in the code page.
std::optional<QByteArray> toWindows1252(QStringView text);

} // namespace protocol
