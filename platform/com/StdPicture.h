#pragma once
// The platform's picture object: an image of a kind (bitmap, icon, metafile)
// with its width and height. A null picture has kind None.
#include <QDataStream>
#include <QImage>
#include <QMetaType>

class StdPicture {
 public:
  enum Kind { None = 0, Bitmap = 1, Metafile = 2, Icon = 3, EnhMetafile = 4 };

  StdPicture() = default;
  explicit StdPicture(const QImage& image, Kind kind = Bitmap);

  bool isNull() const { return kind_ == None || image_.isNull(); }
  Kind kind() const { return isNull() ? None : kind_; }
  int width() const { return image_.width(); }
  int height() const { return image_.height(); }
  const QImage& image() const { return image_; }

 private:
  QImage image_;
  Kind kind_ = None;
};

// Two pictures are equal when both are null, or they have the same kind and pixels.
bool operator==(const StdPicture& a, const StdPicture& b);
inline bool operator!=(const StdPicture& a, const StdPicture& b) { return !(a == b); }

// Streamed as the kind and a PNG of the image, so property bags in files keep pictures.
QDataStream& operator<<(QDataStream& out, const StdPicture& picture);
QDataStream& operator>>(QDataStream& in, StdPicture& picture);

Q_DECLARE_METATYPE(StdPicture)
