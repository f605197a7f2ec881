#pragma once

#include "controls/Colors.h"

class TColorSpeedButton;
class QWidget;

// The main window's three command buttons.
enum class CommandButton { Start, Stop, Reset };

// Gives a button the look the main window's form gives it: size, caption,
// font and the colours of its pressed and hot states.
void setUpCommandButton(TColorSpeedButton &button, CommandButton which);

// The colours that mark a command button enabled or disabled. A colour left
// out (clNone) stays as it is.
struct RunButtonColors
{
    TColor color;
    TColor lightColor;
    TColor shadowColor;
};

RunButtonColors runButtonColors(CommandButton which, bool enabled);
