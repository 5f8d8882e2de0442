#include "app/imaging/AvifEncoder.h"

#include <libheif/heif.h>

#include <memory>

namespace {

struct ContextFree {
  void operator()(heif_context* c) const { heif_context_free(c); }
};
struct EncoderRelease {
  void operator()(heif_encoder* e) const { heif_encoder_release(e); }
};
struct ImageRelease {
  void operator()(heif_image* i) const { heif_image_release(i); }
};

EncodedImage Failed(Failure why) { return EncodedImage{Outcome::Failed(why), {}}; }

heif_error Collect(heif_context*, const void* data, size_t size, void* userdata) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(userdata);
  const auto* begin = static_cast<const uint8_t*>(data);
  bytes->insert(bytes->end(), begin, begin + size);
  return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
}

}  // namespace

EncodedImage EncodeAvif(const PixelView& picture, int quality) {
  if (picture.empty()) return Failed(Failure::NoImage);
  std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
  heif_encoder* rawEncoder = nullptr;
  if (!context ||
      heif_context_get_encoder_for_format(context.get(), heif_compression_AV1, &rawEncoder).code != heif_error_Ok)
    return Failed(Failure::Unsupported);
  std::unique_ptr<heif_encoder, EncoderRelease> encoder(rawEncoder);
  heif_encoder_set_lossy_quality(encoder.get(), quality);

  heif_image* rawImage = nullptr;
  if (heif_image_create(picture.width, picture.height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &rawImage)
          .code != heif_error_Ok)
    return Failed(Failure::ConversionFailed);
  std::unique_ptr<heif_image, ImageRelease> image(rawImage);
  if (heif_image_add_plane(image.get(), heif_channel_interleaved, picture.width, picture.height, 8).code !=
      heif_error_Ok)
    return Failed(Failure::ConversionFailed);
  int stride = 0;
  uint8_t* rows = heif_image_get_plane(image.get(), heif_channel_interleaved, &stride);
  if (!rows) return Failed(Failure::ConversionFailed);
  for (int32_t y = 0; y < picture.height; ++y) {
    const uint32_t* src = picture.row(y);
    uint8_t* out = rows + static_cast<size_t>(y) * static_cast<size_t>(stride);
    for (int32_t x = 0; x < picture.width; ++x, out += 3) {
      out[0] = static_cast<uint8_t>(src[x] >> 16);
      out[1] = static_cast<uint8_t>(src[x] >> 8);
      out[2] = static_cast<uint8_t>(src[x]);
    }
  }
  if (heif_context_encode_image(context.get(), image.get(), encoder.get(), nullptr, nullptr).code != heif_error_Ok)
    return Failed(Failure::ConversionFailed);
  EncodedImage encoded;
  heif_writer writer{1, Collect};
  if (heif_context_write(context.get(), &writer, &encoded.bytes).code != heif_error_Ok || encoded.bytes.empty())
    return Failed(Failure::ConversionFailed);
  return encoded;
}
