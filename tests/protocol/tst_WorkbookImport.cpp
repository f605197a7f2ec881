#include "controls/SortGrid.h"
#include "protocol/OfficeExchange.h"
#include "protocol/ProtocolTables.h"

#include "../platform/IndependentReaders.h"
#include "WorkbookFixtures.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

// Workbooks Tavrin wrote, edited the way a coach edits them in a spreadsheet
// program by an independent writer (python3-openpyxl), optionally saved once
// more by LibreOffice, and read back.

namespace {

using Host = ProtocolHost;

const QStringList kHeader{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s};

// The source protocol's athletes by their place in it.
enum Athlete { Anna, Ben, Cleo, NoSheet = -1 };

// The file the edits make of source, in dir; saved once more by LibreOffice
// when asked. Skips the test when the programs are missing, fails it when
// they fail.
std::optional<QString> editedWorkbook(const QTemporaryDir &dir, const QString &source,
                                      const QStringList &edits, bool libreOffice)
{
    const QString fileName = dir.filePath(u"bearbeitet.xlsx"_s);
    const QStringList arguments = source.isEmpty()
                                      ? QStringList{u"new"_s, fileName}
                                      : QStringList{u"edit"_s, source, fileName} + edits;
    if (!runPythonScript(QStringLiteral(TAVRIN_EDIT_SCRIPT), arguments))
        return std::nullopt;
    if (!libreOffice)
        return fileName;
    const QString resaved = dir.filePath(u"libreoffice"_s);
    if (!QDir().mkpath(resaved))
        return std::nullopt;
    return resaveWithLibreOffice(fileName, resaved);
}

QString missingPrograms(bool libreOffice)
{
    if (QString missing = independentReadersMissing(); !missing.isEmpty())
        return missing;
    return libreOffice ? libreOfficeMissing() : QString();
}

void addSaverRows()
{
    QTest::addColumn<bool>("libreOffice");
    QTest::newRow("openpyxl") << false;
    QTest::newRow("openpyxl, then LibreOffice") << true;
}

} // namespace

class tst_WorkbookImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void coachEditsLandOnTheRightAthletes_data() { addSaverRows(); }
    void coachEditsLandOnTheRightAthletes();
    void namesDecideBeforePositions_data();
    void namesDecideBeforePositions();
    void refusesWhatHoldsNoStartList_data();
    void refusesWhatHoldsNoStartList();
    void everyOwnRowComesBack_data() { addSaverRows(); }
    void everyOwnRowComesBack();
};

void tst_WorkbookImport::coachEditsLandOnTheRightAthletes()
{
    QFETCH(bool, libreOffice);
    if (const QString missing = missingPrograms(libreOffice); !missing.isEmpty())
        QSKIP(qPrintable(missing));
    QTemporaryDir dir;
    Host source;
    const QString exported = exportThreeAthletes(source, dir);
    // "Platz" filled by sorting on "Zeit", the start list moved behind the
    // athletes, a cover sheet in front, a late entry and an attempt corrected.
    const std::optional<QString> fileName =
        editedWorkbook(dir, exported,
                       {u"sort-by-time"_s, u"list-last"_s, u"cover-in-front"_s, u"late-entry"_s,
                        u"edit-attempt"_s},
                       libreOffice);
    QVERIFY(fileName);

    Host target;
    target.run(u"5"_s, 8000);
    QString notice;
    QCOMPARE(failureOf([&] { notice = ImportFromExcel(*target.tables, *fileName); }), QString());

    const QList<SplitBlock> blocks = source.blocks();
    SplitBlock anna = blocks[Anna];
    anna[1][3] = u"8,00"_s;  // the corrected first attempt
    anna[0][3] = u"10,00"_s; // (8 + 11 + 12 + 9) / 4: the second 12,00 is still struck
    QCOMPARE(target.protocol(), (QList<QStringList>{kHeader,
                                                    {u"07"_s, u"Ben"_s, u"7,43"_s, u"1"_s},
                                                    {u"7"_s, u"Anna Berg"_s, u"10,00"_s, u"2"_s},
                                                    {u"12"_s, u"Cleo"_s, u"1.02,34"_s, u"3"_s},
                                                    {u"99"_s, u"Nachzügler"_s, {}, {}}}));
    QCOMPARE(target.blocks(), (QList<SplitBlock>{blocks[Ben], anna, blocks[Cleo], SplitBlock{}}));
    // The page and the next export show the corrected time too.
    QCOMPARE(target.tables->report(u"Tavrin"_s).protocol.at(2)[2], u"10,00"_s);
    QVERIFY2(notice.contains(u"Zeile 5 (99 Nachzügler)"_s), qPrintable(notice));
    QVERIFY2(!notice.contains(u"Position"_s), qPrintable(notice));
}

void tst_WorkbookImport::namesDecideBeforePositions_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("owners");
    QTest::addColumn<QStringList>("notice");

    QTest::newRow("sorted, start list last") << QStringList{u"sort-by-time"_s, u"list-last"_s}
                                             << QStringList{u"Ben"_s, u"Anna Berg"_s, u"Cleo"_s}
                                             << QList<int>{Ben, Anna, Cleo} << QStringList();
    QTest::newRow("blank row") << QStringList{u"blank-row"_s}
                               << QStringList{u"Anna Berg"_s, u"Ben"_s, u"Cleo"_s}
                               << QList<int>{Anna, Ben, Cleo} << QStringList();
    QTest::newRow("escaped characters")
        << QStringList{u"escapes"_s} << QStringList{u"Müller_x0031_"_s, u"Ben"_s, u"Cleo"_s}
        << QList<int>{Anna, Ben, Cleo} << QStringList();
    // Ben's sheet kept his old name: his row falls back to its position.
    QTest::newRow("renamed athlete")
        << QStringList{u"rename-athlete"_s} << QStringList{u"Anna Berg"_s, u"Benjamin"_s, u"Cleo"_s}
        << QList<int>{Anna, Ben, Cleo}
        << QStringList{u"Position"_s, u"Zeile 3 (07 Benjamin)"_s, u"\"Ben\""_s};
    // Typed from scratch: no sheets at all.
    QTest::newRow("new start list")
        << QStringList() << QStringList{u"Anna"_s, u"Ben"_s, u"Cleo"_s}
        << QList<int>{NoSheet, NoSheet, NoSheet}
        << QStringList{u"keine Tabelle"_s, u"Zeile 2 (1 Anna)"_s, u"Zeile 4 (3 Cleo)"_s};
}

void tst_WorkbookImport::namesDecideBeforePositions()
{
    QFETCH(QStringList, edits);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, owners);
    QFETCH(QStringList, notice);
    if (const QString missing = missingPrograms(false); !missing.isEmpty())
        QSKIP(qPrintable(missing));
    QTemporaryDir dir;
    Host source;
    const QString exported = edits.isEmpty() ? QString() : exportThreeAthletes(source, dir);
    const std::optional<QString> fileName = editedWorkbook(dir, exported, edits, false);
    QVERIFY(fileName);

    Host target;
    QString told;
    QCOMPARE(failureOf([&] { told = ImportFromExcel(*target.tables, *fileName); }), QString());
    QStringList imported;
    for (int row = 1; row <= target.dataRows(); ++row)
        imported.append(target.tables->SortGrid1->cells(1, row));
    QCOMPARE(imported, names);
    QList<SplitBlock> expected;
    for (const int owner : owners)
        expected.append(owner == NoSheet ? SplitBlock{} : source.blocks().at(owner));
    QCOMPARE(target.blocks(), expected);
    for (const QString &part : notice)
        QVERIFY2(told.contains(part), qPrintable(told));
    if (notice.isEmpty())
        QCOMPARE(told, QString());
}

void tst_WorkbookImport::refusesWhatHoldsNoStartList_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::newRow("renamed list behind an empty sheet")
        << QStringList{u"rename-list"_s, u"empty-sheet-in-front"_s};
    QTest::newRow("start list without header") << QStringList{u"clear-header"_s};
}

void tst_WorkbookImport::refusesWhatHoldsNoStartList()
{
    QFETCH(QStringList, edits);
    if (const QString missing = missingPrograms(false); !missing.isEmpty())
        QSKIP(qPrintable(missing));
    QTemporaryDir dir;
    Host source;
    const std::optional<QString> fileName =
        editedWorkbook(dir, exportThreeAthletes(source, dir), edits, false);
    QVERIFY(fileName);

    Host target;
    target.run(u"5"_s, 8000);
    target.tables->SortGrid1->setCells(1, 1, u"Dora"_s);
    const QList<QStringList> protocol = target.protocol();
    const QList<SplitBlock> blocks = target.blocks();
    const QString message = failureOf([&] { ImportFromExcel(*target.tables, *fileName); });
    QVERIFY2(message.contains(u"Startliste"_s) && message.contains(u"bearbeitet.xlsx"_s),
             qPrintable(message));
    QCOMPARE(target.protocol(), protocol);
    QCOMPARE(target.blocks(), blocks);
}

void tst_WorkbookImport::everyOwnRowComesBack()
{
    QFETCH(bool, libreOffice);
    if (libreOffice && !libreOfficeMissing().isEmpty())
        QSKIP(qPrintable(libreOfficeMissing()));
    QTemporaryDir dir;
    Host source;
    for (const char *startNumber : {"1", "2", "3", "4"})
        source.run(QLatin1StringView(startNumber), 9000);
    // Texts that look like numbers stay text; a row whose "Nr." was cleared
    // is still a row; escapes of the file format are the athlete's own text.
    TSortGrid *grid = source.tables->SortGrid1;
    grid->setCells(1, 1, u"12,00"_s);
    grid->setCells(3, 1, u"3,50"_s);
    grid->setCells(0, 2, QString());
    grid->setCells(1, 2, u"Ohne Nummer"_s);
    grid->setCells(0, 3, u"12,00"_s);
    // LibreOffice writes back what reads as an escape as it stands: "aAb".
    grid->setCells(1, 3, libreOffice ? u"Cleo"_s : u"a_x0041_b"_s);
    grid->setCells(1, 4, u"Dora"_s);
    QString fileName = dir.filePath(u"eigen.xlsx"_s);
    ExportToExcel(*source.tables, fileName, u"Tavrin"_s);
    if (libreOffice) {
        QVERIFY(QDir().mkpath(dir.filePath(u"libreoffice"_s)));
        const std::optional<QString> resaved =
            resaveWithLibreOffice(fileName, dir.filePath(u"libreoffice"_s));
        QVERIFY(resaved);
        fileName = *resaved;
    }

    Host target;
    QString notice;
    QCOMPARE(failureOf([&] { notice = ImportFromExcel(*target.tables, fileName); }), QString());
    QCOMPARE(notice, QString());
    QCOMPARE(target.protocol(), source.protocol());
    QCOMPARE(target.blocks(), source.blocks());
}

QTEST_MAIN(tst_WorkbookImport)
#include "tst_WorkbookImport.moc"
