#include "protocol/FileChoice.h"

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

} // namespace protocol
