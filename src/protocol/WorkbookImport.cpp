#include "protocol/WorkbookImport.h"

#include "platform/office/OfficeError.h"
#include "platform/office/SpreadsheetServer.h"
#include "protocol/WorkbookLayout.h"

#include <QFileInfo>
#include <QHash>

#include <optional>

using namespace platform::office;
using namespace Qt::StringLiterals;

namespace protocol {

namespace {

// Rows a notice names before it only counts the rest.
constexpr qsizetype kListedRows = 10;

struct StartListRow
{
    int sheetRow; // as the spreadsheet numbers it, the header being 1
    ProtocolRow cells;
};

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

QList<QVariantList> sheetValues(Worksheet &sheet, int rows)
{
    if (rows < 1)
        return {};
    return sheet.range(sheet.cells(1, 1), sheet.cells(rows, kSplitColumns)).value();
}

QString firstCell(Worksheet &sheet)
{
    return startListCellText(sheetValues(sheet, 1).value(0).value(0), 0);
}

int startListIndex(Workbook &book, const QString &shownName)
{
    const QStringList names = book.sheetNames();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names.at(i).trimmed().compare(startListName(), Qt::CaseInsensitive) == 0)
            return int(i) + 1;
    }
    // A start list renamed in front of the athletes, as older versions read it.
    if (firstCell(book.workSheets(1)) == u"Nr.")
        return 1;
    throw OfficeError(
        u"Die Datei %1 enthält keine Startliste: keine Tabelle \"%2\" und keine "
        u"erste Tabelle, die mit \"Nr.\" beginnt."_s.arg(quoted(shownName), startListName()));
}

// The data rows under the header; rows without any text are gaps, not the end.
QList<StartListRow> startListRows(Worksheet &list, const QString &shownName)
{
    const QList<QVariantList> values = sheetValues(list, list.rows().count());
    if (values.isEmpty() || startListCellText(values.first().value(0), 0).isEmpty())
        throw OfficeError(u"Die Startliste der Datei %1 hat keine Kopfzeile: die Zelle A1 ist "
                          u"leer."_s.arg(quoted(shownName)));
    QList<StartListRow> rows;
    for (qsizetype t = 1; t < values.size(); ++t) {
        StartListRow row{int(t) + 1, {}};
        bool empty = true;
        for (int col = 0; col < ProtocolColumns; ++col) {
            row.cells[col] = startListCellText(values.at(t).value(col), col);
            empty = empty && row.cells[col].isEmpty();
        }
        if (!empty)
            rows.append(row);
    }
    return rows;
}

::SplitBlock athleteSheetBlock(Worksheet &sheet)
{
    ::SplitBlock block;
    const QList<QVariantList> values = sheetValues(sheet, kSplitBlockRows);
    for (int k = 0; k < kSplitBlockRows; ++k) {
        for (int col = 0; col < kSplitColumns; ++col)
            block[k][col] = splitCellText(values.value(k).value(col));
    }
    return block;
}

// A sheet taken by its place must not be some other table.
bool holdsOnlyASplitBlock(const Worksheet &sheet)
{
    const CellPosition last = sheet.lastUsed();
    return last.row <= kSplitBlockRows && last.column <= kSplitColumns;
}

// Which sheet holds each start-list row's split table.
class SheetMatcher
{
public:
    SheetMatcher(Workbook &book, int startList, const QList<StartListRow> &rows)
        : m_book(book)
        , m_rows(rows)
        , m_sheetOf(rows.size(), 0)
    {
        for (int i = 1; i <= book.workSheets().count(); ++i) {
            if (i == startList)
                continue;
            m_byName.insert(book.workSheets(i).name().toCaseFolded(), int(m_sheets.size()));
            m_sheets.append(Sheet{i, false, std::nullopt});
        }
        matchByName();
        matchByPlace();
    }

    // Sheet number per row, 0 for none.
    const QList<int> &sheetOf() const { return m_sheetOf; }
    const QList<qsizetype> &byPlace() const { return m_byPlace; }
    const QList<qsizetype> &withoutSheet() const { return m_withoutSheet; }

private:
    struct Sheet
    {
        int number;
        bool taken = false;
        std::optional<QString> meanFinal; // read when first asked
    };

    void take(qsizetype row, int sheet)
    {
        m_sheets[sheet].taken = true;
        m_sheetOf[row] = m_sheets[sheet].number;
    }

    void matchByName()
    {
        QList<ProtocolRow> cells;
        for (const StartListRow &row : m_rows)
            cells.append(row.cells);
        // The export's names differ even without regard to case, so each
        // names at most one sheet.
        QList<int> named;
        for (const QString &name : athleteSheetNames(cells))
            named.append(m_byName.value(name.toCaseFolded(), -1));
        // Namesakes share their sheets ("Tim", "Tim (2)"): which of them the
        // export named first depends on an order the coach may have sorted.
        QHash<QString, QList<qsizetype>> namesakes;
        QStringList family;
        for (qsizetype i = 0; i < m_rows.size(); ++i) {
            family.append(athleteSheetNames({cells.at(i)}).constFirst().toCaseFolded());
            namesakes[family.last()].append(i);
        }
        for (qsizetype i = 0; i < m_rows.size(); ++i) {
            QList<int> candidates;
            for (const qsizetype j : *namesakes.constFind(family.at(i))) {
                if (named.at(j) >= 0 && !m_sheets.at(named.at(j)).taken)
                    candidates.append(named.at(j));
            }
            if (!candidates.isEmpty())
                take(i, chooseAmong(candidates, named.at(i), m_rows.at(i)));
        }
    }

    // Of a namesake's sheets, the one whose mean final time is the row's
    // "Zeit"; else the one of the row's own name.
    int chooseAmong(const QList<int> &candidates, int own, const StartListRow &row)
    {
        if (candidates.size() == 1)
            return candidates.first();
        for (const int sheet : candidates) {
            if (meanFinalTime(sheet) == row.cells[kStartListZeitColumn])
                return sheet;
        }
        return candidates.contains(own) ? own : candidates.first();
    }

    const QString &meanFinalTime(int sheet)
    {
        std::optional<QString> &meanFinal = m_sheets[sheet].meanFinal;
        if (!meanFinal)
            meanFinal =
                athleteSheetBlock(m_book.workSheets(m_sheets[sheet].number))[0][kSplitColumns - 1];
        return *meanFinal;
    }

    // The export puts the sheet of start-list row t at place t - 1 after the list.
    void matchByPlace()
    {
        for (qsizetype i = 0; i < m_rows.size(); ++i) {
            if (m_sheetOf.at(i) != 0)
                continue;
            const qsizetype place = m_rows.at(i).sheetRow - 2;
            if (place < m_sheets.size() && !m_sheets.at(place).taken &&
                holdsOnlyASplitBlock(m_book.workSheets(m_sheets.at(place).number))) {
                take(i, int(place));
                m_byPlace.append(i);
            } else {
                m_withoutSheet.append(i);
            }
        }
    }

    Workbook &m_book;
    const QList<StartListRow> &m_rows;
    QList<Sheet> m_sheets; // every sheet but the start list, in order
    QHash<QString, int> m_byName;
    QList<int> m_sheetOf;
    QList<qsizetype> m_byPlace;
    QList<qsizetype> m_withoutSheet;
};

QString rowLabel(const StartListRow &row)
{
    QStringList parts;
    for (const QString &text : {row.cells[0].trimmed(), row.cells[1].trimmed()}) {
        if (!text.isEmpty())
            parts.append(text);
    }
    const QString label = u"Zeile %1"_s.arg(row.sheetRow);
    return parts.isEmpty() ? label : label + u" ("_s + parts.join(u' ') + u')';
}

QString listed(const QStringList &items)
{
    if (items.size() <= kListedRows)
        return items.join(u", ");
    return items.first(kListedRows).join(u", ") +
           u" und %1 weitere"_s.arg(items.size() - kListedRows);
}

QString matchNotice(Workbook &book, const QList<StartListRow> &rows, const SheetMatcher &matcher,
                    const QString &shownName)
{
    QStringList paragraphs;
    if (!matcher.byPlace().isEmpty()) {
        QStringList items;
        for (const qsizetype i : matcher.byPlace())
            items.append(rowLabel(rows.at(i)) + u" → "_s +
                         quoted(book.workSheets(matcher.sheetOf().at(i)).name()));
        paragraphs.append(u"Diese Zeilen der Startliste haben keine Tabelle ihres Namens und "
                          u"bekommen die Tabelle an ihrer Position: %1."_s.arg(listed(items)));
    }
    if (!matcher.withoutSheet().isEmpty()) {
        QStringList items;
        for (const qsizetype i : matcher.withoutSheet())
            items.append(rowLabel(rows.at(i)));
        paragraphs.append(u"Diese Zeilen der Startliste haben keine Tabelle; ihre "
                          u"Zwischenzeiten bleiben leer: %1."_s.arg(listed(items)));
    }
    if (paragraphs.isEmpty())
        return {};
    paragraphs.prepend(u"Die Datei %1 ist geladen."_s.arg(quoted(shownName)));
    return paragraphs.join(u"\n\n");
}

} // namespace

WorkbookContents readProtocolWorkbook(const QString &fileName)
{
    const QString shownName = QFileInfo(fileName).fileName();
    SpreadsheetServer server;
    Workbook &book = server.workBooks().open(fileName);
    const int startList = startListIndex(book, shownName);
    const QList<StartListRow> rows = startListRows(book.workSheets(startList), shownName);
    const SheetMatcher matcher(book, startList, rows);

    WorkbookContents contents;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        contents.rows.append(rows.at(i).cells);
        const int sheet = matcher.sheetOf().at(i);
        contents.blocks.append(sheet != 0 ? athleteSheetBlock(book.workSheets(sheet))
                                          : ::SplitBlock{});
    }
    contents.notice = matchNotice(book, rows, matcher, shownName);
    return contents;
}

} // namespace protocol
