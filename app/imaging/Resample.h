#pragma once
// Rescaling pixels with the codec library's filters.
#include <cstdint>

#include "app/imaging/ImagingTypes.h"
#include "app/imaging/PixelBuffer.h"

// The pixels rescaled to width x height (both at least 1) with a library
// filter, fourth byte 255; empty for Halftone (the caller's own smooth
// stretching) or when the library cannot rescale.
PixelBuffer ResamplePixels(const PixelView& source, int32_t width, int32_t height, ResampleFilter filter);
