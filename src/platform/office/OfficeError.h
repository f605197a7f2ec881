#pragma once

#include <QString>

#include <stdexcept>

namespace platform::office {

// A failure of the office layer, with a message for the user (German), as an
// automation server reports its errors.
class OfficeError : public std::runtime_error
{
public:
    explicit OfficeError(const QString &message);

    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace platform::office
