#pragma once

#include "protocol/ProtocolColumns.h"
#include "protocol/SplitSummary.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// What the protocol's files hold, apart from the grids that show it: the host
// copies it out of the grids before writing and back into them after loading.

namespace protocol {

inline constexpr int SplitBlockRows = kSplitBlockRows; // mean row, then attempts 1 to 5

// The protocol grid in order: row 0 is the header, data rows follow.
using ProtocolRows = QList<ProtocolRow>;

// One row of a split table: four time texts (the split table's own type).
using SplitRow = ::SplitRow;

// An athlete's split table as the split store keeps it.
struct SplitBlock
{
    ::SplitBlock rows;
    // Block row (1..5 for attempts 1 to 5) left out of the means, if any;
    // the spreadsheet export strikes it through.
    std::optional<int> excludedRow;
};

// Current column widths of a grid; a column of width 0 is hidden and its
// cells stay out of the web page.
using ColumnWidths = std::array<int, 4>;

// Everything the web page is made from.
struct ProtocolReport
{
    QString title;         // the program title
    ProtocolRows protocol; // header row first
    ColumnWidths protocolWidths{NrWidth, NameDefaultWidth, ZeitWidth, PlatzWidth};
    SplitRow splitHeader;     // distances with " m"
    QList<SplitBlock> splits; // one per data row; a missing block reads empty
    ColumnWidths splitWidths = SplitStoreWidths;
};

// Whether a row is occupied: only its "Nr." decides.
inline bool isOccupied(const ProtocolRow &row)
{
    return !row[0].isEmpty();
}

} // namespace protocol
