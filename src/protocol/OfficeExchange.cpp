#include "protocol/OfficeExchange.h"

#include "platform/office/CellConversion.h"
#include "platform/office/DocumentServer.h"
#include "platform/office/OfficeError.h"
#include "platform/office/SheetNames.h"
#include "platform/office/SpreadsheetServer.h"
#include "protocol/ProtocolTables.h"

#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>

using namespace platform::office;
using namespace Qt::StringLiterals;

namespace {

constexpr int kNrColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kZeitColumn = 2;
constexpr int kFirstSheetRow = 1; // sheet rows and columns count from 1

// Time texts write seconds "," hundredths on every system, so numbers come
// back with a comma whatever the locale; with its "." the time parse would
// misread every imported time.
constexpr QChar kTimeDecimalPoint = u',';

const QString kProtocolSheetName = u"Startliste"_s;

// The hourglass while the office layer works.
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// The protocol grid, header row first, and the split block of every data row.
struct ProtocolContents
{
    QList<QStringList> rows;
    QList<SplitBlock> blocks;
};

ProtocolContents protocolContents(const TProtocolTables &tables)
{
    ProtocolContents contents;
    const protocol::ProtocolRows rows = tables.protocolRows();
    contents.rows.reserve(rows.size());
    for (const protocol::ProtocolRow &row : rows)
        contents.rows.append(QStringList(row.begin(), row.end()));
    for (int row = 1; row < rows.size(); ++row)
        contents.blocks.append(tables.splitBlock(row));
    return contents;
}

QList<QStringList> blockTexts(const SplitBlock &block)
{
    QList<QStringList> texts;
    texts.reserve(kSplitBlockRows);
    for (const SplitRow &row : block)
        texts.append(QStringList(row.begin(), row.end()));
    return texts;
}

// Sheet names from the athletes' names; where a name is empty, the start
// number, and never the protocol sheet's name.
QStringList athleteSheetNames(const QList<QStringList> &protocolRows)
{
    QStringList names;
    QStringList startNumbers;
    for (qsizetype row = 1; row < protocolRows.size(); ++row) {
        names.append(protocolRows.at(row).value(kNameColumn));
        startNumbers.append(protocolRows.at(row).value(kNrColumn));
    }
    return validSheetNames(names, startNumbers, {kProtocolSheetName});
}

void fillAthleteSheet(Worksheet &sheet, const SplitBlock &block)
{
    Range range = sheet.range(sheet.cells(1, 1), sheet.cells(kSplitBlockRows, kSplitColumns));
    range.setValue(blockTexts(block));
    range.borders().setLineStyle(xlContinuous);
    sheet.rows(kFirstSheetRow).font().setBold(true);
    // Sheet rows number like the split grid's rows: row 1 means, 2 to 6 attempts.
    if (const int excluded = summarizeSplits(block).excludedRow; excluded != kNoExcludedRow)
        sheet.rows(excluded).font().setStrikethrough(true);
    sheet.rows(kFirstSheetRow).borders().setWeight(xlMedium3);
    range.setNumberFormat(QString::fromUtf16(kHundredthsFormat));
    sheet.columns().autofit();
}

void fillProtocolSheet(Worksheet &sheet, const QList<QStringList> &rows)
{
    Range range = sheet.range(sheet.cells(1, 1), sheet.cells(int(rows.size()), kSplitColumns));
    range.setValue(rows);
    range.borders().setLineStyle(xlContinuous);
    sheet.rows(kFirstSheetRow).font().setBold(true);
    sheet.rows(kFirstSheetRow).borders().setWeight(xlMedium3);
    sheet.columns(kZeitColumn + 1).setNumberFormat(QString::fromUtf16(kHundredthsFormat));
}

// The workbook as a spreadsheet program is told to build it: athletes from
// the last to the first, each new sheet in front, the protocol sheet in front
// of all. The new workbook's one default sheet becomes the last athlete's.
Workbook &buildWorkbook(SpreadsheetServer &server, const ProtocolContents &contents,
                        const QString &subject)
{
    Workbook &book = server.workBooks().add();
    const QStringList names = athleteSheetNames(contents.rows);
    for (qsizetype r = contents.blocks.size(); r >= 1; --r) {
        if (r != contents.blocks.size())
            server.workSheets().add();
        Worksheet &sheet = book.workSheets(1);
        sheet.setName(names.at(r - 1));
        fillAthleteSheet(sheet, contents.blocks.at(r - 1));
    }
    server.workSheets().add();
    Worksheet &protocol = book.workSheets(1);
    fillProtocolSheet(protocol, contents.rows);
    book.setAuthor(u"Korvel Software"_s);
    book.setSubject(subject);
    protocol.setName(kProtocolSheetName);
    protocol.columns().autofit();
    return book;
}

// A workbook's contents, read and checked in full before anything is replaced.
struct ImportedProtocol
{
    QList<protocol::ProtocolRow> rows; // data rows only
    QList<SplitBlock> blocks;
    bool noDataRows = false;
};

QList<QVariantList> sheetValues(Worksheet &sheet, int rows)
{
    if (rows < 1)
        return {};
    return sheet.range(sheet.cells(1, 1), sheet.cells(rows, kSplitColumns)).value();
}

// The protocol sheet's leading rows with a filled column A; the first is the
// header. "Zeit" keeps its hundredths, other whole numbers read as digits.
QList<protocol::ProtocolRow> protocolSheetRows(Worksheet &sheet)
{
    QList<protocol::ProtocolRow> rows;
    for (const QVariantList &values : sheetValues(sheet, sheet.rows().count())) {
        protocol::ProtocolRow row;
        for (int col = 0; col < kSplitColumns; ++col) {
            const WholeNumbers whole =
                col == kZeitColumn ? WholeNumbers::AsDecimal : WholeNumbers::AsDigits;
            row[col] = cellText(values.value(col), kTimeDecimalPoint, whole);
        }
        if (row[kNrColumn].isEmpty())
            break;
        rows.append(row);
    }
    return rows;
}

SplitBlock athleteSheetBlock(Worksheet &sheet)
{
    SplitBlock block;
    const QList<QVariantList> values = sheetValues(sheet, kSplitBlockRows);
    for (int k = 0; k < kSplitBlockRows; ++k) {
        for (int col = 0; col < kSplitColumns; ++col)
            block[k][col] =
                cellText(values.value(k).value(col), kTimeDecimalPoint, WholeNumbers::AsDecimal);
    }
    return block;
}

ImportedProtocol readProtocolWorkbook(const QString &fileName)
{
    SpreadsheetServer server;
    Workbook &book = server.workBooks().open(fileName);
    ImportedProtocol imported;
    imported.rows = protocolSheetRows(book.workSheets(1));
    if (!imported.rows.isEmpty())
        imported.rows.removeFirst(); // the header; the protocol keeps its own
    imported.noDataRows = imported.rows.isEmpty();
    const int sheets = book.workSheets().count();
    for (int k = 1; k <= imported.rows.size(); ++k) {
        if (k + 1 > sheets)
            throw OfficeError(
                u"Die Datei \"%1\" enthält keine Tabelle für die Zeile %2 der Startliste."_s
                    .arg(QFileInfo(fileName).fileName())
                    .arg(k));
        imported.blocks.append(athleteSheetBlock(book.workSheets(k + 1)));
    }
    return imported;
}

// One paragraph per row, cells separated by TAB. A TAB or a line break inside
// a cell would split it, so it becomes a blank.
QString documentText(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        QStringList cells = row;
        for (QString &cell : cells) {
            for (QChar &c : cell) {
                if (c == u'\t' || c == u'\r' || c == u'\n')
                    c = u' ';
            }
        }
        text += cells.join(u'\t');
        text += u"\r\n"_s;
    }
    return text;
}

} // namespace

void ExportToExcel(TProtocolTables &tables, const QString &fileName, const QString &subject,
                   const platform::Shell &shell)
{
    const WaitCursor wait;
    SpreadsheetServer server(shell);
    Workbook &book = buildWorkbook(server, protocolContents(tables), subject);
    if (fileName.isEmpty())
        server.setVisible(true);
    else
        book.saveAs(fileName);
    // While a run is timed its attempt belongs to the row selected at its start.
    if (tables.tablesEnabled())
        tables.showProtocolRow(1);
}

QString ImportFromExcel(TProtocolTables &tables, const QString &fileName)
{
    // The run being timed would be credited to whichever row 1 the file brings.
    if (!tables.tablesEnabled())
        throw OfficeError(u"Während eines Laufs kann kein Protokoll geladen werden."_s);
    const WaitCursor wait;
    const ImportedProtocol imported = readProtocolWorkbook(fileName);
    tables.replaceProtocol(imported.rows, imported.blocks);
    if (imported.noDataRows)
        return u"Die Startliste in der Datei \"%1\" enthält keine Zeilen. Das Protokoll ist "
               u"jetzt leer."_s.arg(QFileInfo(fileName).fileName());
    return {};
}

void ExportToWord(const TProtocolTables &tables, const QString &fileName,
                  const QString &templatePath)
{
    const WaitCursor wait;
    const ProtocolContents contents = protocolContents(tables);
    DocumentServer server;
    if (QFileInfo::exists(templatePath))
        server.fileOpen(templatePath);
    else
        server.fileNew();
    server.insert(documentText(contents.rows));
    server.lineUp(int(contents.rows.size()), true);
    server.textToTable(ConvertFrom::Tabs, kSplitColumns);
    server.fileSaveAs(fileName);
    server.appClose();
}
