#pragma once
// Still WebP pictures in the decoder process, through app/imaging's libwebp glue.
#include "app/decoder/ImageDecoder.h"

// Decoded straight to the size the hint allows, in sRGB. width x height: the
// header's size, already checked against kMaxPixels. An animation is refused
// (RefusedFormat) and left to the codec.
DecodeInfo DecodeWebp(const char* path, uint32_t width, uint32_t height, const PixelTarget& target,
                      const decoderproto::SizeHint& hint);
