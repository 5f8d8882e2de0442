#pragma once
// Library bitmaps to plain RGB32 pixels: the one conversion both the decoder
// process (for the files it decodes) and the program (for the bitmaps it
// makes) use.
#include <FreeImage.h>

#include <cstdint>

#include "app/imaging/FiBitmap.h"
#include "app/imaging/PixelBuffer.h"

// Copies any standard or high-depth bitmap to RGB32 pixels (rows top down,
// fourth byte 255): width x height of them at dst. False when it cannot convert.
bool CopyBitmapPixels(FIBITMAP* bitmap, uint32_t* dst);

// A new 32-bit standard bitmap with the pixels of any bitmap the library
// decodes (palette, grey, 16-bit channels, floats); null when it cannot convert.
FiBitmap To32Bits(FIBITMAP* bitmap);

// A new 32-bit bitmap with the view's pixels, the fourth byte kept; null for
// an empty view or when there is no memory for it.
FiBitmap BitmapFromPixels(const PixelView& pixels);

// A new 24-bit bitmap with the view's blue, green and red bytes (what the
// library's own 32- to 24-bit conversion makes of BitmapFromPixels, without
// the 32-bit bitmap between); null as BitmapFromPixels.
FiBitmap Bitmap24FromPixels(const PixelView& pixels);

// The bitmap's pixels as RGB32 (fourth byte 255); empty when it cannot convert.
PixelBuffer PixelsFromBitmap(FIBITMAP* bitmap);
