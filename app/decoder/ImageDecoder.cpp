#include "app/decoder/ImageDecoder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "app/decoder/HeaderGuards.h"
#include "app/decoder/JpegFrameSize.h"
#include "app/imaging/BitmapPixels.h"
#include "app/imaging/FiBitmap.h"

using decoderproto::DecodeStatus;

namespace {

bool FitsPixelLimit(uint64_t w, uint64_t h) { return w >= 1 && h >= 1 && w * h <= decoderproto::kMaxPixels; }

bool HeaderPassesGuards(FREE_IMAGE_FORMAT fif, const char* path, uint64_t fileSize) {
  uint8_t header[128] = {};
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  const size_t n = std::fread(header, 1, sizeof header, file);
  std::fclose(file);
  return PassesHeaderGuards(fif, header, n, fileSize);
}

// The bitmap scaled down by the largest power of two the hint allows (as the
// JPEG codec does), when that is at least a half; null when it keeps its size
// (or cannot be scaled).
FiBitmap ShrinkForHint(FIBITMAP* bitmap, const decoderproto::SizeHint& hint) {
  const uint32_t w = FreeImage_GetWidth(bitmap);
  const uint32_t h = FreeImage_GetHeight(bitmap);
  const double scale = HintScale(w, h, hint);
  if (scale > 0.5) return FiBitmap();
  // Whole blocks of 2^k x 2^k pixels averaged by the box filter: a fast,
  // faithful intermediate for the thumbnail's own resampling.
  const double divisor = std::exp2(std::floor(std::log2(1.0 / scale)));
  const int sw = static_cast<int>(std::max(1.0, std::ceil(w / divisor)));
  const int sh = static_cast<int>(std::max(1.0, std::ceil(h / divisor)));
  const bool standard = FreeImage_GetImageType(bitmap) == FIT_BITMAP && FreeImage_GetBPP(bitmap) >= 24;
  FiBitmap source = standard ? FiBitmap() : To32Bits(bitmap);
  if (!standard && !source) return FiBitmap();
  return FiBitmap(FreeImage_Rescale(standard ? bitmap : source.get(), sw, sh, FILTER_BOX));
}

DecodeInfo Refused(DecodeStatus status) {
  DecodeInfo info;
  info.status = status;
  return info;
}

}  // namespace

bool IsInputFormat(FREE_IMAGE_FORMAT fif) {
  switch (fif) {
    case FIF_BMP:     // *.bmp, *.dib, *.rle
    case FIF_ICO:     // *.ico, *.cur
    case FIF_JPEG:    // *.jpg, *.jpeg, *.jif, *.jfif
    case FIF_JNG:
    case FIF_KOALA:   // *.koala, *.gg
    case FIF_LBM:     // *.lbm, *.iff
    case FIF_MNG:
    case FIF_PBM:
    case FIF_PBMRAW:
    case FIF_PCD:
    case FIF_PCX:
    case FIF_PGM:
    case FIF_PGMRAW:
    case FIF_PNG:
    case FIF_PPM:
    case FIF_PPMRAW:
    case FIF_RAS:
    case FIF_TARGA:
    case FIF_TIFF:    // *.tif, *.tiff
    case FIF_WBMP:
    case FIF_PSD:
    case FIF_XBM:
    case FIF_XPM:
    case FIF_DDS:
    case FIF_GIF:
      return true;
    default:  // *.emf and *.wmf have no FreeImage plugin; everything else is not an input
      return false;
  }
}

void DisableNonInputPlugins() {
  const int count = FreeImage_GetFIFCount();
  for (int i = 0; i < count; ++i) {
    const auto fif = static_cast<FREE_IMAGE_FORMAT>(i);
    FreeImage_SetPluginEnabled(fif, IsInputFormat(fif) ? TRUE : FALSE);
  }
}

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

uint32_t JpegSizeRequest(uint32_t width, uint32_t height, const decoderproto::SizeHint& hint) {
  const double scale = HintScale(width, height, hint);
  if (scale >= 0.5) return 0;  // no reduction the codec offers would do
  const double longEdge = std::max(width, height);
  // The library picks the smallest of 1/2, 1/4, 1/8 whose long edge stays at
  // or above the request, so the scale stays at or above the one asked for.
  return static_cast<uint32_t>(std::max(1.0, std::ceil(longEdge * scale)));
}

DecodeInfo DecodeFileToPixels(const char* path, const PixelTarget& target, const decoderproto::SizeHint& hint) {
  struct stat st {};
  if (!path || !*path || ::stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return Refused(DecodeStatus::Unreadable);

  FREE_IMAGE_FORMAT fif = FreeImage_GetFileType(path, 0);
  if (fif == FIF_UNKNOWN) fif = FreeImage_GetFIFFromFilename(path);
  if (fif == FIF_UNKNOWN) return Refused(DecodeStatus::UnknownFormat);
  if (!IsInputFormat(fif) || !FreeImage_FIFSupportsReading(fif)) return Refused(DecodeStatus::RefusedFormat);
  if (!HeaderPassesGuards(fif, path, static_cast<uint64_t>(st.st_size))) return Refused(DecodeStatus::DecodeFailed);
  int flags = fif == FIF_JPEG ? (JPEG_ACCURATE | JPEG_EXIFROTATE) : 0;

  try {
    // Where the plugin can read the header alone, an oversized image is
    // refused before the library allocates its pixels.
    uint32_t headerWidth = 0;
    uint32_t headerHeight = 0;
    if (fif == FIF_JPEG && ReadJpegFrameSize(path, &headerWidth, &headerHeight)) {
      // A JPEG's frame header says its size: the library's own header pass is not needed.
      if (!FitsPixelLimit(headerWidth, headerHeight)) return Refused(DecodeStatus::TooLarge);
    } else if (FreeImage_FIFSupportsNoPixels(fif)) {
      FiBitmap header(FreeImage_Load(fif, path, flags | FIF_LOAD_NOPIXELS));
      if (!header) return Refused(DecodeStatus::DecodeFailed);
      headerWidth = FreeImage_GetWidth(header.get());
      headerHeight = FreeImage_GetHeight(header.get());
      if (!FitsPixelLimit(headerWidth, headerHeight)) return Refused(DecodeStatus::TooLarge);
    }
    const uint32_t sizeRequest = fif == FIF_JPEG ? JpegSizeRequest(headerWidth, headerHeight, hint) : 0;
    if (sizeRequest > 0) flags |= static_cast<int>(std::min<uint32_t>(sizeRequest, 0xFFFF) << 16);
    FiBitmap bitmap(FreeImage_Load(fif, path, flags));
    if (!bitmap || !FreeImage_HasPixels(bitmap.get())) return Refused(DecodeStatus::DecodeFailed);
    const uint32_t bpp = FreeImage_GetBPP(bitmap.get());
    const uint32_t loadedWidth = FreeImage_GetWidth(bitmap.get());
    const uint32_t loadedHeight = FreeImage_GetHeight(bitmap.get());
    if (!FitsPixelLimit(loadedWidth, loadedHeight)) return Refused(DecodeStatus::TooLarge);
    if (fif != FIF_JPEG) {
      // Scaled down here, so the program never receives (nor holds) pixels it
      // does not need.
      FiBitmap shrunk = ShrinkForHint(bitmap.get(), hint);
      if (shrunk) bitmap = std::move(shrunk);
    }
    const uint32_t w = FreeImage_GetWidth(bitmap.get());
    const uint32_t h = FreeImage_GetHeight(bitmap.get());
    uint32_t* pixels = target(w, h);
    if (!pixels) return Refused(DecodeStatus::TooLarge);
    if (!CopyBitmapPixels(bitmap.get(), pixels)) return Refused(DecodeStatus::DecodeFailed);
    DecodeInfo info;
    info.status = DecodeStatus::Decoded;
    info.width = w;
    info.height = h;
    info.bpp = bpp;
    info.naturalWidth = loadedWidth;
    info.naturalHeight = loadedHeight;
    if (sizeRequest > 0 && uint64_t{w} * h < uint64_t{headerWidth} * headerHeight) {
      // Shrunk: the natural size is the header's, turned as the pixels were.
      const bool turned = (headerWidth > headerHeight) != (w > h);
      info.naturalWidth = turned ? headerHeight : headerWidth;
      info.naturalHeight = turned ? headerWidth : headerHeight;
    }
    return info;
  } catch (const std::bad_alloc&) {
    return Refused(DecodeStatus::TooLarge);
  } catch (...) {
    return Refused(DecodeStatus::DecodeFailed);
  }
}
