#include "settings/FileFilters.h"

#include <QMimeDatabase>

using namespace Qt::StringLiterals;

namespace {

void replaceWithPlatformName(QString &label, const QMimeDatabase &db, const QString &mimeType)
{
    const QMimeType type = db.mimeTypeForName(mimeType);
    if (type.isValid() && !type.comment().isEmpty())
        label = type.comment();
}

} // namespace

DocumentTypeLabels lookUpDocumentTypeLabels()
{
    DocumentTypeLabels labels;
    const QMimeDatabase db;
    replaceWithPlatformName(labels.web, db, u"text/html"_s);
    replaceWithPlatformName(labels.text, db, u"text/plain"_s);
    replaceWithPlatformName(
        labels.document, db,
        u"application/vnd.openxmlformats-officedocument.wordprocessingml.document"_s);
    return labels;
}

FileFilters openFilters(const DocumentTypeLabels &labels, bool spreadsheetPresent)
{
    FileFilters filters{{FileKind::Text, labels.text, u"*.txt"_s}};
    if (spreadsheetPresent)
        filters.append({FileKind::Spreadsheet, labels.spreadsheet, u"*.xlsx"_s});
    return filters;
}

FileFilters saveFilters(const DocumentTypeLabels &labels, bool spreadsheetPresent)
{
    FileFilters filters = openFilters(labels, spreadsheetPresent);
    filters.append({FileKind::Document, labels.document, u"*.docx"_s});
    filters.append({FileKind::WebPage, labels.web, u"*.html"_s});
    return filters;
}

QStringList nameFilters(const FileFilters &filters)
{
    QStringList names;
    names.reserve(filters.size());
    for (const FileFilter &f : filters)
        names.append(f.label + u" ("_s + f.pattern + u')');
    return names;
}

std::optional<FileKind> kindAt(const FileFilters &filters, int filterIndex)
{
    if (filterIndex < 1 || filterIndex > filters.size())
        return std::nullopt;
    return filters.at(filterIndex - 1).kind;
}
