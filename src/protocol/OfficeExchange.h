#pragma once

#include "platform/Shell.h"

#include <QString>

class TProtocolTables;

// The protocol handed to the office programs and read back from them: a
// workbook with the protocol ("Startliste") and one sheet per athlete, and a
// document with the protocol as a table. Failures are thrown as
// platform::office::OfficeError, whose message() is for the user.

// Workbook of the protocol ("Startliste") and one sheet per athlete, sheet
// names made valid and unique. Empty fileName: a temporary workbook opened
// through shell with the desktop's default application, whose name is
// returned; the caller removes it when the program ends. Ends with protocol
// row 1 selected and shown, unless a run is being timed.
QString ExportToExcel(TProtocolTables &tables, const QString &fileName, const QString &subject,
                      const platform::Shell &shell = platform::Shell());

// Replaces the protocol and the split store by the workbook's contents (see
// protocol::readProtocolWorkbook) and shows row 1. Reads and checks
// everything first; on failure, and while a run is being timed, throws and
// leaves the protocol untouched. Returns a notice for the user, empty when
// there is none: a start list without data rows gives one empty protocol
// row, and rows whose split table was found by place or not at all are named.
QString ImportFromExcel(TProtocolTables &tables, const QString &fileName);

// The protocol as a table in a document made from templatePath when that file
// exists, else in a new one whose subject is given. Throws with "Der Schreibfehler der Datei: " +
// fileName when the document cannot be written, and with the reader's message
// when the template is not a readable document.
void ExportToWord(const TProtocolTables &tables, const QString &fileName,
                  const QString &templatePath, const QString &subject);
