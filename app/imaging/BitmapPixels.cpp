#include "app/imaging/BitmapPixels.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "app/imaging/FiBitmap.h"

namespace {

uint8_t SrgbByte(float linear) {
  if (!(linear > 0.0f)) return 0;  // also NaN
  if (linear >= 1.0f) return 255;
  const float encoded = linear <= 0.0031308f ? 12.92f * linear : 1.055f * std::pow(linear, 1.0f / 2.4f) - 0.055f;
  return static_cast<uint8_t>(std::lround(encoded * 255.0f));
}

// Floating-point pixels (OpenEXR: linear light, 1.0 the white of the scene)
// to 8-bit sRGB: brighter than white is clipped, as a browser shows it.
FiBitmap LinearLightTo32Bits(FIBITMAP* bitmap) {
  const unsigned w = FreeImage_GetWidth(bitmap);
  const unsigned h = FreeImage_GetHeight(bitmap);
  const unsigned channels = FreeImage_GetImageType(bitmap) == FIT_RGBAF ? 4 : 3;
  FiBitmap out(FreeImage_Allocate(static_cast<int>(w), static_cast<int>(h), 32, FI_RGBA_RED_MASK,
                                  FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK));
  if (!out) return out;
  // A lookup would need a float key; 65536 steps of the curve are plenty.
  static const std::vector<uint8_t> curve = [] {
    std::vector<uint8_t> table(65537);
    for (size_t i = 0; i < table.size(); ++i) table[i] = SrgbByte(static_cast<float>(i) / 65536.0f);
    return table;
  }();
  auto encode = [](float v) {
    return v > 0.0f ? curve[static_cast<size_t>(std::min(v, 1.0f) * 65536.0f)] : uint8_t{0};
  };
  for (unsigned y = 0; y < h; ++y) {
    const auto* src = reinterpret_cast<const float*>(FreeImage_GetScanLine(bitmap, static_cast<int>(y)));
    BYTE* dst = FreeImage_GetScanLine(out.get(), static_cast<int>(y));
    for (unsigned x = 0; x < w; ++x, src += channels, dst += 4) {
      dst[FI_RGBA_RED] = encode(src[0]);
      dst[FI_RGBA_GREEN] = encode(src[1]);
      dst[FI_RGBA_BLUE] = encode(src[2]);
      dst[FI_RGBA_ALPHA] = 255;
    }
  }
  return out;
}

}  // namespace

FiBitmap To32Bits(FIBITMAP* bitmap) {
  switch (FreeImage_GetImageType(bitmap)) {
    case FIT_BITMAP:
    case FIT_RGB16:
    case FIT_RGBA16:
      return FiBitmap(FreeImage_ConvertTo32Bits(bitmap));
    case FIT_RGBF:
    case FIT_RGBAF:
      return LinearLightTo32Bits(bitmap);
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

FiBitmap Bitmap24FromPixels(const PixelView& pixels) {
  if (pixels.empty()) return FiBitmap();
  const int w = pixels.width;
  const int h = pixels.height;
  FiBitmap bitmap(FreeImage_Allocate(w, h, 24, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK));
  if (!bitmap) return bitmap;
  for (int y = 0; y < h; ++y) {
    const auto* from = reinterpret_cast<const uint8_t*>(pixels.row(y));
    uint8_t* to = FreeImage_GetScanLine(bitmap.get(), h - 1 - y);
    for (int x = 0; x < w; ++x, from += 4, to += 3) {
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
    }
  }
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
