#include "platform/serial/SerialDevice.h"

namespace platform::serial {

SystemError::SystemError(const QString &text, ErrorKind kind)
    : std::runtime_error(text.toStdString())
    , m_kind(kind)
{
}

QString SystemError::text() const
{
    return QString::fromStdString(what());
}

quint32 statusBitsOf(quint32 events)
{
    quint32 bits = 0;
    if (events & EV_CTS)
        bits |= MS_CTS_ON;
    if (events & EV_DSR)
        bits |= MS_DSR_ON;
    if (events & EV_RING)
        bits |= MS_RING_ON;
    if (events & EV_RLSD)
        bits |= MS_RLSD_ON;
    return bits;
}

} // namespace platform::serial
