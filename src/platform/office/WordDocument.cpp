#include "platform/office/WordDocument.h"

#include "platform/office/OfficeError.h"
#include "platform/office/PackageParts.h"
#include "platform/office/ZipArchive.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace platform::office {
namespace {

constexpr QStringView kMainNamespace =
    u"http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr QStringView kStrictNamespace = u"http://purl.oclc.org/ooxml/wordprocessingml/main";
constexpr int kTextWidthTwips = 9638; // A4 less 2 cm margins on either side

QString escaped(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        // XML 1.0 has no place for other control characters.
        if (c.unicode() >= 0x20 || c == u'\t')
            clean.append(c);
    }
    return clean.toHtmlEscaped();
}

QString runsXml(const QString &text)
{
    QString xml;
    const QStringList pieces = text.split(u'\t');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            xml += u"<w:r><w:tab/></w:r>";
        if (!pieces.at(i).isEmpty())
            xml +=
                u"<w:r><w:t xml:space=\"preserve\">"_s + escaped(pieces.at(i)) + u"</w:t></w:r>"_s;
    }
    return xml;
}

// Each block declares the namespace itself, so it fits whatever prefix the
// template's author chose.
QString blockXml(const WordDocument::Block &block, const QString &ns)
{
    const QString declaration = u" xmlns:w=\""_s + ns + u'"';
    if (const auto *paragraph = std::get_if<WordDocument::Paragraph>(&block))
        return u"<w:p"_s + declaration + u'>' + runsXml(paragraph->text) + u"</w:p>"_s;

    const auto &table = std::get<WordDocument::Table>(block);
    const int columns = table.rows.isEmpty() ? 1 : static_cast<int>(table.rows.front().size());
    const QString width = QString::number(kTextWidthTwips / columns);
    QString xml = u"<w:tbl"_s + declaration +
                  u"><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/><w:tblBorders>"_s;
    for (const char16_t *edge : {u"top", u"left", u"bottom", u"right", u"insideH", u"insideV"})
        xml += u"<w:"_s + QString::fromUtf16(edge) +
               u" w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"_s;
    xml += u"</w:tblBorders></w:tblPr><w:tblGrid>";
    for (int c = 0; c < columns; ++c)
        xml += u"<w:gridCol w:w=\""_s + width + u"\"/>"_s;
    xml += u"</w:tblGrid>";
    for (const QStringList &row : table.rows) {
        xml += u"<w:tr>";
        for (const QString &cell : row)
            xml += u"<w:tc><w:tcPr><w:tcW w:w=\""_s + width +
                   u"\" w:type=\"dxa\"/></w:tcPr><w:p>"_s + runsXml(cell) + u"</w:p></w:tc>"_s;
        xml += u"</w:tr>";
    }
    return xml + u"</w:tbl>"_s;
}

QByteArray blankContentTypes()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/word/document.xml\" "
        "ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
        "</Types>");
}

QByteArray blankRelationships()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
        "officeDocument\" "
        "Target=\"word/document.xml\"/>"
        "</Relationships>");
}

} // namespace

WordDocument WordDocument::blank()
{
    WordDocument document;
    document.m_mainPart = QStringLiteral("word/document.xml");
    document.m_bodyNamespace = kMainNamespace.toString();
    document.m_beforeBody =
        u"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document xmlns:w=\""_s +
        document.m_bodyNamespace + u"\"><w:body>"_s;
    // A new document has one empty paragraph, which stays after the table.
    document.m_afterBody = QStringLiteral(
        "<w:p/><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
        "<w:pgMar w:top=\"1134\" w:right=\"1134\" w:bottom=\"1134\" w:left=\"1134\" "
        "w:header=\"709\" w:footer=\"709\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>");
    document.m_parts = {{QStringLiteral("[Content_Types].xml"), blankContentTypes()},
                        {QStringLiteral("_rels/.rels"), blankRelationships()},
                        {document.m_mainPart, {}}};
    return document;
}

WordDocument WordDocument::fromTemplate(const QString &fileName)
{
    ZipReader package = ZipReader::fromFile(fileName);
    WordDocument document;
    document.m_mainPart = mainPartName(package);
    for (const QString &name : package.partNames()) {
        if (name.endsWith(u'/'))
            continue; // folder entries carry nothing
        QByteArray data = package.part(name);
        if (name == u"[Content_Types].xml") // a template saved as a document
            data.replace("wordprocessingml.template.main+xml",
                         "wordprocessingml.document.main+xml");
        document.m_parts.append({name, data});
    }

    const auto main =
        std::find_if(document.m_parts.cbegin(), document.m_parts.cend(), [&](const Part &part) {
            return part.name.compare(document.m_mainPart, Qt::CaseInsensitive) == 0;
        });
    document.m_mainPart = main->name;
    const QString text = QString::fromUtf8(main->data);
    QXmlStreamReader xml(text);
    qsizetype bodyStart = -1;
    while (nextToken(xml, package, document.m_mainPart) != QXmlStreamReader::EndDocument) {
        if (bodyStart < 0 && xml.isStartElement() && xml.name() == u"body" &&
            (xml.namespaceUri() == kMainNamespace || xml.namespaceUri() == kStrictNamespace)) {
            bodyStart = static_cast<qsizetype>(xml.characterOffset());
            document.m_bodyNamespace = xml.namespaceUri().toString();
            if (text.mid(0, bodyStart).endsWith(u"/>")) { // <w:body/>: open it up
                document.m_beforeBody = text.left(bodyStart - 2) + u'>';
                document.m_afterBody =
                    u"</"_s + xml.qualifiedName().toString() + u'>' + text.mid(bodyStart);
            } else {
                document.m_beforeBody = text.left(bodyStart);
                document.m_afterBody = text.mid(bodyStart);
            }
        }
    }
    if (bodyStart < 0)
        package.damaged(QStringLiteral("%1 hat keinen Textkörper").arg(document.m_mainPart));
    return document;
}

qsizetype WordDocument::insertText(qsizetype at, const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineBreak);
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast(); // the last line's break ends it; no empty paragraph after it
    at = std::clamp<qsizetype>(at, 0, m_blocks.size());
    for (const QString &line : lines)
        m_blocks.insert(at++, Paragraph{line});
    return at;
}

void WordDocument::convertToTable(qsizetype first, qsizetype count, int columns)
{
    if (first < 0 || count < 1 || first + count > m_blocks.size() || columns < 1)
        throw OfficeError(QStringLiteral("Es ist kein Text für eine Tabelle markiert."));
    Table table;
    QStringList row;
    for (qsizetype i = first; i < first + count; ++i) {
        const auto *paragraph = std::get_if<Paragraph>(&m_blocks.at(i));
        if (!paragraph)
            throw OfficeError(QStringLiteral("Die Markierung enthält schon eine Tabelle."));
        for (const QString &cell : paragraph->text.split(u'\t')) {
            row.append(cell);
            if (row.size() == columns)
                table.rows.append(std::exchange(row, {}));
        }
        if (!row.isEmpty()) {
            while (row.size() < columns)
                row.append(QString());
            table.rows.append(std::exchange(row, {}));
        }
    }
    m_blocks.remove(first, count);
    m_blocks.insert(first, table);
}

QByteArray WordDocument::toBytes() const
{
    QString body;
    for (const Block &block : m_blocks)
        body += blockXml(block, m_bodyNamespace);
    ZipWriter writer;
    for (const Part &part : m_parts)
        writer.add(part.name, part.name == m_mainPart ? (m_beforeBody + body + m_afterBody).toUtf8()
                                                      : part.data);
    return writer.finish();
}

} // namespace platform::office
