#include "controls/MyGrids.h"

#include "controls/GridInplaceEdit.h"

#include <QGuiApplication>
#include <QScrollBar>

// The classic string grid's start-up values.
TMyCustomGrid::TMyCustomGrid(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_options(TGridOption::goFixedVertLine | TGridOption::goFixedHorzLine |
                TGridOption::goVertLine | TGridOption::goHorzLine | TGridOption::goRangeSelect)
{
    m_cols.setDefaultSize(64);
    m_rows.setDefaultSize(24);
    m_cols.setCount(5);
    m_rows.setCount(5);
    m_cols.setFixedCount(1);
    m_rows.setFixedCount(1);
    m_currentCol = m_anchorCol = m_leftCol = 1;
    m_currentRow = m_anchorRow = m_topRow = 1;

    setFocusPolicy(Qt::StrongFocus);
    // The sunken two-pixel border the grid's width arithmetic counts with.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // The grid decides itself what a right click does.
    setContextMenuPolicy(Qt::PreventContextMenu);
    viewport()->setMouseTracking(true);
    for (QScrollBar *bar : {verticalScrollBar(), horizontalScrollBar()}) {
        bar->setSingleStep(1);
        bar->setTracking(false);
    }
    updateScrollBars();
}

TMyCustomGrid::~TMyCustomGrid() = default;

void TMyCustomGrid::setColCount(int count)
{
    changeCounts(std::max(1, count), rowCount());
}

void TMyCustomGrid::setRowCount(int count)
{
    changeCounts(colCount(), std::max(1, count));
}

void TMyCustomGrid::changeCounts(int newColCount, int newRowCount)
{
    const int oldColCount = colCount();
    const int oldRowCount = rowCount();
    if (newColCount == oldColCount && newRowCount == oldRowCount)
        return;
    m_cols.setCount(newColCount);
    m_rows.setCount(newRowCount);
    countsApplied(oldColCount, oldRowCount);
}

void TMyCustomGrid::countsApplied(int oldColCount, int oldRowCount)
{
    const int newColCount = colCount();
    const int newRowCount = rowCount();
    m_cols.setFixedCount(std::min(m_cols.fixedCount(), newColCount));
    m_rows.setFixedCount(std::min(m_rows.fixedCount(), newRowCount));
    clampPositions();
    updateScrollBars();
    updateEditorGeometry();
    invalidateGrid();
    countsChanged(oldColCount, oldRowCount);
}

void TMyCustomGrid::countsChanged(int, int) {}

void TMyCustomGrid::clampPositions()
{
    const auto clampTo = [](int value, int low, int high) {
        return std::max(low, std::min(value, high));
    };
    const int lastCol = colCount() - 1;
    const int lastRow = rowCount() - 1;
    const int firstCol = std::min(fixedCols(), lastCol);
    const int firstRow = std::min(fixedRows(), lastRow);
    m_currentCol = clampTo(m_currentCol, firstCol, lastCol);
    m_currentRow = clampTo(m_currentRow, firstRow, lastRow);
    m_anchorCol = clampTo(m_anchorCol, firstCol, lastCol);
    m_anchorRow = clampTo(m_anchorRow, firstRow, lastRow);
    m_leftCol = clampTo(m_leftCol, fixedCols(),
                        std::max(fixedCols(), m_cols.maxFirst(viewport()->width())));
    m_topRow = clampTo(m_topRow, fixedRows(),
                       std::max(fixedRows(), m_rows.maxFirst(viewport()->height())));
}

void TMyCustomGrid::setFixedCols(int count)
{
    m_cols.setFixedCount(std::clamp(count, 0, colCount() - 1));
    clampPositions();
    updateScrollBars();
    invalidateGrid();
}

void TMyCustomGrid::setFixedRows(int count)
{
    m_rows.setFixedCount(std::clamp(count, 0, rowCount() - 1));
    clampPositions();
    updateScrollBars();
    invalidateGrid();
}

void TMyCustomGrid::setDefaultColWidth(int width)
{
    m_cols.setDefaultSize(width);
    updateScrollBars();
    invalidateGrid();
    widthsChanged();
}

void TMyCustomGrid::setDefaultRowHeight(int height)
{
    m_rows.setDefaultSize(height);
    updateScrollBars();
    invalidateGrid();
    heightsChanged();
}

void TMyCustomGrid::setColWidths(int col, int width)
{
    if (col < 0 || col >= colCount() || m_cols.size(col) == width)
        return;
    m_cols.setSize(col, width);
    updateScrollBars();
    updateEditorGeometry();
    invalidateGrid();
    widthsChanged();
}

void TMyCustomGrid::setRowHeights(int row, int height)
{
    if (row < 0 || row >= rowCount() || m_rows.size(row) == height)
        return;
    m_rows.setSize(row, height);
    updateScrollBars();
    updateEditorGeometry();
    invalidateGrid();
    heightsChanged();
}

void TMyCustomGrid::setOptions(TGridOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    if (!m_options.testFlag(TGridOption::goEditing))
        hideEditor(true);
    else if (m_options.testFlag(TGridOption::goAlwaysShowEditor) && hasFocus())
        showEditor();
    verticalScrollBar()->setTracking(m_options.testFlag(TGridOption::goThumbTracking));
    horizontalScrollBar()->setTracking(m_options.testFlag(TGridOption::goThumbTracking));
    invalidateGrid();
}

void TMyCustomGrid::setCol(int col)
{
    if (col != m_currentCol)
        moveCurrent(col, m_currentRow, true, true);
}

void TMyCustomGrid::setRow(int row)
{
    if (row != m_currentRow)
        moveCurrent(m_currentCol, row, true, true);
}

TGridRect TMyCustomGrid::selection() const
{
    TGridRect r{std::min(m_anchorCol, m_currentCol), std::min(m_anchorRow, m_currentRow),
                std::max(m_anchorCol, m_currentCol), std::max(m_anchorRow, m_currentRow)};
    if (m_options.testFlag(TGridOption::goRowSelect)) {
        r.Left = fixedCols();
        r.Right = colCount() - 1;
    }
    return r;
}

void TMyCustomGrid::setSelection(const TGridRect &rect)
{
    hideEditor(true);
    m_anchorCol = rect.Left;
    m_anchorRow = rect.Top;
    m_currentCol = rect.Right;
    m_currentRow = rect.Bottom;
    clampPositions();
    invalidateGrid();
}

void TMyCustomGrid::setTopRow(int row)
{
    const int top =
        std::clamp(row, fixedRows(), std::max(fixedRows(), m_rows.maxFirst(viewport()->height())));
    if (top == m_topRow)
        return;
    m_topRow = top;
    updateScrollBars();
    updateEditorGeometry();
    invalidateGrid();
    Q_EMIT topLeftChanged();
}

void TMyCustomGrid::setLeftCol(int col)
{
    const int left =
        std::clamp(col, fixedCols(), std::max(fixedCols(), m_cols.maxFirst(viewport()->width())));
    if (left == m_leftCol)
        return;
    m_leftCol = left;
    updateScrollBars();
    updateEditorGeometry();
    invalidateGrid();
    Q_EMIT topLeftChanged();
}

int TMyCustomGrid::visibleColCount() const
{
    return m_cols.visibleCount(m_leftCol, viewport()->width());
}

int TMyCustomGrid::visibleRowCount() const
{
    return m_rows.visibleCount(m_topRow, viewport()->height());
}

void TMyCustomGrid::setScrollBars(TScrollStyle style)
{
    m_scrollBars = style;
    updateScrollBars();
}

void TMyCustomGrid::setColor(TColor color)
{
    m_color = color;
    invalidateGrid();
}

void TMyCustomGrid::setFixedColor(TColor color)
{
    m_fixedColor = color;
    invalidateGrid();
}

int TMyCustomGrid::gridWidth() const
{
    const QScrollBar *bar = verticalScrollBar();
    return width() - (bar->isVisibleTo(this) ? bar->width() : 0);
}

QRect TMyCustomGrid::cellRect(int col, int row) const
{
    if (col < 0 || row < 0 || col >= colCount() || row >= rowCount())
        return {};
    const int x = m_cols.position(col, m_leftCol);
    const int y = m_rows.position(row, m_topRow);
    const int w = m_cols.size(col);
    const int h = m_rows.size(row);
    if (x < 0 || y < 0 || w < 0 || h < 0)
        return {};
    return {x, y, w, h};
}

void TMyCustomGrid::mouseToCell(const QPoint &pos, int &col, int &row) const
{
    col = m_cols.cellAt(pos.x(), m_leftCol);
    row = m_rows.cellAt(pos.y(), m_topRow);
}

void TMyCustomGrid::BeginUpdate()
{
    if (!m_nowUpdating) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        // Disabling takes the focus away; the end of the bracket gives it back.
        m_focusBeforeUpdate = hasFocus() || (m_editor && m_editor->hasFocus());
    }
    m_nowUpdating = true;
    setUpdatesEnabled(false);
    setEnabled(false);
    Q_EMIT beginUpdate();
}

void TMyCustomGrid::EndUpdate()
{
    invalidateGrid();
    setUpdatesEnabled(true);
    setEnabled(true);
    if (m_nowUpdating) {
        QGuiApplication::restoreOverrideCursor();
        if (m_focusBeforeUpdate)
            setFocus(Qt::OtherFocusReason);
    }
    m_nowUpdating = false;
}

void TMyCustomGrid::MoveColumn(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= colCount() || to >= colCount())
        return;
    hideEditor(true);
    m_cols.move(from, to);
    columnMoved(from, to);
    invalidateGrid();
}

void TMyCustomGrid::MoveRow(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= rowCount() || to >= rowCount())
        return;
    hideEditor(true);
    m_rows.move(from, to);
    rowMoved(from, to);
    invalidateGrid();
}

void TMyCustomGrid::insertRowAt(int row)
{
    row = std::clamp(row, 0, rowCount());
    hideEditor(true);
    const int oldRowCount = rowCount();
    rowInserted(row);
    m_rows.insert(row);
    countsApplied(colCount(), oldRowCount);
}

void TMyCustomGrid::insertColumnAt(int col)
{
    col = std::clamp(col, 0, colCount());
    hideEditor(true);
    const int oldColCount = colCount();
    columnInserted(col);
    m_cols.insert(col);
    countsApplied(oldColCount, rowCount());
}

void TMyCustomGrid::DeleteRow(int row)
{
    if (row < 0 || row >= rowCount() || rowCount() <= 1)
        return;
    hideEditor(true);
    const int oldRowCount = rowCount();
    rowRemoved(row);
    m_rows.remove(row);
    countsApplied(colCount(), oldRowCount);
}

void TMyCustomGrid::DeleteColumn(int col)
{
    if (col < 0 || col >= colCount() || colCount() <= 1)
        return;
    hideEditor(true);
    const int oldColCount = colCount();
    columnRemoved(col);
    m_cols.remove(col);
    countsApplied(oldColCount, rowCount());
}

void TMyCustomGrid::columnMoved(int, int) {}
void TMyCustomGrid::rowMoved(int, int) {}
void TMyCustomGrid::columnInserted(int) {}
void TMyCustomGrid::rowInserted(int) {}
void TMyCustomGrid::columnRemoved(int) {}
void TMyCustomGrid::rowRemoved(int) {}

QString TMyCustomGrid::getEditText(int, int) const
{
    return {};
}

void TMyCustomGrid::setEditText(int, int, const QString &) {}

bool TMyCustomGrid::selectCell(int col, int row)
{
    bool canSelect = true;
    if (OnSelectCell)
        OnSelectCell(this, col, row, canSelect);
    return canSelect;
}

bool TMyCustomGrid::moveCurrent(int col, int row, bool moveAnchor, bool show)
{
    if (col < 0 || row < 0 || col >= colCount() || row >= rowCount())
        return false;
    if (!selectCell(col, row))
        return false;
    focusCell(col, row, moveAnchor, show);
    return true;
}

void TMyCustomGrid::focusCell(int col, int row, bool moveAnchor, bool show)
{
    const bool cellChanges = col != m_currentCol || row != m_currentRow;
    const TGridRect old = selection();
    m_currentCol = col;
    m_currentRow = row;
    if (moveAnchor || !m_options.testFlag(TGridOption::goRangeSelect)) {
        m_anchorCol = col;
        m_anchorRow = row;
    }
    // After the move: an editor shown again while this one hides (the
    // grid's focus-in does that) opens on the new cell, not the old one.
    if (cellChanges)
        hideEditor(true);
    clampPositions();
    if (show)
        showCell(m_currentCol, m_currentRow);
    if (old != selection() || cellChanges)
        invalidateGrid();
    if (m_options.testFlag(TGridOption::goAlwaysShowEditor) && hasFocus())
        showEditor();
    currentCellMoved();
}

void TMyCustomGrid::showCell(int col, int row)
{
    if (row >= fixedRows()) {
        if (row < m_topRow) {
            setTopRow(row);
        } else {
            int top = m_topRow;
            while (top < row && m_rows.visibleCount(top, viewport()->height()) < row - top + 1)
                ++top;
            setTopRow(top);
        }
    }
    if (col >= fixedCols()) {
        if (col < m_leftCol) {
            setLeftCol(col);
        } else {
            int left = m_leftCol;
            while (left < col && m_cols.visibleCount(left, viewport()->width()) < col - left + 1)
                ++left;
            setLeftCol(left);
        }
    }
}

bool TMyCustomGrid::rowOnScreen(int row) const
{
    // Cheap test first: writing thousands of cells off screen must not walk
    // the row heights for each one.
    if (row >= fixedRows() && (row < m_topRow || row > m_topRow + visibleRowCount() + 1))
        return false;
    return row >= 0 && row < rowCount();
}

void TMyCustomGrid::invalidateCell(int col, int row)
{
    if (!rowOnScreen(row))
        return;
    const QRect r = cellRect(col, row);
    if (!r.isEmpty())
        viewport()->update(r.adjusted(0, 0, TGridAxis::LineWidth, TGridAxis::LineWidth));
}

void TMyCustomGrid::invalidateRow(int row)
{
    if (!rowOnScreen(row))
        return;
    const QRect r = cellRect(std::min(fixedCols(), colCount() - 1), row);
    if (!r.isEmpty())
        viewport()->update(
            QRect(0, r.top(), viewport()->width(), r.height() + TGridAxis::LineWidth));
}

void TMyCustomGrid::invalidateGrid()
{
    viewport()->update();
}

void TMyCustomGrid::updateScrollBars()
{
    const bool vertical =
        m_scrollBars == TScrollStyle::ssVertical || m_scrollBars == TScrollStyle::ssBoth;
    const bool horizontal =
        m_scrollBars == TScrollStyle::ssHorizontal || m_scrollBars == TScrollStyle::ssBoth;
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);

    // Setting the ranges calls scrollContentsBy(); that must not scroll again.
    m_updatingScrollBars = true;
    QScrollBar *v = verticalScrollBar();
    v->setRange(fixedRows(), std::max(fixedRows(), m_rows.maxFirst(viewport()->height())));
    v->setPageStep(std::max(1, visibleRowCount()));
    v->setValue(m_topRow);
    QScrollBar *h = horizontalScrollBar();
    h->setRange(fixedCols(), std::max(fixedCols(), m_cols.maxFirst(viewport()->width())));
    h->setPageStep(std::max(1, visibleColCount()));
    h->setValue(m_leftCol);
    m_updatingScrollBars = false;
}

void TMyCustomGrid::scrollContentsBy(int, int)
{
    if (m_updatingScrollBars)
        return;
    setTopRow(verticalScrollBar()->value());
    setLeftCol(horizontalScrollBar()->value());
}

void TMyCustomGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    clampPositions();
    updateScrollBars();
    updateEditorGeometry();
}

void TMyCustomGrid::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateEditorGeometry();
}

// ---- TMyStringGrid ----

void TMyStringGrid::setCells(int col, int row, const QString &text)
{
    m_cells.setCell(col, row, text);
    invalidateCell(col, row);
}

void TMyStringGrid::setRows(int row, const QStringList &texts)
{
    m_cells.setRow(row, texts, colCount());
    invalidateRow(row);
}

void TMyStringGrid::setCols(int col, const QStringList &texts)
{
    m_cells.setColumn(col, texts, rowCount());
    invalidateGrid();
}

void TMyStringGrid::setEditText(int col, int row, const QString &text)
{
    setCells(col, row, text);
}

void TMyStringGrid::columnMoved(int from, int to)
{
    m_cells.moveColumn(from, to);
}

void TMyStringGrid::rowMoved(int from, int to)
{
    m_cells.moveRow(from, to);
}

void TMyStringGrid::columnInserted(int col)
{
    m_cells.insertColumn(col);
}

void TMyStringGrid::rowInserted(int row)
{
    m_cells.insertRow(row);
}

void TMyStringGrid::columnRemoved(int col)
{
    m_cells.removeColumn(col);
}

void TMyStringGrid::rowRemoved(int row)
{
    m_cells.removeRow(row);
}
