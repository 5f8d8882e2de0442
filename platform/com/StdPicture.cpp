#include "platform/com/StdPicture.h"

#include <QBuffer>

StdPicture::StdPicture(const QImage& image, Kind kind) : image_(image), kind_(image.isNull() ? None : kind) {}

bool operator==(const StdPicture& a, const StdPicture& b) {
  if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
  return a.kind() == b.kind() && a.image() == b.image();
}

QDataStream& operator<<(QDataStream& out, const StdPicture& picture) {
  QByteArray png;
  if (!picture.isNull()) {
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.image().save(&buffer, "PNG");
  }
  out << static_cast<qint32>(picture.kind()) << png;
  return out;
}

QDataStream& operator>>(QDataStream& in, StdPicture& picture) {
  qint32 kind = 0;
  QByteArray png;
  in >> kind >> png;
  QImage image;
  if (!png.isEmpty() && !image.loadFromData(png, "PNG")) {
    in.setStatus(QDataStream::ReadCorruptData);
    return in;
  }
  picture = StdPicture(image, static_cast<StdPicture::Kind>(kind));
  return in;
}
