#include "protocol/HtmlReport.h"

#include "protocol/WholeFile.h"
#include "settings/ProgramTitle.h"

#include <QStringView>

#include <functional>

namespace protocol {

namespace {

// Collects the page as Latin-1 bytes.
class Page
{
public:
    Page() { m_bytes.reserve(1 << 16); }

    Page &operator<<(const char *literal)
    {
        m_bytes.append(literal);
        return *this;
    }

    // Text from the protocol: markup characters escaped, anything beyond
    // Latin-1 as a numeric character reference.
    Page &text(QStringView text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char32_t c = codePointAt(text, i);
            switch (c) {
            case U'&':
                m_bytes.append("&amp;");
                break;
            case U'<':
                m_bytes.append("&lt;");
                break;
            case U'>':
                m_bytes.append("&gt;");
                break;
            case U'"':
                m_bytes.append("&quot;");
                break;
            default:
                if (isControl(c)) {
                    m_bytes.append(' ');
                } else if (c <= 0xFF) {
                    m_bytes.append(char(c));
                } else {
                    m_bytes.append("&#");
                    m_bytes.append(QByteArray::number(uint(isBroken(c) ? 0xFFFD : c)));
                    m_bytes.append(';');
                }
            }
        }
        return *this;
    }

    // A time's first comma (its decimal comma) becomes a full stop.
    Page &timeCell(const QString &cellText)
    {
        const qsizetype comma = cellText.indexOf(u',');
        if (comma < 0)
            return text(cellText);
        return text(QStringView(cellText).first(comma))
            .text(u".")
            .text(QStringView(cellText).sliced(comma + 1));
    }

    // Only times change their comma: a name such as "Berg, Anna" stays.
    template <typename Row>
    Page &tableRow(const Row &row, const ColumnWidths &widths,
                   const std::function<bool(std::size_t col)> &isTime)
    {
        m_bytes.append("<tr>");
        for (std::size_t col = 0; col < row.size(); ++col) {
            if (widths[col] > 0) {
                m_bytes.append("<td>");
                if (isTime(col))
                    timeCell(row[col]);
                else
                    text(row[col]);
            }
        }
        m_bytes.append("</tr>\r\n");
        return *this;
    }

    QByteArray bytes() const { return m_bytes; }

private:
    // C0, DEL and C1: a browser shows the C1 range as the characters the
    // code page of the same numbers has there ("€" for U+0080).
    static bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

    // A surrogate without its other half, or no character at all.
    static bool isBroken(char32_t c)
    {
        return (c >= 0xD800 && c < 0xE000) || c == 0xFFFE || c == 0xFFFF;
    }

    // The code point at i; a surrogate pair advances i past its low half.
    static char32_t codePointAt(QStringView text, qsizetype &i)
    {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            return QChar::surrogateToUcs4(c, text[++i]);
        return c.unicode();
    }

    QByteArray m_bytes;
};

constexpr std::size_t ZeitColumn = 2;

const char *const TableStyle =
    "<table style=\"BORDER-COLLAPSE: collapse\" bgcolor=#FFFFFF borderColor=#808080 border=1 "
    "cellpadding=4";
const char *const TableHead = "<thead align=left bgcolor=#91B5FF>\r\n<tr>\r\n";

void writeHead(Page &page, const QString &title)
{
    page << "<HTML>\r\n<HEAD>\r\n<!--" << MakerAddress << " software -->\r\n";
    page << "<TITLE>Zeitenprotokoll ";
    page.text(title) << "</TITLE>\r\n";
    page << "<META name=keywords content=\"slalom, Zeitenprotokoll, korvel, stopuhr, ";
    page.text(title) << "\">\r\n";
    page << "<META name=description content=\"Korvel professional software development for "
            "all\">\r\n";
    page << "<META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\">\r\n";
    page << "<META name=\"Webdesign\" content=\"" << DesignerAddress << "\">\r\n";
    page << "</HEAD>\r\n<STYLE type=text/css>\r\n body {font-family: Arial}\r\n"
            " pre  {padding-left: 36px}\r\n.de   {line-height: 4px; width: 28px}\r\n"
            "</STYLE>\r\n";
    page << "<BODY bgcolor=#FFFFFF text=#000000>\r\n";
    page << "<DIV style=\"FILTER: Blur(direction=225, strength=6); WIDTH:100%\"><H2>&nbsp;";
    page.text(title) << "</H2>\r\n</div>\r\n";
}

void writeProtocolTable(Page &page, const ProtocolReport &report)
{
    static const ProtocolRow noHeader;
    const ProtocolRow &header = report.protocol.isEmpty() ? noHeader : report.protocol.first();
    page << "<H4>Zeitenprotokoll</H4>\r\n";
    page << TableStyle << " width=100%>\r\n";
    page << "<colgroup valign=top> <col align=right> <col> <col align=right> <col> "
            "</colgroup>\r\n";
    page << TableHead;
    // The header keeps all four cells whatever the column widths.
    page << "<th width=5%>";
    page.text(header[0]) << "\r\n<th width=80% nowrap>";
    page.text(header[1]) << "\r\n<th width=10% nowrap>";
    page.text(header[2]) << "\r\n<th width=5% nowrap>";
    page.text(header[3]) << "\r\n</tr></thead>\r\n";
    for (qsizetype r = 1; r < report.protocol.size(); ++r)
        page.tableRow(report.protocol.at(r), report.protocolWidths,
                      [](std::size_t col) { return col == ZeitColumn; });
    page << "</table>\r\n";
}

void writeSplitTable(Page &page, const ProtocolReport &report, qsizetype r)
{
    const ProtocolRow &row = report.protocol.at(r);
    page << "<H4>";
    page.text(row[0]) << ".) ";
    page.text(row[1]) << "</H4>\r\n";
    page << TableStyle << ">\r\n";
    page << "<colgroup valign=top> <col align=right> <col align=right> <col align=right> "
            "<col align=right> </colgroup>\r\n";
    page << TableHead;
    for (const QString &distance : report.splitHeader) {
        page << "<th width=25% nowrap>";
        page.text(distance) << "\r\n";
    }
    page << "</tr></thead>\r\n";
    static const SplitBlock emptyBlock;
    const SplitBlock &block = r - 1 < report.splits.size() ? report.splits.at(r - 1) : emptyBlock;
    for (const SplitRow &splitRow : block.rows)
        page.tableRow(splitRow, report.splitWidths, [](std::size_t) { return true; });
    page << "</table>\r\n";
}

void writeFooter(Page &page, const QString &title)
{
    page << "<P align=right><a href=\"" << MakerAddress << "/software/\" title=\"";
    page.text(title) << "\">";
    page << "<FONT color=#CC0000><B>Kor</B></FONT><FONT color=#008000><B>vel</B></FONT>";
    page << "<FONT color=#666600>&nbsp; Sport Software </FONT>&gt;&gt;</A></P></body></html>\r\n";
}

} // namespace

QByteArray htmlReport(const ProtocolReport &report)
{
    Page page;
    writeHead(page, report.title);
    writeProtocolTable(page, report);
    for (qsizetype r = 1; r < report.protocol.size(); ++r)
        writeSplitTable(page, report, r);
    writeFooter(page, report.title);
    return page.bytes();
}

QString saveHtmlReportFile(const QString &fileName, const ProtocolReport &report)
{
    return writeWholeFile(fileName, htmlReport(report));
}

QString webPageFileName(const QString &programPath)
{
    return programTitle(programPath) + QStringLiteral(".html");
}

} // namespace protocol
