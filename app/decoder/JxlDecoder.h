#pragma once
// JPEG XL files in the decoder process, through app/imaging's libjxl glue.
#include "app/decoder/ImageDecoder.h"

// The image upright, in sRGB, scaled down under the hint, at most kMaxPixels.
DecodeInfo DecodeJxl(const char* path, const PixelTarget& target, const decoderproto::SizeHint& hint);
