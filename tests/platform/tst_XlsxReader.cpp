#include "platform/office/OfficeError.h"
#include "platform/office/Workbook.h"
#include "platform/office/XlsxReader.h"
#include "platform/office/ZipArchive.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace platform::office;
using namespace Qt::StringLiterals;

namespace {

QByteArray testData(const char *name)
{
    QFile file(QStringLiteral(TAVRIN_TEST_DATA_DIR "/xlsx/") + QLatin1StringView(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", name);
    return file.readAll();
}

// Two sheets listed in the other order than their parts (one target
// absolute), shared strings with runs, inline strings, cells without
// references.
const QByteArray kRootRelationships = testData("root.rels");
const QByteArray kWorkbook = testData("workbook.xml");
const QByteArray kWorkbookRelationships = testData("workbook.xml.rels");
const QByteArray kSharedStrings = testData("sharedStrings.xml");
const QByteArray kAthleteSheet = testData("athlete.xml");
const QByteArray kProtocolSheet = testData("protocol.xml");

QByteArray package(QList<std::pair<QString, QByteArray>> parts)
{
    ZipWriter writer;
    for (const auto &[name, data] : parts)
        writer.add(name, data);
    return writer.finish();
}

QByteArray workbookWith(const QByteArray &protocolSheet, const QByteArray &workbook = kWorkbook)
{
    return package({{u"_rels/.rels"_s, kRootRelationships},
                    {u"xl/workbook.xml"_s, workbook},
                    {u"xl/_rels/workbook.xml.rels"_s, kWorkbookRelationships},
                    {u"xl/sharedStrings.xml"_s, kSharedStrings},
                    {u"xl/worksheets/sheet1.xml"_s, kAthleteSheet},
                    {u"xl/worksheets/sheet2.xml"_s, protocolSheet}});
}

QString writeFile(const QTemporaryDir &dir, const QByteArray &data)
{
    const QString fileName = dir.filePath(u"mappe.xlsx"_s);
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        qFatal("cannot write the test file");
    return fileName;
}

QString failureOf(const QString &fileName, const XlsxLimits &limits = {})
{
    Workbook book(Workbook::Start::Empty);
    try {
        readXlsx(fileName, book, limits);
    } catch (const OfficeError &error) {
        if (!book.sheets().empty())
            return u"a failed read changed the workbook"_s;
        return error.message();
    }
    return {};
}

} // namespace

class TestXlsxReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsSheetsStringsAndNumbers()
    {
        QTemporaryDir dir;
        Workbook book(Workbook::Start::Empty);
        readXlsx(writeFile(dir, workbookWith(kProtocolSheet)), book);
        QCOMPARE(book.sheetNames(), (QStringList{u"Startliste"_s, u"Anna Berg"_s}));

        Worksheet &protocol = book.workSheets(1);
        QCOMPARE(protocol.rows().count(), 3);
        QCOMPARE(protocol.columns().count(), 27);
        QCOMPARE(protocol.cells(1, 1).value(), (QList<QVariantList>{{u"Nr."_s}}));
        QCOMPARE(protocol.cells(3, 27).value(), (QList<QVariantList>{{u"Anna Berg"_s}}));
        QCOMPARE(protocol.cells(3, 2).value(), (QList<QVariantList>{{QVariant()}}));

        Worksheet &athlete = book.workSheets(2);
        QCOMPARE(athlete.range(athlete.cells(1, 1), athlete.cells(2, 4)).value(),
                 (QList<QVariantList>{{1.05, u"-"_s, QVariant(), u"1"_s},
                                      {12.0, 12.0, QVariant(), QVariant()}}));
    }

    void damagedFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("reason");

        const QByteArray good = workbookWith(kProtocolSheet);
        QTest::newRow("truncated") << good.left(good.size() / 2) << u"beschädigt"_s;
        QTest::newRow("not a zip")
            << QByteArray("Nr.\tName\tZeit\tPlatz\r\n") << u"kein Zip-Archiv"_s;
        QTest::newRow("empty file") << QByteArray() << u"beschädigt"_s;
        QTest::newRow("no workbook")
            << package({{u"_rels/.rels"_s, kRootRelationships}}) << u"kein Hauptteil"_s;
        QTest::newRow("missing sheet part")
            << package({{u"_rels/.rels"_s, kRootRelationships},
                        {u"xl/workbook.xml"_s, kWorkbook},
                        {u"xl/_rels/workbook.xml.rels"_s, kWorkbookRelationships},
                        {u"xl/sharedStrings.xml"_s, kSharedStrings},
                        {u"xl/worksheets/sheet1.xml"_s, kAthleteSheet}})
            << u"sheet2.xml fehlt"_s;
        QTest::newRow("broken xml")
            << workbookWith("<worksheet><sheetData><row>") << u"sheet2.xml, Zeile"_s;
        QTest::newRow("bad reference")
            << workbookWith("<worksheet><sheetData><row><c "
                            "r=\"A0\"><v>1</v></c></row></sheetData></worksheet>")
            << u"Zellbezug"_s;
        QTest::newRow("bad number")
            << workbookWith("<worksheet><sheetData><row><c "
                            "r=\"A1\"><v>zwölf</v></c></row></sheetData></worksheet>")
            << u"Zahl"_s;
        QTest::newRow("missing string")
            << workbookWith("<worksheet><sheetData><row><c r=\"A1\" "
                            "t=\"s\"><v>7</v></c></row></sheetData></worksheet>")
            << u"Zeichenkette 7 fehlt"_s;
        QTest::newRow("absurd row")
            << workbookWith("<worksheet><sheetData><row r=\"1048576\"><c "
                            "r=\"A1048576\"><v>1</v></c></row></sheetData></worksheet>")
            << u"mehr als 100000 Zeilen"_s;
        QTest::newRow("entities") << workbookWith(kProtocolSheet, testData("laughs.xml"))
                                  << u"Dokumenttyp"_s;
        QTest::newRow("external entity")
            << workbookWith(kProtocolSheet, testData("external-entity.xml")) << u"Dokumenttyp"_s;
    }

    void damagedFilesAreRefused()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString message = failureOf(writeFile(dir, data));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QVERIFY2(message.contains(u"mappe.xlsx"_s), qPrintable(message));
        // The zip library's own English must not reach the coach.
        static const QRegularExpression english(
            u"zip archive|inconsistent|Read error|No such file|Invalid argument"_s,
            QRegularExpression::CaseInsensitiveOption);
        QVERIFY2(!message.contains(english), qPrintable(message));
    }

    void zipBombIsRefused()
    {
        // 70 MiB of one repeated row pack into well under a megabyte.
        QByteArray sheet = "<worksheet><sheetData>";
        sheet += QByteArray("<row><c><v>1</v></c></row>").repeated(70 * 1024 * 1024 / 26);
        sheet += "</sheetData></worksheet>";
        const QByteArray bomb = workbookWith(sheet);
        QVERIFY(bomb.size() < 1024 * 1024);
        QTemporaryDir dir;
        const QString message = failureOf(writeFile(dir, bomb));
        QVERIFY2(message.contains(u"entpackt zu groß"_s), qPrintable(message));
    }

    void limitsHold()
    {
        QTemporaryDir dir;
        const QString fileName = writeFile(dir, workbookWith(kProtocolSheet));
        QVERIFY(failureOf(fileName).isEmpty());
        QVERIFY(failureOf(fileName, {.sheets = 1}).contains(u"mehr als 1 Tabellen"_s));
        QVERIFY(failureOf(fileName, {.rows = 2}).contains(u"mehr als 2 Zeilen"_s));
        QVERIFY(failureOf(fileName, {.cells = 3}).contains(u"mehr als 3 Zellen"_s));
        QVERIFY(failureOf(dir.filePath(u"fehlt.xlsx"_s)).contains(u"kann nicht gelesen werden"_s));
    }
};

QTEST_GUILESS_MAIN(TestXlsxReader)
#include "tst_XlsxReader.moc"
