#pragma once

#include "protocol/Protocol.h"

#include <QByteArray>

// The protocol model in its files.

namespace protocol {

// The text file's bytes: the header and every row with a start number.
QByteArray protocolTextBytes(const Protocol &protocol);
// The protocol a text file's bytes give: their rows with their times as
// loaded times, no attempts.
Protocol protocolFromText(const QByteArray &bytes);

} // namespace protocol
