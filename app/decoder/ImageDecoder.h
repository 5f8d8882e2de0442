#pragma once
// Decoding one image file into RGB32 pixels the caller provides. Only the
// decoder process runs this, on files it is given (the files may be hostile).
#include <cstdint>
#include <functional>

#include "app/imaging/DecoderProtocol.h"
#include "app/imaging/Outcome.h"
#include "app/imaging/PixelBuffer.h"

struct DecodeInfo {
  decoderproto::DecodeStatus status = decoderproto::DecodeStatus::DecodeFailed;
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bpp = 0;  // bits per pixel of the file as decoded
  uint32_t naturalWidth = 0;   // the upright image's own size (width x height
  uint32_t naturalHeight = 0;  // is smaller when the hint let it shrink)
  // What a file shrunk while read held at most, its output aside, and its
  // largest single buffer (both 0 when it was decoded whole).
  uint64_t streamPeakBytes = 0;
  uint64_t streamLargestBuffer = 0;
};


// Format from content, else from the name; only the program's input formats
// are decoded. JPEG accurately and turned upright by its orientation tag.
// BMP files with a version 4 or 5 header are read by the program's own BMP
// reader, everything else by the codec. At most decoderproto::kMaxPixels.
// With a size hint a JPEG is decoded at the smallest of 1/2, 1/4 and 1/8 of
// its size that the hint allows, and any other image is scaled down by the
// largest power of two it allows (1/2, 1/4, ... 1/2^k).
DecodeInfo DecodeFileToPixels(const char* path, const PixelTarget& target,
                              const decoderproto::SizeHint& hint = {});

// The power of two an image of width x height is divided by under a hint
// (the largest that keeps the scale HintScale allows, when it is at most a
// half); 1 when it keeps its size.
uint32_t ShrinkDivisor(uint32_t width, uint32_t height, const decoderproto::SizeHint& hint);

// The JPEG size request (the long edge the codec keeps at or above) for an
// image of width x height and a hint; 0 for the natural size.
uint32_t JpegSizeRequest(uint32_t width, uint32_t height, const decoderproto::SizeHint& hint);

// The long edge a camera RAW file's embedded preview must reach to serve an
// image of width x height under a hint; 0 when only every pixel will do.
uint32_t RawSizeRequest(uint32_t width, uint32_t height, const decoderproto::SizeHint& hint);

// The reply status a reader's failure stands for.
decoderproto::DecodeStatus DecodeStatusOf(Failure failure);

// How DeliverPixels shrinks by a power of two: with the codec library's box
// filter, as the codec's own bitmaps are (the formats of old, whose
// thumbnails stay as they were), or by the faster plain block average (the
// newer formats).
enum class ShrinkBy { LibraryBox, BlockAverage };

// Pixels a reader other than the codec's bitmap decoded, scaled down under the
// hint by the largest power of two it allows and handed to the target.
// naturalWidth x naturalHeight: the upright image's own size (the pixels may
// be smaller).
DecodeInfo DeliverPixels(PixelBuffer pixels, uint32_t naturalWidth, uint32_t naturalHeight, const PixelTarget& target,
                         const decoderproto::SizeHint& hint, ShrinkBy shrink = ShrinkBy::BlockAverage);
