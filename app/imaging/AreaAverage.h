#pragma once
// Shrinking by area averaging: each output pixel the mean of the source area
// it covers, partly covered pixels weighed by their share. Fixed point and
// SSE2 where the machine has it, several times faster than a general
// filter at the modest reductions of a web-size copy.
#include <cstddef>
#include <cstdint>

#include "app/imaging/PixelBuffer.h"

// Writes source averaged down to width x height into target (stride in
// words), fourth byte 255. Both sides must be at least 1 and at most the
// source's; false (nothing written) otherwise.
bool AverageArea(const PixelView& source, uint32_t* target, int32_t width, int32_t height, size_t stride);
