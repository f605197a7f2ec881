#include "platform/office/SheetNames.h"

namespace platform::office {
namespace {

constexpr QStringView kInvalidCharacters = u":\\/?*[]";

bool isTaken(const QString &name, const QStringList &takenNames)
{
    return takenNames.contains(name, Qt::CaseInsensitive);
}

// Cuts by characters, not UTF-16 units, and never inside a surrogate pair.
QString leftCharacters(const QString &text, qsizetype count)
{
    qsizetype end = 0;
    for (qsizetype seen = 0; end < text.size() && seen < count; ++seen)
        end += (text.at(end).isHighSurrogate() && end + 1 < text.size()) ? 2 : 1;
    return text.left(end);
}

qsizetype characterCount(const QString &text)
{
    return text.toUcs4().size();
}

} // namespace

QString sheetNameFault(const QString &name, const QStringList &takenNames)
{
    if (name.isEmpty())
        return QStringLiteral("Der Tabellenname ist leer.");
    if (characterCount(name) > kMaxSheetNameLength)
        return QStringLiteral("Der Tabellenname \"%1\" ist länger als %2 Zeichen.")
            .arg(name)
            .arg(kMaxSheetNameLength);
    for (const QChar c : kInvalidCharacters) {
        if (name.contains(c))
            return QStringLiteral("Der Tabellenname \"%1\" enthält das Zeichen %2.").arg(name, c);
    }
    if (name.startsWith(u'\'') || name.endsWith(u'\''))
        return QStringLiteral("Der Tabellenname \"%1\" beginnt oder endet mit einem Apostroph.")
            .arg(name);
    if (name.compare(u"History", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Der Tabellenname \"%1\" ist reserviert.").arg(name);
    if (isTaken(name, takenNames))
        return QStringLiteral("Der Tabellenname \"%1\" wird bereits verwendet.").arg(name);
    return {};
}

QString validSheetName(const QString &wanted, const QString &fallback,
                       const QStringList &takenNames)
{
    const auto clean = [](QString name) {
        for (const QChar c : kInvalidCharacters)
            name.replace(c, u'_');
        for (QChar &c : name) {
            if (c.category() == QChar::Other_Control)
                c = u' ';
        }
        while (!name.isEmpty() && (name.front() == u'\'' || name.front().isSpace()))
            name.remove(0, 1);
        name = leftCharacters(name, kMaxSheetNameLength);
        while (!name.isEmpty() && (name.back() == u'\'' || name.back().isSpace()))
            name.chop(1);
        return name;
    };
    QString base = clean(wanted);
    if (base.isEmpty())
        base = clean(fallback);
    if (base.isEmpty())
        base = QStringLiteral("Tabelle");

    QString name = base;
    for (int n = 2; !sheetNameFault(name, takenNames).isEmpty(); ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        name = leftCharacters(base, kMaxSheetNameLength - suffix.size()) + suffix;
    }
    return name;
}

QStringList validSheetNames(const QStringList &wanted, const QStringList &fallbacks,
                            const QStringList &reservedNames)
{
    QStringList taken = reservedNames;
    QStringList names;
    names.reserve(wanted.size());
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        names.append(validSheetName(wanted.at(i), fallbacks.value(i), taken));
        taken.append(names.back());
    }
    return names;
}

} // namespace platform::office
