#include "app/decoder/ImageDecoder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>

#include "app/decoder/DecodeStreamed.h"
#include "app/decoder/DecoderLimits.h"
#include "app/decoder/HeaderGuards.h"
#include "app/decoder/HeifDecoder.h"
#include "app/decoder/Jpeg2000Decoder.h"
#include "app/decoder/Jpeg2000Size.h"
#include "app/decoder/JpegFrameSize.h"
#include "app/decoder/JxlDecoder.h"
#include "app/decoder/WebpDecoder.h"
#include "app/imaging/BmpReader.h"
#include "app/imaging/CodecFile.h"
#include "app/imaging/HeifFile.h"
#include "app/imaging/JpegFile.h"
#include "app/imaging/JxlFile.h"
#include "app/imaging/RawPreview.h"
#include "app/imaging/Resample.h"
#include "app/imaging/WebpFile.h"

using decoderproto::DecodeStatus;

namespace {

bool FitsPixelLimit(uint64_t w, uint64_t h) { return w >= 1 && h >= 1 && w * h <= decoderproto::kMaxPixels; }

// The file's first bytes (up to 128).
size_t ReadFileStart(const char* path, uint8_t (&header)[128]) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return 0;
  const size_t n = std::fread(header, 1, sizeof header, file);
  std::fclose(file);
  return n;
}

// The size an image is scaled down to under the hint: by the largest power of
// two it allows (as the JPEG codec does), when that is at least a half; the
// image's own size when it keeps it.
void ShrunkSize(uint32_t w, uint32_t h, const decoderproto::SizeHint& hint, uint32_t* sw, uint32_t* sh) {
  *sw = w;
  *sh = h;
  const uint32_t divisor = ShrinkDivisor(w, h, hint);
  if (divisor == 1) return;
  *sw = static_cast<uint32_t>(std::max(1.0, std::ceil(w / double(divisor))));
  *sh = static_cast<uint32_t>(std::max(1.0, std::ceil(h / double(divisor))));
}

DecodeInfo Refused(DecodeStatus status) {
  DecodeInfo info;
  info.status = status;
  return info;
}

DecodeInfo Decoded(uint32_t w, uint32_t h, uint32_t bpp, uint32_t naturalWidth, uint32_t naturalHeight) {
  DecodeInfo info;
  info.status = DecodeStatus::Decoded;
  info.width = w;
  info.height = h;
  info.bpp = bpp;
  info.naturalWidth = naturalWidth;
  info.naturalHeight = naturalHeight;
  return info;
}

// A decode of w x h pixels (loaded at loadedWidth x loadedHeight) the codec
// may have shrunk by a size request: the natural size is then the header's,
// turned as the pixels were.
DecodeInfo ShrunkDecode(uint32_t w, uint32_t h, uint32_t bpp, uint32_t loadedWidth, uint32_t loadedHeight,
                        uint32_t headerWidth, uint32_t headerHeight, uint32_t sizeRequest) {
  DecodeInfo info = Decoded(w, h, bpp, loadedWidth, loadedHeight);
  if (sizeRequest > 0 && uint64_t{w} * h < uint64_t{headerWidth} * headerHeight) {
    const bool turned = (headerWidth > headerHeight) != (w > h);
    info.naturalWidth = turned ? headerHeight : headerWidth;
    info.naturalHeight = turned ? headerWidth : headerHeight;
  }
  return info;
}

// A BMP file the codec refuses, read by the program's own reader.
DecodeInfo DecodeBmpV4V5(const char* path, const PixelTarget& target, const decoderproto::SizeHint& hint) {
  BmpRead read = ReadBmpV4V5(path, decoderproto::kMaxPixels);
  if (!read.outcome) return Refused(DecodeStatusOf(read.outcome.failure));
  const uint32_t naturalWidth = static_cast<uint32_t>(read.pixels.width);
  const uint32_t naturalHeight = static_cast<uint32_t>(read.pixels.height);
  return DeliverPixels(std::move(read.pixels), naturalWidth, naturalHeight, target, hint, ShrinkBy::LibraryBox);
}

}  // namespace

DecodeStatus DecodeStatusOf(Failure failure) {
  switch (failure) {
    case Failure::NotFound:
    case Failure::NotReadable: return DecodeStatus::Unreadable;
    case Failure::Unsupported: return DecodeStatus::RefusedFormat;
    case Failure::TooLarge: return DecodeStatus::TooLarge;
    default: return DecodeStatus::DecodeFailed;
  }
}

DecodeInfo DeliverPixels(PixelBuffer pixels, uint32_t naturalWidth, uint32_t naturalHeight, const PixelTarget& target,
                         const decoderproto::SizeHint& hint, ShrinkBy shrink) {
  uint32_t w, h;
  ShrunkSize(static_cast<uint32_t>(pixels.width), static_cast<uint32_t>(pixels.height), hint, &w, &h);
  if (w != static_cast<uint32_t>(pixels.width) || h != static_cast<uint32_t>(pixels.height)) {
    const uint32_t divisor =
        ShrinkDivisor(static_cast<uint32_t>(pixels.width), static_cast<uint32_t>(pixels.height), hint);
    PixelBuffer shrunk = shrink == ShrinkBy::BlockAverage
                             ? AverageBlocks(pixels.view(), static_cast<int32_t>(divisor))
                             : ResamplePixels(pixels.view(), static_cast<int32_t>(w), static_cast<int32_t>(h),
                                              ResampleFilter::Box);
    if (!shrunk.empty()) {
      pixels.pixels = std::move(shrunk.pixels);
      pixels.width = shrunk.width;
      pixels.height = shrunk.height;
    }
  }
  w = static_cast<uint32_t>(pixels.width);
  h = static_cast<uint32_t>(pixels.height);
  uint32_t* out = target(w, h);
  if (!out) return Refused(DecodeStatus::TooLarge);
  std::memcpy(out, pixels.pixels.data(), size_t{w} * h * 4);
  return Decoded(w, h, pixels.sourceBpp, naturalWidth, naturalHeight);
}

uint32_t ShrinkDivisor(uint32_t width, uint32_t height, const decoderproto::SizeHint& hint) {
  const double scale = HintScale(width, height, hint);
  if (scale > 0.5 || scale <= 0) return 1;
  // Whole blocks of 2^k x 2^k pixels averaged by the box filter: a fast,
  // faithful intermediate for the thumbnail's own resampling.
  return static_cast<uint32_t>(std::exp2(std::min(31.0, std::floor(std::log2(1.0 / scale)))));
}

uint32_t JpegSizeRequest(uint32_t width, uint32_t height, const decoderproto::SizeHint& hint) {
  const double scale = HintScale(width, height, hint);
  if (scale >= (hint.jpegEighths ? 0.875 : 0.5)) return 0;  // no reduction the codec offers would do
  const double longEdge = std::max(width, height);
  // The codec picks the smallest of 1/2, 1/4, 1/8 (or of the eighths) whose
  // long edge stays at or above the request, so the scale stays at or above
  // the one asked for.
  return static_cast<uint32_t>(std::max(1.0, std::ceil(longEdge * scale)));
}

uint32_t RawSizeRequest(uint32_t width, uint32_t height, const decoderproto::SizeHint& hint) {
  const double scale = HintScale(width, height, hint);
  if (scale >= 1.0) return 0;  // every pixel: the full demosaic
  return static_cast<uint32_t>(std::max(1.0, std::ceil(std::max(width, height) * scale)));
}

DecodeInfo DecodeFileToPixels(const char* path, const PixelTarget& target, const decoderproto::SizeHint& hint) {
  struct stat st {};
  if (!path || !*path || ::stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return Refused(DecodeStatus::Unreadable);

  const FileFormat format = DetectFileFormat(path);
  uint8_t header[128] = {};
  const size_t headerBytes = ReadFileStart(path, header);
  try {
    // Formats of the libraries beside the codec, told from their first bytes.
    if (IsHeifFile(header, headerBytes)) return DecodeHeif(path, target, hint);
    if (IsJxlFile(header, headerBytes)) return DecodeJxl(path, target, hint);
  } catch (const std::bad_alloc&) {
    return Refused(DecodeStatus::TooLarge);
  }
  if (!format.known()) return Refused(DecodeStatus::UnknownFormat);
  if (!format.isInput) return Refused(DecodeStatus::RefusedFormat);
  if (!PassesHeaderGuards(format.kind, header, headerBytes, static_cast<uint64_t>(st.st_size)))
    return Refused(DecodeStatus::DecodeFailed);

  try {
    // Large PNG and TIFF files are shrunk while they are read, never held whole.
    if (std::optional<DecodeInfo> streamed = DecodeStreamed(path, target, hint)) return *streamed;
    if (format.kind == InputKind::Bmp && HasBmpV4OrV5Header(header, headerBytes)) {
      const DecodeInfo info = DecodeBmpV4V5(path, target, hint);
      // Layouts the reader leaves alone (palettes, run lengths) go to the codec.
      if (info.status != DecodeStatus::RefusedFormat) return info;
    }
    const bool jpeg = format.kind == InputKind::Jpeg;
    // Where the header alone says the size, an oversized image is refused
    // before the codec allocates its pixels.
    uint32_t headerWidth = 0;
    uint32_t headerHeight = 0;
    if (jpeg && ReadJpegFrameSize(path, &headerWidth, &headerHeight)) {
      // A JPEG's frame header says its size: the codec's own header pass is not needed.
      if (!FitsPixelLimit(headerWidth, headerHeight)) return Refused(DecodeStatus::TooLarge);
    } else if (format.kind == InputKind::Jpeg2000) {
      if (!ReadJpeg2000Size(header, headerBytes, &headerWidth, &headerHeight)) return Refused(DecodeStatus::DecodeFailed);
      if (!FitsPixelLimit(headerWidth, headerHeight)) return Refused(DecodeStatus::TooLarge);
      return DecodeJpeg2000(path, header, headerBytes, headerWidth, headerHeight, target, hint);
    } else if (format.kind == InputKind::Webp && ReadWebpSize(path, &headerWidth, &headerHeight)) {
      if (!FitsPixelLimit(headerWidth, headerHeight)) return Refused(DecodeStatus::TooLarge);
      const DecodeInfo info = DecodeWebp(path, headerWidth, headerHeight, target, hint);
      if (info.status != DecodeStatus::RefusedFormat) return info;  // an animation: the codec's first frame
    } else {
      switch (ReadHeaderSize(format, path, &headerWidth, &headerHeight)) {
        case HeaderSize::Unreadable:
          return Refused(DecodeStatus::DecodeFailed);
        case HeaderSize::Read:
          if (!FitsPixelLimit(headerWidth, headerHeight)) return Refused(DecodeStatus::TooLarge);
          // Decoded whole for a size hint: refused before it meets the request's memory limit.
          if (hint.any() && !FitsShrinkingDecode(headerWidth, headerHeight)) return Refused(DecodeStatus::TooLarge);
          break;
        case HeaderSize::NotOffered:
          break;
      }
    }
    const uint32_t sizeRequest = jpeg                             ? JpegSizeRequest(headerWidth, headerHeight, hint)
                                 : format.kind == InputKind::Raw ? RawSizeRequest(headerWidth, headerHeight, hint)
                                                                 : 0;
    if (format.kind == InputKind::Raw && sizeRequest > 0) {
      // The embedded preview, read without the sensor data, when it is large enough.
      PixelBuffer preview = ReadRawPreview(path, sizeRequest, decoderproto::kMaxPixels);
      if (!preview.empty()) {
        uint32_t naturalWidth = static_cast<uint32_t>(preview.width);
        uint32_t naturalHeight = static_cast<uint32_t>(preview.height);
        if (headerWidth > 0 && headerHeight > 0) {  // the sensor's size, turned as the preview is
          const bool turned = (headerWidth > headerHeight) != (preview.width > preview.height);
          naturalWidth = turned ? headerHeight : headerWidth;
          naturalHeight = turned ? headerWidth : headerHeight;
        }
        return DeliverPixels(std::move(preview), naturalWidth, naturalHeight, target, hint);
      }
    }
    if (jpeg && headerWidth > 0) {
      // Straight into the target; CMYK files and any libjpeg stops on go to the codec below.
      const JpegRead read =
          ReadJpeg(path, sizeRequest, target, hint.jpegEighths ? JpegScales::Eighths : JpegScales::Halvings);
      if (read.status == JpegReadStatus::NoRoom) return Refused(DecodeStatus::TooLarge);
      if (read.status == JpegReadStatus::Decoded)
        return ShrunkDecode(read.width, read.height, read.bpp, read.width, read.height, headerWidth, headerHeight,
                            sizeRequest);
    }
    CodecImage image = CodecImage::Load(format, path, sizeRequest);
    if (!image) return Refused(DecodeStatus::DecodeFailed);
    const uint32_t bpp = image.bpp();
    const uint32_t loadedWidth = image.width();
    const uint32_t loadedHeight = image.height();
    if (!FitsPixelLimit(loadedWidth, loadedHeight)) return Refused(DecodeStatus::TooLarge);
    image.ConvertToSrgb();  // before shrinking: the profile describes the file's own pixels
    if (!jpeg) {
      // Scaled down here, so the program never receives (nor holds) pixels it
      // does not need.
      uint32_t sw, sh;
      ShrunkSize(loadedWidth, loadedHeight, hint, &sw, &sh);
      if (sw != loadedWidth || sh != loadedHeight) image.ShrinkTo(sw, sh);
    }
    const uint32_t w = image.width();
    const uint32_t h = image.height();
    uint32_t* pixels = target(w, h);
    if (!pixels) return Refused(DecodeStatus::TooLarge);
    if (!image.CopyPixels(pixels)) return Refused(DecodeStatus::DecodeFailed);
    return ShrunkDecode(w, h, bpp, loadedWidth, loadedHeight, headerWidth, headerHeight, sizeRequest);
  } catch (const std::bad_alloc&) {
    return Refused(DecodeStatus::TooLarge);
  } catch (...) {
    return Refused(DecodeStatus::DecodeFailed);
  }
}
