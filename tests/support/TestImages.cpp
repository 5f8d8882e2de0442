#include "tests/support/TestImages.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>
#include <cmath>

namespace testimages {

double WorstChannelPsnr(const QImage& a, const QImage& b) {
  double se[3] = {0, 0, 0};
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      const int d[3] = {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)};
      for (int c = 0; c < 3; ++c) se[c] += d[c] * d[c];
    }
  double worst = INFINITY;
  for (double s : se) {
    const double mse = s / (a.width() * a.height());
    if (mse > 0) worst = std::min(worst, 10 * std::log10(255.0 * 255.0 / mse));
  }
  return worst;
}

QImage Gradient(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
  return img;
}

QImage Solid(int w, int h, QColor color) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(color);
  return img;
}

// A JPEG with an EXIF orientation tag inserted after its start marker.
QByteArray JpegWithOrientation(const QImage& image, quint16 orientation, int quality) {
  QByteArray jpeg;
  {
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", quality);
  }
  QByteArray tiff("II*\0\x08\0\0\0", 8);
  QByteArray ifd(2 + 12 + 4, '\0');
  qToLittleEndian<quint16>(1, ifd.data());
  qToLittleEndian<quint16>(0x0112, ifd.data() + 2);
  qToLittleEndian<quint16>(3, ifd.data() + 4);
  qToLittleEndian<quint32>(1, ifd.data() + 6);
  qToLittleEndian<quint16>(orientation, ifd.data() + 10);
  const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff + ifd;
  QByteArray app1("\xFF\xE1", 2);
  QByteArray len(2, '\0');
  qToBigEndian<quint16>(static_cast<quint16>(payload.size() + 2), len.data());
  app1 += len + payload;
  return jpeg.left(2) + app1 + jpeg.mid(2);
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

}  // namespace testimages
