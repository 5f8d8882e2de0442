#pragma once
// The glue to OpenJPEG: JPEG 2000 files (JP2 boxes or a bare codestream)
// decoded at the coarsest resolution level that still gives what is needed,
// their ICC colour brought to sRGB. FreeImage decodes every level, which
// for a 20-megapixel file costs seconds.
#include <cstdint>

#include "app/imaging/Outcome.h"
#include "app/imaging/PixelBuffer.h"

struct Jpeg2000Read {
  Outcome outcome;
  PixelBuffer pixels;  // RGB32, fourth byte 255
  uint32_t naturalWidth = 0;
  uint32_t naturalHeight = 0;
};

// minLongEdge: the long edge the pixels must keep (0: every pixel). Images
// larger than maxPixels are refused (Failure::TooLarge) before decoding.
Jpeg2000Read ReadJpeg2000(const char* path, bool jp2Boxes, uint32_t minLongEdge, uint64_t maxPixels);
