#pragma once

#include <QByteArray>

namespace platform::office {

class Workbook;

// The workbook as the bytes of an .xlsx file (Office Open XML), written with
// libxlsxwriter. Column widths are those autofit computed. Throws OfficeError.
QByteArray xlsxBytes(const Workbook &book);

} // namespace platform::office
