#pragma once

#include "timing/CaptureSlots.h"

#include <QString>

#include <array>

// The protocol's columns and the split table's, as every view and file of
// the protocol lays them out.

namespace protocol {

// The protocol grid's columns: start number, name, result time, place.
enum ProtocolColumn : int { NrColumn, NameColumn, ZeitColumn, PlatzColumn };
inline constexpr int ProtocolColumns = 4;

// One row of the protocol grid, header row included.
using ProtocolRow = std::array<QString, ProtocolColumns>;

// The header row: "Nr.", "Name", "Zeit", "Platz".
inline ProtocolRow protocolHeader()
{
    return {QStringLiteral("Nr."), QStringLiteral("Name"), QStringLiteral("Zeit"),
            QStringLiteral("Platz")};
}

// Widths of the protocol grid's columns in pixels; "Name" takes what the
// others leave of the grid.
inline constexpr int NrWidth = 28;
inline constexpr int ZeitWidth = 60;
inline constexpr int PlatzWidth = 50;
// The name column's width before the grid has one.
inline constexpr int NameDefaultWidth = 100;

// The split table: one column per capture slot (the three intermediate
// barriers and the finish), one row of means and up to five attempts.
inline constexpr int SplitColumns = kCaptureSlots;
inline constexpr int MaxAttempts = 5;

// Widths of the hidden split store's columns in pixels; the web page leaves
// out a column of width 0.
inline constexpr std::array<int, SplitColumns> SplitStoreWidths{40, 40, 40, 98};

} // namespace protocol
