#pragma once
// JPEG 2000 files in the decoder process, through app/imaging's OpenJPEG glue.
#include "app/decoder/ImageDecoder.h"

// Decoded at the coarsest resolution level the hint allows, scaled down
// further under it, in sRGB. header: the file's first bytes (JP2 boxes or a
// bare codestream); the caller has checked the size against kMaxPixels.
DecodeInfo DecodeJpeg2000(const char* path, const uint8_t* header, size_t headerBytes, uint32_t width,
                          uint32_t height, const PixelTarget& target, const decoderproto::SizeHint& hint);
