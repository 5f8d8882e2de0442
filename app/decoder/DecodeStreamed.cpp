#include "app/decoder/DecodeStreamed.h"

#include <algorithm>

#include "app/imaging/BoxTaps.h"
#include "app/imaging/ColourProfile.h"
#include "app/imaging/StreamReader.h"

using decoderproto::DecodeStatus;

namespace {

DecodeInfo WithStatus(DecodeStatus status) {
  DecodeInfo info;
  info.status = status;
  return info;
}

}  // namespace

std::optional<DecodeInfo> DecodeStreamed(const char* path, const PixelTarget& target,
                                         const decoderproto::SizeHint& hint) {
  if (!hint.any()) return std::nullopt;  // no hint (the full-size window): decoded whole, as always
  const std::unique_ptr<StreamReader> reader = OpenStreamReader(path);
  if (!reader) return std::nullopt;
  const uint32_t w = reader->width();
  const uint32_t h = reader->height();
  const uint64_t pixels = uint64_t{w} * h;
  if (pixels < kStreamFromPixels) return std::nullopt;
  if (pixels > decoderproto::kMaxPixels) return WithStatus(DecodeStatus::TooLarge);
  // A hint that keeps the natural size still streams: the rows go straight
  // to the output, and only the output is held.
  const uint32_t divisor = ShrinkDivisor(w, h, hint);

  const uint32_t outWidth = ShrunkExtent(w, divisor);
  const uint32_t outHeight = ShrunkExtent(h, divisor);
  uint32_t* out = target(outWidth, outHeight);
  if (!out) return WithStatus(DecodeStatus::TooLarge);
  if (!reader->ReadShrunk(divisor, out)) return WithStatus(DecodeStatus::DecodeFailed);
  // The shrunk rows are brought to sRGB, as the whole-image path brings the
  // whole image; a profile that cannot be used leaves them as they are.
  const std::vector<uint8_t>& icc = reader->iccProfile();
  if (!icc.empty())
    (void)ConvertToSrgb(out, static_cast<int32_t>(outWidth), static_cast<int32_t>(outHeight), outWidth, icc.data(),
                        icc.size());

  DecodeInfo info;
  info.status = DecodeStatus::Decoded;
  info.width = outWidth;
  info.height = outHeight;
  info.bpp = reader->bpp();
  info.naturalWidth = w;
  info.naturalHeight = h;
  info.streamPeakBytes = reader->tally().peak;
  info.streamLargestBuffer = reader->tally().largest;
  return info;
}
