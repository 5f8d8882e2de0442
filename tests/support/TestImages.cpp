#include "tests/support/TestImages.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>

namespace testimages {

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
