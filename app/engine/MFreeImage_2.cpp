#include "app/engine/MFreeImage_2.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <cstring>

#include "app/engine/SharedDecoder.h"
#include "app/engine/WholeFile.h"
#include "app/imaging/BitmapPixels.h"
#include "platform/drawing/Numbers.h"

namespace {

LastLoadedImage g_lastLoaded;

// Copies an image into a new 32-bit library bitmap; alpha kept as the image has it.
FiBitmap BitmapFromImage32(const QImage& image) {
  if (image.isNull()) return FiBitmap();
  const QImage src = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                         ? image
                         : image.convertToFormat(QImage::Format_ARGB32);
  const int w = src.width();
  const int h = src.height();
  FiBitmap bitmap(FreeImage_Allocate(w, h, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK));
  if (!bitmap) return bitmap;
  for (int y = 0; y < h; ++y)
    std::memcpy(FreeImage_GetScanLine(bitmap.get(), h - 1 - y), src.constScanLine(y), static_cast<size_t>(w) * 4);
  return bitmap;
}

// FreeImage writes icons only as squares of 16 to 256 pixels. Such a canvas is
// written as captured (24 bits); any other is scaled down to fit 256 when
// larger, then centred on a transparent square of at least 16 (32 bits, so the
// padding can be transparent).
FiBitmap IconBitmap(const QImage& canvas, ResampleFilter filter, bool* asIs) {
  const int w = canvas.width();
  const int h = canvas.height();
  *asIs = (w == h && w >= 16 && w <= 256);
  if (*asIs) return FiBitmap();
  QImage fitted = canvas.convertToFormat(QImage::Format_RGB32);
  if (w > 256 || h > 256) {
    const double scale = 256.0 / std::max(w, h);
    const int nw = std::clamp(RoundHalfEven(w * scale), 1, 256);
    const int nh = std::clamp(RoundHalfEven(h * scale), 1, 256);
    if (filter != ResampleFilter::Halftone) {
      FiBitmap scaled = RescaleBitmap(BitmapFromPicture(fitted), nw, nh, filter);
      fitted = ImageFromBitmap(scaled.get());
    } else {
      fitted = fitted.scaled(nw, nh, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (fitted.isNull()) return FiBitmap();
  }
  const int side = std::max({fitted.width(), fitted.height(), 16});
  QImage square(side, side, QImage::Format_ARGB32);
  if (square.isNull()) return FiBitmap();
  square.fill(Qt::transparent);
  {
    QPainter p(&square);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage((side - fitted.width()) / 2, (side - fitted.height()) / 2, fitted);
  }
  return BitmapFromImage32(square);
}

// The library's memory stream, closed whatever happens.
class FiMemory {
 public:
  FiMemory() : memory_(FreeImage_OpenMemory()) {}
  ~FiMemory() {
    if (memory_) FreeImage_CloseMemory(memory_);
  }
  FiMemory(const FiMemory&) = delete;
  FiMemory& operator=(const FiMemory&) = delete;
  FIMEMORY* get() const { return memory_; }

 private:
  FIMEMORY* memory_;
};

// The file bytes of a bitmap in a format; empty when the library cannot encode it.
QByteArray EncodeBitmap(FIBITMAP* bitmap, FREE_IMAGE_FORMAT format, int flags) {
  FiMemory memory;
  if (!memory.get() || !FreeImage_SaveToMemory(format, bitmap, memory.get(), flags)) return QByteArray();
  BYTE* data = nullptr;
  DWORD size = 0;
  if (!FreeImage_AcquireMemory(memory.get(), &data, &size) || !data || size == 0) return QByteArray();
  return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

}  // namespace

const LastLoadedImage& LastLoaded() { return g_lastLoaded; }

QImage ImageFromBitmap(FIBITMAP* bitmap) {
  if (!bitmap || !FreeImage_HasPixels(bitmap)) return QImage();
  QImage image(static_cast<int>(FreeImage_GetWidth(bitmap)), static_cast<int>(FreeImage_GetHeight(bitmap)),
               QImage::Format_RGB32);
  if (image.isNull() || !CopyBitmapPixels(bitmap, reinterpret_cast<uint32_t*>(image.bits()))) return QImage();
  return image;
}

DecodedImage DecodeImageFile(const QString& path) {
  if (path.isEmpty()) return DecodedImage();
  return SharedDecoder().decode(path);
}

bool PlaceDecodedImage(const DecodedImage& decoded, Surface& picLoad) {
  if (!decoded.ok()) return false;
  const QSize natural = decoded.naturalSize.isValid() ? decoded.naturalSize : decoded.pixels.size();
  g_lastLoaded = {natural.width(), natural.height(), decoded.bpp};
  // Same as sizing the surface, clearing it and blitting the opaque pixels over
  // all of it, without filling an image that is overwritten at once.
  picLoad.setImage(decoded.pixels, natural);
  return true;
}

bool LoadImageFile(const QString& path, Surface& picLoad) { return PlaceDecodedImage(DecodeImageFile(path), picLoad); }

int BlitBitmapToDevice(FIBITMAP* bitmap, QImage& dc, int width, int height) {
  if (!bitmap || dc.isNull()) return 0;
  const QImage pixels = ImageFromBitmap(bitmap);
  if (pixels.isNull()) return 0;
  QPainter p(&dc);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(QPoint(0, 0), pixels, QRect(0, 0, width, height));
  return std::min(height, pixels.height());
}

FiBitmap RescaleBitmap(FiBitmap source, int32_t w, int32_t h, ResampleFilter filter) {
  if (!source) return source;
  const double W = FreeImage_GetWidth(source.get());
  const double H = FreeImage_GetHeight(source.get());
  if (w < 1 && h < 1) return source;
  if (w < 1) w = RoundHalfEven(W / H * h);
  if (h < 1) h = RoundHalfEven(w / (W / H));
  if (w < 1 || h < 1) return source;
  FiBitmap rescaled(FreeImage_Rescale(source.get(), w, h, static_cast<FREE_IMAGE_FILTER>(filter)));
  return rescaled ? std::move(rescaled) : std::move(source);
}

void PaintBitmap(QImage* dc, FIBITMAP* bitmap, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs,
                 uint32_t rop) {
  if (!dc || dc->isNull() || !bitmap) return;
  const int bw = static_cast<int>(FreeImage_GetWidth(bitmap));
  const int bh = static_cast<int>(FreeImage_GetHeight(bitmap));
  if (ws == 0) {
    ws = bw;
    if (wd == 0) wd = ws;
  }
  if (hs == 0) {
    hs = bh;
    if (hd == 0) hd = hs;
  }
  const QImage pixels = ImageFromBitmap(bitmap);
  if (pixels.isNull()) return;
  QPainter p(dc);
  p.setCompositionMode(rop == SRCCOPY ? QPainter::CompositionMode_Source : QPainter::CompositionMode_SourceOver);
  // ys counts from the bottom row of the bitmap.
  p.drawImage(QRect(xd, yd, wd, hd), pixels, QRect(xs, bh - ys - hs, ws, hs));
}

FiBitmap BitmapFromPicture(const QImage& picture) {
  if (picture.isNull()) return FiBitmap();
  FiBitmap bitmap = BitmapFromImage32(picture.convertToFormat(QImage::Format_RGB32));
  return bitmap;
}

CaptureRecord CaptureThumbCanvas(Surface& picThumb) {
  CaptureRecord record;
  if (picThumb.image().isNull()) return record;
  const QImage drawn = picThumb.image();
  picThumb.setPicture(drawn);
  record.bitmap = BitmapFromPicture(drawn);  // RGB32: the fourth byte is 255
  if (!record.bitmap) return record;
  record.width = drawn.width();
  record.height = drawn.height();
  return record;
}

Outcome SaveThumbCanvas(Surface& picThumb, const QString& path, int32_t format, ResampleFilter filter) {
  CaptureRecord capture = CaptureThumbCanvas(picThumb);
  if (!capture.bitmap) return Outcome::Failed(Failure::NoImage);

  FiBitmap output;
  int flags = 0;
  switch (format) {
    case FIF_BMP:
    case FIF_TARGA:
      output = std::move(capture.bitmap);
      break;
    case FIF_ICO: {
      bool asIs = false;
      output = IconBitmap(picThumb.image(), filter, &asIs);
      if (asIs) output.reset(FreeImage_ConvertTo24Bits(capture.bitmap.get()));
      break;
    }
    case FIF_TIFF:
      flags = TIFF_NONE;
      output.reset(FreeImage_ConvertTo24Bits(capture.bitmap.get()));
      break;
    case FIF_GIF: {
      FiBitmap rgb(FreeImage_ConvertTo24Bits(capture.bitmap.get()));
      if (rgb) output.reset(FreeImage_ColorQuantize(rgb.get(), FIQ_WUQUANT));
      break;
    }
    default:  // JPEG, PNG and any other format take 24 bits
      output.reset(FreeImage_ConvertTo24Bits(capture.bitmap.get()));
      break;
  }
  capture.bitmap.reset();
  if (!output) return Outcome::Failed(Failure::ConversionFailed);

  // Encoded in memory first: the library does not report short writes, so the
  // bytes are written (and every write checked) by WriteFileWhole. A failed
  // save never leaves a file, empty or half written, under the thumbnail's
  // name, and an existing file survives it.
  const QByteArray encoded = EncodeBitmap(output.get(), static_cast<FREE_IMAGE_FORMAT>(format), flags);
  if (encoded.isEmpty()) return Outcome::Failed(Failure::ConversionFailed);
  return WriteFileWhole(path, encoded);
}
