#include "app/imaging/HeifFile.h"

#include <libheif/heif.h>

#include <algorithm>
#include <limits>
#include <new>
#include <vector>

#include "app/imaging/ColourProfile.h"

namespace {

Failure FailureOf(const heif_error& error) {
  switch (error.code) {
    case heif_error_Ok: return Failure::None;
    case heif_error_Input_does_not_exist: return Failure::NotFound;
    case heif_error_Unsupported_filetype:
    case heif_error_Unsupported_feature: return Failure::Unsupported;
    case heif_error_Memory_allocation_error: return Failure::TooLarge;
    default: return Failure::Damaged;
  }
}

struct ImageRelease {
  void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsFree {
  void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};
struct NclxFree {
  void operator()(heif_color_profile_nclx* nclx) const { heif_nclx_color_profile_free(nclx); }
};
using Image = std::unique_ptr<heif_image, ImageRelease>;

ToneCurve CurveOf(heif_transfer_characteristics transfer) {
  switch (transfer) {
    case heif_transfer_characteristic_ITU_R_BT_709_5:
    case heif_transfer_characteristic_ITU_R_BT_601_6:
    case heif_transfer_characteristic_ITU_R_BT_2020_2_10bit:
    case heif_transfer_characteristic_ITU_R_BT_2020_2_12bit: return ToneCurve::Bt709;
    case heif_transfer_characteristic_linear: return ToneCurve::Linear;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_M: return ToneCurve::Gamma22;
    default: return ToneCurve::Srgb;  // sRGB itself, and curves 8 bits cannot show anyway
  }
}

// The colour space the handle's pixels are in, as ICC bytes; empty for sRGB
// (or nothing said, which is taken as sRGB).
std::vector<uint8_t> ProfileOf(const heif_image_handle* handle) {
  std::vector<uint8_t> icc;
  switch (heif_image_handle_get_color_profile_type(handle)) {
    case heif_color_profile_type_prof:
    case heif_color_profile_type_rICC: {
      icc.resize(heif_image_handle_get_raw_color_profile_size(handle));
      if (icc.empty() || heif_image_handle_get_raw_color_profile(handle, icc.data()).code != heif_error_Ok)
        icc.clear();
      return icc;
    }
    case heif_color_profile_type_nclx: {
      heif_color_profile_nclx* raw = nullptr;
      if (heif_image_handle_get_nclx_color_profile(handle, &raw).code != heif_error_Ok || !raw) return icc;
      std::unique_ptr<heif_color_profile_nclx, NclxFree> nclx(raw);
      const heif_color_primaries primaries = nclx->color_primaries;
      if (primaries == heif_color_primaries_ITU_R_BT_709_5 || primaries == heif_color_primaries_unspecified)
        return icc;  // the sRGB primaries
      const RgbPrimaries xy{nclx->color_primary_red_x,   nclx->color_primary_red_y,  nclx->color_primary_green_x,
                            nclx->color_primary_green_y, nclx->color_primary_blue_x, nclx->color_primary_blue_y,
                            nclx->color_primary_white_x, nclx->color_primary_white_y};
      return RgbProfileBytes(xy, CurveOf(nclx->transfer_characteristics));
    }
    default:
      return icc;
  }
}

// The smallest thumbnail whose long edge reaches minLongEdge; null for none.
heif_image_handle* FittingThumbnail(heif_image_handle* primary, uint32_t minLongEdge) {
  const int count = heif_image_handle_get_number_of_thumbnails(primary);
  if (minLongEdge == 0 || count <= 0) return nullptr;
  std::vector<heif_item_id> ids(static_cast<size_t>(count));
  heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
  heif_image_handle* best = nullptr;
  uint64_t bestArea = std::numeric_limits<uint64_t>::max();
  for (heif_item_id id : ids) {
    heif_image_handle* thumb = nullptr;
    if (heif_image_handle_get_thumbnail(primary, id, &thumb).code != heif_error_Ok || !thumb) continue;
    const int w = heif_image_handle_get_width(thumb);
    const int h = heif_image_handle_get_height(thumb);
    const uint64_t area = uint64_t(std::max(w, 0)) * uint64_t(std::max(h, 0));
    if (static_cast<uint32_t>(std::max(w, h)) >= minLongEdge && area < bestArea) {
      if (best) heif_image_handle_release(best);
      best = thumb;
      bestArea = area;
    } else {
      heif_image_handle_release(thumb);
    }
  }
  return best;
}

}  // namespace

bool IsHeifFile(const uint8_t* header, size_t headerBytes) {
  if (headerBytes < 12) return false;
  const heif_filetype_result type = heif_check_filetype(header, static_cast<int>(std::min<size_t>(headerBytes, 4096)));
  return type == heif_filetype_yes_supported || type == heif_filetype_yes_unsupported;
}

bool IsAvifFile(const uint8_t* header, size_t headerBytes) {
  if (headerBytes < 12) return false;
  const heif_brand brand = heif_main_brand(header, static_cast<int>(std::min<size_t>(headerBytes, 4096)));
  return brand == heif_avif || brand == heif_avis;
}

void HeifFile::ContextFree::operator()(heif_context* context) const { heif_context_free(context); }
void HeifFile::HandleRelease::operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }

HeifFile::HeifFile(const char* path, uint64_t maxPixels) : context_(heif_context_alloc()) {
  if (!context_) {
    outcome_ = Outcome::Failed(Failure::TooLarge);
    return;
  }
  // No edge may be longer than the largest image's pixel count allows.
  heif_context_set_maximum_image_size_limit(context_.get(),
                                            static_cast<int>(std::min<uint64_t>(maxPixels, INT32_MAX)));
  heif_error error = heif_context_read_from_file(context_.get(), path, nullptr);
  heif_image_handle* primary = nullptr;
  if (error.code == heif_error_Ok) error = heif_context_get_primary_image_handle(context_.get(), &primary);
  primary_.reset(primary);
  if (error.code != heif_error_Ok || !primary_) {
    outcome_ = Outcome::Failed(error.code == heif_error_Ok ? Failure::Damaged : FailureOf(error));
    return;
  }
  const int w = heif_image_handle_get_width(primary);
  const int h = heif_image_handle_get_height(primary);
  if (w <= 0 || h <= 0) {
    outcome_ = Outcome::Failed(Failure::Damaged);
  } else if (uint64_t(w) * uint64_t(h) > maxPixels) {
    outcome_ = Outcome::Failed(Failure::TooLarge);
  } else {
    width_ = static_cast<uint32_t>(w);
    height_ = static_cast<uint32_t>(h);
  }
}

HeifFile::~HeifFile() = default;

PixelBuffer HeifFile::Decode(uint32_t minLongEdge, Outcome* outcome) const {
  PixelBuffer buffer;
  *outcome = outcome_;
  if (!outcome_) return buffer;
  std::unique_ptr<heif_image_handle, HandleRelease> thumbnail(FittingThumbnail(primary_.get(), minLongEdge));
  heif_image_handle* handle = thumbnail ? thumbnail.get() : primary_.get();
  std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
  if (!options) {
    *outcome = Outcome::Failed(Failure::TooLarge);
    return buffer;
  }
  options->ignore_transformations = 0;  // rotation and mirroring applied
  heif_image* raw = nullptr;
  const heif_error error =
      heif_decode_image(handle, &raw, heif_colorspace_RGB, heif_chroma_interleaved_RGB, options.get());
  Image image(raw);
  if (error.code != heif_error_Ok || !image) {
    *outcome = Outcome::Failed(error.code == heif_error_Ok ? Failure::Damaged : FailureOf(error));
    return buffer;
  }
  int stride = 0;
  const uint8_t* rows = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
  const int w = heif_image_get_width(image.get(), heif_channel_interleaved);
  const int h = heif_image_get_height(image.get(), heif_channel_interleaved);
  if (!rows || w <= 0 || h <= 0 || stride < w * 3) {
    *outcome = Outcome::Failed(Failure::Damaged);
    return buffer;
  }
  try {
    buffer.pixels.resize(size_t(w) * size_t(h));
  } catch (const std::bad_alloc&) {
    *outcome = Outcome::Failed(Failure::TooLarge);
    return buffer;
  }
  for (int y = 0; y < h; ++y) {
    const uint8_t* src = rows + size_t(y) * size_t(stride);
    uint32_t* out = buffer.pixels.data() + size_t(y) * size_t(w);
    for (int x = 0; x < w; ++x, src += 3) out[x] = 0xFF000000u | uint32_t{src[0]} << 16 | uint32_t{src[1]} << 8 | src[2];
  }
  buffer.width = w;
  buffer.height = h;
  buffer.sourceBpp = static_cast<uint32_t>(std::max(heif_image_handle_get_luma_bits_per_pixel(primary_.get()), 8)) *
                     (heif_image_handle_has_alpha_channel(primary_.get()) ? 4 : 3);
  // A thumbnail seldom says its colour; it shares the primary image's.
  std::vector<uint8_t> icc = ProfileOf(handle);
  if (icc.empty() && thumbnail) icc = ProfileOf(primary_.get());
  if (!icc.empty()) ConvertToSrgb(buffer.pixels.data(), w, h, size_t(w), icc.data(), icc.size());
  return buffer;
}

std::vector<uint8_t> HeifFile::ExifTiff(size_t maxBytes) const {
  std::vector<uint8_t> tiff;
  if (!primary_) return tiff;
  heif_item_id id = 0;
  if (heif_image_handle_get_list_of_metadata_block_IDs(primary_.get(), "Exif", &id, 1) < 1) return tiff;
  const size_t size = heif_image_handle_get_metadata_size(primary_.get(), id);
  // The block: a 32-bit offset to the TIFF header after it, then the Exif data.
  if (size < 12 || size > (size_t{1} << 24)) return tiff;
  std::vector<uint8_t> block(size);
  if (heif_image_handle_get_metadata(primary_.get(), id, block.data()).code != heif_error_Ok) return tiff;
  const uint64_t offset = uint64_t{block[0]} << 24 | uint64_t{block[1]} << 16 | uint64_t{block[2]} << 8 | block[3];
  if (offset > size - 4 - 8) return tiff;
  const size_t from = static_cast<size_t>(4 + offset);
  if (size - from > maxBytes) return tiff;
  tiff.assign(block.begin() + static_cast<std::ptrdiff_t>(from), block.end());
  return tiff;
}
