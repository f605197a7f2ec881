#include "platform/office/CellConversion.h"
#include "platform/office/OfficeError.h"
#include "platform/office/SpreadsheetServer.h"
#include "platform/office/ZipArchive.h"

#include "../ProcessLocale.h"
#include "ProtocolBook.h"
#include "ReadOnlyFolder.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace platform::office;
using namespace Qt::StringLiterals;

namespace {

QStringList texts(const QList<QVariantList> &rows, WholeNumbers wholeNumbers)
{
    QStringList result;
    for (const QVariantList &row : rows) {
        QStringList cells;
        for (const QVariant &value : row)
            cells.append(cellText(value, u',', wholeNumbers));
        result.append(cells.join(u'|'));
    }
    return result;
}

} // namespace

class TestSpreadsheetServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sheetsAreAddedInFrontWithFreshNames()
    {
        SpreadsheetServer server;
        Workbook &book = server.workBooks().add();
        QCOMPARE(book.sheetNames(), QStringList{u"Tabelle1"_s});
        book.workSheets(1).setName(u"Cleo"_s);
        server.workSheets().add();
        QCOMPARE(book.sheetNames(), (QStringList{u"Tabelle1"_s, u"Cleo"_s}));
        server.workSheets().add();
        QCOMPARE(book.sheetNames(), (QStringList{u"Tabelle2"_s, u"Tabelle1"_s, u"Cleo"_s}));
        QCOMPARE(book.activeSheetIndex(), 0);
        QVERIFY_THROWS_EXCEPTION(OfficeError, book.workSheets(4));
    }

    void refusedNamesThrowAndKeepTheOldName()
    {
        SpreadsheetServer server;
        Workbook &book = server.workBooks().add();
        book.workSheets(1).setName(u"Anna"_s);
        server.workSheets().add();
        Worksheet &sheet = book.workSheets(1);
        for (const QString &name : {u"anna"_s, QString(), QString(32, u'x'), u"A:B"_s}) {
            QVERIFY_THROWS_EXCEPTION(OfficeError, sheet.setName(name));
            QCOMPARE(sheet.name(), u"Tabelle1"_s);
        }
        sheet.setName(u"Tabelle1"_s); // its own name again is fine
    }

    void valuesAndFormatsLandInTheCells()
    {
        SpreadsheetServer server;
        Workbook &book = server.workBooks().add();
        Worksheet &sheet = book.workSheets(1);
        sheet.range(sheet.cells(1, 1), sheet.cells(2, 2))
            .setValue({{u"7"_s, u"12,34"_s}, {u"-"_s, QString()}});
        QCOMPARE(sheet.cells(1, 1).value(), (QList<QVariantList>{{7.0}}));
        QCOMPARE(sheet.effectiveStyle({1, 2}).numberFormat, u"0.00"_s);
        QVERIFY(!sheet.effectiveStyle({1, 1}).numberFormat);
        QCOMPARE(sheet.range(sheet.cells(2, 1), sheet.cells(2, 2)).value(),
                 (QList<QVariantList>{{u"-"_s, QVariant()}}));

        sheet.rows(1).font().setBold(true);
        sheet.columns(2).setNumberFormat(u"0"_s);
        QVERIFY(*sheet.effectiveStyle({1, 1}).bold);
        QVERIFY(*sheet.effectiveStyle({1, 9}).bold); // the whole row
        QVERIFY(!sheet.effectiveStyle({2, 1}).bold);
        QCOMPARE(*sheet.effectiveStyle({1, 2}).numberFormat, u"0"_s); // the column overrides
        QCOMPARE(sheet.rows().count(), 2);
        QCOMPARE(sheet.columns().count(), 2);

        QVERIFY_THROWS_EXCEPTION(
            OfficeError, sheet.range(sheet.cells(1, 1), sheet.cells(1, 2)).setValue({{u"1"_s}}));
        QVERIFY_THROWS_EXCEPTION(OfficeError, sheet.cells(0, 1));
        QVERIFY_THROWS_EXCEPTION(OfficeError, sheet.cells(1, kMaxColumns + 1));
        QVERIFY_THROWS_EXCEPTION(OfficeError, sheet.rows().font().setBold(true));
        QVERIFY_THROWS_EXCEPTION(OfficeError, sheet.rows(1).borders().setWeight(5));
        QVERIFY_THROWS_EXCEPTION(OfficeError, sheet.rows(1).autofit());
    }

    void workbookRoundTrips_data() { addProcessLocaleRows(); }
    void workbookRoundTrips()
    {
        SET_PROCESS_LOCALE();
        QTemporaryDir dir;
        const QString fileName = dir.filePath(u"protokoll.xlsx"_s);
        {
            SpreadsheetServer server;
            fillProtocolBook(server);
            server.activeWorkbook().saveAs(fileName);
            server.quit();
            QCOMPARE(server.workBooks().count(), 0);
        }

        SpreadsheetServer server;
        Workbook &book = server.workBooks().open(fileName);
        QCOMPARE(book.sheetNames(),
                 (QStringList{u"Startliste"_s, u"Anna Berg"_s, u"Ben"_s, u"Cleo"_s}));

        Worksheet &protocol = book.workSheets(1);
        const int rows = protocol.rows().count();
        QCOMPARE(rows, 4);
        // Whole numbers come back as digits, so a time of 0,00 reads 0 here.
        const auto protocolValues =
            protocol.range(protocol.cells(1, 1), protocol.cells(rows, 4)).value();
        QCOMPARE(texts(protocolValues, WholeNumbers::AsDigits),
                 (QStringList{u"Nr.|Name|Zeit|Platz"_s, u"7|Anna Berg|10,50|"_s,
                              u"07|Ben|1.02,34|2"_s, u"12|Cleo|0|"_s}));
        QCOMPARE(protocolValues.at(1).at(0).typeId(), QMetaType::Double);
        QCOMPARE(protocolValues.at(2).at(0).typeId(), QMetaType::QString);
        QVERIFY(!protocolValues.at(1).at(3).isValid()); // empty stays empty

        Worksheet &ben = book.workSheets(3);
        QCOMPARE(
            texts(ben.range(ben.cells(1, 1), ben.cells(6, 4)).value(), WholeNumbers::AsDecimal),
            (QStringList{u"1,05|2,10|3,01|10,50"_s, u"1,05|-|3,01|10,00"_s,
                         u"1,06|2,11|3,02|12,00"_s, u"|||"_s, u"|||"_s, u"|||"_s}));
        QCOMPARE(ben.cells(6, 4).value(), (QList<QVariantList>{{QVariant()}}));
    }

    void formattingIsWrittenIntoTheFile_data() { addProcessLocaleRows(); }
    void formattingIsWrittenIntoTheFile()
    {
        SET_PROCESS_LOCALE();
        QTemporaryDir dir;
        const QString fileName = dir.filePath(u"protokoll.xlsx"_s);
        SpreadsheetServer server;
        fillProtocolBook(server);
        server.activeWorkbook().saveAs(fileName);

        ZipReader package = ZipReader::fromFile(fileName);
        const QString styles = QString::fromUtf8(package.part(u"xl/styles.xml"_s));
        QVERIFY(styles.contains(u"<b/>"_s));
        QVERIFY(styles.contains(u"<strike/>"_s));
        QVERIFY(styles.contains(u"formatCode=\"0.00\""_s));
        QVERIFY(styles.contains(u"<left style=\"thin\">"_s));
        QVERIFY(styles.contains(u"<left style=\"medium\">"_s));

        const QString core = QString::fromUtf8(package.part(u"docProps/core.xml"_s));
        QVERIFY(core.contains(u"<dc:creator>Korvel Software</dc:creator>"_s));
        QVERIFY(core.contains(u"<dc:subject>Tavrin</dc:subject>"_s));

        // Autofit: the name column is wider than the number column.
        const QString sheet = QString::fromUtf8(package.part(u"xl/worksheets/sheet1.xml"_s));
        static const QRegularExpression col(
            u"<col min=\"(\\d+)\" max=\"\\d+\" width=\"([\\d.]+)\""_s);
        std::map<int, double> widths;
        for (const auto &match : col.globalMatch(sheet))
            widths[match.captured(1).toInt()] = match.captured(2).toDouble();
        QCOMPARE(widths.size(), size_t(4));
        QVERIFY2(widths[2] > widths[1] + 4, qPrintable(sheet.left(2000)));
        QVERIFY(widths[2] < 20);

        // Numbers in the cell XML use the point whatever the process locale.
        QVERIFY2(sheet.contains(u"<v>10.5</v>"_s), qPrintable(sheet.left(2000)));
        const QString ben = QString::fromUtf8(package.part(u"xl/worksheets/sheet3.xml"_s));
        QVERIFY2(ben.contains(u"<v>1.05</v>"_s), qPrintable(ben.left(2000)));
        static const QRegularExpression commaNumber(u"(<v>|width=\")[-\\d.]*,"_s);
        QVERIFY(!sheet.contains(commaNumber));
        QVERIFY(!ben.contains(commaNumber));
    }

    void failedSaveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(u"protokoll.xlsx"_s);
        SpreadsheetServer server;
        Workbook &book = server.workBooks().add();
        book.saveAs(fileName);
        const QByteArray old = [&] {
            QFile f(fileName);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        Worksheet &sheet = book.workSheets(1);
        sheet.cells(1, 1).setValue({{u"neu"_s}});

        {
            ReadOnlyFolder readOnly(dir.path());
            if (!readOnly.ok())
                QSKIP("This machine gives no way to make a folder unwritable.");
            try {
                book.saveAs(fileName);
                QFAIL("saving into a read-only folder succeeded");
            } catch (const OfficeError &error) {
                QCOMPARE(error.message(), u"Der Schreibfehler der Datei: "_s + fileName);
            }
        }
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"protokoll.xlsx"_s});

        // A cell the file format cannot hold fails before anything is written.
        sheet.cells(1, 1).setValue({{QString(40000, u'x')}});
        QVERIFY_THROWS_EXCEPTION(OfficeError, book.saveAs(fileName));
        QVERIFY(file.seek(0));
        QCOMPARE(file.readAll(), old);
    }

    void showingOpensATemporaryWorkbook()
    {
        QList<QUrl> opened;
        SpreadsheetServer server(platform::Shell([&](const QUrl &url) {
            opened.append(url);
            return true;
        }));
        QVERIFY_THROWS_EXCEPTION(OfficeError, server.setVisible(true)); // no workbook
        fillProtocolBook(server);
        server.setVisible(false);
        QVERIFY(opened.isEmpty());
        server.setVisible(true);
        QCOMPARE(opened.size(), 1);
        const QString shown = opened.front().toLocalFile();
        QCOMPARE(shown, server.shownFileName());
        QVERIFY(shown.endsWith(u".xlsx"_s));

        SpreadsheetServer reader;
        QCOMPARE(reader.workBooks().open(shown).sheetNames().front(), u"Startliste"_s);
        QFile::remove(shown);

        SpreadsheetServer refusing(platform::Shell([](const QUrl &) { return false; }));
        refusing.workBooks().add();
        QVERIFY_THROWS_EXCEPTION(OfficeError, refusing.setVisible(true));
        QFile::remove(refusing.shownFileName());
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheetServer)
#include "tst_SpreadsheetServer.moc"
