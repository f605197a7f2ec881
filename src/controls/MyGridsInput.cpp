// Mouse, keyboard and in-place editor of the base grid.
#include "controls/MyGrids.h"

#include "controls/GridInplaceEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>

namespace {
// Pixels on either side of a column's right border that grab it for sizing.
constexpr int BorderGrip = 3;
} // namespace

int TMyCustomGrid::columnBorderAt(const QPoint &pos) const
{
    int found = -1;
    for (int c = 0; c < colCount(); ++c) {
        const QRect r = cellRect(c, 0);
        // A hidden column shares its border with its left neighbour: the
        // neighbour gets the grip, so a hidden width is never dragged.
        if (r.isNull() || m_cols.size(c) < 0)
            continue;
        if (std::abs(pos.x() - (r.right() + 1)) <= BorderGrip)
            found = c;
    }
    return found;
}

void TMyCustomGrid::mousePressEvent(QMouseEvent *event)
{
    if (!hasFocus() && !editorMode())
        setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    int c = -1;
    int r = -1;
    mouseToCell(pos, c, r);
    if (m_options.testFlag(TGridOption::goColSizing) && r >= 0 && r < fixedRows()) {
        const int border = columnBorderAt(pos);
        if (border >= 0) {
            m_mouseState = MouseState::ColSizing;
            m_sizingCol = border;
            m_sizingOrigin = cellRect(border, 0).left();
            return;
        }
    }
    if (m_options.testFlag(TGridOption::goColMoving) && r >= 0 && r < fixedRows() &&
        c >= fixedCols()) {
        m_mouseState = MouseState::ColMoving;
        m_movingCol = c;
        return;
    }
    if (c < fixedCols() || r < fixedRows())
        return;
    if (m_options.testFlag(TGridOption::goEditing) && c == m_currentCol && r == m_currentRow &&
        !(event->modifiers() & Qt::ShiftModifier)) {
        showEditor();
        return;
    }
    const bool extend =
        m_options.testFlag(TGridOption::goRangeSelect) && (event->modifiers() & Qt::ShiftModifier);
    if (moveCurrent(c, r, !extend, true) && m_options.testFlag(TGridOption::goRangeSelect))
        m_mouseState = MouseState::Selecting;
}

void TMyCustomGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    switch (m_mouseState) {
    case MouseState::ColSizing:
        setColWidths(m_sizingCol, std::max(0, pos.x() - m_sizingOrigin));
        return;
    case MouseState::Selecting: {
        int c = -1;
        int r = -1;
        mouseToCell(pos, c, r);
        c = c < 0 ? colCount() - 1 : std::max(c, fixedCols());
        r = r < 0 ? rowCount() - 1 : std::max(r, fixedRows());
        if (c != m_currentCol || r != m_currentRow)
            moveCurrent(c, r, false, true);
        return;
    }
    case MouseState::ColMoving:
        viewport()->setCursor(Qt::SizeHorCursor);
        return;
    case MouseState::None:
        break;
    }
    int c = -1;
    int r = -1;
    mouseToCell(pos, c, r);
    const bool overBorder = m_options.testFlag(TGridOption::goColSizing) && r >= 0 &&
                            r < fixedRows() && columnBorderAt(pos) >= 0;
    viewport()->setCursor(overBorder ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TMyCustomGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_mouseState == MouseState::ColMoving) {
        int c = -1;
        int r = -1;
        mouseToCell(event->position().toPoint(), c, r);
        const int from = m_movingCol;
        endMouseAction();
        if (c >= fixedCols() && c != from)
            MoveColumn(from, c);
        return;
    }
    endMouseAction();
}

void TMyCustomGrid::endMouseAction()
{
    if (m_mouseState == MouseState::ColMoving)
        viewport()->setCursor(Qt::ArrowCursor);
    m_mouseState = MouseState::None;
    m_sizingCol = -1;
    m_movingCol = -1;
}

bool TMyCustomGrid::moveByKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool rowSelect = m_options.testFlag(TGridOption::goRowSelect);
    const bool ctrl = modifiers & Qt::ControlModifier;
    int c = m_currentCol;
    int r = m_currentRow;
    const int page = std::max(1, visibleRowCount() - 1);
    switch (key) {
    case Qt::Key_Up:
        --r;
        break;
    case Qt::Key_Down:
        ++r;
        break;
    case Qt::Key_Left:
        if (rowSelect)
            setLeftCol(m_leftCol - 1);
        else
            --c;
        break;
    case Qt::Key_Right:
        if (rowSelect)
            setLeftCol(m_leftCol + 1);
        else
            ++c;
        break;
    case Qt::Key_PageUp:
        r -= page;
        break;
    case Qt::Key_PageDown:
        r += page;
        break;
    case Qt::Key_Home:
        if (ctrl || rowSelect)
            r = fixedRows();
        if (!rowSelect)
            c = fixedCols();
        break;
    case Qt::Key_End:
        if (ctrl || rowSelect)
            r = rowCount() - 1;
        if (!rowSelect)
            c = colCount() - 1;
        break;
    default:
        return false;
    }
    c = std::clamp(c, fixedCols(), colCount() - 1);
    r = std::clamp(r, fixedRows(), rowCount() - 1);
    // Hidden columns are skipped in the direction of the move.
    const int step = c < m_currentCol ? -1 : 1;
    while (m_cols.size(c) < 0 && c + step >= fixedCols() && c + step < colCount())
        c += step;
    if (c != m_currentCol || r != m_currentRow) {
        const bool extend =
            m_options.testFlag(TGridOption::goRangeSelect) && (modifiers & Qt::ShiftModifier);
        moveCurrent(c, r, !extend, true);
    }
    return true;
}

void TMyCustomGrid::keyPressEvent(QKeyEvent *event)
{
    const bool editing = m_options.testFlag(TGridOption::goEditing);
    switch (event->key()) {
    case Qt::Key_Escape:
        if (editorMode()) {
            hideEditor(false);
            if (m_options.testFlag(TGridOption::goAlwaysShowEditor))
                showEditor();
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (editing) {
            if (!editorMode())
                showEditor();
            else {
                hideEditor(true);
                if (m_options.testFlag(TGridOption::goAlwaysShowEditor))
                    showEditor();
            }
        }
        return;
    case Qt::Key_F2:
        if (editing)
            showEditor();
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (m_options.testFlag(TGridOption::goTabs)) {
            const bool back = event->key() == Qt::Key_Backtab;
            int c = m_currentCol + (back ? -1 : 1);
            int r = m_currentRow;
            if (c >= colCount()) {
                c = fixedCols();
                r = std::min(r + 1, rowCount() - 1);
            } else if (c < fixedCols()) {
                c = colCount() - 1;
                r = std::max(r - 1, fixedRows());
            }
            moveCurrent(c, r, true, true);
            return;
        }
        QAbstractScrollArea::keyPressEvent(event);
        return;
    default:
        break;
    }
    if (moveByKey(event->key(), event->modifiers()))
        return;
    const QString text = event->text();
    if (editing && !editorMode() && !text.isEmpty() && text.front().isPrint() &&
        !(event->modifiers() & Qt::ControlModifier)) {
        showEditor(&text);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool TMyCustomGrid::focusNextPrevChild(bool next)
{
    // With goTabs the Tab key moves between cells, not between controls.
    if (m_options.testFlag(TGridOption::goTabs))
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void TMyCustomGrid::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (!m_hidingEditor && m_options.testFlag(TGridOption::goEditing) &&
        m_options.testFlag(TGridOption::goAlwaysShowEditor))
        showEditor();
    invalidateGrid();
}

void TMyCustomGrid::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    invalidateGrid();
}

bool TMyCustomGrid::editorMode() const
{
    return m_editor && m_editor->isVisible();
}

void TMyCustomGrid::setEditorMode(bool shown)
{
    if (shown)
        showEditor();
    else
        hideEditor(true);
}

QString TMyCustomGrid::shownEditText(int col, int row) const
{
    if (editorMode() && m_editor->editCol == col && m_editor->editRow == row)
        return m_editor->text();
    return getEditText(col, row);
}

void TMyCustomGrid::replaceEditText(int col, int row, const QString &text)
{
    if (editorMode() && m_editor->editCol == col && m_editor->editRow == row)
        m_editor->setText(text);
    if (getEditText(col, row) != text)
        setEditText(col, row, text);
}

void TMyCustomGrid::showEditor(const QString *firstKey)
{
    if (!m_options.testFlag(TGridOption::goEditing) || m_currentRow < fixedRows() ||
        m_currentCol < fixedCols())
        return;
    if (!m_editor)
        m_editor = new TMyInplaceEdit(this);
    if (!m_editor->isVisible() || m_editor->editCol != m_currentCol ||
        m_editor->editRow != m_currentRow) {
        m_editor->editCol = m_currentCol;
        m_editor->editRow = m_currentRow;
        m_editor->setText(getEditText(m_currentCol, m_currentRow));
        m_editor->selectAll();
        editorOpened(m_currentCol, m_currentRow);
    }
    if (firstKey)
        m_editor->setText(*firstKey);
    m_editor->setFont(font());
    updateEditorGeometry();
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
    invalidateCell(m_currentCol, m_currentRow);
}

void TMyCustomGrid::hideEditor(bool store)
{
    if (!editorMode())
        return;
    const int c = m_editor->editCol;
    const int r = m_editor->editRow;
    const QString text = m_editor->text();
    m_editor->editCol = m_editor->editRow = -1;
    if (m_editor->hasFocus()) {
        // The grid takes the focus first: a hidden editor would hand it to
        // the window's next control, which would see it come and go.
        const QScopedValueRollback hiding(m_hidingEditor, true);
        setFocus(Qt::OtherFocusReason);
    }
    m_editor->hide();
    if (store && getEditText(c, r) != text)
        setEditText(c, r, text);
    invalidateCell(c, r);
}

void TMyCustomGrid::updateEditorGeometry()
{
    if (!m_editor || m_editor->editCol < 0)
        return;
    const QRect r = cellRect(m_editor->editCol, m_editor->editRow);
    if (r.isEmpty()) {
        m_editor->move(-m_editor->width() - 10, 0); // scrolled out: kept but not visible
        return;
    }
    m_editor->setGeometry(r);
}
