#pragma once

#include <QString>

#include <functional>

// How a sort compares the texts of a key column; ssAutomatic picks one of the
// others from what the column holds.
enum class TSortStyle {
    ssAutomatic,
    ssNormal,
    ssNumeric,
    ssNumericExtended,
    ssDateTime,
    ssTime,
    ssCustom
};

enum class TSortDirection { sdAscending, sdDescending };

// Negative when the first text sorts first, zero when both are equal, positive otherwise.
using TSortCompare = std::function<int(const QString &, const QString &)>;

struct TSortOptions
{
    bool CanSort = true;
    // Further key columns as comma text, most significant first.
    QString SecondaryIndex;
    // A sort stores the style it used when it was ssAutomatic or chosen by the
    // grid's OnGetSortStyle, so the next sort keeps it.
    TSortStyle SortStyle = TSortStyle::ssNormal;
    bool SortCaseSensitive = false;
    int SortCol = 0;
    TSortDirection SortDirection = TSortDirection::sdAscending;
    bool UpdateOnSizeChange = false;
    // Used by ssCustom; every sort clears it when done, so callers set it before each sort.
    TSortCompare CustomCompare;
};
