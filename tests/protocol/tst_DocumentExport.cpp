#include "controls/SortGrid.h"
#include "protocol/OfficeExchange.h"
#include "protocol/ProtocolTables.h"

#include "../platform/IndependentReaders.h"
#include "WorkbookFixtures.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <numeric>
#include <optional>

using namespace Qt::StringLiterals;

// The protocol's document as python3-docx, an independent reader, sees it,
// made from templates that python3-docx wrote.

namespace {

const QString kTemplates = QStringLiteral(TAVRIN_TEMPLATE_SCRIPT);

// What the script read of a document; none when it failed.
std::optional<QJsonObject> readDocx(const QString &fileName)
{
    const std::optional<QByteArray> output = runPythonScript(kTemplates, {u"read"_s, fileName});
    if (!output)
        return std::nullopt;
    return QJsonDocument::fromJson(*output).object();
}

// The template the script makes of that kind in dir; none when it failed,
// empty for no template.
std::optional<QString> makeTemplate(const QTemporaryDir &dir, const QString &kind)
{
    const QString fileName = dir.filePath(u"Protokollvorlage.docx"_s);
    if (kind.isEmpty())
        return dir.filePath(u"keine.docx"_s);
    if (!runPythonScript(kTemplates, {kind, fileName}))
        return std::nullopt;
    return fileName;
}

QList<int> numbers(const QJsonArray &array)
{
    QList<int> list;
    for (const QJsonValue &value : array)
        list.append(value.toInt());
    return list;
}

} // namespace

class tst_DocumentExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (const QString missing = independentReadersMissing(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
    }

    void tableFitsTheTemplatesPage_data();
    void tableFitsTheTemplatesPage();
    void templateStartingWithATableKeepsItApart();
    void documentWithoutTemplateNamesItsMaker();
};

void tst_DocumentExport::tableFitsTheTemplatesPage_data()
{
    QTest::addColumn<QString>("templateKind");
    QTest::addColumn<int>("textWidth"); // twips
    QTest::newRow("no template, A4") << QString() << 11906 - 2 * 1134;
    QTest::newRow("US Letter, one inch margins") << u"letter"_s << 12240 - 2 * 1440;
}

void tst_DocumentExport::tableFitsTheTemplatesPage()
{
    QFETCH(QString, templateKind);
    QFETCH(int, textWidth);
    QTemporaryDir dir;
    const std::optional<QString> templatePath = makeTemplate(dir, templateKind);
    QVERIFY(templatePath);
    ProtocolHost host;
    fillThreeAthletes(host);
    host.tables->SortGrid1->setCells(1, 3, u"Cleopatra Konstantinidou-Schmidt"_s);
    const QString fileName = dir.filePath(u"protokoll.docx"_s);
    ExportToWord(*host.tables, fileName, *templatePath, u"Tavrin"_s);

    const std::optional<QJsonObject> document = readDocx(fileName);
    QVERIFY(document);
    QCOMPARE(document->value(u"textWidth"_s).toInt(), textWidth);
    const QList<int> widths = numbers(document->value(u"widths"_s).toArray().at(0).toArray());
    QCOMPARE(widths.size(), 4);
    // The table spans the text width, no more.
    const int total = std::accumulate(widths.begin(), widths.end(), 0);
    QVERIFY2(total <= textWidth && total >= textWidth - 4,
             qPrintable(u"%1 of %2"_s.arg(total).arg(textWidth)));
    // The name column gets the room the others leave, and they keep about a
    // centimetre (567 twips) at least.
    QCOMPARE(std::max_element(widths.begin(), widths.end()) - widths.begin(), 1);
    QVERIFY2(widths[1] >= textWidth / 2, qPrintable(u"%1"_s.arg(widths[1])));
    for (const int column : {0, 2, 3})
        QVERIFY2(widths[column] >= 567, qPrintable(u"%1"_s.arg(widths[column])));
}

void tst_DocumentExport::templateStartingWithATableKeepsItApart()
{
    QTemporaryDir dir;
    const std::optional<QString> templatePath = makeTemplate(dir, u"table-first"_s);
    QVERIFY(templatePath);
    ProtocolHost host;
    fillThreeAthletes(host);
    const QString fileName = dir.filePath(u"protokoll.docx"_s);
    ExportToWord(*host.tables, fileName, *templatePath, u"Tavrin"_s);

    std::optional<QJsonObject> document = readDocx(fileName);
    QVERIFY(document);
    const QJsonArray blocks = document->value(u"blocks"_s).toArray();
    QCOMPARE(blocks.first().toString(), u"tbl"_s);
    QCOMPARE(blocks.at(1).toString(), u"p"_s);
    QCOMPARE(blocks.at(2).toString(), u"tbl"_s);

    // A word processor keeps the two tables apart too.
    if (const QString missing = libreOfficeMissing(); !missing.isEmpty())
        QSKIP(qPrintable(missing));
    const QString resavedDir = dir.filePath(u"libreoffice"_s);
    QVERIFY(QDir().mkpath(resavedDir));
    const std::optional<QString> resaved = resaveWithLibreOffice(fileName, resavedDir);
    QVERIFY(resaved);
    document = readDocx(*resaved);
    QVERIFY(document);
    const QJsonArray tables = document->value(u"tables"_s).toArray();
    QCOMPARE(tables.size(), 2);
    QCOMPARE(tables.at(0).toArray().size(), 4); // header and three athletes
    QCOMPARE(tables.at(1).toArray(), (QJsonArray{QJsonArray{u"Veranstalter"_s, u"TSV"_s}}));
}

void tst_DocumentExport::documentWithoutTemplateNamesItsMaker()
{
    QTemporaryDir dir;
    ProtocolHost host;
    fillThreeAthletes(host);
    const QString fresh = dir.filePath(u"neu.docx"_s);
    ExportToWord(*host.tables, fresh, dir.filePath(u"keine.docx"_s), u"Tavrin"_s);
    std::optional<QJsonObject> document = readDocx(fresh);
    QVERIFY(document);
    QCOMPARE(document->value(u"author"_s).toString(), u"Korvel Software"_s);
    QCOMPARE(document->value(u"subject"_s).toString(), u"Tavrin"_s);

    // A template keeps what its author wrote there.
    const std::optional<QString> templatePath = makeTemplate(dir, u"letter"_s);
    QVERIFY(templatePath);
    const QString fromTemplate = dir.filePath(u"vorlage.docx"_s);
    ExportToWord(*host.tables, fromTemplate, *templatePath, u"Tavrin"_s);
    document = readDocx(fromTemplate);
    QVERIFY(document);
    QCOMPARE(document->value(u"author"_s).toString(), u"python-docx"_s);
}

QTEST_MAIN(tst_DocumentExport)
#include "tst_DocumentExport.moc"
