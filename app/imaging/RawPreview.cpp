#include "app/imaging/RawPreview.h"

#include <libraw/libraw.h>

#include <algorithm>
#include <memory>

#include "app/imaging/JpegFile.h"
#include "app/imaging/Orientation.h"

namespace {

struct RawClose {
  void operator()(libraw_data_t* raw) const { libraw_close(raw); }
};
struct ImageClear {
  void operator()(libraw_processed_image_t* image) const { libraw_dcraw_clear_mem(image); }
};

}  // namespace

PixelBuffer ReadRawPreview(const char* path, uint32_t minLongEdge, uint64_t maxPixels) {
  PixelBuffer preview;
  std::unique_ptr<libraw_data_t, RawClose> raw(libraw_init(0));
  if (!raw || libraw_open_file(raw.get(), path) != LIBRAW_SUCCESS) return preview;
  const libraw_thumbnail_t& thumb = raw->thumbnail;
  if (std::max(thumb.twidth, thumb.theight) < minLongEdge || uint64_t{thumb.twidth} * thumb.theight > maxPixels)
    return preview;
  if (libraw_unpack_thumb(raw.get()) != LIBRAW_SUCCESS) return preview;
  int error = 0;
  std::unique_ptr<libraw_processed_image_t, ImageClear> image(libraw_dcraw_make_mem_thumb(raw.get(), &error));
  if (!image || error != LIBRAW_SUCCESS) return preview;

  PixelBuffer decoded;
  uint16_t ownOrientation = 1;
  if (image->type == LIBRAW_IMAGE_JPEG) {
    const JpegRead read = ReadJpegBytes(image->data, image->data_size, 0, [&decoded](uint32_t w, uint32_t h) {
      decoded.pixels.resize(size_t{w} * h);
      decoded.width = static_cast<int32_t>(w);
      decoded.height = static_cast<int32_t>(h);
      return decoded.pixels.data();
    });
    if (read.status != JpegReadStatus::Decoded) return preview;
    ownOrientation = read.orientation;
  } else if (image->type == LIBRAW_IMAGE_BITMAP && image->colors == 3 && image->bits == 8 &&
             uint64_t{image->width} * image->height * 3 <= image->data_size) {
    decoded.width = image->width;
    decoded.height = image->height;
    decoded.pixels.resize(size_t{image->width} * image->height);
    const uint8_t* rgb = image->data;
    for (uint32_t& p : decoded.pixels) {
      p = 0xFF000000u | uint32_t{rgb[0]} << 16 | uint32_t{rgb[1]} << 8 | rgb[2];
      rgb += 3;
    }
  } else {
    return preview;
  }
  if (decoded.empty() || static_cast<uint32_t>(std::max(decoded.width, decoded.height)) < minLongEdge) return preview;
  // A JPEG preview turned by its own tag is upright; any other by the file's.
  const uint16_t orientation = ownOrientation != 1 ? 1 : TiffFileOrientation(path);
  decoded.sourceBpp = 24;
  if (orientation == 1) return decoded;
  preview.width = TurnsSides(orientation) ? decoded.height : decoded.width;
  preview.height = TurnsSides(orientation) ? decoded.width : decoded.height;
  preview.pixels.resize(decoded.pixels.size());
  preview.sourceBpp = 24;
  CopyUpright(decoded.view(), orientation, preview.pixels.data());
  return preview;
}
