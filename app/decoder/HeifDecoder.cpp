#include "app/decoder/HeifDecoder.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "app/imaging/HeifFile.h"

DecodeInfo DecodeHeif(const char* path, const PixelTarget& target, const decoderproto::SizeHint& hint) {
  DecodeInfo refused;
  const HeifFile file(path, decoderproto::kMaxPixels);
  if (!file.outcome()) {
    refused.status = DecodeStatusOf(file.outcome().failure);
    return refused;
  }
  // A thumbnail serves when its long edge reaches the primary's scaled one.
  const double scale = HintScale(file.width(), file.height(), hint);
  const uint32_t minLongEdge =
      scale >= 1.0 ? 0 : static_cast<uint32_t>(std::ceil(std::max(file.width(), file.height()) * scale));
  Outcome outcome;
  PixelBuffer pixels = file.Decode(minLongEdge, &outcome);
  if (!outcome || pixels.empty()) {
    refused.status = DecodeStatusOf(outcome ? Failure::Damaged : outcome.failure);
    return refused;
  }
  return DeliverPixels(std::move(pixels), file.width(), file.height(), target, hint);
}
