#pragma once

#include "controls/Colors.h"
#include "timing/TimeDisplay.h"

class QLabel;
class QWidget;

// Shows the digit values of one row on a window's digit controls, found by
// their object names, so the main window and the second monitor (which holds
// controls of the same names) are served alike. Controls a window lacks are
// skipped.
void showDigits(QWidget &window, const QList<DigitShow> &digits, TColor activeColor);

// The lit colour of a digit control, or the font colour of a caption label.
void setLitColor(QWidget &window, const QString &name, TColor color);

// A caption label's text colour.
void setFontColor(QLabel &label, TColor color);
