#include "platform/office/DocumentServer.h"
#include "platform/office/SpreadsheetServer.h"
#include "platform/office/ZipArchive.h"

#include "ProtocolBook.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace platform::office;
using namespace Qt::StringLiterals;

namespace {

// Debian's modules are seen by the system interpreter, not by one that may
// come first in PATH.
const QString kPython = u"/usr/bin/python3"_s;

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

QJsonObject cell(const QJsonObject &sheet, const char *coordinate)
{
    return sheet.value(u"cells"_s).toObject().value(QLatin1StringView(coordinate)).toObject();
}

} // namespace

class TestOfficeInterop : public QObject
{
    Q_OBJECT

private:
    // The script's output; none (with a warning) when it failed.
    std::optional<QByteArray> runPython(const QStringList &arguments)
    {
        QProcess python;
        python.start(kPython, QStringList{QStringLiteral(TAVRIN_TEST_DATA_DIR "/office_files.py")} +
                                  arguments);
        if (!python.waitForFinished(60000) || python.exitCode() != 0) {
            qWarning("%s", python.readAllStandardError().constData());
            return std::nullopt;
        }
        return python.readAllStandardOutput();
    }

    QString foreignName() const { return m_dir.filePath(u"fremd.xlsx"_s); }

    QJsonObject m_read; // what the independent readers found
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        if (!QFile::exists(kPython))
            QSKIP("/usr/bin/python3 is missing (install python3-openpyxl and python3-docx).");
        QProcess probe;
        probe.start(kPython, {u"-c"_s, u"import openpyxl, docx"_s});
        if (!probe.waitForFinished(30000) || probe.exitCode() != 0)
            QSKIP("python3-openpyxl or python3-docx is missing: run tools/install-deps.sh.");

        const QString workbookName = m_dir.filePath(u"protokoll.xlsx"_s);
        SpreadsheetServer spreadsheet;
        fillProtocolBook(spreadsheet);
        spreadsheet.activeWorkbook().saveAs(workbookName);

        const QString templateName = m_dir.filePath(u"Protokollvorlage.docx"_s);
        QVERIFY(runPython({u"write"_s, foreignName(), templateName}).has_value());
        const QString documentName = m_dir.filePath(u"neu.docx"_s);
        const QString fromTemplateName = m_dir.filePath(u"vorlage.docx"_s);
        writeDocument(QString(), documentName);
        writeDocument(templateName, fromTemplateName);

        const auto output = runPython({u"read"_s, workbookName, documentName, fromTemplateName});
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
        QStringList names;
        for (const QJsonValue &sheet : sheets)
            names.append(sheet.toObject().value(u"name"_s).toString());
        QCOMPARE(names, (QStringList{u"Startliste"_s, u"Anna Berg"_s, u"Ben"_s, u"Cleo"_s}));

        const QJsonObject protocol = sheets.at(0).toObject();
        QCOMPARE(cell(protocol, "A1").value(u"value"_s).toString(), u"Nr."_s);
        QVERIFY(cell(protocol, "A1").value(u"bold"_s).toBool());
        QCOMPARE(cell(protocol, "A1").value(u"border"_s).toString(), u"medium"_s);
        QCOMPARE(cell(protocol, "A2").value(u"value"_s).toDouble(), 7.0);
        QVERIFY(!cell(protocol, "A2").value(u"bold"_s).toBool());
        QCOMPARE(cell(protocol, "A2").value(u"border"_s).toString(), u"thin"_s);
        QCOMPARE(cell(protocol, "A3").value(u"value"_s).toString(), u"07"_s);
        QCOMPARE(cell(protocol, "C2").value(u"value"_s).toDouble(), 10.5);
        QCOMPARE(cell(protocol, "C2").value(u"format"_s).toString(), u"0.00"_s);
        QCOMPARE(cell(protocol, "C3").value(u"value"_s).toString(), u"1.02,34"_s);
        QVERIFY(!cell(protocol, "D2").contains(u"value"_s)); // empty stays empty

        const QJsonObject ben = sheets.at(2).toObject();
        QCOMPARE(cell(ben, "B2").value(u"value"_s).toString(), u"-"_s);
        QCOMPARE(cell(ben, "D3").value(u"value"_s).toDouble(), 12.0);
        QVERIFY(cell(ben, "D3").value(u"strike"_s).toBool());
        QVERIFY(cell(ben, "A3").value(u"strike"_s).toBool());
        QVERIFY(!cell(ben, "A2").value(u"strike"_s).toBool());
        QVERIFY(!cell(sheets.at(1).toObject(), "A3").value(u"strike"_s).toBool());
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
