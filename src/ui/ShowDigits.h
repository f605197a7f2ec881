#pragma once

#include "controls/Colors.h"
#include "timing/TimeDisplay.h"

class QLabel;
class QWidget;

// Applies what a digit row shows to the digits of that name under `display`
// (the main window's display panel or the second monitor): values, and lit
// colours that change to `active` or the dim colour. "LabMin" takes the colour
// given to "Digit4". Names not found under `display` are skipped.
void showDigits(QWidget *display, const QList<DigitShow> &shows, TColor active);

// A label's text colour.
void setFontColor(QLabel *label, TColor color);
