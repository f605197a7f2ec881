#include "protocol/OfficeExchange.h"

#include "controls/SortGrid.h"
#include "platform/office/AtomicFile.h"
#include "platform/office/DocumentServer.h"
#include "platform/office/OfficeError.h"
#include "platform/office/SpreadsheetServer.h"
#include "platform/office/ZipArchive.h"
#include "protocol/ProtocolTables.h"

#include "../platform/IndependentReaders.h"
#include "WorkbookFixtures.h"

#include "../FileBytes.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <optional>

using namespace platform::office;
using namespace Qt::StringLiterals;

namespace {

using Host = ProtocolHost;

QList<QVariantList> sheetValues(Worksheet &sheet, int rows)
{
    return sheet.range(sheet.cells(1, 1), sheet.cells(rows, 4)).value();
}

// A workbook with only a protocol sheet of the given rows.
void writeProtocolOnly(const QString &fileName, const QList<QStringList> &rows)
{
    SpreadsheetServer server;
    Workbook &book = server.workBooks().add();
    Worksheet &sheet = book.workSheets(1);
    sheet.setName(u"Startliste"_s);
    if (!rows.isEmpty())
        sheet.range(sheet.cells(1, 1), sheet.cells(int(rows.size()), 4)).setValue(rows);
    book.saveAs(fileName);
}

// The same package with one part replaced.
QByteArray withPart(const QString &fileName, const QString &partName, const QByteArray &data)
{
    ZipReader package = ZipReader::fromFile(fileName);
    ZipWriter writer;
    for (const QString &name : package.partNames())
        writer.add(name, name == partName ? data : package.part(name));
    return writer.finish();
}

// What a document's body holds: the name of its first block, the cell texts of
// its tables and the texts of its paragraphs outside tables.
struct DocumentContents
{
    QString firstBlock;
    QList<QList<QStringList>> tables;
    QStringList paragraphs;
};

DocumentContents readDocument(const QString &fileName)
{
    ZipReader package = ZipReader::fromFile(fileName);
    QXmlStreamReader xml(package.part(u"word/document.xml"_s));
    DocumentContents contents;
    int depth = 0;
    int bodyDepth = -1;
    QString paragraph;
    bool inTable = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            const QStringView name = xml.name();
            if (name == u"body") {
                bodyDepth = depth;
            } else if (depth == bodyDepth + 1) {
                if (contents.firstBlock.isEmpty())
                    contents.firstBlock = name.toString();
                inTable = name == u"tbl";
                if (inTable)
                    contents.tables.append(QList<QStringList>());
                paragraph.clear();
            }
            if (inTable && name == u"tr") {
                contents.tables.last().append(QStringList());
            } else if (inTable && name == u"tc") {
                contents.tables.last().last().append(QString());
            } else if (name == u"t") {
                const QString text = xml.readElementText();
                --depth;
                if (inTable)
                    contents.tables.last().last().last() += text;
                else
                    paragraph += text;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == bodyDepth + 1 && xml.name() == u"p")
                contents.paragraphs.append(paragraph);
            --depth;
        }
    }
    if (xml.hasError())
        qFatal("document.xml: %s", qPrintable(xml.errorString()));
    return contents;
}

} // namespace

class tst_OfficeExchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void roundTripRestoresProtocolAndSplits_data();
    void roundTripRestoresProtocolAndSplits();
    void workbookHoldsProtocolThenAthletesInOrder();
    void sheetNamesAreMadeValidAndUnique();
    void exportEndsWithRowOneShownButNotDuringARun();
    void exportWithoutNameOpensATemporaryWorkbook();
    void exportReportsWriteFailures();
    void failedImportKeepsTheProtocol_data();
    void failedImportKeepsTheProtocol();
    void importWaitsForTheRunToEnd();
    void startListWithoutRowsGivesOneEmptyRow();
    void importTakesForeignNumbersAndText();
    void documentHoldsTheProtocolTable();
    void documentGoesBeforeTheTemplatesText();
    void documentFailuresAreReported();
    void independentReadersSeeTheSame();
};

void tst_OfficeExchange::roundTripRestoresProtocolAndSplits_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
}

void tst_OfficeExchange::roundTripRestoresProtocolAndSplits()
{
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    QTemporaryDir dir;
    Host source;
    const QString fileName = exportThreeAthletes(source, dir);

    Host target;
    target.run(u"99"_s, 5000);
    QCOMPARE(ImportFromExcel(*target.tables, fileName), QString());
    QCOMPARE(target.protocol(), source.protocol());
    QCOMPARE(target.blocks(), source.blocks());

    // Times keep two decimals and the comma, text stays as it was, and
    // attempts never run stay empty rather than becoming 0,00 attempts.
    QCOMPARE(target.protocol().at(2), (QStringList{u"07"_s, u"Ben"_s, u"7,43"_s, u"2"_s}));
    const SplitBlock ben = target.tables->splitBlock(2);
    QCOMPARE(ben[1], (SplitRow{u"1,05"_s, u"-"_s, u"3,01"_s, u"7,50"_s}));
    QCOMPARE(ben[3], (SplitRow{u"2,00"_s, u"4,00"_s, u"6,00"_s, u"8,00"_s}));
    QCOMPARE(ben[5], SplitRow{});
    QCOMPARE(target.tables->splitBlock(3)[1][3], u"1.02,34"_s);
    QCOMPARE(target.tables->splitBlock(1)[0][3], u"10,50"_s);

    QCOMPARE(target.tables->SortGrid1->row(), 1);
    QCOMPARE(target.tables->shownRow(), 1);
    QCOMPARE(target.tables->excludedRow(), 5);
    QVERIFY(target.button("sbSave")->isEnabled());
    // The next run of an imported athlete fills the first empty attempt.
    target.run(u"07"_s, 7000);
    QCOMPARE(target.tables->splitBlock(2)[5][3], u"7,00"_s);
}

void tst_OfficeExchange::workbookHoldsProtocolThenAthletesInOrder()
{
    QTemporaryDir dir;
    Host host;
    const QString fileName = exportThreeAthletes(host, dir);

    SpreadsheetServer server;
    Workbook &book = server.workBooks().open(fileName);
    QCOMPARE(book.sheetNames(),
             (QStringList{u"Startliste"_s, u"Anna Berg"_s, u"Ben"_s, u"Cleo"_s}));
    Worksheet &protocol = book.workSheets(1);
    QCOMPARE(protocol.rows().count(), 4);
    QCOMPARE(sheetValues(protocol, 2),
             (QList<QVariantList>{{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s},
                                  {7.0, u"Anna Berg"_s, 10.5, QVariant()}}));
    Worksheet &ben = book.workSheets(3);
    QCOMPARE(ben.rows().count(), 5);
    QCOMPARE(sheetValues(ben, 2),
             (QList<QVariantList>{{1.65, 3.7, 4.92, 7.43}, {1.05, u"-"_s, 3.01, 7.5}}));
}

void tst_OfficeExchange::sheetNamesAreMadeValidAndUnique()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"namen.xlsx"_s);
    Host host;
    const QStringList names{QString(),  u"Anna"_s,         u"anna"_s,
                            u"a:b/c"_s, QString(40, u'x'), u"Startliste"_s};
    for (int i = 0; i < names.size(); ++i) {
        host.run(QString::number(i + 1), 9000 + i);
        host.tables->SortGrid1->setCells(1, i + 1, names.at(i));
    }
    ExportToExcel(*host.tables, fileName, u"Tavrin"_s);

    SpreadsheetServer server;
    QCOMPARE(server.workBooks().open(fileName).sheetNames(),
             (QStringList{u"Startliste"_s, u"1"_s, u"Anna"_s, u"anna (2)"_s, u"a_b_c"_s,
                          QString(31, u'x'), u"Startliste (2)"_s}));

    // The protocol keeps the names as they were.
    Host target;
    ImportFromExcel(*target.tables, fileName);
    QCOMPARE(target.protocol(), host.protocol());
}

void tst_OfficeExchange::exportEndsWithRowOneShownButNotDuringARun()
{
    QTemporaryDir dir;
    Host host;
    fillThreeAthletes(host);
    QCOMPARE(host.tables->shownRow(), 3);
    ExportToExcel(*host.tables, dir.filePath(u"a.xlsx"_s), u"Tavrin"_s);
    QCOMPARE(host.tables->SortGrid1->row(), 1);
    QCOMPARE(host.tables->shownRow(), 1);
    QCOMPARE(host.tables->excludedRow(), 5);

    // A run started for Cleo still goes to Cleo when exported meanwhile.
    host.tables->setTablesEnabled(false);
    host.tables->OpenProtocolRow(u"12"_s);
    ExportToExcel(*host.tables, dir.filePath(u"b.xlsx"_s), u"Tavrin"_s);
    QCOMPARE(host.tables->shownRow(), 3);
    host.tables->StoreRunSplits(60000, {15000, 30000, 45000, 60000});
    QCOMPARE(host.tables->splitBlock(3)[2][3], u"1.00,00"_s);
    QCOMPARE(host.tables->splitBlock(1)[0][3], u"10,50"_s);
}

void tst_OfficeExchange::exportWithoutNameOpensATemporaryWorkbook()
{
    Host host;
    fillThreeAthletes(host);
    QList<QUrl> opened;
    ExportToExcel(*host.tables, QString(), u"Tavrin"_s, platform::Shell([&](const QUrl &url) {
        opened.append(url);
        return true;
    }));
    QCOMPARE(opened.size(), 1);
    const QString fileName = opened.at(0).toLocalFile();
    QVERIFY(fileName.endsWith(u".xlsx"_s));
    {
        SpreadsheetServer server;
        QCOMPARE(server.workBooks().open(fileName).sheetNames().size(), 4);
    }
    QFile::remove(fileName);
    QCOMPARE(host.tables->shownRow(), 1);

    const QString message = failureOf([&] {
        ExportToExcel(*host.tables, QString(), u"Tavrin"_s, platform::Shell([&](const QUrl &url) {
            QFile::remove(url.toLocalFile());
            return false;
        }));
    });
    QVERIFY2(message.contains(u"kein Tabellenprogramm"_s), qPrintable(message));
}

void tst_OfficeExchange::exportReportsWriteFailures()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"fehlt/protokoll.xlsx"_s);
    Host host;
    fillThreeAthletes(host);
    QCOMPARE(failureOf([&] { ExportToExcel(*host.tables, fileName, u"Tavrin"_s); }),
             u"Der Schreibfehler der Datei: "_s + fileName);
}

void tst_OfficeExchange::failedImportKeepsTheProtocol_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("truncated") << u"truncated"_s << u"beschädigt"_s;
    QTest::newRow("text file") << u"text"_s << u"beschädigt"_s;
    QTest::newRow("zip bomb") << u"bomb"_s << u"entpackt zu groß"_s;
    QTest::newRow("no start list") << u"no start list"_s << u"keine Startliste"_s;
    QTest::newRow("empty start list") << u"empty start list"_s << u"keine Kopfzeile"_s;
    QTest::newRow("no file") << u"none"_s << u"kann nicht gelesen werden"_s;
}

void tst_OfficeExchange::failedImportKeepsTheProtocol()
{
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"mappe.xlsx"_s);
    Host source;
    const QString good = exportThreeAthletes(source, dir);

    if (damage == u"truncated") {
        QFile file(good);
        QVERIFY(file.open(QIODevice::ReadOnly));
        writeAll(fileName, file.read(file.size() / 2));
    } else if (damage == u"text") {
        writeAll(fileName, "Nr.\tName\tZeit\tPlatz\t\r\n7\tAnna\t12,34\t \t\r\n");
    } else if (damage == u"bomb") {
        // 70 MiB of one repeated row pack into well under a megabyte.
        QByteArray sheet = "<worksheet><sheetData>";
        sheet += QByteArray("<row><c><v>1</v></c></row>").repeated(70 * 1024 * 1024 / 26);
        sheet += "</sheetData></worksheet>";
        const QByteArray bomb = withPart(good, u"xl/worksheets/sheet2.xml"_s, sheet);
        QVERIFY(bomb.size() < 1024 * 1024);
        writeAll(fileName, bomb);
    } else if (damage == u"no start list") {
        // Only an athlete's sheet: nothing says which athletes it belongs to.
        SpreadsheetServer server;
        Workbook &book = server.workBooks().add();
        Worksheet &athlete = book.workSheets(1);
        athlete.setName(u"Anna"_s);
        athlete.range(athlete.cells(1, 1), athlete.cells(1, 4))
            .setValue({{u"1,00"_s, u"2,00"_s, u"3,00"_s, u"4,00"_s}});
        book.saveAs(fileName);
    } else if (damage == u"empty start list") {
        writeProtocolOnly(fileName, {});
    }

    Host target;
    target.run(u"5"_s, 8000);
    target.run(u"6"_s, 9000);
    target.tables->SortGrid1->setCells(1, 2, u"Dora"_s);
    const QList<QStringList> protocol = target.protocol();
    const QList<SplitBlock> blocks = target.blocks();
    const QString message = failureOf([&] { ImportFromExcel(*target.tables, fileName); });
    QVERIFY2(message.contains(reason), qPrintable(message));
    QVERIFY2(message.contains(u"mappe.xlsx\""_s), qPrintable(message));
    QCOMPARE(target.protocol(), protocol);
    QCOMPARE(target.blocks(), blocks);
}

void tst_OfficeExchange::importWaitsForTheRunToEnd()
{
    QTemporaryDir dir;
    Host source;
    const QString fileName = exportThreeAthletes(source, dir);
    Host host;
    host.run(u"5"_s, 8000);
    host.tables->setTablesEnabled(false);
    host.tables->OpenProtocolRow(u"6"_s);
    const QList<QStringList> protocol = host.protocol();
    QVERIFY(!failureOf([&] { ImportFromExcel(*host.tables, fileName); }).isEmpty());
    QCOMPARE(host.protocol(), protocol);
    host.tables->StoreRunSplits(9000, {0, 0, 0, 9000});
    QCOMPARE(host.tables->splitBlock(2)[1][3], u"9,00"_s);

    QCOMPARE(ImportFromExcel(*host.tables, fileName), QString());
    QCOMPARE(host.protocol(), source.protocol());
}

void tst_OfficeExchange::startListWithoutRowsGivesOneEmptyRow()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"kopf.xlsx"_s);
    writeProtocolOnly(fileName, {{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s}});

    Host host;
    fillThreeAthletes(host);
    const QString notice = ImportFromExcel(*host.tables, fileName);
    QVERIFY2(notice.contains(u"keine Zeilen"_s) && notice.contains(QFileInfo(fileName).fileName()),
             qPrintable(notice));
    QCOMPARE(host.protocol(), (QList<QStringList>{{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s},
                                                  {QString(), QString(), u"0,00"_s, QString()}}));
    QCOMPARE(host.blocks(), QList<SplitBlock>(1));
    QCOMPARE(host.tables->SortGridTmp->rowCount(), 6);
    QVERIFY(!host.button("sbSave")->isEnabled());
    QVERIFY(host.button("sbLoad")->isEnabled());
}

void tst_OfficeExchange::importTakesForeignNumbersAndText()
{
    // As another program may write it: numbers with more or fewer decimals,
    // a header of its own, a row without "Nr." and rows without sheets.
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"fremd.xlsx"_s);
    {
        SpreadsheetServer server;
        Workbook &book = server.workBooks().add();
        Worksheet &athlete = book.workSheets(1);
        athlete.setName(u"Anna"_s);
        const QVariantList means{1.5, u"-"_s, 3.014, 12.0};
        for (int col = 1; col <= 4; ++col)
            athlete.setCellValue({1, col}, means.at(col - 1));
        server.workSheets().add();
        Worksheet &protocol = book.workSheets(1);
        protocol.setName(u"Protokoll"_s);
        const QList<QVariantList> rows{{u"Nr."_s, u"Wer"_s},
                                       {7.0, u"Anna"_s, 12.0, 1.0},
                                       {QVariant(), u"Lücke"_s},
                                       {8.0, u"Ben"_s}};
        for (int row = 1; row <= rows.size(); ++row) {
            for (int col = 1; col <= rows.at(row - 1).size(); ++col)
                protocol.setCellValue({row, col}, rows.at(row - 1).at(col - 1));
        }
        book.saveAs(fileName);
    }
    Host host;
    const QString notice = ImportFromExcel(*host.tables, fileName);
    QVERIFY2(notice.contains(u"Zeile 3 (Lücke), Zeile 4 (8 Ben)"_s), qPrintable(notice));
    QCOMPARE(host.protocol(), (QList<QStringList>{{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s},
                                                  {u"7"_s, u"Anna"_s, u"12,00"_s, u"1"_s},
                                                  {QString(), u"Lücke"_s, QString(), QString()},
                                                  {u"8"_s, u"Ben"_s, QString(), QString()}}));
    SplitBlock anna;
    anna[0] = {u"1,50"_s, u"-"_s, u"3,01"_s, u"12,00"_s};
    QCOMPARE(host.blocks(), (QList<SplitBlock>{anna, SplitBlock{}, SplitBlock{}}));
}

void tst_OfficeExchange::documentHoldsTheProtocolTable()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"protokoll.docx"_s);
    Host host;
    fillThreeAthletes(host);
    host.tables->SortGrid1->setCells(1, 2, u"Ben \"der Blitz\"\tB."_s);
    ExportToWord(*host.tables, fileName, dir.filePath(u"Protokollvorlage.docx"_s), u"Tavrin"_s);

    const DocumentContents document = readDocument(fileName);
    QCOMPARE(document.firstBlock, u"tbl"_s);
    QCOMPARE(document.tables.size(), 1);
    const QList<QStringList> table = document.tables.at(0);
    QCOMPARE(table.size(), 4);
    QCOMPARE(table.at(0), (QStringList{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s}));
    QCOMPARE(table.at(1), (QStringList{u"7"_s, u"Anna Berg"_s, u"10,50"_s, QString()}));
    QCOMPARE(table.at(2), (QStringList{u"07"_s, u"Ben \"der Blitz\" B."_s, u"7,43"_s, u"2"_s}));
    QCOMPARE(table.at(3), (QStringList{u"12"_s, u"Cleo"_s, u"1.02,34"_s, QString()}));
    QVERIFY(document.paragraphs.isEmpty() || document.paragraphs == QStringList{QString()});
}

void tst_OfficeExchange::documentGoesBeforeTheTemplatesText()
{
    QTemporaryDir dir;
    const QString templatePath = dir.filePath(u"Protokollvorlage.docx"_s);
    {
        DocumentServer word;
        word.fileNew();
        word.insert(u"Sportfest 2026\r\nErgebnisse\r\n"_s);
        word.fileSaveAs(templatePath);
    }
    const QString fileName = dir.filePath(u"protokoll.docx"_s);
    Host host;
    host.run(u"3"_s, 4560);
    ExportToWord(*host.tables, fileName, templatePath, u"Tavrin"_s);

    const DocumentContents document = readDocument(fileName);
    QCOMPARE(document.firstBlock, u"tbl"_s);
    QCOMPARE(document.tables,
             (QList<QList<QStringList>>{{{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s},
                                         {u"3"_s, QString(), u"4,56"_s, QString()}}}));
    QVERIFY(document.paragraphs.contains(u"Sportfest 2026"_s));
    QVERIFY(document.paragraphs.contains(u"Ergebnisse"_s));
    QCOMPARE(readDocument(templatePath).tables.size(), 0);
}

void tst_OfficeExchange::documentFailuresAreReported()
{
    QTemporaryDir dir;
    Host host;
    fillThreeAthletes(host);
    const QString unwritable = dir.filePath(u"fehlt/protokoll.docx"_s);
    QCOMPARE(failureOf([&] { ExportToWord(*host.tables, unwritable, QString(), u"Tavrin"_s); }),
             writeErrorMessage(unwritable));

    const QString brokenTemplate = dir.filePath(u"Protokollvorlage.docx"_s);
    writeAll(brokenTemplate, "kein Dokument");
    const QString fileName = dir.filePath(u"protokoll.docx"_s);
    const QString message =
        failureOf([&] { ExportToWord(*host.tables, fileName, brokenTemplate, u"Tavrin"_s); });
    QVERIFY2(message.contains(u"\"Protokollvorlage.docx\" ist beschädigt"_s), qPrintable(message));
    QVERIFY(!QFile::exists(fileName));
}

void tst_OfficeExchange::independentReadersSeeTheSame()
{
    if (const QString missing = independentReadersMissing(); !missing.isEmpty())
        QSKIP(qPrintable(missing));

    QTemporaryDir dir;
    const QString document = dir.filePath(u"protokoll.docx"_s);
    const QString templatePath = dir.filePath(u"Protokollvorlage.docx"_s);
    const QString fromTemplate = dir.filePath(u"vorlage.docx"_s);
    QVERIFY(runOfficeScript({u"write"_s, dir.filePath(u"fremd.xlsx"_s), templatePath}).has_value());

    Host host;
    const QString workbook = exportThreeAthletes(host, dir);
    ExportToWord(*host.tables, document, dir.filePath(u"keine.docx"_s), u"Tavrin"_s);
    ExportToWord(*host.tables, fromTemplate, templatePath, u"Tavrin"_s);
    const auto output = runOfficeScript({u"read"_s, workbook, document, fromTemplate});
    QVERIFY(output.has_value());
    const QJsonObject read = QJsonDocument::fromJson(*output).object();

    const QJsonObject book = read.value(u"workbook"_s).toObject();
    QCOMPARE(book.value(u"creator"_s).toString(), u"Korvel Software"_s);
    QCOMPARE(book.value(u"subject"_s).toString(), u"Tavrin"_s);
    const QJsonArray sheets = book.value(u"sheets"_s).toArray();
    QCOMPARE(readSheetNames(sheets),
             (QStringList{u"Startliste"_s, u"Anna Berg"_s, u"Ben"_s, u"Cleo"_s}));

    const auto cell = [&](int sheet, const char *coordinate) {
        return readCell(sheets.at(sheet).toObject(), coordinate);
    };
    QCOMPARE(cell(0, "B2").value(u"value"_s).toString(), u"Anna Berg"_s);
    QCOMPARE(cell(0, "C2").value(u"value"_s).toDouble(), 10.5);
    QCOMPARE(cell(0, "A3").value(u"value"_s).toString(), u"07"_s);
    QVERIFY(cell(0, "A1").value(u"bold"_s).toBool());
    QVERIFY(!cell(0, "A2").value(u"bold"_s).toBool());
    // Anna's five attempts: the second 12,00 (attempt 4, sheet row 5) is struck.
    for (const char *coordinate : {"A5", "D5"})
        QVERIFY(cell(1, coordinate).value(u"strike"_s).toBool());
    for (const char *coordinate : {"A1", "A2", "D4", "D6"})
        QVERIFY(!cell(1, coordinate).value(u"strike"_s).toBool());
    QVERIFY(cell(1, "A1").value(u"bold"_s).toBool());
    QCOMPARE(cell(1, "D4").value(u"value"_s).toDouble(), 12.0);
    QCOMPARE(cell(1, "D4").value(u"format"_s).toString(), u"0.00"_s);
    // Ben's four attempts: nothing struck; a barrier without time is text.
    for (const char *coordinate : {"D2", "D3", "D4", "D5"})
        QVERIFY(!cell(2, coordinate).value(u"strike"_s).toBool());
    QCOMPARE(cell(2, "B2").value(u"value"_s).toString(), u"-"_s);
    QVERIFY(!cell(2, "A6").contains(u"value"_s));

    const QJsonArray expectedTable{QJsonArray{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s},
                                   QJsonArray{u"7"_s, u"Anna Berg"_s, u"10,50"_s, QString()},
                                   QJsonArray{u"07"_s, u"Ben"_s, u"7,43"_s, u"2"_s},
                                   QJsonArray{u"12"_s, u"Cleo"_s, u"1.02,34"_s, QString()}};
    const QJsonObject fresh = read.value(u"document"_s).toObject();
    QCOMPARE(fresh.value(u"tables"_s).toArray(), QJsonArray{expectedTable});
    const QJsonObject templated = read.value(u"template"_s).toObject();
    QCOMPARE(templated.value(u"tables"_s).toArray(), QJsonArray{expectedTable});
    QCOMPARE(templated.value(u"first"_s).toString(), u"tbl"_s);
    QCOMPARE(templated.value(u"paragraphs"_s).toArray(),
             (QJsonArray{u"Sportfest 2026"_s, u"Ergebnisse"_s}));
}

QTEST_MAIN(tst_OfficeExchange)
#include "tst_OfficeExchange.moc"
