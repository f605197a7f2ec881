#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The texts of a string grid, addressed (column, row). The store has no size
// of its own: texts outside the grid's current row and column counts stay
// stored, so a grid that shrinks and grows again shows them once more.
class TGridCellStore
{
public:
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString &text);

    // The first `count` texts of a row (missing ones empty).
    QStringList row(int row, int count) const;
    // Writes texts[0 .. count-1] into the row and empties its other cells up to `count`.
    void setRow(int row, const QStringList &texts, int count);
    QStringList column(int col, int count) const;
    void setColumn(int col, const QStringList &texts, int count);
    void clearRow(int row);

    // Structural changes shift every stored row or column behind the place,
    // including those beyond the grid's counts.
    void insertRow(int row);
    void removeRow(int row);
    void moveRow(int from, int to);
    void exchangeRows(int a, int b);
    void insertColumn(int col);
    void removeColumn(int col);
    void moveColumn(int from, int to);

    // Number of rows that hold any text slot (rows at or beyond it are empty).
    int storedRowCount() const { return int(m_rows.size()); }

private:
    void ensureRow(int row);

    QList<QStringList> m_rows;
};
