#pragma once

#include <QImage>

// The small pictures the sortable grid draws into cells: sort arrows (8 x 7)
// and check box, drop-down and ellipsis buttons (16 x 16). Pixels outside a
// picture's shape are transparent.
enum class TGridPicture { UP, DOWN, CHECKED, UNCHECKED, COMBOBOX, ELLIPSIS };

QImage makeGridPicture(TGridPicture picture);
