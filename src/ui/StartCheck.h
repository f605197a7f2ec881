#pragma once

class QWidget;

// For "--check-start": once `window` is on the screen, closes it the way the
// user would, so the program ends through its normal shut-down with exit
// code 0. Ends with exit code 1 when the window is not shown within
// `timeoutMs`. Proves on a build machine that the program starts and ends.
void closeWhenShown(QWidget &window, int timeoutMs);
