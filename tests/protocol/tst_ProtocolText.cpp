#include "protocol/DialogFolder.h"
#include "protocol/FileChoice.h"
#include "protocol/ProtocolText.h"
#include "protocol/Windows1252.h"

#include "../platform/ReadOnlyFolder.h"

#include "../FileBytes.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace protocol;

namespace {

const ProtocolRow Header{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s};

} // namespace

class TestProtocolText : public QObject
{
    Q_OBJECT

private slots:
    void writesOccupiedRowsOnly();
    void readsLines_data();
    void readsLines();
    void skipsOnlyHeaderLines();
    void takesTextOnly_data();
    void takesTextOnly();
    void takesTheFilesRowCount();
    void keepsNamesBeyondTheCodePage();
    void agreesWithTheSystemCodePage();
    void keepsCellBreakersOutOfTheStructure();
    void readsEveryLineEnd();
    void refusesAMissingFile();
    void keepsTheOldFileWhenWritingFails();
    void loadsTenThousandRows();
    void startsDialogsInAWritableFolder();
    void choosesTheFormatByKind();
};

void TestProtocolText::writesOccupiedRowsOnly()
{
    const ProtocolRows rows{Header,
                            {u"7"_s, u"Anna Müller"_s, u"12,34"_s, u""_s},
                            {u""_s, u"Cleared"_s, u"1,00"_s, u""_s},
                            {u"12"_s, u""_s, u"1.02,34"_s, u"2"_s}};
    QCOMPARE(encodeProtocolText(rows),
             readAll(QStringLiteral(TAVRIN_TEST_DATA_DIR "/protocol.txt")));

    // The one empty row of an empty protocol leaves just the header.
    QCOMPARE(encodeProtocolText({Header, ProtocolRow{}}),
             QByteArray("Nr.\tName\tZeit\tPlatz\t\r\n"));

    // And the golden file reads back as written, blank name included.
    const QList<ProtocolRow> back =
        decodeProtocolText(readAll(QStringLiteral(TAVRIN_TEST_DATA_DIR "/protocol.txt")));
    QCOMPARE(back.size(), 2);
    QCOMPARE(back.at(0), (ProtocolRow{u"7"_s, u"Anna Müller"_s, u"12,34"_s, u" "_s}));
    QCOMPARE(back.at(1), (ProtocolRow{u"12"_s, u" "_s, u"1.02,34"_s, u"2"_s}));
}

void TestProtocolText::readsLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("cells");

    QTest::newRow("tabs") << QByteArray("7\tAnna\t12,34\t \t")
                          << QStringList{u"7"_s, u"Anna"_s, u"12,34"_s, u" "_s};
    QTest::newRow("semicolons") << QByteArray("7;Anna;12,34")
                                << QStringList{u"7"_s, u"Anna"_s, u"12,34"_s, u""_s};
    QTest::newRow("semicolon at the end")
        << QByteArray("7;Anna;") << QStringList{u"7"_s, u"Anna"_s, u""_s, u""_s};
    QTest::newRow("tab wins over semicolon")
        << QByteArray("7\tBerg; Anna\t12,34")
        << QStringList{u"7"_s, u"Berg; Anna"_s, u"12,34"_s, u""_s};
    QTest::newRow("two tabs shift left")
        << QByteArray("7\t\tAnna\t12,34\t") << QStringList{u"7"_s, u"Anna"_s, u"12,34"_s, u""_s};
    QTest::newRow("leading tab keeps a blank")
        << QByteArray("\t\t7\tAnna") << QStringList{u" "_s, u"7"_s, u"Anna"_s, u""_s};
    QTest::newRow("more than four cells")
        << QByteArray("1\t2\t3\t4\t5\t6\t") << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s};
    QTest::newRow("empty line") << QByteArray("") << QStringList{u""_s, u""_s, u""_s, u""_s};
    QTest::newRow("windows-1252") << QByteArray("3;J\xfcrgen \x80")
                                  << QStringList{u"3"_s, u"Jürgen €"_s, u""_s, u""_s};
}

void TestProtocolText::readsLines()
{
    QFETCH(QByteArray, line);
    QFETCH(QStringList, cells);
    const QList<ProtocolRow> rows =
        decodeProtocolText("Nr.\tName\tZeit\tPlatz\t\r\n" + line + "\r\n");
    QCOMPARE(rows.size(), 1);
    QCOMPARE(QStringList(rows.first().begin(), rows.first().end()), cells);
}

void TestProtocolText::skipsOnlyHeaderLines()
{
    // A line is a header only when its first cell is "Nr."; "Nr." elsewhere
    // is part of a name.
    const QList<ProtocolRow> rows = decodeProtocolText("Nr.\tName\tZeit\tPlatz\t\r\n"
                                                       "3\tTeam Nr. 3\t1,00\t\r\n"
                                                       "Nr.;x\r\n"
                                                       "Nr. 9;Neun\r\n"
                                                       "8;Nr.;2,00\r\n");
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0), (ProtocolRow{u"3"_s, u"Team Nr. 3"_s, u"1,00"_s, u""_s}));
    QCOMPARE(rows.at(1), (ProtocolRow{u"Nr. 9"_s, u"Neun"_s, u""_s, u""_s}));
    QCOMPARE(rows.at(2), (ProtocolRow{u"8"_s, u"Nr."_s, u"2,00"_s, u""_s}));
}

void TestProtocolText::takesTextOnly_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("text");
    const QString line = u"7\tJürgen Müller €\t12,34\t"_s;
    QTest::newRow("windows-1252") << QByteArray("7\tJ\xfcrgen M\xfcller \x80\t12,34\t") << true;
    QTest::newRow("utf-8") << line.toUtf8() << true;
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF") + line.toUtf8() << true;
    QStringEncoder littleEndian(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QTest::newRow("utf-16 little endian") << QByteArray(littleEndian.encode(line)) << true;
    QStringEncoder bigEndian(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
    QTest::newRow("utf-16 big endian") << QByteArray(bigEndian.encode(line)) << true;

    QTest::newRow("workbook") << QByteArray("PK\x03\x04", 4) + QByteArray(26, '\0') +
                                     "[Content_Types].xml"
                              << false;
    QTest::newRow("empty zip") << QByteArray("PK\x05\x06") + QByteArray(18, '\0') << false;
    QTest::newRow("utf-16 without mark")
        << QByteArray(QStringEncoder(QStringEncoder::Utf16LE).encode(line)) << false;
    QTest::newRow("nul byte") << QByteArray("7\tAnna\t12,34\t\r\n8\tB") + '\0' + "en\t\r\n"
                              << false;
}

void TestProtocolText::takesTextOnly()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, text);
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"liste.txt"_s);
    writeAll(fileName, bytes);
    const ProtocolTextLoad load = loadProtocolTextFile(fileName);
    if (text) {
        QVERIFY2(load.ok(), qPrintable(load.error));
        QCOMPARE(load.rows,
                 (QList<ProtocolRow>{{u"7"_s, u"Jürgen Müller €"_s, u"12,34"_s, u""_s}}));
    } else {
        // Refused with a word, and nothing to replace the protocol with.
        QVERIFY2(load.error.contains(u"keine Textdatei"_s) && load.error.contains(fileName),
                 qPrintable(load.error));
        QVERIFY(load.rows.isEmpty());
    }
}

void TestProtocolText::takesTheFilesRowCount()
{
    // The host replaces its rows with these, however many it had before.
    for (const int count : {10, 2}) {
        ProtocolRows written{Header};
        for (int i = 1; i <= count; ++i)
            written.append({QString::number(i), u"Name %1"_s.arg(i), u"1,00"_s, u""_s});
        const QList<ProtocolRow> read = decodeProtocolText(encodeProtocolText(written));
        QCOMPARE(read.size(), count);
        QCOMPARE(read.last()[1], u"Name %1"_s.arg(count));
    }
    // A file without data rows still leaves one (empty) row.
    QCOMPARE(decodeProtocolText("Nr.\tName\tZeit\tPlatz\t\r\n"), QList<ProtocolRow>{ProtocolRow{}});
    QCOMPARE(decodeProtocolText(QByteArray()), QList<ProtocolRow>{ProtocolRow{}});
}

void TestProtocolText::keepsNamesBeyondTheCodePage()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"p.txt"_s);
    const ProtocolRow row{u"3"_s, u"Łukasz Żmuda"_s, u"9,87"_s, u" "_s};
    QCOMPARE(saveProtocolTextFile(fileName, {Header, row}), QString());
    QVERIFY(readAll(fileName).startsWith("\xEF\xBB\xBF"));
    const ProtocolTextLoad load = loadProtocolTextFile(fileName);
    QVERIFY(load.ok());
    QCOMPARE(load.rows, QList<ProtocolRow>{row});

    // Names the code page holds keep the file single-byte for older readers.
    QCOMPARE(encodeProtocolText({Header, {u"1"_s, u"Jürgen"_s, u"1,00"_s, u"€"_s}}),
             QByteArray("Nr.\tName\tZeit\tPlatz\t\r\n1\tJ\xfcrgen\t1,00\t\x80\t\r\n"));
}

void TestProtocolText::agreesWithTheSystemCodePage()
{
    QByteArray all(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        all[b] = char(b);
    const QString ours = fromWindows1252(all);
    QCOMPARE(toWindows1252(ours), std::optional<QByteArray>(all));

    QStringDecoder system("windows-1252");
    if (!system.isValid())
        QSKIP("no windows-1252 codec on this machine");
    const QString theirs = system.decode(all);
    QCOMPARE(theirs.size(), 256);
    for (const int unassigned : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        QCOMPARE(ours.at(unassigned).unicode(), char16_t(unassigned));
    for (int b = 0; b < 256; ++b) {
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D)
            QCOMPARE(ours.at(b), theirs.at(b));
    }
    QCOMPARE(toWindows1252(u"Ł"), std::nullopt);
}

void TestProtocolText::keepsCellBreakersOutOfTheStructure()
{
    const QByteArray bytes = encodeProtocolText(
        {Header, {u"1"_s, u"A\tB\r\nC\x1a"_s, u"1,00"_s, u""_s}, {u"2"_s, u"D"_s, u""_s, u""_s}});
    const QList<ProtocolRow> rows = decodeProtocolText(bytes);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0), (ProtocolRow{u"1"_s, u"A B  C "_s, u"1,00"_s, u" "_s}));
    QCOMPARE(rows.at(1)[1], u"D"_s);
}

void TestProtocolText::readsEveryLineEnd()
{
    const QList<ProtocolRow> lf = decodeProtocolText("1;A\n2;B\n");
    QCOMPARE(lf.size(), 2);
    QCOMPARE(lf.at(1)[1], u"B"_s);
    QCOMPARE(decodeProtocolText("1;A\r2;B\r3;C").size(), 3);
    // Old DOS editors close a file with Ctrl+Z.
    const QList<ProtocolRow> dos = decodeProtocolText("1;A\r\n2;B\r\n\x1a");
    QCOMPARE(dos.size(), 2);
    QCOMPARE(dos.at(1)[1], u"B"_s);
}

void TestProtocolText::refusesAMissingFile()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"missing.txt"_s);
    const ProtocolTextLoad load = loadProtocolTextFile(fileName);
    QVERIFY(!load.ok());
    QVERIFY(load.error.endsWith(fileName));
    QVERIFY(load.rows.isEmpty());
}

void TestProtocolText::keepsTheOldFileWhenWritingFails()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"p.txt"_s);
    QCOMPARE(saveProtocolTextFile(fileName, {Header, {u"1"_s, u"Alt"_s, u"1,00"_s, u""_s}}),
             QString());
    const QByteArray old = readAll(fileName);
    {
        const ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.ok())
            QSKIP("this machine cannot make a folder read-only");
        QCOMPARE(saveProtocolTextFile(fileName, {Header, {u"2"_s, u"Neu"_s, u"2,00"_s, u""_s}}),
                 u"Der Schreibfehler der Datei: "_s + fileName);
    }
    QCOMPARE(readAll(fileName), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"p.txt"_s});
}

void TestProtocolText::loadsTenThousandRows()
{
    QByteArray bytes("Nr.\tName\tZeit\tPlatz\t\r\n");
    for (int i = 1; i <= 10000; ++i)
        bytes +=
            QByteArray::number(i) + "\tL\xe4ufer " + QByteArray::number(i) + "\t12,34\t \t\r\n";
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"big.txt"_s);
    writeAll(fileName, bytes);
    const ProtocolTextLoad load = loadProtocolTextFile(fileName);
    QVERIFY(load.ok());
    QCOMPARE(load.rows.size(), 10000);
    QCOMPARE(load.rows.last(), (ProtocolRow{u"10000"_s, u"Läufer 10000"_s, u"12,34"_s, u" "_s}));
}

void TestProtocolText::startsDialogsInAWritableFolder()
{
    QTemporaryDir program;
    QTemporaryDir documents;
    QCOMPARE(dialogStartFolder(program.path(), documents.path()), program.path());
    const ReadOnlyFolder readOnly(program.path());
    if (!readOnly.ok())
        QSKIP("this machine cannot make a folder read-only");
    QCOMPARE(dialogStartFolder(program.path(), documents.path()), documents.path());
    QCOMPARE(QDir(program.path()).entryList(QDir::Files), QStringList());
}

void TestProtocolText::choosesTheFormatByKind()
{
    const DocumentTypeLabels labels;
    // Without a spreadsheet program the save dialog has three entries.
    const FileFilters save = saveFilters(labels, false);
    QCOMPARE(save.size(), 3);
    QCOMPARE(saveKindAt(save, 1), FileKind::Text);
    QCOMPARE(saveKindAt(save, 2), FileKind::Document);
    QCOMPARE(saveKindAt(save, 3), FileKind::WebPage);
    QCOMPARE(saveKindAt(save, 4), FileKind::Text); // a stored index beyond the list
    QCOMPARE(saveKindAt(saveFilters(labels, true), 2), FileKind::Spreadsheet);
    QCOMPARE(saveKindAt(saveFilters(labels, true), 4), FileKind::WebPage);

    QCOMPARE(loadKindAt(openFilters(labels, false), 1), FileKind::Text);
    QCOMPARE(loadKindAt(openFilters(labels, false), 2), std::nullopt);
    QCOMPARE(loadKindAt(openFilters(labels, true), 2), FileKind::Spreadsheet);
    // The open dialog starts with the save dialog's index, which may lie
    // beyond its own entries.
    QCOMPARE(loadKindAt(openFilters(labels, false), 3), std::nullopt);
    QCOMPARE(loadKindAt(save, 3), std::nullopt); // a web page is never read
}

QTEST_GUILESS_MAIN(TestProtocolText)
#include "tst_ProtocolText.moc"
