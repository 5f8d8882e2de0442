#pragma once
// The control's pixel buffer resampled by the library's bilinear rule
// (orvellan/dib/Bilinear.h): 32-bit top-down pixels (bytes blue, green, red,
// x); the fourth byte of every new pixel is 0. The right and lower neighbours
// are clamped to the last column and row, so no rounding can read outside the
// old pixels. Returns a null image when the new size cannot be allocated.
#include <QImage>

QImage ResizeBilinear(const QImage& source, int newWidth, int newHeight);
