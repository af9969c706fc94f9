#pragma once
// A form's pixel geometry is drawn for the toolkit's default font, 9 pt at 96 dpi (12 px). A
// larger font (a desktop setting, a higher logical DPI) needs more room for every caption and
// number: the whole form grows by one factor taken from the font, never shrinks.

#include <QRect>

class QFont;

// The factor for `font` shown at `logicalDpi`; exactly 1 at the default font or below it.
double FormScale(const QFont& font, double logicalDpi);

// An edge or a length of the form at `scale`. Rectangles scale their edges, not their sizes,
// so that controls that touch at the default font still touch.
int Scaled(int pixels, double scale);
QRect Scaled(const QRect& rect, double scale);

// The point size that shows a text drawn in `pointSize` at 96 dpi as large at `scale` on a
// screen of `logicalDpi`: the point size itself at the default font.
double ScaledPointSize(int pointSize, double scale, double logicalDpi);
