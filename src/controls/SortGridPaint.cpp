// Cell painting of the sortable grid: format event, header text, sort arrow,
// cell pictures and bevel.
#include "controls/SortGrid.h"

#include "controls/GridRules.h"

#include <QPainter>

namespace {

TCellBevel defaultBevel(TCellBevelStyle style)
{
    switch (style) {
    case TCellBevelStyle::cbRaised:
        return {style, clBtnHighlight, clBtnShadow};
    case TCellBevelStyle::cbLowered:
        return {style, clBtnShadow, clBtnHighlight};
    case TCellBevelStyle::cbNone:
        break;
    }
    return {style, clWindow, clWindow};
}

} // namespace

bool TSortGrid::sortArrowShownIn(int col) const
{
    return m_sortOptions.CanSort && col == m_sortOptions.SortCol;
}

const QImage &TSortGrid::picture(TGridPicture which)
{
    auto it = m_pictures.find(which);
    if (it == m_pictures.end())
        it = m_pictures.emplace(which, makeGridPicture(which)).first;
    return it->second;
}

TFormatOptions TSortGrid::cellFormat(int ACol, int ARow, TGridDrawState State, TCellKind *Kind)
{
    QColor brush;
    QColor text;
    cellColors(State, brush, text);
    TFormatOptions format;
    format.Brush = QBrush(brush);
    format.Font = font();
    format.FontColor = text;
    format.AlignmentHorz = m_alignmentHorz;
    format.AlignmentVert = m_alignmentVert;
    format.Bevel = defaultBevel(m_bevelStyle);
    TCellKind kind;
    if (OnGetCellFormat)
        OnGetCellFormat(this, ACol, ARow, State, format, kind.CheckBox, kind.Combobox,
                        kind.Ellipsis);
    if (Kind)
        *Kind = kind;
    return format;
}

void TSortGrid::drawCell(QPainter &canvas, int col, int row, const QRect &rect,
                         TGridDrawState state)
{
    if (row > 0 && (nowUpdating() || m_hideRows)) {
        // Blank from this cell to the grid's right edge, lines included.
        canvas.setClipping(false);
        canvas.fillRect(
            QRect(rect.topLeft(), QPoint(rect.right() + width() + 1, rect.bottom() + 1)),
            canvas.brush());
        return;
    }

    // Starts from the brush, font and text colour the base grid prepared.
    TCellKind kind;
    TFormatOptions format = cellFormat(col, row, state, &kind);
    if (kind.CheckBox)
        format.HideText = true;

    const TGridRect sel = selection();
    const bool rangeRow =
        options().testFlag(TGridOption::goRangeSelect) && row >= sel.Top && row <= sel.Bottom;
    const bool multiRow = !rangeRow && m_multiSelect && m_selectList.contains(row) &&
                          !options().testFlag(TGridOption::goEditing);
    if (rangeRow || multiRow) {
        format.FontColor = toQColor(clHighlightText, palette());
        format.Brush.setColor(toQColor(clHighlight, palette()));
    }
    canvas.setFont(format.Font);
    canvas.setPen(format.FontColor);

    QString text = format.HideText ? QString() : cells(col, row);
    const QFontMetrics fm(format.Font);
    const bool arrow = row == 0 && sortArrowShownIn(col);
    if (row == 0) {
        const int available = colWidths(col) - 1 - (arrow ? 12 : 0);
        text = gridrules::shortenHeaderText(
            text, available, [&fm](const QString &s) { return fm.horizontalAdvance(s); });
    }
    int dx =
        gridrules::horzTextOffset(format.AlignmentHorz, rect.width(), fm.horizontalAdvance(text));
    const int dy = gridrules::vertTextOffset(format.AlignmentVert, rect.height(), fm.height());
    if (arrow)
        dx += 10;
    canvas.fillRect(rect, format.Brush);
    if (!text.isEmpty())
        canvas.drawText(QPoint(rect.left() + dx, rect.top() + dy + fm.ascent()), text);

    if (arrow) {
        const int w = rect.width() > 10 ? 8 : rect.width() - 3;
        const QImage &img = picture(m_sortOptions.SortDirection == TSortDirection::sdAscending
                                        ? TGridPicture::UP
                                        : TGridPicture::DOWN);
        if (w > 0)
            canvas.drawImage(QPoint(rect.left() + 3, rect.top() + rowHeights(0) / 2 - 4), img,
                             QRect(0, 0, w, 7));
    }
    if (kind.CheckBox) {
        const int w = rect.width() > 16 ? 16 : rect.width() - 1;
        const int x = rect.left() + (rect.width() - w) / 2;
        const int y = rect.top() + rowHeights(row) / 2 - 8;
        const bool checked = gridrules::isCheckedText(cells(col, row));
        if (w > 0)
            canvas.drawImage(QPoint(x, y),
                             picture(checked ? TGridPicture::CHECKED : TGridPicture::UNCHECKED),
                             QRect(0, 0, w, 16));
    }
    const bool currentRow = row == this->row();
    const bool currentCell = currentRow && col == this->col();
    const bool comboShown = kind.Combobox && (currentCell || (currentRow && editorMode()));
    const bool ellipsisShown = kind.Ellipsis && currentRow && !currentCell;
    if (comboShown || ellipsisShown) {
        const int w = std::min(16, rect.width());
        const QRect target(QPoint(rect.right() + 1 - w, rect.top()),
                           QPoint(rect.right(), rect.bottom()));
        canvas.drawImage(target,
                         picture(comboShown ? TGridPicture::COMBOBOX : TGridPicture::ELLIPSIS),
                         QRect(0, 0, w, 16));
    }
    if (row > 0 && format.Bevel.Style != TCellBevelStyle::cbNone) {
        const QColor upperLeft = toQColor(format.Bevel.UpperLeftColor, palette());
        const QColor lowerRight = toQColor(format.Bevel.LowerRightColor, palette());
        const bool vert = options().testFlag(TGridOption::goFixedVertLine);
        const bool horz = options().testFlag(TGridOption::goFixedHorzLine);
        if (vert) {
            canvas.setPen(lowerRight);
            canvas.drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
        }
        if (horz) {
            canvas.setPen(lowerRight);
            canvas.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
        }
        if (vert) {
            canvas.setPen(upperLeft);
            canvas.drawLine(rect.left(), rect.top(), rect.left(), rect.bottom());
        }
        if (horz) {
            canvas.setPen(upperLeft);
            canvas.drawLine(rect.left(), rect.top(), rect.right(), rect.top());
        }
    }
    TMyDrawGrid::drawCell(canvas, col, row, rect, state);
}
