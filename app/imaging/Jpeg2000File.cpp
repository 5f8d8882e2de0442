#include "app/imaging/Jpeg2000File.h"

#include <openjpeg.h>

#include <algorithm>
#include <memory>
#include <new>

#include "app/imaging/ColourProfile.h"

namespace {

struct CodecDestroy {
  void operator()(opj_codec_t* c) const { opj_destroy_codec(c); }
};
struct StreamDestroy {
  void operator()(opj_stream_t* s) const { opj_stream_destroy(s); }
};
struct ImageDestroy {
  void operator()(opj_image_t* i) const { opj_image_destroy(i); }
};
struct InfoDestroy {
  void operator()(opj_codestream_info_v2_t* i) const { opj_destroy_cstr_info(&i); }
};

void Quiet(const char*, void*) {}

Jpeg2000Read Failed(Failure why) {
  Jpeg2000Read read;
  read.outcome = Outcome::Failed(why);
  return read;
}

// A component's sample brought to 8 bits.
uint8_t Sample(const opj_image_comp_t& c, uint32_t x, uint32_t y, uint32_t width, uint32_t height) {
  const uint32_t cx = std::min<uint32_t>(c.w - 1, static_cast<uint32_t>(uint64_t{x} * c.w / width));
  const uint32_t cy = std::min<uint32_t>(c.h - 1, static_cast<uint32_t>(uint64_t{y} * c.h / height));
  int32_t v = c.data[size_t{cy} * c.w + cx];
  if (c.sgnd) v += 1 << (c.prec - 1);
  if (c.prec > 8) v >>= (c.prec - 8);
  else if (c.prec < 8) v <<= (8 - c.prec);
  return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

}  // namespace

Jpeg2000Read ReadJpeg2000(const char* path, bool jp2Boxes, uint32_t minLongEdge, uint64_t maxPixels) {
  std::unique_ptr<opj_codec_t, CodecDestroy> codec(opj_create_decompress(jp2Boxes ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K));
  std::unique_ptr<opj_stream_t, StreamDestroy> stream(opj_stream_create_default_file_stream(path, OPJ_TRUE));
  if (!codec || !stream) return Failed(Failure::NotReadable);
  opj_set_info_handler(codec.get(), Quiet, nullptr);
  opj_set_warning_handler(codec.get(), Quiet, nullptr);
  opj_set_error_handler(codec.get(), Quiet, nullptr);
  opj_dparameters_t parameters;
  opj_set_default_decoder_parameters(&parameters);
  opj_image_t* rawImage = nullptr;
  if (!opj_setup_decoder(codec.get(), &parameters) || !opj_read_header(stream.get(), codec.get(), &rawImage))
    return Failed(Failure::Damaged);
  std::unique_ptr<opj_image_t, ImageDestroy> image(rawImage);
  if (!image || image->numcomps == 0 || image->x1 <= image->x0 || image->y1 <= image->y0)
    return Failed(Failure::Damaged);
  const uint32_t width = image->x1 - image->x0;
  const uint32_t height = image->y1 - image->y0;
  if (uint64_t{width} * height > maxPixels) return Failed(Failure::TooLarge);

  // Each level halves the picture; keep the long edge at or above minLongEdge.
  std::unique_ptr<opj_codestream_info_v2_t, InfoDestroy> info(opj_get_cstr_info(codec.get()));
  const uint32_t levels = info && info->m_default_tile_info.tccp_info ? info->m_default_tile_info.tccp_info[0].numresolutions : 1;
  uint32_t reduce = 0;
  const uint32_t longEdge = std::max(width, height);
  while (minLongEdge > 0 && reduce + 1 < levels && (longEdge >> (reduce + 1)) >= minLongEdge) ++reduce;
  if (reduce > 0 && !opj_set_decoded_resolution_factor(codec.get(), reduce)) reduce = 0;
  if (!opj_decode(codec.get(), stream.get(), image.get()) || !opj_end_decompress(codec.get(), stream.get()))
    return Failed(Failure::Damaged);

  const opj_image_comp_t* comps = image->comps;
  const uint32_t w = comps[0].w;
  const uint32_t h = comps[0].h;
  for (uint32_t c = 0; c < image->numcomps; ++c)
    if (!comps[c].data || comps[c].w == 0 || comps[c].h == 0 || comps[c].prec == 0 || comps[c].prec > 31)
      return Failed(Failure::Damaged);
  if (w == 0 || h == 0) return Failed(Failure::Damaged);
  Jpeg2000Read read;
  try {
    read.pixels.pixels.resize(size_t{w} * h);
  } catch (const std::bad_alloc&) {
    return Failed(Failure::TooLarge);
  }
  const bool colour = image->numcomps >= 3;
  for (uint32_t y = 0; y < h; ++y) {
    uint32_t* out = read.pixels.pixels.data() + size_t{y} * w;
    for (uint32_t x = 0; x < w; ++x) {
      const uint32_t r = Sample(comps[0], x, y, w, h);
      const uint32_t g = colour ? Sample(comps[1], x, y, w, h) : r;
      const uint32_t b = colour ? Sample(comps[2], x, y, w, h) : r;
      out[x] = 0xFF000000u | r << 16 | g << 8 | b;
    }
  }
  read.pixels.width = static_cast<int32_t>(w);
  read.pixels.height = static_cast<int32_t>(h);
  read.pixels.sourceBpp = std::min(comps[0].prec, 8u) * std::min(image->numcomps, 4u);
  read.naturalWidth = width;
  read.naturalHeight = height;
  if (colour && image->icc_profile_buf && image->icc_profile_len > 0)
    ConvertToSrgb(read.pixels.pixels.data(), read.pixels.width, read.pixels.height, w, image->icc_profile_buf,
                  image->icc_profile_len);
  return read;
}
