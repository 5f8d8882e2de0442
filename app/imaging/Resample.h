#pragma once
// Rescaling pixels with the codec library's filters, and a plain block average.
#include <cstdint>

#include "app/imaging/ImagingTypes.h"
#include "app/imaging/PixelBuffer.h"

// The pixels rescaled to width x height (both at least 1) with a library
// filter, fourth byte 255; empty for Halftone (the caller's own smooth
// stretching) or when the library cannot rescale.
PixelBuffer ResamplePixels(const PixelView& source, int32_t width, int32_t height, ResampleFilter filter);

// The pixels shrunk by a whole factor: each output pixel the rounded mean of
// a divisor x divisor block (the blocks at the right and bottom edges may be
// narrower), ceil(width / divisor) x ceil(height / divisor) of them, fourth
// byte 255.
PixelBuffer AverageBlocks(const PixelView& source, int32_t divisor);
