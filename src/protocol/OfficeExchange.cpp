#include "protocol/OfficeExchange.h"

#include "platform/office/CellConversion.h"
#include "platform/office/DocumentServer.h"
#include "platform/office/OfficeError.h"
#include "platform/office/SpreadsheetServer.h"
#include "protocol/ProtocolTables.h"
#include "protocol/WorkbookImport.h"
#include "protocol/WorkbookLayout.h"

#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>

using namespace platform::office;
using namespace Qt::StringLiterals;

namespace {

constexpr int kFirstSheetRow = 1; // sheet rows and columns count from 1

// The author the workbook and a document without template name.
const QString kAuthor = u"Korvel Software"_s;

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
    QList<protocol::ProtocolRow> dataRows;
    QList<SplitBlock> blocks;
};

ProtocolContents protocolContents(const TProtocolTables &tables)
{
    ProtocolContents contents;
    const protocol::ProtocolRows rows = tables.protocolRows();
    contents.rows.reserve(rows.size());
    for (const protocol::ProtocolRow &row : rows)
        contents.rows.append(QStringList(row.begin(), row.end()));
    contents.dataRows = rows.mid(1);
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
    for (int row = 0; row < rows.size(); ++row) {
        for (int col = 0; col < protocol::ProtocolColumns; ++col) {
            if (protocol::startListCellStaysText(rows.at(row).value(col), col))
                sheet.cells(row + 1, col + 1).setNumberFormat(QString::fromUtf16(kTextFormat));
        }
    }
    Range range = sheet.range(sheet.cells(1, 1), sheet.cells(int(rows.size()), kSplitColumns));
    range.setValue(rows);
    range.borders().setLineStyle(xlContinuous);
    sheet.rows(kFirstSheetRow).font().setBold(true);
    sheet.rows(kFirstSheetRow).borders().setWeight(xlMedium3);
    sheet.columns(protocol::kStartListZeitColumn + 1)
        .setNumberFormat(QString::fromUtf16(kHundredthsFormat));
}

// The workbook as a spreadsheet program is told to build it: athletes from
// the last to the first, each new sheet in front, the protocol sheet in front
// of all. The new workbook's one default sheet becomes the last athlete's.
Workbook &buildWorkbook(SpreadsheetServer &server, const ProtocolContents &contents,
                        const QString &subject)
{
    Workbook &book = server.workBooks().add();
    const QStringList names = protocol::athleteSheetNames(contents.dataRows);
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
    book.setAuthor(kAuthor);
    book.setSubject(subject);
    protocol.setName(protocol::startListName());
    protocol.columns().autofit();
    return book;
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

QString ExportToExcel(TProtocolTables &tables, const QString &fileName, const QString &subject,
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
    return server.shownFileName();
}

QString ImportFromExcel(TProtocolTables &tables, const QString &fileName)
{
    // The run being timed would be credited to whichever row 1 the file brings.
    if (!tables.tablesEnabled())
        throw OfficeError(u"Während eines Laufs kann kein Protokoll geladen werden."_s);
    const WaitCursor wait;
    const protocol::WorkbookContents contents = protocol::readProtocolWorkbook(fileName);
    tables.replaceProtocol(contents.rows, contents.blocks);
    if (contents.rows.isEmpty())
        return u"Die Startliste in der Datei \"%1\" enthält keine Zeilen. Das Protokoll ist "
               u"jetzt leer."_s.arg(QFileInfo(fileName).fileName());
    return contents.notice;
}

void ExportToWord(const TProtocolTables &tables, const QString &fileName,
                  const QString &templatePath, const QString &subject)
{
    const WaitCursor wait;
    const ProtocolContents contents = protocolContents(tables);
    DocumentServer server;
    if (QFileInfo::exists(templatePath))
        server.fileOpen(templatePath);
    else
        server.fileNew(kAuthor, subject);
    server.insert(documentText(contents.rows));
    server.lineUp(int(contents.rows.size()), true);
    server.textToTable(ConvertFrom::Tabs, kSplitColumns);
    server.fileSaveAs(fileName);
    server.appClose();
}
