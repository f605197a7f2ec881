#include "platform/office/OfficeError.h"

namespace platform::office {

OfficeError::OfficeError(const QString &message)
    : std::runtime_error(message.toStdString())
    , m_message(message)
{
}

} // namespace platform::office
