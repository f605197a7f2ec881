#pragma once

// Lets the window fonts of the design resolve where they are not installed:
// "MS Sans Serif" becomes the sans family that stands in for Arial, so texts
// keep the widths the layouts were made for. Call once, before windows exist.
void installFontSubstitutes();
