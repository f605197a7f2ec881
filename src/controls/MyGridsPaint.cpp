// Painting of the base grid: cells, grid lines and the fixed cells' raised look.
#include "controls/MyGrids.h"

#include "controls/GridInplaceEdit.h"

#include <QPaintEvent>
#include <QPainter>

TGridDrawState TMyCustomGrid::drawStateOf(int col, int row) const
{
    TGridDrawState state;
    if (col < fixedCols() || row < fixedRows()) {
        state |= TGridDrawStateItem::gdFixed;
        return state;
    }
    // Typing in the cell editor still counts as the grid having the focus.
    const bool gridFocused = hasFocus() || (m_editor && m_editor->hasFocus());
    const bool focused = gridFocused && col == m_currentCol && row == m_currentRow;
    if (focused)
        state |= TGridDrawStateItem::gdFocused;
    if (selection().contains(col, row))
        state |= TGridDrawStateItem::gdSelected;
    return state;
}

void TMyCustomGrid::cellColors(TGridDrawState state, QColor &brush, QColor &text) const
{
    TColor back = m_color;
    TColor fore = clWindowText;
    if (state.testFlag(TGridDrawStateItem::gdFixed)) {
        back = m_fixedColor;
        fore = clBtnText;
    } else if (state.testFlag(TGridDrawStateItem::gdSelected)) {
        // The focused cell keeps the window colour (the editor's place) unless
        // the whole row is selected or the option asks for the highlight.
        const bool plainFocus = state.testFlag(TGridDrawStateItem::gdFocused) &&
                                !m_options.testFlag(TGridOption::goRowSelect) &&
                                !m_options.testFlag(TGridOption::goDrawFocusSelected);
        if (!plainFocus) {
            back = clHighlight;
            fore = clHighlightText;
        }
    }
    brush = toQColor(back, palette());
    text = toQColor(fore, palette());
}

void TMyCustomGrid::prepareCanvas(QPainter &canvas, TGridDrawState state) const
{
    QColor brush;
    QColor text;
    cellColors(state, brush, text);
    canvas.setFont(font());
    canvas.setBrush(brush);
    canvas.setPen(text);
}

void TMyCustomGrid::drawCellLines(QPainter &canvas, const QRect &rect, TGridDrawState state) const
{
    const bool fixed = state.testFlag(TGridDrawStateItem::gdFixed);
    const bool vert =
        m_options.testFlag(fixed ? TGridOption::goFixedVertLine : TGridOption::goVertLine);
    const bool horz =
        m_options.testFlag(fixed ? TGridOption::goFixedHorzLine : TGridOption::goHorzLine);
    const QColor line = toQColor(fixed ? clBtnShadow : clBtnFace, palette());
    const QColor background = toQColor(m_color, palette());
    // The line pixels right of and below the cell.
    const int right = rect.right() + 1;
    const int bottom = rect.bottom() + 1;
    canvas.setPen(vert ? line : background);
    canvas.drawLine(right, rect.top(), right, bottom);
    canvas.setPen(horz ? line : background);
    canvas.drawLine(rect.left(), bottom, right, bottom);
}

void TMyCustomGrid::drawCellDecoration(QPainter &canvas, const QRect &rect,
                                       TGridDrawState state) const
{
    if (state.testFlag(TGridDrawStateItem::gdFixed)) {
        // Fixed cells look raised: a lit edge inside at the top and left.
        canvas.setPen(toQColor(clBtnHighlight, palette()));
        if (m_options.testFlag(TGridOption::goFixedHorzLine))
            canvas.drawLine(rect.left(), rect.top(), rect.right(), rect.top());
        if (m_options.testFlag(TGridOption::goFixedVertLine))
            canvas.drawLine(rect.left(), rect.top(), rect.left(), rect.bottom());
    } else if (state.testFlag(TGridDrawStateItem::gdFocused) &&
               !m_options.testFlag(TGridOption::goRowSelect) && !editorMode()) {
        canvas.setPen(QPen(toQColor(clWindowText, palette()), 1, Qt::DotLine));
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(rect.adjusted(0, 0, -1, -1));
    }
}

void TMyCustomGrid::paintEvent(QPaintEvent *event)
{
    QPainter canvas(viewport());
    const QRect dirty = event->rect();
    const int clientW = viewport()->width();
    const int clientH = viewport()->height();
    int usedW = 0;
    int usedH = 0;

    const auto rowsFrom = [this](int r) { return r < fixedRows() ? r : std::max(r, m_topRow); };
    for (int r = rowsFrom(0); r < rowCount(); r = rowsFrom(r + 1)) {
        const int y = m_rows.position(r, m_topRow);
        if (y >= clientH)
            break;
        const int h = m_rows.size(r);
        if (h < 0)
            continue;
        usedH = y + h + TGridAxis::LineWidth;
        const auto colsFrom = [this](int c) {
            return c < fixedCols() ? c : std::max(c, m_leftCol);
        };
        for (int c = colsFrom(0); c < colCount(); c = colsFrom(c + 1)) {
            const int x = m_cols.position(c, m_leftCol);
            if (x >= clientW)
                break;
            const int w = m_cols.size(c);
            if (w < 0)
                continue;
            usedW = std::max(usedW, x + w + TGridAxis::LineWidth);
            const QRect rect(x, y, w, h);
            if (!dirty.intersects(rect.adjusted(0, 0, 1, 1)))
                continue;
            const TGridDrawState state = drawStateOf(c, r);
            // Lines first: a cell drawing that blanks its row covers them.
            canvas.save();
            drawCellLines(canvas, rect, state);
            canvas.setClipRect(rect);
            prepareCanvas(canvas, state);
            drawCell(canvas, c, r, rect, state);
            canvas.restore();
            canvas.save();
            drawCellDecoration(canvas, rect, state);
            canvas.restore();
        }
    }
    // The room beyond the last column and row shows the grid's colour.
    const QColor background = toQColor(m_color, palette());
    if (usedW < clientW)
        canvas.fillRect(QRect(usedW, 0, clientW - usedW, clientH), background);
    if (usedH < clientH)
        canvas.fillRect(QRect(0, usedH, usedW, clientH - usedH), background);
}

void TMyCustomGrid::drawCell(QPainter &canvas, int col, int row, const QRect &rect,
                             TGridDrawState state)
{
    if (OnDrawCell)
        OnDrawCell(this, canvas, col, row, rect, state);
}

void TMyStringGrid::drawCell(QPainter &canvas, int col, int row, const QRect &rect,
                             TGridDrawState state)
{
    if (defaultDrawing()) {
        canvas.fillRect(rect, canvas.brush());
        canvas.drawText(rect.adjusted(2, 2, 0, 0),
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, cells(col, row));
    }
    TMyDrawGrid::drawCell(canvas, col, row, rect, state);
}
