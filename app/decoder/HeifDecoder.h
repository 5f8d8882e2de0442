#pragma once
// HEIC/HEIF and AVIF files in the decoder process, through app/imaging's
// libheif glue.
#include "app/decoder/ImageDecoder.h"

// The primary image upright, or an embedded thumbnail when it covers what the
// hint needs; in sRGB, scaled down under the hint, at most kMaxPixels.
DecodeInfo DecodeHeif(const char* path, const PixelTarget& target, const decoderproto::SizeHint& hint);
