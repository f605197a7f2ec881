#pragma once

#include "controls/GridTypes.h"
#include "controls/SortTypes.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>

class TGridAxis;

// The sortable grid's rules that need no widget: text fitting, offsets,
// header clicks, scrolling and column stretching.
namespace gridrules {

// Lower-cases A to Z only; umlauts and other letters stay as they are.
QString lowerAscii(const QString &text);
// Upper-cases a to z only.
QChar upperAscii(QChar c);

// A header text wider than `available` pixels ends in two full stops and
// loses characters from its end until it fits or is three characters long.
QString shortenHeaderText(const QString &text, int available,
                          const std::function<int(const QString &)> &textWidth);

// Where a text starts inside its cell, in pixels from the cell's left / top edge.
int horzTextOffset(TAlignment alignment, int cellWidth, int textWidth);
int vertTextOffset(TVertAlignment alignment, int cellHeight, int textHeight);

// The sort direction after a click on the header of `clickedCol`.
TSortDirection headerClickDirection(TSortDirection current, int sortCol, int clickedCol,
                                    bool rightButton);

// Pixels at either border of a header cell that belong to column sizing.
inline constexpr int SizingZone = 5;
bool inSizingZone(int x, int cellLeft, int cellWidth);

// The top row that shows `row` as the second visible row (the one above as
// context), or the last page when the grid ends before that.
int scrollToCellTopRow(int rowCount, int visibleRowCount, int row);

// The width that lets the last column fill a grid `width` pixels wide, when
// the columns from `leftCol` on reach the last one and some room is left.
std::optional<int> stretchedLastColumnWidth(const TGridAxis &cols, int leftCol, int visibleColCount,
                                            int width);

// The sort column's index after a column moved from `from` to `to`.
int sortColAfterColumnMove(int sortCol, int from, int to);

// Where a drop-down cell's list stands on the form: `cell` in the grid's
// cell coordinates, `gridPos` the grid's place on the form; a width of 0
// takes the cell's, a height other than 0 (or ten items or more) ten items.
QRect dropDownListRect(const QRect &cell, const QPoint &gridPos, int width, int height,
                       int itemCount, int itemHeight);
// The point, in the grid's cell coordinates, whose cell the list was shown for.
QPoint dropDownListCellPoint(const QRect &list, const QPoint &gridPos);

// A check-box cell counts as ticked for these texts only.
bool isCheckedText(const QString &text);

// The next row after `currentRow` (wrapping to the first data row) whose text
// starts with `key` (compared in upper case); -1 when none.
int firstLetterRow(QChar key, int currentRow, int rowCount,
                   const std::function<QString(int row)> &textOfRow);

} // namespace gridrules
