#include "platform/serial/SerialDevice.h"

namespace platform::serial {

SystemError::SystemError(const QString &text)
    : std::runtime_error(text.toStdString())
{
}

QString SystemError::text() const
{
    return QString::fromStdString(what());
}

} // namespace platform::serial
