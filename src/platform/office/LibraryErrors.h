#pragma once

#include <QString>

typedef struct zip_error zip_error_t;

namespace platform::office {

// The office libraries explain their failures in English; these are the
// German words the user sees instead.
QString zipErrorText(const zip_error_t *error);
QString xlsxWriterErrorText(int error);

} // namespace platform::office
