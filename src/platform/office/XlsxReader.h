#pragma once

#include <QString>

namespace platform::office {

class Workbook;

// Limits beyond which a workbook counts as absurd rather than as a protocol.
struct XlsxLimits
{
    int sheets = 10000;
    int rows = 100000; // the highest row number a cell may have
    qint64 cells = 1'000'000;
};

// Reads the sheets of an .xlsx file into book, in the workbook's order and
// with its names: numbers as doubles, shared and inline strings (their
// _xHHHH_ escapes decoded; booleans, errors, dates) as text, formatting
// ignored. A file that is no
// workbook, is damaged, declares a DTD or exceeds the limits throws
// OfficeError, and book is left as it was.
void readXlsx(const QString &fileName, Workbook &book, const XlsxLimits &limits = {});

} // namespace platform::office
