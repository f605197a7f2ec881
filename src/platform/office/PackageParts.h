#pragma once

#include <QList>
#include <QString>
#include <QXmlStreamReader>

#include <functional>

namespace platform::office {

class ZipReader;

// One relationship of a package part, its target resolved to a part name.
struct Relationship
{
    QString id;
    QString type;
    QString target;
    bool external = false;
};

// The relationships of a part (an empty name: of the package itself); none
// when the part has no relationship part.
QList<Relationship> readRelationships(ZipReader &package, const QString &sourcePart);

// The part a relationship of the given type (compared by its last path
// segment, e.g. "officeDocument") points to; empty when there is none.
QString relatedPart(const QList<Relationship> &relationships, QStringView typeSuffix);

// The package's main part (the workbook, the document). Throws when missing.
QString mainPartName(ZipReader &package);

// Reads the next token of a package part. Malformed XML and document type
// declarations (entity expansion, external entities) make the file damaged.
QXmlStreamReader::TokenType nextToken(QXmlStreamReader &xml, const ZipReader &package,
                                      const QString &partName);

// Reads the current element's content to its end tag. onElement sees each
// start tag inside and returns true when it has read that element to its
// end itself; onText sees each piece of text.
void readContent(QXmlStreamReader &xml, const ZipReader &package, const QString &partName,
                 const std::function<bool()> &onElement, const std::function<void()> &onText = {});

// The text content up to the end of the current element, read safely.
QString elementText(QXmlStreamReader &xml, const ZipReader &package, const QString &partName);

} // namespace platform::office
