#pragma once

#include "protocol/ProtocolData.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// The protocol's workbook, as its writer makes it and its reader expects it:
// the start list (the protocol grid, header row first) and, for every data
// row, a sheet named after the athlete with the split block in A1:D6.

namespace protocol {

inline constexpr int kStartListZeitColumn = 2; // 0-based, as in the protocol grid

QString startListName();

// The athletes' sheet names for the data rows, in order: the name, or the
// start number where it is empty, made valid and unique, never the start
// list's name.
QStringList athleteSheetNames(const QList<ProtocolRow> &dataRows);

// A start-list cell's text: "Zeit" keeps its hundredths, the other columns
// read whole numbers as digits.
QString startListCellText(const QVariant &value, int column);
// A split-table cell's text: numbers with hundredths.
QString splitCellText(const QVariant &value);

// Whether the writer keeps a start-list text as text: typed into a
// spreadsheet it would become a number that startListCellText reads back
// differently ("12,00" in "Name" would come back as "12").
bool startListCellStaysText(const QString &text, int column);

} // namespace protocol
