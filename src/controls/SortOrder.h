#pragma once

#include "controls/SortTypes.h"

#include <QList>
#include <QLocale>
#include <QStringList>

#include <functional>

// The stable order of one key column's entries: element n of the result is
// the index in texts of the entry that goes to place n. Equal texts keep
// their order in both directions. Ends with a permutation even when a custom
// comparison contradicts itself.
QList<int> sortOrder(const QStringList &texts, const TSortOptions &options, const QLocale &locale);

// Asked once per key column of a sort for its style (in: ssAutomatic for the
// first column asked, the previous answer after that).
using TGetSortStyle = std::function<void(int col, TSortStyle &style)>;

// The new order of a table's data rows sorted on keyColumns, most significant
// first. rows is the whole table; row 0 is the header and keeps its place.
// Element n of the result is the row (1 or more) whose texts become row n + 1.
// Each column's style is the one getSortStyle gives when set, else the one
// detected from the column while options.SortStyle is ssAutomatic; either is
// stored in options.SortStyle and so kept for the next column and sort.
QList<int> sortRowOrder(const QList<QStringList> &rows, const QList<int> &keyColumns,
                        TSortOptions &options, const TGetSortStyle &getSortStyle,
                        const QLocale &locale);
