#pragma once

#include <QDir>
#include <QImage>

// The program icon: a stopwatch with a dark face like the main window's
// display, the elapsed sweep in green and the hand in red.
QImage drawAppIcon(int pixels);

// Every icon size written in dir, on grey, white and black, for looking at them.
QImage appIconSheet(const QDir &dir);
