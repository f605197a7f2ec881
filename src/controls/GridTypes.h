#pragma once

#include "controls/Alignment.h"

#include <QFlags>
#include <QMetaType>

// Value types shared by the grid controls (MyGrids, SortGrid) and their users.

enum class TGridOption {
    goFixedVertLine = 0x0001,
    goFixedHorzLine = 0x0002,
    goVertLine = 0x0004,
    goHorzLine = 0x0008,
    goRangeSelect = 0x0010,
    goDrawFocusSelected = 0x0020,
    goRowSizing = 0x0040,
    goColSizing = 0x0080,
    goRowMoving = 0x0100,
    goColMoving = 0x0200,
    goEditing = 0x0400,
    goTabs = 0x0800,
    goRowSelect = 0x1000,
    goAlwaysShowEditor = 0x2000,
    goThumbTracking = 0x4000,
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

enum class TGridDrawStateItem {
    gdSelected = 0x1,
    gdFocused = 0x2,
    gdFixed = 0x4,
};
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateItem)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

enum class TVertAlignment { taTopJustify, taBottomJustify, taMiddle };
enum class TCellBevelStyle { cbNone, cbRaised, cbLowered };

enum class TMyPrintRange { prAll, prSelected };

// A rectangle of cells, both corners included.
struct TGridRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool contains(int col, int row) const
    {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    friend bool operator==(const TGridRect &, const TGridRect &) = default;
};

Q_DECLARE_METATYPE(TGridRect)
