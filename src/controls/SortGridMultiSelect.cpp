// Selecting several rows of the sortable grid with the mouse (plain, Ctrl,
// Shift) and the keyboard (Shift with the navigation keys).
#include "controls/SortGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

} // namespace

void TSortGrid::setRangeSelect(bool on)
{
    TGridOptions o = options();
    o.setFlag(TGridOption::goRangeSelect, on);
    setOptions(o);
}

void TSortGrid::makeRowCurrent(int row)
{
    // The multi-selection raises its own row event once the lists are set.
    const bool suspended = m_rowSelectedSuspended;
    m_rowSelectedSuspended = true;
    // Without scrolling: a press that scrolled a half-shown row into view
    // would have its release land on the next row.
    if (row != this->row())
        moveCurrent(col(), row, true, false);
    m_rowSelectedSuspended = suspended;
}

void TSortGrid::addSelectionRangeRows()
{
    const TGridRect range = selection();
    for (int r = std::max(range.Top, 1); r <= range.Bottom; ++r) {
        if (!m_selectList.contains(r))
            m_selectList << r;
        if (!m_anchorList.contains(r))
            m_anchorList << r;
    }
}

bool TSortGrid::multiSelectPress(QMouseEvent *event, int row)
{
    if (!m_multiSelect || editorMode() || row < 1)
        return false;
    const bool left = event->button() == Qt::LeftButton;
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    if (left && mods == Qt::NoModifier && !m_selectList.contains(row)) {
        setRangeSelect(false);
        makeRowCurrent(row);
        setSingleSelection(row);
        invalidateGrid();
        Q_EMIT rowSelected();
    }
    // The base grid sees only the presses that extend its range.
    return !(left && options().testFlag(TGridOption::goRangeSelect) && (mods & Qt::ShiftModifier));
}

void TSortGrid::multiSelectRelease(QMouseEvent *event, int row)
{
    if (!m_multiSelect || editorMode() || event->button() != Qt::LeftButton || m_pressRow < 1)
        return;
    if (row < 0)
        row = rowCount() - 1;
    if (row < 1)
        return;
    if (event->modifiers() & Qt::ControlModifier) {
        setRangeSelect(false);
        if (!m_selectList.contains(row)) {
            m_selectList << row;
            m_anchorList << row;
            makeRowCurrent(row);
        } else if (m_selectList.size() > 1) {
            m_selectList.removeAll(row);
            m_anchorList.removeAll(row);
            if (!m_anchorList.isEmpty())
                makeRowCurrent(m_anchorList.last());
        }
    } else if (event->modifiers() & Qt::ShiftModifier) {
        m_selectList.clear();
        m_anchorList.clear();
        addSelectionRangeRows();
    } else {
        setRangeSelect(false);
        makeRowCurrent(row);
        setSingleSelection(row);
    }
    invalidateGrid();
    Q_EMIT rowSelected();
}

void TSortGrid::multiSelectKeyDown(QKeyEvent *event)
{
    if (!m_multiSelect || editorMode() || event->isAutoRepeat())
        return;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (!isNavigationKey(event->key()) || shift)
        m_rowSelectedSuspended = true;
    if (event->key() == Qt::Key_Shift) {
        setRangeSelect(true);
        m_selectList.clear();
        invalidateGrid();
    } else if (shift) {
        if (m_anchorList.isEmpty())
            m_anchorList << row();
        else
            m_anchorList.front() = row();
    }
}

void TSortGrid::multiSelectKeyUp(QKeyEvent *event)
{
    if (!m_multiSelect || editorMode() || event->isAutoRepeat())
        return;
    m_rowSelectedSuspended = false;
    if (event->key() == Qt::Key_Shift) {
        if (m_selectList.isEmpty())
            addSelectionRangeRows();
    } else if (isNavigationKey(event->key()) && !(event->modifiers() & Qt::ShiftModifier)) {
        addSelectionRangeRows();
        setRangeSelect(false);
    }
    invalidateGrid();
    Q_EMIT rowSelected();
}
