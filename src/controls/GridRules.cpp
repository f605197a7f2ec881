#include "controls/GridRules.h"

#include "controls/GridAxis.h"

namespace gridrules {

QString lowerAscii(const QString &text)
{
    QString lower = text;
    for (QChar &c : lower) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return lower;
}

QChar upperAscii(QChar c)
{
    return (c >= u'a' && c <= u'z') ? QChar(c.unicode() - (u'a' - u'A')) : c;
}

QString shortenHeaderText(const QString &text, int available,
                          const std::function<int(const QString &)> &textWidth)
{
    // One character has no room for the two full stops; it is drawn as it is.
    if (text.size() < 2 || textWidth(text) <= available)
        return text;
    QString s = text;
    s[s.size() - 1] = u'.';
    s[s.size() - 2] = u'.';
    while (textWidth(s) > available && s.size() > 3) {
        s.chop(1);
        s[s.size() - 2] = u'.';
    }
    return s;
}

int horzTextOffset(TAlignment alignment, int cellWidth, int textWidth)
{
    switch (alignment) {
    case TAlignment::taRightJustify:
        return cellWidth - textWidth - 2;
    case TAlignment::taCenter:
        return (cellWidth - textWidth) / 2;
    case TAlignment::taLeftJustify:
        break;
    }
    return 2;
}

int vertTextOffset(TVertAlignment alignment, int cellHeight, int textHeight)
{
    switch (alignment) {
    case TVertAlignment::taBottomJustify:
        return cellHeight - textHeight - 3;
    case TVertAlignment::taMiddle:
        return (cellHeight - textHeight) / 2;
    case TVertAlignment::taTopJustify:
        break;
    }
    return 2;
}

TSortDirection headerClickDirection(TSortDirection current, int sortCol, int clickedCol,
                                    bool rightButton)
{
    if (!rightButton && current == TSortDirection::sdAscending && clickedCol == sortCol)
        return TSortDirection::sdDescending;
    return rightButton ? TSortDirection::sdDescending : TSortDirection::sdAscending;
}

bool inSizingZone(int x, int cellLeft, int cellWidth)
{
    return x < cellLeft + SizingZone || x > cellLeft + cellWidth - SizingZone;
}

int scrollToCellTopRow(int rowCount, int visibleRowCount, int row)
{
    const int last = std::max(1, rowCount - visibleRowCount);
    if (last < row)
        return last;
    return row < 2 ? 1 : row - 1;
}

std::optional<int> stretchedLastColumnWidth(const TGridAxis &cols, int leftCol, int visibleColCount,
                                            int width)
{
    const int colCount = cols.count();
    if (colCount == 0 || leftCol + visibleColCount != colCount)
        return std::nullopt;
    int others = 0;
    for (int c = leftCol; c <= colCount - 2; ++c)
        others += cols.size(c);
    const int w = width - others - visibleColCount - 3;
    if (w <= 0)
        return std::nullopt;
    return w;
}

int sortColAfterColumnMove(int sortCol, int from, int to)
{
    if (from == sortCol)
        return to;
    if (from > sortCol && sortCol >= to)
        return sortCol + 1;
    if (from < sortCol && sortCol <= to)
        return sortCol - 1;
    return sortCol;
}

namespace {
// Where the list's lower edge stands below the cell's top.
constexpr int DropDownListDrop = 59;
// Room the list keeps beside and below its items.
constexpr int DropDownListMargin = 5;
constexpr int DropDownListMaxItems = 10;
} // namespace

QRect dropDownListRect(const QRect &cell, const QPoint &gridPos, int width, int height,
                       int itemCount, int itemHeight)
{
    const int w = width != 0 ? width : cell.width() + 1;
    const int items =
        height != 0 || itemCount >= DropDownListMaxItems ? DropDownListMaxItems : itemCount;
    const int h = items * itemHeight + DropDownListMargin;
    return {cell.left() + gridPos.x() + 2, cell.top() + gridPos.y() - h + DropDownListDrop, w, h};
}

QPoint dropDownListCellPoint(const QRect &list, const QPoint &gridPos)
{
    return {list.left() - gridPos.x() - 2,
            list.top() + list.height() - gridPos.y() - DropDownListDrop};
}

bool isCheckedText(const QString &text)
{
    return text == u"true" || text == u"1" || text == u"V";
}

int firstLetterRow(QChar key, int currentRow, int rowCount,
                   const std::function<QString(int row)> &textOfRow)
{
    const QChar wanted = upperAscii(key);
    const auto matches = [&](int r) {
        const QString text = textOfRow(r);
        return !text.isEmpty() && upperAscii(text.front()) == wanted;
    };
    for (int r = currentRow + 1; r < rowCount; ++r) {
        if (matches(r))
            return r;
    }
    for (int r = 1; r <= currentRow && r < rowCount; ++r) {
        if (matches(r))
            return r;
    }
    return -1;
}

} // namespace gridrules
