#include "protocol/FileChoice.h"

#include <QFileInfo>

namespace protocol {

FileKind saveKindAt(const FileFilters &filters, int filterIndex)
{
    return kindAt(filters, filterIndex).value_or(FileKind::Text);
}

std::optional<FileKind> loadKindAt(const FileFilters &filters, int filterIndex)
{
    const std::optional<FileKind> kind = kindAt(filters, filterIndex);
    if (kind == FileKind::Text || kind == FileKind::Spreadsheet)
        return kind;
    return std::nullopt;
}

namespace {

// "*.txt" -> "txt".
QString extensionOf(const FileFilter &filter)
{
    return filter.pattern.section(u'.', -1);
}

bool hasExtensionOf(const QString &suffix, const FileFilter &filter)
{
    return suffix.compare(extensionOf(filter), Qt::CaseInsensitive) == 0 ||
           (filter.kind == FileKind::WebPage && suffix.compare(u"htm", Qt::CaseInsensitive) == 0);
}

} // namespace

SaveTarget saveTarget(const QString &fileName, const FileFilters &filters, int filterIndex)
{
    const QString suffix = QFileInfo(fileName).suffix();
    for (const FileFilter &filter : filters) {
        if (hasExtensionOf(suffix, filter))
            return {fileName, filter.kind};
    }
    if (filters.isEmpty())
        return {fileName, FileKind::Text};
    const qsizetype chosen =
        filterIndex >= 1 && filterIndex <= filters.size() ? filterIndex - 1 : 0;
    QString name = fileName;
    if (name.endsWith(u'.'))
        name.chop(1);
    return {name + u'.' + extensionOf(filters.at(chosen)), filters.at(chosen).kind};
}

} // namespace protocol
