#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <compare>
#include <functional>
#include <map>
#include <optional>

namespace platform::office {

class Workbook;
class Range;

inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

// Border line styles and weights by their spreadsheet numbers. Weight 3 lies
// between thin and thick and is taken as medium.
enum XlLineStyle : int { xlLineStyleNone = -4142, xlContinuous = 1 };
enum XlBorderWeight : int {
    xlHairline = 1,
    xlThin = 2,
    xlMedium3 = 3,
    xlThick = 4,
    xlMedium = -4138
};

// The formatting of a cell, a row or a column; unset fields fall through
// from cell to row to column.
struct CellStyle
{
    std::optional<bool> bold;
    std::optional<bool> strikethrough;
    std::optional<QString> numberFormat;
    std::optional<int> lineStyle;
    std::optional<int> borderWeight;

    // This style's fields, where unset those of under.
    CellStyle over(const CellStyle &under) const;
    bool hasBorder() const;
    bool isEmpty() const;
};

struct Cell
{
    QVariant value; // invalid (empty), double or QString
    CellStyle style;
};

struct CellPosition
{
    int row = 1;
    int column = 1;
    friend auto operator<=>(const CellPosition &, const CellPosition &) = default;
};

// One sheet of a workbook: cells addressed from (1, 1), rows, columns and
// their formatting. Ranges refer to it, so it stays where it was created.
class Worksheet
{
public:
    Worksheet(const Workbook &book, QString name);
    Worksheet(const Worksheet &) = delete;
    Worksheet &operator=(const Worksheet &) = delete;

    QString name() const { return m_name; }
    // Throws OfficeError for a name the spreadsheet refuses (see SheetNames.h).
    void setName(const QString &name);

    Range cells(int row, int column);
    Range range(const Range &from, const Range &to);
    Range rows();
    Range rows(int row);
    Range columns();
    Range columns(int column);

    // What the file writer needs.
    const std::map<CellPosition, Cell> &cellMap() const { return m_cells; }
    const std::map<int, CellStyle> &rowStyles() const { return m_rowStyles; }
    const std::map<int, CellStyle> &columnStyles() const { return m_columnStyles; }
    const std::map<int, double> &columnWidths() const { return m_columnWidths; }
    // The style a cell shows: its own, else its row's, else its column's.
    CellStyle effectiveStyle(const CellPosition &position) const;
    // The last row and the last column that hold a value; 0 in an empty sheet.
    CellPosition lastUsed() const;

    // What the file reader fills in.
    void setCellValue(const CellPosition &position, const QVariant &value);

private:
    friend class Range;

    const Workbook &m_book;
    QString m_name;
    std::map<CellPosition, Cell> m_cells;
    std::map<int, CellStyle> m_rowStyles;
    std::map<int, CellStyle> m_columnStyles;
    std::map<int, double> m_columnWidths;
};

// A rectangle of cells, or whole rows, or whole columns, of one sheet.
class Range
{
public:
    enum class Kind { Cells, Rows, Columns };

    // The texts go in as typed into a German spreadsheet (CellConversion.h),
    // into cells of the text format ("@") as text; the array must have the
    // range's size. Not for whole rows or columns.
    void setValue(const QList<QStringList> &texts);
    // Rows of values: invalid (empty), double or QString. Whole rows or
    // columns reach only as far as the sheet is used.
    QList<QVariantList> value() const;

    class Borders borders() const;
    class Font font() const;
    void setNumberFormat(const QString &format);
    // Fits the width of each column to its texts. Only for whole columns.
    void autofit();
    // Rows of whole rows (up to the last used one), columns of whole
    // columns (likewise), cells of a rectangle.
    int count() const;

    CellPosition topLeft() const { return {m_top, m_left}; }
    CellPosition bottomRight() const { return {m_bottom, m_right}; }

private:
    friend class Worksheet;
    friend class Borders;
    friend class Font;
    Range(Worksheet &sheet, Kind kind, int top, int left, int bottom, int right);

    void applyStyle(const std::function<void(CellStyle &)> &change);
    int visibleBottom() const;
    int visibleRight() const;

    Worksheet *m_sheet;
    Kind m_kind;
    int m_top, m_left, m_bottom, m_right;
};

class Borders
{
public:
    // xlContinuous or xlLineStyleNone.
    void setLineStyle(int lineStyle);
    // 1 hairline, 2 thin, 3 or xlMedium medium, 4 thick.
    void setWeight(int weight);

private:
    friend class Range;
    explicit Borders(Range range)
        : m_range(range)
    {
    }
    Range m_range;
};

class Font
{
public:
    void setBold(bool bold);
    void setStrikethrough(bool strikethrough);

private:
    friend class Range;
    explicit Font(Range range)
        : m_range(range)
    {
    }
    Range m_range;
};

} // namespace platform::office
