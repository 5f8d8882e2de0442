#include "app/imaging/DecoderProtocol.h"

#include <algorithm>
#include <cstring>

namespace decoderproto {

Failure FailureOf(DecodeStatus status) {
  switch (status) {
    case DecodeStatus::Decoded: return Failure::None;
    case DecodeStatus::Unreadable: return Failure::NotReadable;
    case DecodeStatus::UnknownFormat:
    case DecodeStatus::RefusedFormat: return Failure::Unsupported;
    case DecodeStatus::TooLarge: return Failure::TooLarge;
    case DecodeStatus::DecodeFailed: break;
  }
  return Failure::Damaged;
}

bool IsPlausibleBpp(uint32_t bpp) {
  switch (bpp) {
    case 1: case 2: case 4: case 8: case 16: case 24: case 32: case 48: case 64: case 96: case 128:
      return true;
    default:
      return false;
  }
}

ReplyCheck ValidateReply(const void* bytes, size_t size, uint32_t expectedId, uint64_t sharedBytes,
                         Reply* reply) {
  Reply r;
  if (bytes == nullptr || size != sizeof(Reply)) return ReplyCheck::Malformed;
  std::memcpy(&r, bytes, sizeof r);
  if (r.magic != kReplyMagic || r.id != expectedId) return ReplyCheck::Malformed;
  if (r.status != static_cast<int32_t>(DecodeStatus::Decoded)) {
    const bool known = r.status > 0 && r.status <= static_cast<int32_t>(DecodeStatus::DecodeFailed);
    if (!known || r.width != 0 || r.height != 0 || r.pixelBytes != 0 || r.naturalWidth != 0 || r.naturalHeight != 0 ||
        r.detailsBytes != 0)
      return ReplyCheck::Malformed;
    if (reply) *reply = r;
    return ReplyCheck::NotDecoded;
  }
  if (r.width == 0 || r.height == 0 || !IsPlausibleBpp(r.bpp)) return ReplyCheck::Malformed;
  // QImage and the surfaces index rows and columns with int.
  if (r.width > 0x7FFF'FFFFu || r.height > 0x7FFF'FFFFu) return ReplyCheck::Malformed;
  const uint64_t pixels = uint64_t{r.width} * r.height;
  if (pixels > kMaxPixels) return ReplyCheck::Malformed;
  if (r.pixelBytes != pixels * 4 || r.pixelBytes > sharedBytes) return ReplyCheck::Malformed;
  if (r.detailsBytes > kMaxDetailsBytes || r.detailsBytes > sharedBytes - r.pixelBytes) return ReplyCheck::Malformed;
  // A shrunk decode stands for a larger image, never a smaller one.
  if (r.naturalWidth < r.width || r.naturalHeight < r.height) return ReplyCheck::Malformed;
  if (uint64_t{r.naturalWidth} * r.naturalHeight > kMaxPixels) return ReplyCheck::Malformed;
  if (reply) *reply = r;
  return ReplyCheck::Decoded;
}

bool ValidateHello(const void* bytes, size_t size) {
  Hello h;
  if (bytes == nullptr || size != sizeof(Hello)) return false;
  std::memcpy(&h, bytes, sizeof h);
  return h.magic == kHelloMagic && h.version == kVersion && h.pid != 0;
}

}  // namespace decoderproto

double HintScale(uint32_t width, uint32_t height, const decoderproto::SizeHint& hint) {
  if (!hint.any() || width == 0 || height == 0) return 1.0;
  const double w = width;
  const double h = height;
  double scale = std::max(hint.minShortEdge / std::min(w, h), hint.minScalePermille / 1000.0);
  if (hint.fitWidth != 0 && hint.fitHeight != 0) {
    // Either way up: a photo may still be turned upright after decoding.
    const double upright = std::min(hint.fitWidth / w, hint.fitHeight / h);
    const double turned = std::min(hint.fitWidth / h, hint.fitHeight / w);
    scale = std::max(scale, std::max(upright, turned));
  }
  return std::min(scale, 1.0);
}
