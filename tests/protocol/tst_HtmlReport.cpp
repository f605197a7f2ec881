#include "protocol/HtmlPrinting.h"
#include "protocol/HtmlReport.h"

#include "../platform/ReadOnlyFolder.h"

#include "../FileBytes.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace protocol;

namespace {

protocol::SplitBlock block(const SplitRow &mean, const QList<SplitRow> &attempts)
{
    protocol::SplitBlock b;
    b.rows[0] = mean;
    for (qsizetype i = 0; i < attempts.size(); ++i)
        b.rows[i + 1] = attempts.at(i);
    return b;
}

// Three athletes; the second has no "Nr." yet, the third no stored block.
ProtocolReport sampleReport()
{
    ProtocolReport report;
    report.title = u"Tavrin"_s;
    report.protocol = {{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s},
                       {u"7"_s, u"Anna Müller"_s, u"12,34"_s, u""_s},
                       {u""_s, u""_s, u"0,00"_s, u""_s},
                       {u"12"_s, u"Ben"_s, u"1.02,34"_s, u"2"_s}};
    report.splitHeader = {u"5 m"_s, u"10 m"_s, u"15 m"_s, u"30 m"_s};
    const SplitRow one{u"1,05"_s, u"2,10"_s, u"3,01"_s, u"12,34"_s};
    report.splits = {block(one, {one}), block({u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s}, {})};
    return report;
}

ProtocolReport reportWithName(const QString &name)
{
    ProtocolReport report = sampleReport();
    report.protocol[1][1] = name;
    return report;
}

} // namespace

class TestHtmlReport : public QObject
{
    Q_OBJECT

private slots:
    void writesTheTemplate();
    void leavesHiddenColumnsOut();
    void changesTheFirstCommaOfTimesOnly_data();
    void changesTheFirstCommaOfTimesOnly();
    void keepsNamesInert();
    void writesNoControlsOrBrokenCharacters_data();
    void writesNoControlsOrBrokenCharacters();
    void keepsTheOldPageWhenWritingFails();
    void namesThePageAfterTheProgram();
    void printsThePage();
};

void TestHtmlReport::writesTheTemplate()
{
    const QByteArray page = htmlReport(sampleReport());
    QCOMPARE(page, readAll(QStringLiteral(TAVRIN_TEST_DATA_DIR "/report.html")));
    // The empty-"Nr." row is a row like any other, with a heading of its own.
    QVERIFY(page.contains("<tr><td><td><td>0.00<td></tr>\r\n"));
    QVERIFY(page.contains("<H4>.) </H4>\r\n"));
}

void TestHtmlReport::leavesHiddenColumnsOut()
{
    ProtocolReport report = sampleReport();
    report.protocolWidths[1] = 0;
    const QByteArray page = htmlReport(report);
    QVERIFY(page.contains("<tr><td>7<td>12.34<td></tr>\r\n"));
    QVERIFY(page.contains("<th width=80% nowrap>Name\r\n"));
    // The split tables follow the split store's own widths.
    QVERIFY(page.contains("<tr><td>1.05<td>2.10<td>3.01<td>12.34</tr>\r\n"));

    report.splitWidths[3] = 0;
    QVERIFY(htmlReport(report).contains("<tr><td>1.05<td>2.10<td>3.01</tr>\r\n"));
}

void TestHtmlReport::changesTheFirstCommaOfTimesOnly_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("Nr.") << 0 << u"7,1"_s << QByteArray("7,1");
    QTest::newRow("Name") << 1 << u"Berg, Anna"_s << QByteArray("Berg, Anna");
    QTest::newRow("Zeit") << 2 << u"1.02,34"_s << QByteArray("1.02.34");
    QTest::newRow("Zeit, one comma only") << 2 << u"1,2,3"_s << QByteArray("1.2,3");
    QTest::newRow("Platz") << 3 << u"1,2,3"_s << QByteArray("1,2,3");
}

void TestHtmlReport::changesTheFirstCommaOfTimesOnly()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    ProtocolReport report = sampleReport();
    report.protocol[1][column] = text;
    const QByteArray page = htmlReport(report);
    QByteArrayList cells{"7", "Anna M\xfcller", "12.34", ""};
    cells[column] = written;
    QVERIFY2(page.contains("<tr><td>" + cells.join("<td>") + "</tr>\r\n"), page.constData());
    // The heading of the split table keeps the row's texts as they are.
    const ProtocolRow &row = report.protocol[1];
    QVERIFY(page.contains("<H4>" + row[0].toLatin1() + ".) " + row[1].toLatin1() + "</H4>"));
    // Every cell of a split table is a time.
    QVERIFY(page.contains("<tr><td>1.05<td>2.10<td>3.01<td>12.34</tr>\r\n"));
}

void TestHtmlReport::keepsNamesInert()
{
    const QByteArray page =
        htmlReport(reportWithName(u"<script>alert(\"x\")</script> & Łukasz Żmuda 😀"_s));
    const QByteArray escaped =
        "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; &#321;ukasz &#379;muda &#128512;";
    QVERIFY(!page.contains("<script"));
    QVERIFY(page.contains("<td>7<td>" + escaped + "<td>12.34"));
    QVERIFY(page.contains("<H4>7.) " + escaped + "</H4>"));
    // Latin-1 stays as it is, as the page declares.
    QVERIFY(htmlReport(sampleReport()).contains("Anna M\xfcller"));
}

void TestHtmlReport::writesNoControlsOrBrokenCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("written");

    // A browser shows C1 characters as what the code page has at their numbers.
    QTest::newRow("C1") << u"A\u0080B\u009FC"_s << QByteArray("A B C");
    QTest::newRow("C0 and DEL") << u"A\x01"
                                   "B\tC\x7F"_s
                                << QByteArray("A B C ");
    QTest::newRow("line breaks") << u"A\r\nB"_s << QByteArray("A  B");
    QTest::newRow("no character") << u"A"_s + QChar(0xFFFE) << QByteArray("A&#65533;");
    QTest::newRow("half a pair") << u"A"_s + QChar(0xDC00) + u"B"_s << QByteArray("A&#65533;B");
}

void TestHtmlReport::writesNoControlsOrBrokenCharacters()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, written);
    const QByteArray page = htmlReport(reportWithName(name));
    QVERIFY2(page.contains("<td>7<td>" + written + "<td>12.34"), page.constData());
    QVERIFY(page.contains("<H4>7.) " + written + "</H4>"));
}

void TestHtmlReport::keepsTheOldPageWhenWritingFails()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"Tavrin.html"_s);
    QCOMPARE(saveHtmlReportFile(fileName, sampleReport()), QString());
    const QByteArray old = readAll(fileName);
    QCOMPARE(old, htmlReport(sampleReport()));
    {
        const ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.ok())
            QSKIP("this machine cannot make a folder read-only");
        QCOMPARE(saveHtmlReportFile(fileName, reportWithName(u"Neu"_s)),
                 u"Der Schreibfehler der Datei: "_s + fileName);
    }
    QCOMPARE(readAll(fileName), old);
}

void TestHtmlReport::namesThePageAfterTheProgram()
{
    QCOMPARE(webPageFileName(u"/opt/sport/Tavrin"_s), u"Tavrin.html"_s);
    QCOMPARE(webPageFileName(u"/opt/sport/Tavrin.exe"_s), u"Tavrin.html"_s);
    QCOMPARE(webPageFileName(u"/opt/sport/Zeit.Messung.exe"_s), u"Zeit.Messung.html"_s);
}

void TestHtmlReport::printsThePage()
{
    QTemporaryDir dir;
    const QString page = dir.filePath(u"Tavrin.html"_s);
    const QString pdf = dir.filePath(u"Tavrin.pdf"_s);
    QCOMPARE(saveHtmlReportFile(page, reportWithName(u"Łukasz Żmuda"_s)), QString());

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QCOMPARE(printHtmlFile(page, printer), QString());

    const QByteArray bytes = readAll(pdf);
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.contains("/Type /Page\n") || bytes.contains("/Type /Page\r") ||
            bytes.contains("/Type /Page "));

    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QProcess process;
    process.start(pdftotext, {pdf, u"-"_s});
    QVERIFY(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(text.contains(u"Łukasz Żmuda"_s), qPrintable(text.left(400)));
    QVERIFY(text.contains(u"Ben"_s));
    QVERIFY(text.contains(u"Zeitenprotokoll"_s));

    QVERIFY(!printHtmlFile(dir.filePath(u"missing.html"_s), printer).isEmpty());
    QPrinter nowhere;
    nowhere.setOutputFormat(QPrinter::PdfFormat);
    nowhere.setOutputFileName(dir.filePath(u"no/such/folder/Tavrin.pdf"_s));
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QCOMPARE(printHtmlFile(page, nowhere), u"Der Druckfehler der Datei: "_s + page);
}

QTEST_MAIN(TestHtmlReport)
#include "tst_HtmlReport.moc"
