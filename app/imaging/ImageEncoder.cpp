#include "app/imaging/ImageEncoder.h"

#include <algorithm>
#include <cstring>

#include "app/imaging/AvifEncoder.h"
#include "app/imaging/BitmapPixels.h"
#include "app/imaging/FiBitmap.h"
#include "app/imaging/JpegFile.h"

namespace {

// JPEG, WebP and AVIF are written at the quality the codec library writes JPEG at by default.
constexpr int kLossyQuality = 75;

FREE_IMAGE_FORMAT LibraryFormat(ImageFileFormat format) {
  switch (format) {
    case ImageFileFormat::Bmp: return FIF_BMP;
    case ImageFileFormat::Gif: return FIF_GIF;
    case ImageFileFormat::Ico: return FIF_ICO;
    case ImageFileFormat::Jpeg: return FIF_JPEG;
    case ImageFileFormat::Png: return FIF_PNG;
    case ImageFileFormat::Targa: return FIF_TARGA;
    case ImageFileFormat::Tiff: return FIF_TIFF;
    case ImageFileFormat::Webp: return FIF_WEBP;
    case ImageFileFormat::Avif: return FIF_UNKNOWN;  // libheif's, not FreeImage's
  }
  return FIF_UNKNOWN;
}

EncodedImage Failed(Failure why) { return EncodedImage{Outcome::Failed(why), {}}; }

// The file bytes of a bitmap; a conversion failure when the library cannot encode it.
EncodedImage Encode(FIBITMAP* bitmap, FREE_IMAGE_FORMAT format, int flags) {
  FiMemory memory;
  if (!memory.get() || !FreeImage_SaveToMemory(format, bitmap, memory.get(), flags))
    return Failed(Failure::ConversionFailed);
  BYTE* data = nullptr;
  DWORD size = 0;
  if (!FreeImage_AcquireMemory(memory.get(), &data, &size) || !data || size == 0)
    return Failed(Failure::ConversionFailed);
  EncodedImage encoded;
  encoded.bytes.assign(data, data + size);
  return encoded;
}

// A picture that is not a square of 16 to 256, fitted into one: shrunk to fit
// 256 when larger, then centred on a transparent square of at least 16.
PixelBuffer IconSquare(const PixelView& picture, const ShrinkPixels& shrink) {
  PixelBuffer shrunk;
  PixelView fitted = picture;
  if (picture.width > kIconSideMax || picture.height > kIconSideMax) {
    if (shrink) shrunk = shrink(picture, kIconSideMax);
    if (shrunk.empty() || shrunk.width > kIconSideMax || shrunk.height > kIconSideMax) return PixelBuffer();
    fitted = shrunk.view();
  }
  const int32_t side = std::max({fitted.width, fitted.height, kIconSideMin});
  PixelBuffer square;
  square.pixels.assign(static_cast<size_t>(side) * side, 0u);  // transparent
  square.width = side;
  square.height = side;
  const int32_t x0 = (side - fitted.width) / 2;
  const int32_t y0 = (side - fitted.height) / 2;
  for (int32_t y = 0; y < fitted.height; ++y)
    std::memcpy(&square.pixels[static_cast<size_t>(y0 + y) * side + x0], fitted.row(y),
                static_cast<size_t>(fitted.width) * 4);
  return square;
}

}  // namespace

EncodedImage EncodePixels(const PixelView& picture, ImageFileFormat format, const ShrinkPixels& shrink) {
  if (picture.empty()) return Failed(Failure::NoImage);
  if (format == ImageFileFormat::Avif) return EncodeAvif(picture, kLossyQuality);
  const FREE_IMAGE_FORMAT fif = LibraryFormat(format);
  if (fif == FIF_UNKNOWN) return Failed(Failure::Unsupported);
  FiBitmap output;
  int flags = 0;
  switch (format) {
    case ImageFileFormat::Bmp:
    case ImageFileFormat::Targa:
      output = BitmapFromPixels(picture);
      break;
    case ImageFileFormat::Ico: {
      const bool asIs = picture.width == picture.height && picture.width >= kIconSideMin &&
                        picture.width <= kIconSideMax;
      if (asIs) {
        output = Bitmap24FromPixels(picture);
      } else {
        const PixelBuffer square = IconSquare(picture, shrink);
        output = BitmapFromPixels(square.view());
      }
      break;
    }
    case ImageFileFormat::Tiff:
      flags = TIFF_NONE;
      output = Bitmap24FromPixels(picture);
      break;
    case ImageFileFormat::Gif: {
      FiBitmap rgb = Bitmap24FromPixels(picture);
      if (rgb) output.reset(FreeImage_ColorQuantize(rgb.get(), FIQ_WUQUANT));
      break;
    }
    case ImageFileFormat::Jpeg: {
      EncodedImage encoded;
      encoded.bytes = WriteJpeg(picture, kLossyQuality);
      if (encoded.bytes.empty()) return Failed(Failure::ConversionFailed);
      return encoded;
    }
    case ImageFileFormat::Webp:
      flags = kLossyQuality;
      [[fallthrough]];
    case ImageFileFormat::Png:
      output = Bitmap24FromPixels(picture);
      break;
    case ImageFileFormat::Avif:
      break;
  }
  if (!output) return Failed(Failure::ConversionFailed);
  return Encode(output.get(), fif, flags);
}
