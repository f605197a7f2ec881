#pragma once

#include "settings/FileFilters.h"

#include <QString>

#include <optional>

// Which format the protocol's dialogs lead to, by the kind of the chosen
// filter entry; positions shift with spreadsheet presence.

namespace protocol {

// The save dialog writes the chosen entry's format; an entry it does not know
// writes text.
FileKind saveKindAt(const FileFilters &filters, int filterIndex);

// The open dialog reads text or a spreadsheet; any other entry loads nothing.
std::optional<FileKind> loadKindAt(const FileFilters &filters, int filterIndex);

struct SaveTarget
{
    QString fileName;
    FileKind kind;
};

// What the save dialog's answer writes: a name ending in the extension of a
// format the list offers (".htm" counting for web pages) is written in that
// format; any other name gets the chosen entry's extension and format.
SaveTarget saveTarget(const QString &fileName, const FileFilters &filters, int filterIndex);

} // namespace protocol
