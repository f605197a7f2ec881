#pragma once

#include "protocol/ProtocolData.h"

#include <QList>
#include <QString>

namespace protocol {

// A protocol workbook's contents, read and checked in full before anything
// is replaced.
struct WorkbookContents
{
    QList<ProtocolRow> rows;    // the start list's data rows in its order, empty ones left out
    QList<::SplitBlock> blocks; // one per row; empty where the row has no sheet
    QString notice;             // for the user: rows whose sheet was uncertain; empty if none
};

// Reads a workbook the export wrote, also after a spreadsheet program sorted
// or extended the start list, moved it or added sheets. The start list is
// the sheet "Startliste", else a first sheet starting with "Nr.". Each row's
// split table is the sheet of the name the export gives that row; where there
// is none, the sheet at the row's place, else none, and the notice names
// those rows. Throws OfficeError for a file that is no such workbook.
WorkbookContents readProtocolWorkbook(const QString &fileName);

} // namespace protocol
