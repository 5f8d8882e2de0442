#pragma once
// The frame's colour arithmetic: vertical gradients in single precision with
// halves rounded to even, and the channel-wise average of two colours.
#include <QImage>

#include "platform/drawing/ColorValue.h"

// Draws rows y .. y + n (n + 1 rows) on image, each a line from column x1 up to
// but not including x2, running from colour a on the first row to b on the last.
// System colours are translated first.
void DrawVerticalGradient(QImage& image, ColorValue a, ColorValue b, int x1, int x2, int y, int n);

// The gradient over rows top .. top + n, then its outline (columns left to
// right, rows top to top + n, all inclusive) in outline colour.
void DrawGradientBox(QImage& image, ColorValue a, ColorValue b, int left, int top, int right, int n,
                     ColorValue outline);

// Each channel of the two colours added and halved, halves to even.
ColorValue ColorAverage(ColorValue a, ColorValue b);
