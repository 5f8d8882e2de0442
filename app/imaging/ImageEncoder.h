#pragma once
// Encoding pixels into the bytes of an image file, in memory. Writing the
// bytes is the caller's (so that every write is checked and a file is never
// left half written).
#include <cstdint>
#include <functional>
#include <vector>

#include "app/imaging/ImagingTypes.h"
#include "app/imaging/Outcome.h"
#include "app/imaging/PixelBuffer.h"

struct EncodedImage {
  Outcome outcome;             // done, NoImage, Unsupported or ConversionFailed
  std::vector<uint8_t> bytes;  // the whole file when done
};

// Icons are written as squares of kIconSideMin to kIconSideMax pixels.
constexpr int32_t kIconSideMin = 16;
constexpr int32_t kIconSideMax = 256;

// Shrinks pixels so that their longer side is longestSide (the caller's
// filter choice); empty when it cannot.
using ShrinkPixels = std::function<PixelBuffer(const PixelView& pixels, int32_t longestSide)>;

// Encodes an opaque picture (a drawn canvas) as a file of the format:
//   BMP, Targa  32 bits per pixel as given
//   JPEG, PNG   24 bits
//   TIFF        24 bits, uncompressed
//   WebP, AVIF  lossy at JPEG's quality (75), 8 bits a channel
//   GIF         8 bits with a palette (Wu quantisation of the 24-bit picture)
//   ICO         a square of 16 to 256 at 24 bits as given; any other picture
//               is shrunk to fit 256 when larger (with shrink), then centred
//               on a transparent square of at least 16 at 32 bits.
EncodedImage EncodePixels(const PixelView& picture, ImageFileFormat format, const ShrinkPixels& shrink);
