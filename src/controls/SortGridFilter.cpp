// Row filtering of the sortable grid: rejected rows are kept in the cell
// store below RowCount, in their old order, until the filter is switched off.
#include "controls/SortGrid.h"

void TSortGrid::setFiltered(bool on)
{
    m_filtered = on;
    if (on ? IsRowEmpty(1) : m_hiddenRowCount == 0)
        return;

    const bool wasModified = m_modified;
    const bool opened = !nowUpdating();
    if (opened)
        BeginUpdate();
    // Filtering again first brings back what the last filter hid, so no row
    // is left behind the new hidden ones.
    if (m_hiddenRowCount > 0)
        showFilteredRows(!on);
    if (on)
        hideFilteredRows();
    if (opened)
        EndUpdate();
    setModified(wasModified);
}

void TSortGrid::hideFilteredRows()
{
    QList<QStringList> accepted;
    QList<QStringList> rejected;
    bool walking = bool(OnSetFilter);
    for (int r = 1; r < rowCount(); ++r) {
        QStringList texts = rows(r);
        bool accept = false;
        if (walking)
            OnSetFilter(texts, accept);
        (accept ? accepted : rejected) << std::move(texts);
    }
    m_hiddenRowCount = int(rejected.size());
    int r = 1;
    for (const QStringList &texts : std::as_const(accepted))
        setRows(r++, texts);
    for (const QStringList &texts : std::as_const(rejected))
        setRows(r++, texts);

    if (accepted.isEmpty()) {
        // One empty row stays visible; an empty row is made rather than
        // taken from below the grid, where old texts may still be stored.
        cellStore().insertRow(1);
        m_filterPlaceholder = true;
        setRowCount(2);
    } else {
        m_filterPlaceholder = false;
        setRowCount(rowCount() - m_hiddenRowCount);
        SortRows(m_sortOptions.SortCol);
    }
    GoToCell(0, 1, true);
}

void TSortGrid::showFilteredRows(bool sort)
{
    setRowCount(rowCount() + m_hiddenRowCount);
    // Only the placeholder of a filter that accepted nothing goes; an empty
    // row the user kept is data.
    if (m_filterPlaceholder && IsRowEmpty(1))
        DeleteRow(1);
    m_filterPlaceholder = false;
    m_hiddenRowCount = 0;
    if (sort)
        SortRows(m_sortOptions.SortCol);
}
