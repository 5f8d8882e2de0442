#include "app/imaging/BitmapPixels.h"

#include <cstring>

#include "app/imaging/FiBitmap.h"

FiBitmap To32Bits(FIBITMAP* bitmap) {
  switch (FreeImage_GetImageType(bitmap)) {
    case FIT_BITMAP:
    case FIT_RGB16:
    case FIT_RGBA16:
      return FiBitmap(FreeImage_ConvertTo32Bits(bitmap));
    case FIT_RGBF:
    case FIT_RGBAF: {
      FiBitmap mapped(FreeImage_ToneMapping(bitmap, FITMO_DRAGO03));
      return mapped ? FiBitmap(FreeImage_ConvertTo32Bits(mapped.get())) : FiBitmap();
    }
    default: {
      FiBitmap standard(FreeImage_ConvertToStandardType(bitmap, TRUE));
      return standard ? FiBitmap(FreeImage_ConvertTo32Bits(standard.get())) : FiBitmap();
    }
  }
}

namespace {

// Rows of a 24- or 32-bit standard bitmap (bottom up, the library's byte
// order) to RGB32 rows top down with the fourth byte 255.
void CopyStandardRows(FIBITMAP* bitmap, unsigned bpp, uint32_t* dst) {
  const unsigned w = FreeImage_GetWidth(bitmap);
  const unsigned h = FreeImage_GetHeight(bitmap);
  for (unsigned y = 0; y < h; ++y) {
    const BYTE* src = FreeImage_GetScanLine(bitmap, static_cast<int>(h - 1 - y));
    uint32_t* out = dst + size_t{y} * w;
    if (bpp == 32) {
      for (unsigned x = 0; x < w; ++x, src += 4)
        out[x] = 0xFF000000u | uint32_t{src[FI_RGBA_RED]} << 16 | uint32_t{src[FI_RGBA_GREEN]} << 8 |
                 src[FI_RGBA_BLUE];
    } else {
      for (unsigned x = 0; x < w; ++x, src += 3)
        out[x] = 0xFF000000u | uint32_t{src[FI_RGBA_RED]} << 16 | uint32_t{src[FI_RGBA_GREEN]} << 8 |
                 src[FI_RGBA_BLUE];
    }
  }
}

bool IsStandard24or32(FIBITMAP* bitmap) {
  if (FreeImage_GetImageType(bitmap) != FIT_BITMAP) return false;
  const unsigned bpp = FreeImage_GetBPP(bitmap);
  if (bpp != 24 && bpp != 32) return false;
  // Only the library's own channel layout (a 32-bit bitmap may carry masks).
  return FreeImage_GetRedMask(bitmap) == FI_RGBA_RED_MASK && FreeImage_GetGreenMask(bitmap) == FI_RGBA_GREEN_MASK &&
         FreeImage_GetBlueMask(bitmap) == FI_RGBA_BLUE_MASK;
}

}  // namespace

bool CopyBitmapPixels(FIBITMAP* bitmap, uint32_t* dst) {
  if (!bitmap || !dst || !FreeImage_HasPixels(bitmap)) return false;
  if (IsStandard24or32(bitmap)) {
    CopyStandardRows(bitmap, FreeImage_GetBPP(bitmap), dst);
    return true;
  }
  FiBitmap converted = To32Bits(bitmap);
  if (!converted) return false;
  CopyStandardRows(converted.get(), 32, dst);
  return true;
}


FiBitmap BitmapFromPixels(const PixelView& pixels) {
  if (pixels.empty()) return FiBitmap();
  const int w = pixels.width;
  const int h = pixels.height;
  FiBitmap bitmap(FreeImage_Allocate(w, h, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK));
  if (!bitmap) return bitmap;
  // 0xAARRGGBB words are the library's B, G, R, A bytes on this (little-endian) platform.
  for (int y = 0; y < h; ++y)
    std::memcpy(FreeImage_GetScanLine(bitmap.get(), h - 1 - y), pixels.row(y), static_cast<size_t>(w) * 4);
  return bitmap;
}

PixelBuffer PixelsFromBitmap(FIBITMAP* bitmap) {
  PixelBuffer buffer;
  if (!bitmap || !FreeImage_HasPixels(bitmap)) return buffer;
  const size_t w = FreeImage_GetWidth(bitmap);
  const size_t h = FreeImage_GetHeight(bitmap);
  buffer.pixels.resize(w * h);
  if (!CopyBitmapPixels(bitmap, buffer.pixels.data())) return PixelBuffer();
  buffer.width = static_cast<int32_t>(w);
  buffer.height = static_cast<int32_t>(h);
  return buffer;
}
