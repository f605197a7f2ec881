#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Items of comma text: separated by commas or blanks (any run of blanks
// around a comma belongs to it). An item in double quotes may hold commas and
// blanks, a doubled quote standing for one. Two commas in a row, or a comma
// at the end, give an empty item.
QStringList parseCommaText(QStringView text);

// The key columns of a sort, most significant first, or why there are none.
struct SortKeys
{
    QList<int> columns;
    QString error; // for the user; empty when the columns are valid

    bool isValid() const { return error.isEmpty(); }
};

// aCol first, then the columns of secondaryIndex (comma text) without the
// first item that names aCol. Every item must be a whole number; the first
// that is not makes the whole list invalid, so a sort can refuse before it
// changes anything. Whole numbers outside 0 .. colCount - 1 name no column and
// are left out; without aCol among the columns the list is empty.
SortKeys sortKeys(int aCol, const QString &secondaryIndex, int colCount);
