#include "protocol/ProtocolText.h"

#include "protocol/TextDecoding.h"
#include "protocol/WholeFile.h"
#include "protocol/Windows1252.h"

using namespace Qt::StringLiterals;

namespace protocol {

namespace {

constexpr char Utf8Bom[] = "\xEF\xBB\xBF";
constexpr char16_t CtrlZ = 0x1A;

// A TAB, CR or LF inside a cell would split it or its row on reading, a
// Ctrl+Z end the file.
QString cellText(const QString &text)
{
    if (text.isEmpty())
        return u" "_s;
    QString cell = text;
    for (QChar &c : cell) {
        if (c == u'\t' || c == u'\r' || c == u'\n' || c == CtrlZ)
            c = u' ';
    }
    return cell;
}

ProtocolRow rowFromLine(QStringView line)
{
    ProtocolRow row;
    const QChar separator = line.contains(u'\t') ? u'\t' : u';';
    int column = 0;
    qsizetype start = 0;
    while (start <= line.size() && column < ProtocolColumns) {
        qsizetype end = line.indexOf(separator, start);
        if (end < 0)
            end = line.size();
        const QStringView piece = line.sliced(start, end - start);
        if (!piece.isEmpty())
            row[column++] = piece.toString();
        else if (start == 0 && end < line.size())
            row[column++] = u" "_s; // a separator at the very start keeps its cell
        // Empty pieces elsewhere come from a run of separators or a separator
        // at the line's end and start no cell.
        start = end + 1;
    }
    return row;
}

QList<ProtocolRow> rowsFromText(QString text)
{
    // DOS editors may end a file with Ctrl+Z; nothing after it is text.
    if (const qsizetype eof = text.indexOf(QChar(CtrlZ)); eof >= 0)
        text.truncate(eof);

    QList<ProtocolRow> rows;
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = start;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        // A header line is one that starts with the cell "Nr.": the program
        // writes one first, and joined files hold more.
        if (const ProtocolRow row = rowFromLine(all.sliced(start, end - start)); row[0] != u"Nr.")
            rows.append(row);
        // CR LF, a lone LF and a lone CR each end one line.
        if (end < all.size() && all[end] == u'\r' && end + 1 < all.size() && all[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    if (rows.isEmpty())
        rows.append(ProtocolRow{});
    return rows;
}

} // namespace

QByteArray encodeProtocolText(const ProtocolRows &rows)
{
    QString text;
    text.reserve(rows.size() * 32);
    for (const ProtocolRow &row : rows) {
        if (!isOccupied(row))
            continue;
        for (const QString &cell : row) {
            text += cellText(cell);
            text += u'\t';
        }
        text += u"\r\n"_s;
    }
    if (std::optional<QByteArray> ansi = toWindows1252(text))
        return *std::move(ansi);
    return QByteArray(Utf8Bom) + text.toUtf8();
}

QList<ProtocolRow> decodeProtocolText(const QByteArray &bytes)
{
    return rowsFromText(decodeTextFile(bytes).value_or(QString()));
}

QString saveProtocolTextFile(const QString &fileName, const ProtocolRows &rows)
{
    return writeWholeFile(fileName, encodeProtocolText(rows));
}

ProtocolTextLoad loadProtocolTextFile(const QString &fileName)
{
    const WholeFileRead read = readWholeFile(fileName);
    if (!read.error.isEmpty())
        return {{}, read.error};
    std::optional<QString> text = decodeTextFile(read.bytes);
    // A workbook or a document would otherwise become rows of garbage.
    if (!text)
        return {{}, u"Die Datei ist keine Textdatei und wurde nicht geladen: "_s + fileName};
    return {rowsFromText(*std::move(text)), {}};
}

} // namespace protocol
