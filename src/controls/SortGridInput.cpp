// Mouse, wheel and keyboard of the sortable grid: header clicks, popup menu,
// row dragging, first-letter jump, and where the cell editors, the
// multi-selection and the validation step in.
#include "controls/SortGrid.h"

#include "controls/GridRules.h"

#include <QDrag>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {
// Mouse travel that turns a press on a selected row into a drag.
constexpr int DragDistance = 10;
// Angle of one notch of a common mouse wheel.
constexpr int WheelNotch = 120;
} // namespace

void TSortGrid::keyPressEvent(QKeyEvent *event)
{
    multiSelectKeyDown(event);
    extendedKeyDown(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        validateEditedCell();
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        m_tabHeld = true;
        TMyStringGrid::keyPressEvent(event);
        m_tabHeld = false;
        return;
    }
    // Space belongs to the cells that act on it, on its release.
    if (event->key() == Qt::Key_Space && !editorMode() && actsOnSpace())
        return;
    const QString text = event->text();
    const bool character = !text.isEmpty() && text.front().isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!character || editorMode()) {
        TMyStringGrid::keyPressEvent(event);
        return;
    }
    const QString upper = QString(gridrules::upperAscii(text.front())) + text.mid(1);
    QKeyEvent passed(event->type(), event->key(), event->modifiers(), upper, event->isAutoRepeat(),
                     ushort(event->count()));
    TMyStringGrid::keyPressEvent(&passed);
    // A key that began editing belongs to the editor: jumping away now would
    // write it into another row.
    if (editorMode())
        return;
    const int sortCol = m_sortOptions.SortCol;
    const int found = gridrules::firstLetterRow(upper.front(), row(), rowCount(),
                                                [&](int r) { return cells(sortCol, r); });
    if (found > 0)
        GoToCell(sortCol, found, true);
}

void TSortGrid::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && !editorMode())
        cellActivated(col(), row(), true);
    multiSelectKeyUp(event);
    TMyStringGrid::keyReleaseEvent(event);
}

void TSortGrid::mousePressEvent(QMouseEvent *event)
{
    hideDropDownList();
    if (m_entered)
        validateEditedCell();
    const QPoint pos = event->position().toPoint();
    int c = -1;
    int r = -1;
    mouseToCell(pos, c, r);
    m_pressCol = c;
    m_pressRow = r < 0 ? rowCount() - 1 : r;
    if (event->button() == Qt::LeftButton && r > 0) {
        const bool selected = m_multiSelect ? m_selectList.contains(r) : r == row();
        if (selected)
            m_dragStart = pos;
    }
    if (multiSelectPress(event, m_pressRow)) {
        if (!hasFocus() && !editorMode())
            setFocus(Qt::MouseFocusReason);
        return;
    }
    TMyStringGrid::mousePressEvent(event);
}

void TSortGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    int c = -1;
    int r = -1;
    mouseToCell(pos, c, r);
    if (event->button() == Qt::LeftButton && r == 0) {
        const int border = columnBorderAt(pos);
        if (border >= 0) {
            AutoSizeColumn(border, true);
            return;
        }
    }
    mousePressEvent(event);
}

void TSortGrid::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::LeftButton && m_dragStart.x() >= 0) {
        const QPoint d = event->position().toPoint() - m_dragStart;
        if (std::abs(d.x()) > DragDistance || std::abs(d.y()) > DragDistance) {
            m_dragStart = {-1, -1};
            startRowDrag();
            return;
        }
    }
    TMyStringGrid::mouseMoveEvent(event);
}

void TSortGrid::startRowDrag()
{
    QStringList lines;
    for (int r : std::as_const(m_selectList))
        lines.append(rows(r).join(u'\t'));
    auto *mime = new QMimeData;
    mime->setText(lines.join(u'\n'));
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    m_dragging = true;
    drag->exec(Qt::CopyAction);
    m_dragging = false;
    // The drag took the release; the base's range selection ends here.
    endMouseAction();
}

void TSortGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging)
        return;
    m_dragStart = {-1, -1};
    if (!editorMode())
        setFocus(Qt::MouseFocusReason);
    TMyStringGrid::mouseReleaseEvent(event);

    const QPoint pos = event->position().toPoint();
    int c = -1;
    int r = -1;
    mouseToCell(pos, c, r);
    if (event->button() == Qt::RightButton && r != 0) {
        if (m_popupMenu)
            m_popupMenu->popup(event->globalPosition().toPoint());
        return;
    }
    multiSelectRelease(event, r);
    const bool sameColumn = c >= 0 && c == m_pressCol;
    if (sameColumn && r > 0 && r == m_pressRow)
        cellActivated(c, r, false, pos.x());
    if (r != 0 || !sameColumn)
        return;
    const QRect cell = cellRect(c, 0);
    if (cell.isEmpty() || gridrules::inSizingZone(pos.x(), cell.left(), cell.width()))
        return;
    m_sortOptions.SortDirection = gridrules::headerClickDirection(
        m_sortOptions.SortDirection, m_sortOptions.SortCol, c, event->button() == Qt::RightButton);
    SortRows(c);
    invalidateRow(0);
}

void TSortGrid::wheelEvent(QWheelEvent *event)
{
    m_wheelDelta += event->angleDelta().y();
    while (std::abs(m_wheelDelta) >= WheelNotch) {
        // Down shows one more row, up goes back three (the target row is
        // shown second from the top).
        const bool down = m_wheelDelta < 0;
        ScrollToCell(col(), down ? topRow() + 2 : topRow() - 2);
        m_wheelDelta += down ? WheelNotch : -WheelNotch;
    }
    event->accept();
}
