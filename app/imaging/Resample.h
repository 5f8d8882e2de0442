#pragma once
// Rescaling pixels with the codec library's filters.
#include <cstdint>

#include "app/imaging/ImagingTypes.h"
#include "app/imaging/PixelBuffer.h"

// True for the filters the library provides (all but Halftone, which is the
// caller's own smooth stretching).
bool IsLibraryFilter(ResampleFilter filter);

// The pixels rescaled to width x height (both at least 1) with a library
// filter, fourth byte 255; empty when the filter is not the library's or the
// library cannot rescale.
PixelBuffer ResamplePixels(const PixelView& source, int32_t width, int32_t height, ResampleFilter filter);
