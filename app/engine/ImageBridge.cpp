#include "app/engine/ImageBridge.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>

#include "app/engine/SharedDecoder.h"
#include "app/engine/WholeFile.h"
#include "app/imaging/AreaAverage.h"
#include "app/imaging/ImageEncoder.h"
#include "app/imaging/Resample.h"
#include "platform/drawing/Numbers.h"

namespace {

LastLoadedImage g_lastLoaded;

// A copy of an RGB32 image's pixels.
PixelBuffer BufferOf(const QImage& rgb32) {
  PixelBuffer out;
  if (rgb32.isNull() || rgb32.format() != QImage::Format_RGB32) return out;
  out.width = rgb32.width();
  out.height = rgb32.height();
  out.pixels.resize(static_cast<size_t>(out.width) * out.height);
  for (int y = 0; y < out.height; ++y)
    std::memcpy(&out.pixels[static_cast<size_t>(y) * out.width], rgb32.constScanLine(y),
                static_cast<size_t>(out.width) * 4);
  return out;
}

// Shrinks so the longer side is longestSide, with the run's filter.
PixelBuffer ShrinkWith(ResampleFilter filter, const PixelView& pixels, int32_t longestSide) {
  const double scale = static_cast<double>(longestSide) / std::max(pixels.width, pixels.height);
  const int nw = std::clamp(RoundHalfEven(pixels.width * scale), 1, longestSide);
  const int nh = std::clamp(RoundHalfEven(pixels.height * scale), 1, longestSide);
  const QImage source(reinterpret_cast<const uchar*>(pixels.pixels), pixels.width, pixels.height,
                      static_cast<qsizetype>(pixels.stride * 4), QImage::Format_RGB32);
  const QImage scaled = RescaleImage(source, nw, nh, filter);
  return scaled.size() == QSize(nw, nh) ? BufferOf(scaled.convertToFormat(QImage::Format_RGB32)) : PixelBuffer();
}

}  // namespace

const LastLoadedImage& LastLoaded() { return g_lastLoaded; }

PixelView ViewOf(const QImage& rgb32) {
  if (rgb32.isNull() || rgb32.format() != QImage::Format_RGB32) return PixelView();
  return {reinterpret_cast<const uint32_t*>(rgb32.constBits()), rgb32.width(), rgb32.height(),
          static_cast<size_t>(rgb32.bytesPerLine() / 4)};
}

QImage ImageOf(const PixelBuffer& pixels) {
  if (pixels.empty()) return QImage();
  QImage image(pixels.width, pixels.height, QImage::Format_RGB32);
  if (image.isNull()) return image;
  for (int y = 0; y < pixels.height; ++y)
    std::memcpy(image.scanLine(y), &pixels.pixels[static_cast<size_t>(y) * pixels.width],
                static_cast<size_t>(pixels.width) * 4);
  return image;
}

DecodedImage DecodeImageFile(const QString& path) {
  if (path.isEmpty()) return DecodedImage();
  return SharedDecoder().decode(path);
}

bool PlaceDecodedImage(const DecodedImage& decoded, Surface& picLoad) {
  if (!decoded.ok()) return false;
  const QSize natural = decoded.natural();
  g_lastLoaded = {natural.width(), natural.height(), decoded.bpp};
  // Same as sizing the surface, clearing it and blitting the opaque pixels over
  // all of it, without filling an image that is overwritten at once.
  picLoad.setImage(decoded.pixels, natural);
  return true;
}

bool LoadImageFile(const QString& path, Surface& picLoad) { return PlaceDecodedImage(DecodeImageFile(path), picLoad); }

QImage AveragedImage(const PixelView& pixels, const QSize& size) {
  if (size.width() > pixels.width || size.height() > pixels.height) return QImage();
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull() || !AverageArea(pixels, reinterpret_cast<uint32_t*>(image.bits()), size.width(), size.height(),
                                     static_cast<size_t>(image.bytesPerLine() / 4)))
    return QImage();
  return image;
}

QImage RescaleImage(const QImage& picture, int32_t w, int32_t h, ResampleFilter filter) {
  if (picture.isNull()) return picture;
  const double W = picture.width();
  const double H = picture.height();
  if (w < 1 && h < 1) return picture;
  if (w < 1) w = RoundHalfEven(W / H * h);
  if (h < 1) h = RoundHalfEven(w / (W / H));
  if (w < 1 || h < 1) return picture;
  if (filter == ResampleFilter::Halftone)
    return picture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  const QImage rescaled = ImageOf(ResamplePixels(ViewOf(rgb), w, h, filter));
  return rescaled.isNull() ? picture : rescaled;
}

QImage CaptureThumbCanvas(Surface& picThumb) {
  if (picThumb.image().isNull()) return QImage();
  const QImage drawn = picThumb.image();
  picThumb.setPicture(drawn);
  return drawn.convertToFormat(QImage::Format_RGB32);  // the fourth byte is 255
}

Outcome SavePicture(const QImage& picture, const QString& path, ImageFileFormat format, ResampleFilter filter) {
  if (picture.isNull()) return Outcome::Failed(Failure::NoImage);
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);  // the fourth byte is 255
  const auto shrink = [filter](const PixelView& pixels, int32_t longestSide) {
    return ShrinkWith(filter, pixels, longestSide);
  };
  const EncodedImage encoded = EncodePixels(ViewOf(rgb), format, shrink);
  if (!encoded.outcome) return encoded.outcome;
  // Encoded in memory first: the codec does not report short writes, so the
  // bytes are written (and every write checked) by WriteFileWhole. A failed
  // save never leaves a file, empty or half written, under the picture's
  // name, and an existing file survives it.
  return WriteFileWhole(path, QByteArray::fromRawData(reinterpret_cast<const char*>(encoded.bytes.data()),
                                                      static_cast<qsizetype>(encoded.bytes.size())));
}

Outcome SaveThumbCanvas(Surface& picThumb, const QString& path, ImageFileFormat format, ResampleFilter filter) {
  return SavePicture(CaptureThumbCanvas(picThumb), path, format, filter);
}

QSize CopySize(const QSize& natural, int longestSide) {
  const int longest = std::max(natural.width(), natural.height());
  if (natural.isEmpty() || longestSide < 1 || longest <= longestSide) return natural;
  const double scale = static_cast<double>(longestSide) / longest;
  return {std::clamp(RoundHalfEven(natural.width() * scale), 1, longestSide),
          std::clamp(RoundHalfEven(natural.height() * scale), 1, longestSide)};
}

QImage CopyPicture(const DecodedImage& decoded, int longestSide, ResampleFilter filter) {
  if (!decoded.ok()) return QImage();
  const QSize natural = decoded.natural();
  const QSize size = CopySize(natural, longestSide);
  // A decode a little smaller than the copy is the copy: never enlarged.
  const QSize& pixels = decoded.pixels.size();
  if (std::max(pixels.width(), pixels.height()) <= std::max(size.width(), size.height())) return decoded.pixels;
  // Halftone, the smooth stretching, is an average over each pixel's area:
  // done here in fixed point, several times faster than the general scaler.
  if (filter == ResampleFilter::Halftone && decoded.pixels.format() == QImage::Format_RGB32) {
    QImage copy = AveragedImage(ViewOf(decoded.pixels), size);
    if (!copy.isNull()) return copy;
  }
  return RescaleImage(decoded.pixels, size.width(), size.height(), filter);
}
