#include "app/decoder/WebpDecoder.h"

#include <utility>

#include "app/imaging/WebpFile.h"

DecodeInfo DecodeWebp(const char* path, uint32_t width, uint32_t height, const PixelTarget& target,
                      const decoderproto::SizeHint& hint) {
  WebpRead read = ReadWebp(path, HintScale(width, height, hint), decoderproto::kMaxPixels);
  if (!read.outcome) {
    DecodeInfo refused;
    refused.status = DecodeStatusOf(read.outcome.failure);
    return refused;
  }
  return DeliverPixels(std::move(read.pixels), read.naturalWidth, read.naturalHeight, target, hint);
}
