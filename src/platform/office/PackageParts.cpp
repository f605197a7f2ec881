#include "platform/office/PackageParts.h"

#include "platform/office/ZipArchive.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace platform::office {
namespace {

QString relationshipsPartOf(const QString &sourcePart)
{
    const qsizetype slash = sourcePart.lastIndexOf(u'/');
    return sourcePart.left(slash + 1) + u"_rels/"_s + sourcePart.mid(slash + 1) + u".rels"_s;
}

// Targets are relative to the source part's folder unless they start with "/".
QString resolveTarget(const QString &sourcePart, const QString &target)
{
    const QString path = target.startsWith(u'/')
                             ? target
                             : u'/' + sourcePart.left(sourcePart.lastIndexOf(u'/') + 1) + target;
    return QDir::cleanPath(path).mid(1);
}

} // namespace

QXmlStreamReader::TokenType nextToken(QXmlStreamReader &xml, const ZipReader &package,
                                      const QString &partName)
{
    const QXmlStreamReader::TokenType token = xml.readNext();
    if (token == QXmlStreamReader::DTD)
        package.damaged(QStringLiteral("%1: Dokumenttyp-Deklaration nicht erlaubt").arg(partName));
    if (token == QXmlStreamReader::Invalid)
        package.damaged(QStringLiteral("%1, Zeile %2: %3")
                            .arg(partName)
                            .arg(xml.lineNumber())
                            .arg(xml.errorString()));
    return token;
}

void readContent(QXmlStreamReader &xml, const ZipReader &package, const QString &partName,
                 const std::function<bool()> &onElement, const std::function<void()> &onText)
{
    for (int depth = 1; depth > 0;) {
        switch (nextToken(xml, package, partName)) {
        case QXmlStreamReader::StartElement:
            if (!onElement || !onElement())
                ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (onText)
                onText();
            break;
        case QXmlStreamReader::EndDocument:
            return;
        default:
            break;
        }
    }
}

QString elementText(QXmlStreamReader &xml, const ZipReader &package, const QString &partName)
{
    QString text;
    readContent(xml, package, partName, {}, [&] { text += xml.text(); });
    return text;
}

QList<Relationship> readRelationships(ZipReader &package, const QString &sourcePart)
{
    const QString partName = relationshipsPartOf(sourcePart);
    if (!package.contains(partName))
        return {};
    QXmlStreamReader xml(package.part(partName));
    QList<Relationship> relationships;
    while (nextToken(xml, package, partName) != QXmlStreamReader::EndDocument) {
        if (!xml.isStartElement() || xml.name() != u"Relationship")
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        Relationship relationship;
        relationship.id = attributes.value(u"Id"_s).toString();
        relationship.type = attributes.value(u"Type"_s).toString();
        relationship.external = attributes.value(u"TargetMode"_s) == u"External";
        relationship.target =
            relationship.external
                ? attributes.value(u"Target"_s).toString()
                : resolveTarget(sourcePart, attributes.value(u"Target"_s).toString());
        relationships.append(relationship);
    }
    return relationships;
}

QString relatedPart(const QList<Relationship> &relationships, QStringView typeSuffix)
{
    for (const Relationship &relationship : relationships) {
        if (!relationship.external && relationship.type.endsWith(u'/' + typeSuffix.toString()))
            return relationship.target;
    }
    return {};
}

QString mainPartName(ZipReader &package)
{
    const QString name = relatedPart(readRelationships(package, QString()), u"officeDocument");
    if (name.isEmpty() || !package.contains(name))
        package.damaged(QStringLiteral("kein Hauptteil"));
    return name;
}

} // namespace platform::office
