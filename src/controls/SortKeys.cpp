#include "controls/SortKeys.h"

#include "controls/SortValues.h"

namespace {

bool isBlank(QChar c)
{
    return c <= u' ';
}

void skipBlanks(QStringView text, qsizetype &pos)
{
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
}

QString readItem(QStringView text, qsizetype &pos)
{
    QString item;
    if (pos < text.size() && text[pos] == u'"') {
        for (++pos; pos < text.size(); ++pos) {
            if (text[pos] != u'"') {
                item += text[pos];
            } else if (pos + 1 < text.size() && text[pos + 1] == u'"') {
                item += u'"';
                ++pos;
            } else {
                ++pos;
                break;
            }
        }
    }
    while (pos < text.size() && text[pos] != u',' && !isBlank(text[pos]))
        item += text[pos++];
    return item;
}

} // namespace

QStringList parseCommaText(QStringView text)
{
    QStringList items;
    qsizetype pos = 0;
    skipBlanks(text, pos);
    while (pos < text.size()) {
        items << readItem(text, pos);
        skipBlanks(text, pos);
        if (pos < text.size() && text[pos] == u',') {
            ++pos;
            skipBlanks(text, pos);
            if (pos == text.size())
                items << QString();
        }
    }
    return items;
}

SortKeys sortKeys(int aCol, const QString &secondaryIndex, int colCount)
{
    QStringList items = parseCommaText(secondaryIndex);
    const QString primary = QString::number(aCol);
    items.removeOne(primary);
    items.prepend(primary);

    SortKeys keys;
    for (const QString &item : std::as_const(items)) {
        const auto column = parseWholeNumber(item);
        if (!column)
            return {{}, QStringLiteral(u"Ungültige Sortierspalte: \"%1\"").arg(item)};
        if (*column >= 0 && *column < colCount)
            keys.columns << int(*column);
        else if (keys.columns.isEmpty())
            return {}; // no primary column: nothing to sort on
    }
    return keys;
}
