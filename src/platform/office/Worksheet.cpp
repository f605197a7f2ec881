#include "platform/office/Worksheet.h"

#include "platform/office/CellConversion.h"
#include "platform/office/OfficeError.h"
#include "platform/office/SheetNames.h"
#include "platform/office/Workbook.h"

#include <algorithm>
#include <limits>

namespace platform::office {
namespace {

// Formatting or reading cell by cell beyond this would stall; a real
// spreadsheet keeps such areas as one style, which nothing here needs.
constexpr qint64 kMaxFormattedCells = 1'000'000;

QString displayText(const Cell &cell, const CellStyle &style)
{
    if (cell.value.typeId() != QMetaType::Double)
        return cell.value.toString();
    const double number = cell.value.toDouble();
    if (style.numberFormat == QString::fromUtf16(kHundredthsFormat))
        return cellText(number, u',', WholeNumbers::AsDecimal);
    return QString::number(number, 'g', 10).replace(u'.', u',');
}

void checkPosition(int row, int column)
{
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        throw OfficeError(
            QStringLiteral("Die Zelle (%1, %2) liegt außerhalb der Tabelle.").arg(row).arg(column));
}

} // namespace

CellStyle CellStyle::over(const CellStyle &under) const
{
    CellStyle style;
    style.bold = bold ? bold : under.bold;
    style.strikethrough = strikethrough ? strikethrough : under.strikethrough;
    style.numberFormat = numberFormat ? numberFormat : under.numberFormat;
    style.lineStyle = lineStyle ? lineStyle : under.lineStyle;
    style.borderWeight = borderWeight ? borderWeight : under.borderWeight;
    return style;
}

bool CellStyle::hasBorder() const
{
    // A weight alone draws a continuous line, as in a spreadsheet.
    return lineStyle ? *lineStyle != xlLineStyleNone : borderWeight.has_value();
}

bool CellStyle::isEmpty() const
{
    return !bold && !strikethrough && !numberFormat && !lineStyle && !borderWeight;
}

Worksheet::Worksheet(const Workbook &book, QString name)
    : m_book(book)
    , m_name(std::move(name))
{
}

void Worksheet::setName(const QString &name)
{
    QStringList others = m_book.sheetNames();
    others.removeOne(m_name);
    if (const QString fault = sheetNameFault(name, others); !fault.isEmpty())
        throw OfficeError(fault);
    m_name = name;
}

Range Worksheet::cells(int row, int column)
{
    checkPosition(row, column);
    return Range(*this, Range::Kind::Cells, row, column, row, column);
}

Range Worksheet::range(const Range &from, const Range &to)
{
    return Range(*this, Range::Kind::Cells, std::min(from.m_top, to.m_top),
                 std::min(from.m_left, to.m_left), std::max(from.m_bottom, to.m_bottom),
                 std::max(from.m_right, to.m_right));
}

Range Worksheet::rows()
{
    return Range(*this, Range::Kind::Rows, 1, 1, kMaxRows, kMaxColumns);
}

Range Worksheet::rows(int row)
{
    checkPosition(row, 1);
    return Range(*this, Range::Kind::Rows, row, 1, row, kMaxColumns);
}

Range Worksheet::columns()
{
    return Range(*this, Range::Kind::Columns, 1, 1, kMaxRows, kMaxColumns);
}

Range Worksheet::columns(int column)
{
    checkPosition(1, column);
    return Range(*this, Range::Kind::Columns, 1, column, kMaxRows, column);
}

CellStyle Worksheet::effectiveStyle(const CellPosition &position) const
{
    CellStyle style;
    if (const auto cell = m_cells.find(position); cell != m_cells.end())
        style = cell->second.style;
    if (const auto row = m_rowStyles.find(position.row); row != m_rowStyles.end())
        style = style.over(row->second);
    if (const auto column = m_columnStyles.find(position.column); column != m_columnStyles.end())
        style = style.over(column->second);
    return style;
}

CellPosition Worksheet::lastUsed() const
{
    CellPosition last{0, 0};
    for (const auto &[position, cell] : m_cells) {
        if (cell.value.isValid())
            last = {std::max(last.row, position.row), std::max(last.column, position.column)};
    }
    return last;
}

void Worksheet::setCellValue(const CellPosition &position, const QVariant &value)
{
    checkPosition(position.row, position.column);
    if (value.isValid())
        m_cells[position].value = value;
    else if (const auto cell = m_cells.find(position); cell != m_cells.end()) {
        cell->second.value = QVariant();
        if (cell->second.style.isEmpty())
            m_cells.erase(cell);
    }
}

Range::Range(Worksheet &sheet, Kind kind, int top, int left, int bottom, int right)
    : m_sheet(&sheet)
    , m_kind(kind)
    , m_top(top)
    , m_left(left)
    , m_bottom(bottom)
    , m_right(right)
{
}

int Range::visibleBottom() const
{
    return m_kind == Kind::Cells ? m_bottom : std::min(m_bottom, m_sheet->lastUsed().row);
}

int Range::visibleRight() const
{
    return m_kind == Kind::Cells ? m_right : std::min(m_right, m_sheet->lastUsed().column);
}

void Range::setValue(const QList<QStringList> &texts)
{
    const int rowCount = m_bottom - m_top + 1;
    const int columnCount = m_right - m_left + 1;
    const bool fits = m_kind == Kind::Cells && texts.size() == rowCount &&
                      std::all_of(texts.begin(), texts.end(), [&](const QStringList &row) {
                          return row.size() == columnCount;
                      });
    if (!fits)
        throw OfficeError(QStringLiteral("Die Werte passen nicht in den Bereich."));

    for (int r = 0; r < rowCount; ++r) {
        for (int c = 0; c < columnCount; ++c) {
            const CellPosition position{m_top + r, m_left + c};
            const QString &text = texts.at(r).at(c);
            if (m_sheet->effectiveStyle(position).numberFormat == QString::fromUtf16(kTextFormat)) {
                m_sheet->setCellValue(position, text.isEmpty() ? QVariant() : QVariant(text));
                continue;
            }
            const CellValue converted = cellValueFromText(text);
            m_sheet->setCellValue(position, converted.value);
            if (!converted.numberFormat.isEmpty() &&
                !m_sheet->effectiveStyle(position).numberFormat)
                m_sheet->m_cells[position].style.numberFormat = converted.numberFormat;
        }
    }
}

QList<QVariantList> Range::value() const
{
    const int bottom = visibleBottom();
    const int right = visibleRight();
    if (qint64(bottom - m_top + 1) * (right - m_left + 1) > kMaxFormattedCells)
        throw OfficeError(QStringLiteral("Der Bereich ist zu groß zum Lesen."));
    QList<QVariantList> rows;
    for (int row = m_top; row <= bottom; ++row) {
        QVariantList values;
        for (int column = m_left; column <= right; ++column) {
            const auto cell = m_sheet->m_cells.find({row, column});
            values.append(cell != m_sheet->m_cells.end() ? cell->second.value : QVariant());
        }
        rows.append(values);
    }
    return rows;
}

void Range::applyStyle(const std::function<void(CellStyle &)> &change)
{
    const auto tooLarge = [] {
        return OfficeError(QStringLiteral("Der Bereich ist zu groß zum Formatieren."));
    };
    auto &cells = m_sheet->m_cells;
    switch (m_kind) {
    case Kind::Cells:
        if (qint64(m_bottom - m_top + 1) * (m_right - m_left + 1) > kMaxFormattedCells)
            throw tooLarge();
        for (int row = m_top; row <= m_bottom; ++row) {
            for (int column = m_left; column <= m_right; ++column)
                change(cells[{row, column}].style);
        }
        return;
    case Kind::Rows:
    case Kind::Columns: {
        const bool rows = m_kind == Kind::Rows;
        const int first = rows ? m_top : m_left;
        const int last = rows ? m_bottom : m_right;
        if (last - first + 1 > kMaxFormattedCells)
            throw tooLarge();
        auto &lineStyles = rows ? m_sheet->m_rowStyles : m_sheet->m_columnStyles;
        for (int line = first; line <= last; ++line)
            change(lineStyles[line]);
        // Cells already there take the change too, over their own style.
        for (auto &[position, cell] : cells) {
            const int line = rows ? position.row : position.column;
            if (line >= first && line <= last)
                change(cell.style);
        }
        return;
    }
    }
}

Borders Range::borders() const
{
    return Borders(*this);
}

Font Range::font() const
{
    return Font(*this);
}

void Range::setNumberFormat(const QString &format)
{
    applyStyle([&](CellStyle &style) { style.numberFormat = format; });
}

void Range::autofit()
{
    if (m_kind != Kind::Columns)
        throw OfficeError(QStringLiteral("Nur ganze Spalten lassen sich anpassen."));
    std::map<int, double> widths;
    for (const auto &[position, cell] : m_sheet->m_cells) {
        if (position.column < m_left || position.column > m_right || !cell.value.isValid())
            continue;
        const CellStyle style = m_sheet->effectiveStyle(position);
        // Widths count characters of the standard font; bold runs wider.
        const double characters =
            displayText(cell, style).size() * (style.bold.value_or(false) ? 1.1 : 1.0);
        double &width = widths[position.column];
        width = std::max(width, characters + 1.0);
    }
    auto &columnWidths = m_sheet->m_columnWidths;
    columnWidths.erase(columnWidths.lower_bound(m_left), columnWidths.upper_bound(m_right));
    columnWidths.merge(widths);
}

int Range::count() const
{
    switch (m_kind) {
    case Kind::Rows:
        return std::max(0, visibleBottom() - m_top + 1);
    case Kind::Columns:
        return std::max(0, visibleRight() - m_left + 1);
    case Kind::Cells:
        break;
    }
    const qint64 cells = qint64(m_bottom - m_top + 1) * (m_right - m_left + 1);
    return static_cast<int>(std::min<qint64>(cells, std::numeric_limits<int>::max()));
}

void Borders::setLineStyle(int lineStyle)
{
    if (lineStyle != xlContinuous && lineStyle != xlLineStyleNone)
        throw OfficeError(QStringLiteral("Die Linienart %1 gibt es nicht.").arg(lineStyle));
    m_range.applyStyle([&](CellStyle &style) { style.lineStyle = lineStyle; });
}

void Borders::setWeight(int weight)
{
    if (weight != xlHairline && weight != xlThin && weight != xlMedium3 && weight != xlThick &&
        weight != xlMedium)
        throw OfficeError(QStringLiteral("Die Linienstärke %1 gibt es nicht.").arg(weight));
    m_range.applyStyle([&](CellStyle &style) { style.borderWeight = weight; });
}

void Font::setBold(bool bold)
{
    m_range.applyStyle([&](CellStyle &style) { style.bold = bold; });
}

void Font::setStrikethrough(bool strikethrough)
{
    m_range.applyStyle([&](CellStyle &style) { style.strikethrough = strikethrough; });
}

} // namespace platform::office
