#include "app/decoder/Jpeg2000Decoder.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "app/imaging/Jpeg2000File.h"

DecodeInfo DecodeJpeg2000(const char* path, const uint8_t* header, size_t headerBytes, uint32_t width,
                          uint32_t height, const PixelTarget& target, const decoderproto::SizeHint& hint) {
  const bool codestream = headerBytes >= 2 && header[0] == 0xFF && header[1] == 0x4F;
  // A resolution level is the wavelet's low band, a filtered picture rather
  // than a decimated one: a thumbnail needs only its own size from it, not the
  // twice that the hint keeps for codecs that drop pixels to shrink.
  decoderproto::SizeHint levels = hint;
  levels.minShortEdge = (hint.minShortEdge + 1) / 2;
  levels.minScalePermille = (hint.minScalePermille + 1) / 2;
  const double scale = HintScale(width, height, levels);
  const uint32_t minLongEdge =
      scale >= 1.0 ? 0 : static_cast<uint32_t>(std::ceil(std::max(width, height) * scale));
  Jpeg2000Read read = ReadJpeg2000(path, !codestream, minLongEdge, decoderproto::kMaxPixels);
  if (!read.outcome) {
    DecodeInfo refused;
    refused.status = DecodeStatusOf(read.outcome.failure);
    return refused;
  }
  return DeliverPixels(std::move(read.pixels), read.naturalWidth, read.naturalHeight, target, hint);
}
