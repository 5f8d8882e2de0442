#pragma once
// The glue to libjxl: JPEG XL files decoded whole, upright (the codec applies
// the orientation), their colour brought to sRGB.
#include <cstddef>
#include <cstdint>

#include "app/imaging/Outcome.h"
#include "app/imaging/PixelBuffer.h"

// Whether a file starting with these bytes is a JPEG XL codestream or container.
bool IsJxlFile(const uint8_t* header, size_t headerBytes);

struct JxlRead {
  Outcome outcome;
  PixelBuffer pixels;  // RGB32, fourth byte 255
};

// Images larger than maxPixels are refused (Failure::TooLarge) before their
// pixels are allocated.
JxlRead ReadJxl(const char* path, uint64_t maxPixels);
