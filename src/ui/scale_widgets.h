// Scaling a window's fixed sizes for a small screen, so that what was laid out for a wider screen
// still fits.
#pragma once

class QWidget;

// Scales by numerator / denominator every size the window's controls were given in pixels: their
// minimum and maximum sizes, the margins and spacing of their layouts, tool button icons and the
// default row height of grid headers. Fonts are not touched (the window's font is scaled by its
// owner and inherited).
void ScaleFixedSizes(QWidget& window, int numerator, int denominator);
