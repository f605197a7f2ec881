#include "platform/office/DocumentServer.h"
#include "platform/office/OfficeError.h"
#include "platform/office/ZipArchive.h"

#include "ReadOnlyFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace platform::office;
using namespace Qt::StringLiterals;

namespace {

constexpr QStringView kWordNamespace =
    u"http://schemas.openxmlformats.org/wordprocessingml/2006/main";

QByteArray testData(const QString &name)
{
    QFile file(QStringLiteral(TAVRIN_TEST_DATA_DIR "/docx/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data");
    return file.readAll();
}

// A template whose main part is not where a new document keeps it, with a
// prefix of its own and a template content type.
QString writeTemplate(const QTemporaryDir &dir,
                      const QByteArray &document = testData(u"document.xml"_s))
{
    ZipWriter writer;
    writer.add(u"[Content_Types].xml"_s, testData(u"content-types.xml"_s));
    writer.add(u"_rels/.rels"_s, testData(u"root.rels"_s));
    writer.add(u"word/main.xml"_s, document);
    writer.add(u"word/_rels/main.xml.rels"_s, testData(u"main.xml.rels"_s));
    writer.add(u"word/styles.xml"_s, testData(u"styles.xml"_s));
    const QString fileName = dir.filePath(u"Protokollvorlage.docx"_s);
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(writer.finish()) < 0)
        qFatal("cannot write the template");
    return fileName;
}

// The body's blocks: "p:text" for a paragraph (tabs as \t), "tbl:" + rows
// joined by "/" with cells joined by "|" for a table, "sectPr".
QStringList bodyBlocks(const QByteArray &documentXml)
{
    QXmlStreamReader xml(documentXml);
    QStringList blocks;
    QString block;
    int depth = 0;
    int rows = 0;
    int cells = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.namespaceUri() == kWordNamespace) {
            ++depth;
            const auto name = xml.name();
            if (depth == 3) {
                block = name.toString() + u':';
                rows = 0;
            } else if (name == u"tr") {
                block += rows++ > 0 ? u"/"_s : QString();
                cells = 0;
            } else if (name == u"tc") {
                block += cells++ > 0 ? u"|"_s : QString();
            } else if (name == u"tab")
                block += u'\t';
        } else if (xml.isEndElement() && xml.namespaceUri() == kWordNamespace) {
            if (depth-- == 3)
                blocks.append(block.endsWith(u':') ? block.chopped(1) : block);
        } else if (xml.isCharacters() && depth > 3) {
            block += xml.text();
        }
    }
    if (xml.hasError())
        return {u"error: "_s + xml.errorString()};
    return blocks;
}

QByteArray partOf(const QString &fileName, const QString &partName)
{
    return ZipReader::fromFile(fileName).part(partName);
}

const QString kProtocolText = u"Nr.\tName\tZeit\tPlatz\r\n7\tAnna Berg\t10,50\t\r\n\t\t\t\r\n"_s;

void insertProtocolTable(DocumentServer &server)
{
    server.insert(kProtocolText);
    server.lineUp(3, true);
    server.textToTable(ConvertFrom::Tabs, 4);
}

} // namespace

class TestDocumentServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newDocumentGetsTheTable()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(u"protokoll.docx"_s);
        DocumentServer server;
        server.fileNew();
        insertProtocolTable(server);
        server.fileSaveAs(fileName);
        server.appClose();
        QVERIFY(!server.hasDocument());

        QCOMPARE(bodyBlocks(partOf(fileName, u"word/document.xml"_s)),
                 (QStringList{u"tbl:Nr.|Name|Zeit|Platz/7|Anna Berg|10,50|/|||"_s, u"p"_s,
                              u"sectPr"_s}));
        const QString types = QString::fromUtf8(partOf(fileName, u"[Content_Types].xml"_s));
        QVERIFY(types.contains(u"wordprocessingml.document.main+xml"_s));
    }

    void templateKeepsItsContentAfterTheTable()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(u"protokoll.docx"_s);
        DocumentServer server;
        server.fileOpen(writeTemplate(dir));
        insertProtocolTable(server);
        server.fileSaveAs(fileName);

        QCOMPARE(bodyBlocks(partOf(fileName, u"word/main.xml"_s)),
                 (QStringList{u"tbl:Nr.|Name|Zeit|Platz/7|Anna Berg|10,50|/|||"_s,
                              u"p:Sportfest & Protokoll"_s, u"sectPr"_s}));
        QCOMPARE(partOf(fileName, u"word/styles.xml"_s), testData(u"styles.xml"_s));
        QCOMPARE(partOf(fileName, u"word/_rels/main.xml.rels"_s), testData(u"main.xml.rels"_s));
        const QString types = QString::fromUtf8(partOf(fileName, u"[Content_Types].xml"_s));
        QVERIFY(types.contains(u"wordprocessingml.document.main+xml"_s));
        QVERIFY(!types.contains(u"template.main"_s));
    }

    void templateBodyIsFoundInAnySpelling_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QStringList>("blocks");
        const QString table = u"tbl:Nr.|Name|Zeit|Platz/7|Anna Berg|10,50|/|||"_s;
        QTest::newRow("empty body")
            << QByteArray(
                   "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/"
                   "2006/main\"><w:body/></w:document>")
            << QStringList{table, u"p"_s}; // a paragraph ends the body, as word processors want
        QTest::newRow("byte order mark, CR LF, attributes, umlauts before the body")
            << QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                          "<document xmlns=\"http://schemas.openxmlformats.org/wordprocessingml/"
                          "2006/main\" xmlns:x=\"urn:x\" x:note=\"Übersicht\">\r\n"
                          "  <body x:id=\"1\">\r\n  <p><r><t>Wettkampf Ä</t></r></p>\r\n</body>\r\n"
                          "</document>")
            << QStringList{table, u"p:Wettkampf Ä"_s};
    }

    void templateBodyIsFoundInAnySpelling()
    {
        QFETCH(QByteArray, document);
        QFETCH(QStringList, blocks);
        QTemporaryDir dir;
        const QString fileName = dir.filePath(u"protokoll.docx"_s);
        DocumentServer server;
        server.fileOpen(writeTemplate(dir, document));
        insertProtocolTable(server);
        server.fileSaveAs(fileName);
        QCOMPARE(bodyBlocks(partOf(fileName, u"word/main.xml"_s)), blocks);
    }

    void textIsInsertedAndConverted()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(u"text.docx"_s);
        DocumentServer server;
        server.fileNew();
        server.insert(u"Kopf\n"_s);
        server.insert(u"a\tb\tc\td\te\r1\t2\nx <&> \x01y\tz"_s);
        server.lineUp(3, true); // the three lines of the second insert
        server.textToTable(ConvertFrom::Tabs, 4);
        server.insert(u"Ende"_s);
        server.fileSaveAs(fileName);
        QCOMPARE(bodyBlocks(partOf(fileName, u"word/document.xml"_s)),
                 (QStringList{u"p:Kopf"_s, u"tbl:a|b|c|d/e|||/1|2||/x <&> y|z||"_s, u"p:Ende"_s,
                              u"p"_s, u"sectPr"_s}));

        server.lineUp(1, false);
        QVERIFY_THROWS_EXCEPTION(OfficeError,
                                 server.textToTable(ConvertFrom::Tabs, 4)); // nothing selected
        server.lineUp(2, true); // the table and the first paragraph
        QVERIFY_THROWS_EXCEPTION(OfficeError, server.textToTable(ConvertFrom::Tabs, 4));
    }

    void failuresAreReported()
    {
        QTemporaryDir dir;
        DocumentServer server;
        QVERIFY_THROWS_EXCEPTION(OfficeError, server.insert(u"x"_s));
        QVERIFY_THROWS_EXCEPTION(OfficeError, server.fileSaveAs(dir.filePath(u"x.docx"_s)));
        QVERIFY_THROWS_EXCEPTION(OfficeError, server.fileOpen(dir.filePath(u"fehlt.docx"_s)));
        QVERIFY_THROWS_EXCEPTION(OfficeError,
                                 server.fileOpen(writeTemplate(dir, "<w:document><w:body>")));
        QVERIFY_THROWS_EXCEPTION(OfficeError, server.fileOpen(writeTemplate(dir, "<document/>")));

        const QString fileName = dir.filePath(u"protokoll.docx"_s);
        server.fileNew();
        server.insert(u"alt"_s);
        server.fileSaveAs(fileName);
        const QByteArray old = partOf(fileName, u"word/document.xml"_s);
        server.insert(u"neu"_s);
        {
            ReadOnlyFolder readOnly(dir.path());
            if (!readOnly.ok())
                QSKIP("This machine gives no way to make a folder unwritable.");
            try {
                server.fileSaveAs(fileName);
                QFAIL("saving into a read-only folder succeeded");
            } catch (const OfficeError &error) {
                QCOMPARE(error.message(), u"Der Schreibfehler der Datei: "_s + fileName);
            }
        }
        QCOMPARE(partOf(fileName, u"word/document.xml"_s), old);
    }
};

QTEST_GUILESS_MAIN(TestDocumentServer)
#include "tst_DocumentServer.moc"
