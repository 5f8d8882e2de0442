#include "app/decoder/JxlDecoder.h"

#include <utility>

#include "app/imaging/JxlFile.h"

DecodeInfo DecodeJxl(const char* path, const PixelTarget& target, const decoderproto::SizeHint& hint) {
  JxlRead read = ReadJxl(path, decoderproto::kMaxPixels);
  if (!read.outcome) {
    DecodeInfo refused;
    refused.status = DecodeStatusOf(read.outcome.failure);
    return refused;
  }
  const auto w = static_cast<uint32_t>(read.pixels.width);
  const auto h = static_cast<uint32_t>(read.pixels.height);
  return DeliverPixels(std::move(read.pixels), w, h, target, hint);
}
