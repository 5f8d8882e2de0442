#include "tests/support/TestImages.h"

#include <QFile>

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

bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

}  // namespace testimages
