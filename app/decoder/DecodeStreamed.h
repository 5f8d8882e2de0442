#pragma once
// Large PNG and TIFF files decoded for a size hint: read a few rows at a time
// and shrunk by the same power of two as the whole-image path, so the
// decoder never holds the whole image.
#include <optional>

#include "app/decoder/ImageDecoder.h"

// Images with fewer pixels than this are decoded whole: they cost little, and
// their thumbnails stay exactly what they have always been.
constexpr uint64_t kStreamFromPixels = uint64_t{4} << 20;

// The decoded (or refused) file, or nothing when this path does not take it:
// no size hint, too small, not PNG or TIFF, or a layout the
// streaming readers leave to the whole-image path.
std::optional<DecodeInfo> DecodeStreamed(const char* path, const PixelTarget& target,
                                         const decoderproto::SizeHint& hint);
