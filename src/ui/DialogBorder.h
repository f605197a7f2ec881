#pragma once

#include <QSize>

class QDialog;

// Gives a dialog the border of a small fixed dialog window: a title bar with the
// close button only, and a client area of exactly this size.
void setDialogBorder(QDialog *dialog, QSize clientSize);
