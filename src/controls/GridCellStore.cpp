#include "controls/GridCellStore.h"

#include <utility>

QString TGridCellStore::cell(int col, int row) const
{
    if (row < 0 || col < 0 || row >= m_rows.size())
        return {};
    return m_rows[row].value(col);
}

void TGridCellStore::setCell(int col, int row, const QString &text)
{
    if (row < 0 || col < 0)
        return;
    if (text.isEmpty() && (row >= m_rows.size() || col >= m_rows[row].size()))
        return; // nothing stored there: keep the store small
    ensureRow(row);
    QStringList &cells = m_rows[row];
    while (cells.size() <= col)
        cells.append(QString());
    cells[col] = text;
}

QStringList TGridCellStore::row(int row, int count) const
{
    QStringList texts;
    texts.reserve(count);
    for (int c = 0; c < count; ++c)
        texts.append(cell(c, row));
    return texts;
}

void TGridCellStore::setRow(int row, const QStringList &texts, int count)
{
    for (int c = 0; c < count; ++c)
        setCell(c, row, texts.value(c));
}

QStringList TGridCellStore::column(int col, int count) const
{
    QStringList texts;
    texts.reserve(count);
    for (int r = 0; r < count; ++r)
        texts.append(cell(col, r));
    return texts;
}

void TGridCellStore::setColumn(int col, const QStringList &texts, int count)
{
    for (int r = 0; r < count; ++r)
        setCell(col, r, texts.value(r));
}

void TGridCellStore::clearRow(int row)
{
    if (row >= 0 && row < m_rows.size())
        m_rows[row].clear();
}

void TGridCellStore::insertRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return; // nothing stored at or below it: every row there is already empty
    m_rows.insert(row, QStringList());
}

void TGridCellStore::removeRow(int row)
{
    if (row >= 0 && row < m_rows.size())
        m_rows.removeAt(row);
}

void TGridCellStore::moveRow(int from, int to)
{
    if (from < 0 || to < 0 || from == to)
        return;
    ensureRow(std::max(from, to));
    m_rows.move(from, to);
}

void TGridCellStore::exchangeRows(int a, int b)
{
    if (a < 0 || b < 0 || a == b)
        return;
    ensureRow(std::max(a, b));
    std::swap(m_rows[a], m_rows[b]);
}

void TGridCellStore::insertColumn(int col)
{
    if (col < 0)
        return;
    for (QStringList &cells : m_rows) {
        if (col < cells.size())
            cells.insert(col, QString());
    }
}

void TGridCellStore::removeColumn(int col)
{
    if (col < 0)
        return;
    for (QStringList &cells : m_rows) {
        if (col < cells.size())
            cells.removeAt(col);
    }
}

void TGridCellStore::moveColumn(int from, int to)
{
    if (from < 0 || to < 0 || from == to)
        return;
    for (QStringList &cells : m_rows) {
        while (cells.size() <= std::max(from, to))
            cells.append(QString());
        cells.move(from, to);
    }
}

void TGridCellStore::ensureRow(int row)
{
    while (m_rows.size() <= row)
        m_rows.append(QStringList());
}
