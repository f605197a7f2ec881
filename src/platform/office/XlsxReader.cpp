#include "platform/office/XlsxReader.h"

#include "platform/office/CellEscapes.h"
#include "platform/office/PackageParts.h"
#include "platform/office/Workbook.h"
#include "platform/office/ZipArchive.h"

#include <QXmlStreamReader>

#include <cmath>

using namespace Qt::StringLiterals;

namespace platform::office {
namespace {

struct SheetEntry
{
    QString name;
    QString part; // empty for sheets without cells (chart sheets)
};

struct ParsedCell
{
    CellPosition position;
    QVariant value;
};

struct ParsedSheet
{
    QString name;
    QList<ParsedCell> cells;
};

class Parser
{
public:
    Parser(ZipReader &package, const XlsxLimits &limits)
        : m_package(package)
        , m_limits(limits)
    {
    }

    QList<ParsedSheet> parse()
    {
        const QString workbookPart = mainPartName(m_package);
        const QList<Relationship> relationships = readRelationships(m_package, workbookPart);
        if (const QString strings = relatedPart(relationships, u"sharedStrings");
            !strings.isEmpty())
            readSharedStrings(strings);
        QList<ParsedSheet> sheets;
        for (const SheetEntry &entry : readSheetEntries(workbookPart, relationships))
            sheets.append(
                {entry.name, entry.part.isEmpty() ? QList<ParsedCell>() : readCells(entry.part)});
        return sheets;
    }

private:
    QList<SheetEntry> readSheetEntries(const QString &partName,
                                       const QList<Relationship> &relationships)
    {
        QXmlStreamReader xml(m_package.part(partName));
        QList<SheetEntry> entries;
        while (nextToken(xml, m_package, partName) != QXmlStreamReader::EndDocument) {
            if (!xml.isStartElement() || xml.name() != u"sheet")
                continue;
            if (entries.size() >= m_limits.sheets)
                m_package.damaged(QStringLiteral("mehr als %1 Tabellen").arg(m_limits.sheets));
            SheetEntry entry{xml.attributes().value(u"name"_s).toString(), {}};
            QString id;
            for (const QXmlStreamAttribute &attribute : xml.attributes()) {
                if (attribute.name() == u"id") // r:id, whatever the prefix
                    id = attribute.value().toString();
            }
            const auto relationship =
                std::find_if(relationships.begin(), relationships.end(),
                             [&](const Relationship &r) { return r.id == id; });
            if (relationship == relationships.end() || relationship->external)
                m_package.damaged(QStringLiteral("Tabelle \"%1\" fehlt").arg(entry.name));
            if (relationship->type.endsWith(u"/worksheet"))
                entry.part = relationship->target;
            entries.append(entry);
        }
        if (entries.isEmpty())
            m_package.damaged(QStringLiteral("keine Tabelle"));
        return entries;
    }

    // The text of an <si> or <is> item: its <t> runs, without phonetic runs.
    QString readStringItem(QXmlStreamReader &xml, const QString &partName)
    {
        QString text;
        readContent(xml, m_package, partName, [&] {
            if (xml.name() == u"t")
                text += decodeCellEscapes(elementText(xml, m_package, partName));
            else if (xml.name() == u"rPh")
                elementText(xml, m_package, partName);
            else
                return false;
            return true;
        });
        return text;
    }

    void readSharedStrings(const QString &partName)
    {
        QXmlStreamReader xml(m_package.part(partName));
        while (nextToken(xml, m_package, partName) != QXmlStreamReader::EndDocument) {
            if (xml.isStartElement() && xml.name() == u"si")
                m_sharedStrings.append(readStringItem(xml, partName));
        }
    }

    // "BC12" -> row 12, column 55.
    CellPosition parseReference(QStringView reference, const QString &partName) const
    {
        qsizetype i = 0;
        qint64 column = 0;
        for (; i < reference.size() && reference[i] >= u'A' && reference[i] <= u'Z' &&
               column <= kMaxColumns;
             ++i)
            column = column * 26 + (reference[i].unicode() - u'A' + 1);
        bool ok = false;
        const qint64 row = reference.mid(i).toLongLong(&ok);
        if (!ok || column < 1 || column > kMaxColumns || row < 1 || row > kMaxRows)
            m_package.damaged(
                QStringLiteral("%1: Zellbezug \"%2\"").arg(partName, reference.toString()));
        return {static_cast<int>(row), static_cast<int>(column)};
    }

    QVariant cellValue(const QString &type, const QString &text, const QString &partName) const
    {
        if (type == u"s") {
            bool ok = false;
            const qsizetype index = text.toLongLong(&ok);
            if (!ok || index < 0 || index >= m_sharedStrings.size())
                m_package.damaged(QStringLiteral("%1: Zeichenkette %2 fehlt").arg(partName, text));
            return m_sharedStrings.at(index);
        }
        if (type.isEmpty() || type == u"n") {
            bool ok = false;
            const double number = text.trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(number))
                m_package.damaged(QStringLiteral("%1: Zahl \"%2\"").arg(partName, text));
            return number;
        }
        return text; // str, inlineStr, b, e, d: as the file shows it
    }

    QList<ParsedCell> readCells(const QString &partName)
    {
        QXmlStreamReader xml(m_package.part(partName));
        QList<ParsedCell> cells;
        CellPosition next{0, 1};
        while (nextToken(xml, m_package, partName) != QXmlStreamReader::EndDocument) {
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"row") {
                const auto r = xml.attributes().value(u"r"_s);
                next = {r.isEmpty() ? next.row + 1
                                    : parseReference(u"A"_s + r.toString(), partName).row,
                        1};
                if (next.row > m_limits.rows)
                    m_package.damaged(QStringLiteral("mehr als %1 Zeilen").arg(m_limits.rows));
            } else if (xml.name() == u"c") {
                const auto r = xml.attributes().value(u"r"_s);
                const CellPosition position = r.isEmpty() ? next : parseReference(r, partName);
                if (position.row > m_limits.rows)
                    m_package.damaged(QStringLiteral("mehr als %1 Zeilen").arg(m_limits.rows));
                if (++m_cellCount > m_limits.cells)
                    m_package.damaged(QStringLiteral("mehr als %1 Zellen").arg(m_limits.cells));
                next = {position.row, position.column + 1};
                const QVariant value =
                    readCell(xml, xml.attributes().value(u"t"_s).toString(), partName);
                if (value.isValid())
                    cells.append({position, value});
            }
        }
        return cells;
    }

    // From inside <c> to its end.
    QVariant readCell(QXmlStreamReader &xml, const QString &type, const QString &partName)
    {
        QVariant value;
        readContent(xml, m_package, partName, [&] {
            if (xml.name() == u"v") {
                if (const QString text = elementText(xml, m_package, partName); !text.isEmpty())
                    value = cellValue(type, text, partName);
            } else if (xml.name() == u"is") {
                value = readStringItem(xml, partName);
            } else {
                return false;
            }
            return true;
        });
        return value;
    }

    ZipReader &m_package;
    XlsxLimits m_limits;
    QStringList m_sharedStrings;
    qint64 m_cellCount = 0;
};

} // namespace

void readXlsx(const QString &fileName, Workbook &book, const XlsxLimits &limits)
{
    ZipReader package = ZipReader::fromFile(fileName);
    const QList<ParsedSheet> sheets = Parser(package, limits).parse();
    for (const ParsedSheet &parsed : sheets) {
        Worksheet &sheet = book.appendSheet(parsed.name);
        for (const ParsedCell &cell : parsed.cells)
            sheet.setCellValue(cell.position, cell.value);
    }
}

} // namespace platform::office
