#include "protocol/ProtocolFormats.h"

#include "protocol/ProtocolText.h"

namespace protocol {

QByteArray protocolTextBytes(const Protocol &protocol)
{
    return encodeProtocolText(protocol.rows());
}

Protocol protocolFromText(const QByteArray &bytes)
{
    return Protocol::fromRows(decodeProtocolText(bytes));
}

} // namespace protocol
