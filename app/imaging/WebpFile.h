#pragma once
// The glue to libwebp for still WebP pictures: decoded straight to the size
// asked for (libwebp scales while decoding, FreeImage cannot), their ICC
// colour brought to sRGB. Animations stay with FreeImage (first frame).
#include <cstdint>

#include "app/imaging/Outcome.h"
#include "app/imaging/PixelBuffer.h"

struct WebpRead {
  Outcome outcome;     // Failure::Unsupported for an animation
  PixelBuffer pixels;  // RGB32, fourth byte 255
  uint32_t naturalWidth = 0;
  uint32_t naturalHeight = 0;
};

// scale: at most 1, the share of each side to decode. Images larger than
// maxPixels are refused (Failure::TooLarge) before decoding.
WebpRead ReadWebp(const char* path, double scale, uint64_t maxPixels);

// The picture's size from its header; false when it is not a WebP file.
bool ReadWebpSize(const char* path, uint32_t* width, uint32_t* height);
