#include "platform/office/DocumentServer.h"
#include "platform/office/SpreadsheetServer.h"
#include "platform/office/ZipArchive.h"

#include "IndependentReaders.h"
#include "ProtocolBook.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace platform::office;
using namespace Qt::StringLiterals;

namespace {

const QString kProtocolText = u"Nr.\tName\tZeit\tPlatz\r\n7\tAnna Berg\t10,50\t\r\n"_s;

void writeDocument(const QString &templateName, const QString &fileName)
{
    DocumentServer server;
    if (templateName.isEmpty())
        server.fileNew();
    else
        server.fileOpen(templateName);
    server.insert(kProtocolText);
    server.lineUp(2, true);
    server.textToTable(ConvertFrom::Tabs, 4);
    server.fileSaveAs(fileName);
}

} // namespace

class TestOfficeInterop : public QObject
{
    Q_OBJECT

private:
    QString foreignName() const { return m_dir.filePath(u"fremd.xlsx"_s); }

    QJsonObject m_read; // what the independent readers found
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        if (const QString missing = independentReadersMissing(); !missing.isEmpty())
            QSKIP(qPrintable(missing));

        const QString workbookName = m_dir.filePath(u"protokoll.xlsx"_s);
        SpreadsheetServer spreadsheet;
        fillProtocolBook(spreadsheet);
        spreadsheet.activeWorkbook().saveAs(workbookName);

        const QString templateName = m_dir.filePath(u"Protokollvorlage.docx"_s);
        QVERIFY(runOfficeScript({u"write"_s, foreignName(), templateName}).has_value());
        const QString documentName = m_dir.filePath(u"neu.docx"_s);
        const QString fromTemplateName = m_dir.filePath(u"vorlage.docx"_s);
        writeDocument(QString(), documentName);
        writeDocument(templateName, fromTemplateName);

        const auto output =
            runOfficeScript({u"read"_s, workbookName, documentName, fromTemplateName});
        QVERIFY(output.has_value());
        QJsonParseError error;
        m_read = QJsonDocument::fromJson(*output, &error).object();
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    }

    void workbookReadsTheSame()
    {
        const QJsonObject book = m_read.value(u"workbook"_s).toObject();
        QCOMPARE(book.value(u"creator"_s).toString(), u"Korvel Software"_s);
        QCOMPARE(book.value(u"subject"_s).toString(), u"Tavrin"_s);
        const QJsonArray sheets = book.value(u"sheets"_s).toArray();
        QCOMPARE(readSheetNames(sheets),
                 (QStringList{u"Startliste"_s, u"Anna Berg"_s, u"Ben"_s, u"Cleo"_s}));

        const QJsonObject protocol = sheets.at(0).toObject();
        QCOMPARE(readCell(protocol, "A1").value(u"value"_s).toString(), u"Nr."_s);
        QVERIFY(readCell(protocol, "A1").value(u"bold"_s).toBool());
        QCOMPARE(readCell(protocol, "A1").value(u"border"_s).toString(), u"medium"_s);
        QCOMPARE(readCell(protocol, "A2").value(u"value"_s).toDouble(), 7.0);
        QVERIFY(!readCell(protocol, "A2").value(u"bold"_s).toBool());
        QCOMPARE(readCell(protocol, "A2").value(u"border"_s).toString(), u"thin"_s);
        QCOMPARE(readCell(protocol, "A3").value(u"value"_s).toString(), u"07"_s);
        QCOMPARE(readCell(protocol, "C2").value(u"value"_s).toDouble(), 10.5);
        QCOMPARE(readCell(protocol, "C2").value(u"format"_s).toString(), u"0.00"_s);
        QCOMPARE(readCell(protocol, "C3").value(u"value"_s).toString(), u"1.02,34"_s);
        QVERIFY(!readCell(protocol, "D2").contains(u"value"_s)); // empty stays empty

        const QJsonObject ben = sheets.at(2).toObject();
        QCOMPARE(readCell(ben, "B2").value(u"value"_s).toString(), u"-"_s);
        QCOMPARE(readCell(ben, "D3").value(u"value"_s).toDouble(), 12.0);
        QVERIFY(readCell(ben, "D3").value(u"strike"_s).toBool());
        QVERIFY(readCell(ben, "A3").value(u"strike"_s).toBool());
        QVERIFY(!readCell(ben, "A2").value(u"strike"_s).toBool());
        QVERIFY(!readCell(sheets.at(1).toObject(), "A3").value(u"strike"_s).toBool());
        QCOMPARE(ben.value(u"cells"_s).toObject().size(), 12); // three rows of four, no empties
    }

    void documentsReadTheSame()
    {
        const QJsonArray expected{QJsonArray{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s},
                                  QJsonArray{u"7"_s, u"Anna Berg"_s, u"10,50"_s, QString()}};
        const QJsonObject fresh = m_read.value(u"document"_s).toObject();
        QCOMPARE(fresh.value(u"tables"_s).toArray(), QJsonArray{expected});
        QCOMPARE(fresh.value(u"first"_s).toString(), u"tbl"_s);

        const QJsonObject fromTemplate = m_read.value(u"template"_s).toObject();
        QCOMPARE(fromTemplate.value(u"tables"_s).toArray(), QJsonArray{expected});
        QCOMPARE(fromTemplate.value(u"first"_s).toString(), u"tbl"_s);
        QCOMPARE(fromTemplate.value(u"paragraphs"_s).toArray(),
                 (QJsonArray{u"Sportfest 2026"_s, u"Ergebnisse"_s}));
    }

    void foreignWorkbookIsRead()
    {
        SpreadsheetServer server;
        Workbook &book = server.workBooks().open(foreignName());
        QCOMPARE(book.sheetNames(), (QStringList{u"Startliste"_s, u"Anna Berg"_s}));
        Worksheet &protocol = book.workSheets(1);
        QCOMPARE(protocol.rows().count(), 3);
        QCOMPARE(protocol.range(protocol.cells(1, 1), protocol.cells(3, 4)).value(),
                 (QList<QVariantList>{{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s},
                                      {7.0, u"Anna Berg"_s, 10.5, QVariant()},
                                      {12.0, u"Cléo"_s, u"1.02,34"_s, u"2"_s}}));
        Worksheet &athlete = book.workSheets(2);
        QCOMPARE(athlete.range(athlete.cells(1, 1), athlete.cells(1, 4)).value(),
                 (QList<QVariantList>{{1.05, u"-"_s, 3.014, 10.5}}));
    }
};

QTEST_GUILESS_MAIN(TestOfficeInterop)
#include "tst_OfficeInterop.moc"
