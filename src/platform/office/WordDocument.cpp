#include "platform/office/WordDocument.h"

#include "platform/office/OfficeError.h"
#include "platform/office/PackageParts.h"
#include "platform/office/ZipArchive.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <algorithm>
#include <numeric>
#include <optional>

using namespace Qt::StringLiterals;

namespace platform::office {
namespace {

constexpr QStringView kMainNamespace =
    u"http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr QStringView kStrictNamespace = u"http://purl.oclc.org/ooxml/wordprocessingml/main";
constexpr int kA4Width = 11906; // twips
constexpr int kA4Height = 16838;
constexpr int kA4Margin = 1134; // 2 cm
// Text of about 11 points takes this much per character, and a cell adds
// Word's default margins of 108 twips on either side.
constexpr int kCharacterWidth = 120;
constexpr int kCellPadding = 2 * 108 + 24;
constexpr int kNarrowestColumn = kCellPadding + 3 * kCharacterWidth;

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

// Column widths in twips that fill the text width: every column as wide as
// its longest text needs, the widest one taking what is left; when the texts
// need more than there is, every column in proportion to its need.
QList<int> columnWidths(const QList<QStringList> &rows, int columns, int textWidth)
{
    QList<int> widths(columns, kNarrowestColumn);
    for (const QStringList &row : rows) {
        for (int c = 0; c < columns && c < row.size(); ++c)
            widths[c] = std::max<int>(widths[c], row.at(c).size() * kCharacterWidth + kCellPadding);
    }
    const qint64 needed = std::accumulate(widths.begin(), widths.end(), qint64(0));
    if (needed > textWidth) {
        for (int &width : widths)
            width = int(width * qint64(textWidth) / needed);
    }
    const int widest = int(std::max_element(widths.begin(), widths.end()) - widths.begin());
    widths[widest] += textWidth - std::accumulate(widths.begin(), widths.end(), 0);
    return widths;
}

// Each block declares the namespace itself, so it fits whatever prefix the
// template's author chose.
QString blockXml(const WordDocument::Block &block, const QString &ns, int textWidth)
{
    const QString declaration = u" xmlns:w=\""_s + ns + u'"';
    if (const auto *paragraph = std::get_if<WordDocument::Paragraph>(&block))
        return u"<w:p"_s + declaration + u'>' + runsXml(paragraph->text) + u"</w:p>"_s;

    const auto &table = std::get<WordDocument::Table>(block);
    const int columns = table.rows.isEmpty() ? 1 : static_cast<int>(table.rows.front().size());
    const QList<int> widths = columnWidths(table.rows, columns, textWidth);
    QString xml = u"<w:tbl"_s + declaration + u"><w:tblPr><w:tblW w:w=\""_s +
                  QString::number(textWidth) + u"\" w:type=\"dxa\"/><w:tblBorders>"_s;
    for (const char16_t *edge : {u"top", u"left", u"bottom", u"right", u"insideH", u"insideV"})
        xml += u"<w:"_s + QString::fromUtf16(edge) +
               u" w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"_s;
    xml += u"</w:tblBorders><w:tblLayout w:type=\"fixed\"/></w:tblPr><w:tblGrid>";
    for (const int width : widths)
        xml += u"<w:gridCol w:w=\""_s + QString::number(width) + u"\"/>"_s;
    xml += u"</w:tblGrid>";
    for (const QStringList &row : table.rows) {
        xml += u"<w:tr>";
        for (qsizetype c = 0; c < row.size(); ++c)
            xml += u"<w:tc><w:tcPr><w:tcW w:w=\""_s + QString::number(widths.value(c)) +
                   u"\" w:type=\"dxa\"/></w:tcPr><w:p>"_s + runsXml(row.at(c)) + u"</w:p></w:tc>"_s;
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
        "<Override PartName=\"/docProps/core.xml\" "
        "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
        "</Types>");
}

QByteArray blankCoreProperties(const QString &author, const QString &subject)
{
    return (u"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
            u"<cp:coreProperties "
            u"xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/"
            u"core-properties\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
            u"<dc:creator>"_s +
            escaped(author) + u"</dc:creator><dc:subject>"_s + escaped(subject) +
            u"</dc:subject></cp:coreProperties>"_s)
        .toUtf8();
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
        "<Relationship Id=\"rId2\" "
        "Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/"
        "core-properties\" "
        "Target=\"docProps/core.xml\"/>"
        "</Relationships>");
}

// The first section's page width and side margins, from the first <sectPr>
// of the body (that of the first section, wherever its last paragraph holds it).
class PageMeasures
{
public:
    void read(const QXmlStreamReader &xml, const QString &ns)
    {
        if (xml.name() == u"sectPr")
            m_sections += 1;
        if (m_sections != 1)
            return;
        const QXmlStreamAttributes attributes = xml.attributes();
        const auto twips = [&](QLatin1StringView name, int &into) {
            bool ok = false;
            const int value = attributes.value(ns, name).toInt(&ok);
            if (ok && value >= 0)
                into = value;
        };
        if (xml.name() == u"pgSz") {
            twips("w"_L1, m_width);
        } else if (xml.name() == u"pgMar") {
            twips("left"_L1, m_left);
            twips("right"_L1, m_right);
            twips("gutter"_L1, m_gutter);
        }
    }

    // A4 with 2 cm margins where the template says nothing; at least a few
    // centimetres whatever it says.
    int textWidth() const
    {
        return std::max(m_width - m_left - m_right - m_gutter, 4 * kNarrowestColumn);
    }

private:
    int m_sections = 0;
    int m_width = kA4Width;
    int m_left = kA4Margin;
    int m_right = kA4Margin;
    int m_gutter = 0;
};

} // namespace

WordDocument WordDocument::blank(const QString &author, const QString &subject)
{
    WordDocument document;
    document.m_mainPart = QStringLiteral("word/document.xml");
    document.m_bodyNamespace = kMainNamespace.toString();
    document.m_beforeBody =
        u"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document xmlns:w=\""_s +
        document.m_bodyNamespace + u"\"><w:body>"_s;
    // A new document has one empty paragraph, which stays after the table.
    document.m_afterBody = u"<w:p/><w:sectPr><w:pgSz w:w=\"%1\" w:h=\"%2\"/>"
                           u"<w:pgMar w:top=\"%3\" w:right=\"%3\" w:bottom=\"%3\" w:left=\"%3\" "
                           u"w:header=\"709\" w:footer=\"709\" w:gutter=\"0\"/></w:sectPr></w:body>"
                           u"</w:document>"_s.arg(kA4Width)
                               .arg(kA4Height)
                               .arg(kA4Margin);
    document.m_bodyStartsWithParagraph = true;
    document.m_textWidth = kA4Width - 2 * kA4Margin;
    document.m_parts = {{QStringLiteral("[Content_Types].xml"), blankContentTypes()},
                        {QStringLiteral("_rels/.rels"), blankRelationships()},
                        {QStringLiteral("docProps/core.xml"), blankCoreProperties(author, subject)},
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
    std::optional<QString> firstBlock;
    PageMeasures page;
    while (nextToken(xml, package, document.m_mainPart) != QXmlStreamReader::EndDocument) {
        if (bodyStart >= 0 && xml.isStartElement()) {
            if (!firstBlock)
                firstBlock = xml.name().toString();
            page.read(xml, document.m_bodyNamespace);
        }
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
    document.m_bodyStartsWithParagraph = firstBlock == u"p";
    document.m_textWidth = page.textWidth();
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
        body += blockXml(block, m_bodyNamespace, m_textWidth);
    if (!m_blocks.isEmpty() && std::holds_alternative<Table>(m_blocks.back()) &&
        !m_bodyStartsWithParagraph)
        body += u"<w:p xmlns:w=\""_s + m_bodyNamespace + u"\"/>"_s;
    ZipWriter writer;
    for (const Part &part : m_parts)
        writer.add(part.name, part.name == m_mainPart ? (m_beforeBody + body + m_afterBody).toUtf8()
                                                      : part.data);
    return writer.finish();
}

} // namespace platform::office
