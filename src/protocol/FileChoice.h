#pragma once

#include "settings/FileFilters.h"

#include <optional>

// Which format the protocol's dialogs lead to, by the kind of the chosen
// filter entry; positions shift with spreadsheet presence.

namespace protocol {

// The save dialog writes the chosen entry's format; an entry it does not know
// writes text.
FileKind saveKindAt(const FileFilters &filters, int filterIndex);

// The open dialog reads text or a spreadsheet; any other entry loads nothing.
std::optional<FileKind> loadKindAt(const FileFilters &filters, int filterIndex);

} // namespace protocol
